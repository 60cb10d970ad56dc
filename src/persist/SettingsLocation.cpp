#include "SettingsLocation.h"

#include "AtomicWrite.h"
#include "IniAccess.h"
#include "Registry.h"

#include "base/Desktop.h"
#include "base/FileErrorText.h"
#include "base/Paths.h"
#include "base/Platform.h"
#include "base/VersionInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zolvaric {

namespace {

QString quoted(const QString &path)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

// The file that seeds an empty data folder: the VirtualStore's copy first,
// then the program folder's; empty when neither exists.
QString seedFile(const QString &fileName, const QString &programDir)
{
    const QString virtualStore = VirtualStoreFolder(
        platform::programFilesFolder(), platform::localAppDataFolder(), WithBackslash(programDir));
    for (const QString &folder : {virtualStore, WithBackslash(programDir)}) {
        if (!folder.isEmpty() && QFileInfo(folder + fileName).isFile())
            return folder + fileName;
    }
    return QString();
}

} // namespace

QString DataFolder(const QString &programBaseName)
{
    return WithBackslash(QDir::toNativeSeparators(
        platform::commonAppDataFolder() + QStringLiteral("/Quorvel-Software/") + programBaseName));
}

QString VirtualStoreFolder(const QString &programFilesFolder, const QString &localAppDataFolder,
                           const QString &uncProgramFolder)
{
    // Windows paths only: the backslash is the separator whatever system runs this.
    const auto withBackslash = [](const QString &path) {
        return path.endsWith(QLatin1Char('\\')) ? path : path + QLatin1Char('\\');
    };
    if (programFilesFolder.isEmpty() || localAppDataFolder.isEmpty())
        return QString();
    const QString programFiles = withBackslash(programFilesFolder);
    if (!uncProgramFolder.contains(programFiles, Qt::CaseInsensitive))
        return QString();
    const QString relative = QString(uncProgramFolder).remove(programFiles, Qt::CaseInsensitive);
    return withBackslash(withBackslash(localAppDataFolder) +
                         QStringLiteral("VirtualStore\\Program Files\\") + relative);
}

bool CopyDataFile(const QString &source, const QString &target, Desktop &desktop)
{
    QString reason;
    QFile file(source);
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
        reason = QStringLiteral("Der Ordner kann nicht angelegt werden.");
    } else if (!file.open(QIODevice::ReadOnly)) {
        reason = fileErrorText(file);
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
    // A copy Windows' file virtualisation made of the program folder's file,
    // or the program folder's own file (written by an earlier version or the
    // installation), seeds the data folder once.
    const QString seed = seedFile(fileName, programDir);
    if (!seed.isEmpty() && !CopyDataFile(seed, target, desktop))
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
    if (QFileInfo(dataFile).isFile())
        return dataFile;
    const QString seed = seedFile(kSettingsFileName, programDir);
    return seed.isEmpty() ? dataFile : seed;
}

void writeStartRegistryValues(const QString &applicationTitle)
{
    const QString key = QStringLiteral("\\Software\\Quorvel-Software\\") + applicationTitle;
    const QString programFile = QCoreApplication::applicationFilePath();
    // Nothing reads these values back; a failure must not stop the start.
    WriteRegString(RegistryRoot::CurrentUser, key, QStringLiteral("Applikationsverzeichnis"),
                   QDir::toNativeSeparators(platform::universalName(programFile)));
    WriteRegString(RegistryRoot::CurrentUser, key, QStringLiteral("Version Applikation"),
                   VersionInfoString(programFile, 2));
}

} // namespace zolvaric
