#include "TemplateResources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zolvaric {

QVariant templateResource(const QString &templateFolder, const QUrl &name)
{
    if (!name.isRelative() || name.path().isEmpty())
        return {};
    const QString relative = name.path();
    if (QDir::isAbsolutePath(relative) || relative.startsWith(QLatin1Char(':')))
        return {};
    const QString folder = QFileInfo(templateFolder).canonicalFilePath();
    const QString target = QFileInfo(QDir(templateFolder).filePath(relative)).canonicalFilePath();
    if (folder.isEmpty() || target.isEmpty() ||
        !target.startsWith(QDir(folder).filePath(QString())))
        return {};
    // isFile() holds for regular files only: no device, pipe or socket.
    const QFileInfo info(target);
    if (!info.isFile() || info.size() > kMaxTemplateResource)
        return {};
    QFile file(target);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(kMaxTemplateResource + 1);
    if (bytes.size() > kMaxTemplateResource)
        return {};
    return bytes;
}

} // namespace zolvaric
