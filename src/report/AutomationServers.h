#pragma once

#include "Automation.h"

namespace zolvaric {

class Desktop;

// The automation servers this program carries: "Word.Application" is the
// built-in word processor for OOXML documents. A shown document goes to the
// desktop's "open"; "^c" takes the desktop's clipboard.
AutomationFactory builtInAutomation(Desktop &desktop);

} // namespace zolvaric
