#pragma once

#include <QString>

namespace zolvaric {

class Desktop;

// The name of the settings file, in the program folder and in the data folder.
inline const QString kSettingsFileName = QStringLiteral("Zolvaric.ini");

// The per-installation data folder: the all-users application-data folder
// (on Linux the user's data folder, XDG data home) + "Quorvel-Software/" +
// the program base name, with a trailing separator.
QString DataFolder(const QString &programBaseName);

// Where Windows' file virtualisation keeps files a program below the
// program-files folder wrote into its own folder: the local
// application-data folder + "VirtualStore\Program Files\" + the program
// folder's part below the program-files folder. Empty when the program lies
// elsewhere or the system has no such folders.
QString VirtualStoreFolder(const QString &programFilesFolder, const QString &localAppDataFolder,
                           const QString &uncProgramFolder);

// Copies source over target, creating the target's folder; a failure shows
// "Beim Kopieren der Datei ... ist ein Fehler aufgetreten (...)." and returns false.
bool CopyDataFile(const QString &source, const QString &target, Desktop &desktop);

// The data file to use in the data folder (created here); when it does not
// exist yet it is seeded from the VirtualStore's copy or else the program
// folder's. May name a file that does not exist yet.
QString LocateDataFile(const QString &fileName, const QString &programDir,
                       const QString &programBaseName, Desktop &desktop);

// Whether "UseAllwaysAppDir" of the program folder's settings file says to
// keep the settings in the program folder itself.
bool useProgramFolder(const QString &programDir);

// The start-up rule: the program folder's settings file when it says so,
// else the data folder's (seeded from the program folder).
QString chooseSettingsFile(const QString &programDir, const QString &programBaseName,
                           Desktop &desktop);

// The same choice without writing anything (no folder, no seeding copy): the
// data folder's file when it exists, else the file the seeding would copy.
// For the command line tool, which only reads.
QString findSettingsFile(const QString &programDir, const QString &programBaseName);

// The two registry values of every start: the program file and its version.
void writeStartRegistryValues(const QString &applicationTitle);

} // namespace zolvaric
