#include "Platform.h"

#include "VersionInfo.h"

#include <QByteArrayMatcher>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <unistd.h>

namespace zolvaric::platform {

namespace {

// The block the build embeds in each program file starts with \1 + the
// marker + \1; the marker is put together at run time so that this reader
// does not find its own search text.
QByteArray blockMarker()
{
    return QByteArray("\x01") + QByteArray("ZOLVARIC") + QByteArray("-VERSIONINFO") +
           QByteArray("\x01");
}

QList<QByteArray> versionEntries(const QString &filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return {};
    QByteArray contents;
    QByteArrayView bytes;
    if (const uchar *data = file.map(0, file.size())) {
        bytes = QByteArrayView(data, file.size());
    } else {
        contents = file.readAll();
        bytes = contents;
    }
    const QByteArray marker = blockMarker();
    const qsizetype start = QByteArrayMatcher(marker).indexIn(bytes);
    if (start < 0)
        return {};
    // Entries "Key=Value", each ended by a NUL, up to an empty one.
    QList<QByteArray> entries;
    qsizetype position = start + marker.size();
    while (position < bytes.size()) {
        const qsizetype end = bytes.indexOf('\0', position);
        if (end <= position)
            break;
        entries << bytes.sliced(position, end - position).toByteArray();
        position = end + 1;
    }
    return entries;
}

} // namespace

QString commonAppDataFolder()
{
    // No machine-wide folder that users may write: each user's own data folder.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString localAppDataFolder()
{
    return QString();
}

QString programFilesFolder()
{
    return QString();
}

QString universalName(const QString &path)
{
    // No drive letters: every path already names its file system.
    return path;
}

QString fallbackTempFolder()
{
    const QString system = QDir::tempPath();
    return QDir().mkpath(system) ? QDir::toNativeSeparators(system) : QString();
}

QString newTempFile()
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/zolXXXXXX.tmp"));
    file.setAutoRemove(false);
    if (!file.open())
        return QString();
    return QDir::toNativeSeparators(file.fileName());
}

QStringList versionInfoValues(const QString &filePath)
{
    const QList<QByteArray> entries = versionEntries(filePath);
    if (entries.isEmpty())
        return {};
    QStringList values;
    for (const char *key : kVersionInfoKeys) {
        const QByteArray prefix = QByteArray(key) + '=';
        QString value;
        for (const QByteArray &entry : entries) {
            if (entry.startsWith(prefix)) {
                value = QString::fromUtf8(entry.mid(prefix.size()));
                break;
            }
        }
        values << value;
    }
    return values;
}

bool syncToDisk(int fileDescriptor)
{
    return ::fsync(fileDescriptor) == 0;
}

void makeStandardOutputBinary()
{
    // Bytes pass unchanged here anyway.
}

void markProgramRunning(const QString &) {}

} // namespace zolvaric::platform
