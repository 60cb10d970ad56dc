#include "VersionInfo.h"

#include <QByteArrayMatcher>
#include <QFile>

namespace zolvaric {

namespace {

// The block starts with \1 + the marker + \1; the marker is put together at
// run time so that this reader does not find its own search text.
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

QString VersionInfoString(const QString &filePath, int index)
{
    if (index < 0 || index >= static_cast<int>(kVersionInfoKeys.size()))
        return QString();
    const QByteArray prefix = QByteArray(kVersionInfoKeys[static_cast<std::size_t>(index)]) + '=';
    for (const QByteArray &entry : versionEntries(filePath)) {
        if (entry.startsWith(prefix))
            return QString::fromUtf8(entry.mid(prefix.size()));
    }
    return QString();
}

} // namespace zolvaric
