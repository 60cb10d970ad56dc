#pragma once

#include <QString>

namespace zolvaric {

// The values of one program run. Owned by the window or the command line tool
// and handed to whoever needs them; nothing here is global.
struct ProgramRun
{
    QString programDir;   // folder of the program, always with a trailing separator
    QString settingsFile; // full path of "Zolvaric.ini"
    QString projectFile;  // current project file, empty until one is loaded or saved
    bool projectChanged = false;
    bool busy = false; // a report is being produced
};

} // namespace zolvaric
