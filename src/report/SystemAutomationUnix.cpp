#include "SystemAutomation.h"

namespace zolvaric {

AutomationObjectPtr createSystemObject(const QString &)
{
    // No system-wide automation servers here: the built-in ones serve.
    return nullptr;
}

} // namespace zolvaric
