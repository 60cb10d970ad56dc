#include "UpdateAddress.h"

#include "base/Paths.h"

namespace zolvaric {

QString updateAddress()
{
    QString base = QStringLiteral(ZOLVARIC_UPDATE_BASE_URL);
    // A base configured without its closing slash still names the folder.
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + ProgramBaseName().toLower() + QStringLiteral(".update");
}

} // namespace zolvaric
