#pragma once

#include "UrlProbe.h"

#include <QString>

#include <chrono>
#include <functional>

namespace zolvaric {

class Desktop;

// What an update check needs from the program that runs it.
struct UpdateCheckContext
{
    Desktop &desktop;
    // Caption of the notices and the probe's agent name.
    QString applicationTitle;
    // The program file's name with extension: the downloads' agent name.
    QString programFileName;
    // The program file, whose version information names the installed version.
    QString programFile;
    // Ends the program without asking whether to close, so that the setup
    // can replace it.
    std::function<void()> endProgram;
    std::chrono::milliseconds probeTimeout = kProbeTimeout;
};

// The context of the running program.
UpdateCheckContext runningProgramContext(Desktop &desktop, std::function<void()> endProgram);

} // namespace zolvaric
