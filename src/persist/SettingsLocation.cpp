#include "SettingsLocation.h"

#include "AtomicWrite.h"
#include "IniAccess.h"
#include "Registry.h"

#include "base/Desktop.h"
#include "base/Paths.h"
#include "base/VersionInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace zolvaric {

namespace {

QString quoted(const QString &path)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

} // namespace

QString DataFolder(const QString &programBaseName)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return WithBackslash(
        QDir::toNativeSeparators(base + QStringLiteral("/Quorvel-Software/") + programBaseName));
}

bool CopyDataFile(const QString &source, const QString &target, Desktop &desktop)
{
    QString reason;
    QFile file(source);
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
        reason = QStringLiteral("Der Ordner kann nicht angelegt werden.");
    } else if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
    } else if (const WriteResult written = writeFileAtomically(target, file.readAll()); !written) {
        reason = written.error;
    } else {
        return true;
    }
    desktop.messageBox(QStringLiteral("Beim Kopieren der Datei %1 nach %2 ist ein Fehler "
                                      "aufgetreten (%3).")
                           .arg(quoted(source), quoted(target), reason));
    return false;
}

QString LocateDataFile(const QString &fileName, const QString &programDir,
                       const QString &programBaseName, Desktop &desktop)
{
    const QString folder = DataFolder(programBaseName);
    QDir().mkpath(folder);
    const QString target = folder + fileName;
    if (QFileInfo(target).isFile())
        return target;
    // Files written into the program folder by an earlier version or by the
    // installation seed the data folder once.
    const QString seed = WithBackslash(programDir) + fileName;
    if (QFileInfo(seed).isFile() && !CopyDataFile(seed, target, desktop))
        desktop.messageBox(QStringLiteral("Fehler beim Kopieren von %1 nach %2")
                               .arg(quoted(seed), quoted(target)));
    return target;
}

bool useProgramFolder(const QString &programDir)
{
    return ReadIniBool(WithBackslash(programDir) + kSettingsFileName,
                       QStringLiteral("Einstellungen"), QStringLiteral("UseAllwaysAppDir"), false);
}

QString chooseSettingsFile(const QString &programDir, const QString &programBaseName,
                           Desktop &desktop)
{
    if (useProgramFolder(programDir))
        return WithBackslash(programDir) + kSettingsFileName;
    return LocateDataFile(kSettingsFileName, programDir, programBaseName, desktop);
}

QString findSettingsFile(const QString &programDir, const QString &programBaseName)
{
    const QString programFile = WithBackslash(programDir) + kSettingsFileName;
    if (useProgramFolder(programDir))
        return programFile;
    const QString dataFile = DataFolder(programBaseName) + kSettingsFileName;
    if (QFileInfo(dataFile).isFile() || !QFileInfo(programFile).isFile())
        return dataFile;
    return programFile;
}

void writeStartRegistryValues(const QString &applicationTitle)
{
    const QString key = QStringLiteral("\\Software\\Quorvel-Software\\") + applicationTitle;
    const QString programFile = QCoreApplication::applicationFilePath();
    // Nothing reads these values back; a failure must not stop the start.
    WriteRegString(RegistryRoot::CurrentUser, key, QStringLiteral("Applikationsverzeichnis"),
                   QDir::toNativeSeparators(programFile));
    WriteRegString(RegistryRoot::CurrentUser, key, QStringLiteral("Version Applikation"),
                   VersionInfoString(programFile, 2));
}

} // namespace zolvaric
