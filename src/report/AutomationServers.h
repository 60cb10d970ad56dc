#pragma once

#include "Automation.h"

namespace zolvaric {

class Desktop;

// The automation servers this program carries: "Word.Application" is the
// built-in word processor for OOXML documents. A shown document goes to the
// desktop's "open"; "^c" takes the desktop's clipboard.
AutomationFactory builtInAutomation(Desktop &desktop);

// The servers the system has registered (Microsoft Word on Windows), and
// the built-in ones for those it lacks.
AutomationFactory desktopAutomation(Desktop &desktop);

} // namespace zolvaric
