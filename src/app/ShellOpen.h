#pragma once

#include <QString>

class QWidget;

namespace zolvaric {

// Opens a file, program or web address with the desktop's default action,
// without waiting for it: 0 on success, else the shell's error code (below
// 32; 2 is "file not found"). One implementation per system
// (ShellOpenUnix.cpp, ShellOpenWindows.cpp).
int shellOpen(const QString &target, const QString &parameters, const QString &workingFolder,
              int showMode, QWidget *owner);

} // namespace zolvaric
