#include "VersionInfo.h"

#include "Platform.h"

namespace zolvaric {

QString VersionInfoString(const QString &filePath, int index)
{
    const QStringList values = platform::versionInfoValues(filePath);
    if (index < 0 || index >= values.size())
        return QString();
    return values[index];
}

} // namespace zolvaric
