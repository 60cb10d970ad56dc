#include "Paths.h"

#include <QDir>

namespace zolvaric {

QString WithBackslash(const QString &path)
{
    if (path.isEmpty())
        return path;
    const QChar separator = QDir::separator();
    if (path.endsWith(separator) || path.endsWith(QLatin1Char('/')))
        return path;
    return path + separator;
}

} // namespace zolvaric
