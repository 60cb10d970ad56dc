#pragma once

#include "Automation.h"

namespace zolvaric {

// The automation servers the system itself has registered (COM on Windows,
// SystemAutomationWindows.cpp): the application object of a server by its
// class name ("Word.Application"), reached by late binding. nullptr when no
// such server is registered (always so where the system has none,
// SystemAutomationUnix.cpp); throws AutomationError when it is registered
// but does not start.
AutomationObjectPtr createSystemObject(const QString &className);

} // namespace zolvaric
