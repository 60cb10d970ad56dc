#include "PrivateTempFolder.h"

#include "Paths.h"

#include <QDir>

namespace zolvaric {

QString PrivateTempFolder()
{
    const QString base = TempFolder();
    if (base.isEmpty())
        return QString();
    // The temp folder of a Windows user is the user's own already.
    const QString folder = WithBackslash(base) + QStringLiteral("Zolvaric");
    return QDir().mkpath(folder) ? WithBackslash(QDir::toNativeSeparators(folder)) : QString();
}

} // namespace zolvaric
