#include "AtomicWrite.h"

#include "base/FileErrorText.h"
#include "base/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace zolvaric {

namespace {

WriteFaults &faults()
{
    static WriteFaults injected;
    return injected;
}

WriteResult failure(const QString &reason)
{
    return WriteResult{false, reason};
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

const QString kDiskFull = QStringLiteral("Auf dem Datenträger ist nicht genügend Speicherplatz.");
const QString kFlushFailed =
    QStringLiteral("Die Daten konnten nicht vollständig auf den Datenträger geschrieben werden.");

// Pieces small enough that an injected fault can strike in the middle.
constexpr qint64 kPiece = 4096;

// Writes the bytes at the file's position; fails on the first piece the system
// takes no byte of. `written` counts across one save, for the fault seam.
bool writePieces(QFileDevice &file, const char *data, qint64 size, qint64 &written, QString &reason)
{
    for (qint64 done = 0; done < size;) {
        const qint64 piece = std::min(kPiece, size - done);
        const qint64 room =
            faults().room ? std::clamp<qint64>(faults().room(written, piece), 0, piece) : piece;
        const qint64 out = room > 0 ? file.write(data + done, room) : 0;
        if (out > 0) {
            done += out;
            written += out;
        }
        // A short write of the system says no reason; the write of the rest
        // gives it (a full disk, a size limit).
        if (out > 0 && out < piece && room == piece)
            continue;
        if (out != piece) {
            reason = room < piece || file.errorString().isEmpty() ? kDiskFull : fileErrorText(file);
            return false;
        }
    }
    return true;
}

// Down to the medium: a network share or a full disk reports late failures here.
bool syncToMedium(QFileDevice &file)
{
    if (!file.flush())
        return false;
    return platform::syncToDisk(file.handle());
}

// Puts the old bytes back: they fit, the file held them before.
bool restoreOldBytes(QFile &file, const QByteArray &old)
{
    return file.seek(0) && file.write(old) == old.size() && file.resize(old.size()) &&
           syncToMedium(file);
}

WriteResult writeInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return failure(fileErrorText(file));
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError || old.size() != file.size())
        return failure(
            QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(nativePath(path)));
    const qint64 oldSize = old.size();
    const qint64 newSize = bytes.size();
    qint64 written = 0;
    QString reason;
    // The growth first: a full disk shows while every old byte is still there.
    if (newSize > oldSize) {
        if (!file.seek(oldSize) ||
            !writePieces(file, bytes.constData() + oldSize, newSize - oldSize, written, reason)) {
            file.resize(oldSize);
            return failure(reason.isEmpty() ? fileErrorText(file) : reason);
        }
    }
    bool done = file.seek(0) &&
                writePieces(file, bytes.constData(), std::min(oldSize, newSize), written, reason) &&
                (newSize >= oldSize || file.resize(newSize));
    if (done && (faults().failFlush || !syncToMedium(file))) {
        done = false;
        reason = kFlushFailed;
    }
    if (done)
        return {};
    if (reason.isEmpty())
        reason = fileErrorText(file);
    if (!restoreOldBytes(file, old))
        reason +=
            QStringLiteral(" Der alte Inhalt der Datei konnte nicht wiederhergestellt werden.");
    return failure(reason);
}

} // namespace

void setWriteFaultsForTests(WriteFaults injected)
{
    faults() = std::move(injected);
}

void setWriteFaultForTests(std::function<bool(qint64)> fault)
{
    WriteFaults injected;
    if (fault) {
        injected.room = [fault = std::move(fault)](qint64 written, qint64 length) {
            return fault(written) ? length : 0;
        };
    }
    faults() = std::move(injected);
}

std::optional<QString> unwritableTargetReason(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("\"%1\" ist ein Ordner.").arg(nativePath(path));
    if (info.exists() && !info.isFile())
        return QStringLiteral("\"%1\" ist keine gewöhnliche Datei (sondern z. B. ein Gerät oder "
                              "eine Pipe) und wird nicht überschrieben.")
            .arg(nativePath(path));
    return std::nullopt;
}

WriteResult writeFileAtomically(const QString &path, const QByteArray &bytes, LinkPolicy links)
{
    const QFileInfo info(path);
    if (!info.dir().exists())
        return failure(QStringLiteral("Der Ordner \"%1\" existiert nicht.")
                           .arg(nativePath(info.absolutePath())));
    if (links == LinkPolicy::Refuse && info.isSymLink())
        return failure(QStringLiteral("\"%1\" ist eine Verknüpfung; ihr wird nicht gefolgt.")
                           .arg(nativePath(path)));
    if (const auto reason = unwritableTargetReason(path))
        return failure(*reason);
    if (info.exists() && !info.isWritable())
        return failure(
            QStringLiteral("Die Datei \"%1\" ist schreibgeschützt.").arg(nativePath(path)));

    QSaveFile file(path);
    // Unbuffered: each write reaches the system at once, so that a full disk
    // fails the write that met it. A buffered one would fail only in the
    // final flush, whose failure the commit does not report.
    if (faults().noFileBeside || !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // A writable file in a folder the user may not write to (a shared
        // project folder, settings in the program folder): no new file can go
        // beside it, and refusing the save would lose the work.
        if (info.exists())
            return writeInPlace(path, bytes);
        return failure(file.errorString().isEmpty()
                           ? QStringLiteral("Im Ordner \"%1\" kann keine Datei angelegt werden.")
                                 .arg(nativePath(info.absolutePath()))
                           : fileErrorText(file));
    }
    qint64 written = 0;
    QString reason;
    if (!writePieces(file, bytes.constData(), bytes.size(), written, reason)) {
        file.cancelWriting();
        return failure(reason);
    }
    // The commit ignores a failing sync; a network share or a full disk
    // reports its late failures only there.
    if (faults().failFlush || !syncToMedium(file)) {
        file.cancelWriting();
        return failure(kFlushFailed);
    }
    if (!file.commit())
        return failure(fileErrorText(file));
    return {};
}

} // namespace zolvaric
