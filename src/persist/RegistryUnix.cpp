#include "Registry.h"

#include "IniAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zolvaric {

namespace {

QString registryFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quorvel-Software/registry.ini");
}

} // namespace

WriteResult WriteRegString(RegistryRoot root, const QString &keyPath, const QString &name,
                           const QString &value)
{
    Q_UNUSED(root); // HKEY_CURRENT_USER: the stand-in lives in the user's own folder
    const QString file = registryFile();
    // Opening a key creates every missing key on its path.
    if (!QDir().mkpath(QFileInfo(file).path()))
        return WriteResult{false, QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.")
                                      .arg(QDir::toNativeSeparators(QFileInfo(file).path()))};
    return WriteIniString(file, keyPath, name, value);
}

QString ReadRegString(RegistryRoot root, const QString &keyPath, const QString &name)
{
    Q_UNUSED(root);
    return ReadIniString(registryFile(), keyPath, name, QString());
}

} // namespace zolvaric
