#pragma once

#include <QString>
#include <QStringList>

// What the operating system gives the program: special folders, network
// names, temporary files, version information of program files. Each
// system has its own implementation file (PlatformUnix.cpp,
// PlatformWindows.cpp); the build chooses one, the callers never do.
namespace zolvaric::platform {

// The all-users application-data folder (Windows: CSIDL_COMMON_APPDATA;
// elsewhere the user's data folder), without a trailing separator.
QString commonAppDataFolder();

// The local application-data folder (CSIDL_LOCAL_APPDATA) and the
// program-files folder (CSIDL_PROGRAM_FILES); empty where the system has no
// such folders and no file virtualisation.
QString localAppDataFolder();
QString programFilesFolder();

// A path on a mapped network drive in its UNC form ("\\server\share\…");
// any other path unchanged.
QString universalName(const QString &path);

// The temp folder of last resort when neither TEMP nor TMP names one
// ("C:\TEMP" on Windows); created if missing, empty when it cannot be.
QString fallbackTempFolder();

// A new, empty file with a unique name in the system temp folder; empty
// when it cannot be created.
QString newTempFile();

// The version information of a program file: the values of the ten keys of
// kVersionInfoKeys in that order (missing ones empty); an empty list for a
// file without version information.
QStringList versionInfoValues(const QString &filePath);

// Writes what the system holds of an open file (its descriptor) down to
// the medium; false when that fails.
bool syncToDisk(int fileDescriptor);

// Standard output passes bytes unchanged (Windows would turn "\n" into
// "\r\n"): what the command line tool writes there is data, the same on
// every system.
void makeStandardOutputBinary();

// Marks the program as running until its process ends, under a name its
// setup program looks for: an update then waits for the program to end
// before it replaces the program files (Windows: a named mutex in the
// session's and in the global namespace). Nothing elsewhere, where the
// package manager replaces running programs safely.
void markProgramRunning(const QString &name);

} // namespace zolvaric::platform
