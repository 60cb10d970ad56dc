#include "AtomicWrite.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace zolvaric {

namespace {

std::function<bool(qint64)> &writeFault()
{
    static std::function<bool(qint64)> fault;
    return fault;
}

WriteResult failure(const QString &reason)
{
    return WriteResult{false, reason};
}

// Pieces small enough that an injected fault can strike in the middle.
constexpr qint64 kPiece = 4096;

} // namespace

void setWriteFaultForTests(std::function<bool(qint64)> fault)
{
    writeFault() = std::move(fault);
}

WriteResult writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    if (!info.dir().exists())
        return failure(QStringLiteral("Der Ordner \"%1\" existiert nicht.")
                           .arg(QDir::toNativeSeparators(info.absolutePath())));
    if (info.isDir())
        return failure(
            QStringLiteral("\"%1\" ist ein Ordner.").arg(QDir::toNativeSeparators(path)));
    if (info.exists() && !info.isWritable())
        return failure(QStringLiteral("Die Datei \"%1\" ist schreibgeschützt.")
                           .arg(QDir::toNativeSeparators(path)));

    QSaveFile file(path);
    // A writable file in a folder the user may not write to (a shared
    // project folder, settings in the program folder) is written in place:
    // no new file can go beside it, and refusing the save would lose the work.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    for (qint64 written = 0; written < bytes.size();) {
        if (writeFault() && !writeFault()(written)) {
            file.cancelWriting();
            return failure(QStringLiteral("Auf dem Datenträger ist nicht genügend Speicherplatz."));
        }
        const qint64 piece = std::min(kPiece, bytes.size() - written);
        if (file.write(bytes.constData() + written, piece) != piece) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return failure(reason);
        }
        written += piece;
    }
    if (!file.commit())
        return failure(file.errorString());
    return {};
}

} // namespace zolvaric
