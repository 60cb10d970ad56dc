#pragma once

#include <QString>

namespace zolvaric {

// What the server's update information file offers.
struct UpdateInfo
{
    QString version;
    QString downloadUrl;
    QString webUrl;
    // The program's name in texts and in the setup file's name.
    QString programName;
    // The setup file's SHA-256 as 64 hex digits; a setup is only downloaded
    // and started with it.
    QString sha256;
    // Whether the program ends once the setup or the download page is open.
    bool forceCloseApp = false;
};

// Reads the section "UpdateInfos" of an information file. Without a program
// name the internal name from the program file's version information stands in.
UpdateInfo readUpdateInfo(const QString &infoFile, const QString &programFile);

} // namespace zolvaric
