#include "FreshFileName.h"

#include "base/Paths.h"

#include <QRandomGenerator>

namespace zolvaric {

QString freshFileName(const QString &folder, const QString &stem, const QString &extension)
{
    if (folder.isEmpty())
        return QString();
    const QString random = QStringLiteral("%1").arg(QRandomGenerator::system()->generate64(), 16,
                                                    16, QLatin1Char('0'));
    return WithBackslash(folder) + stem + QLatin1Char('-') + random +
           (extension.isEmpty() ? QString() : QLatin1Char('.') + extension);
}

} // namespace zolvaric
