#include "AutomationServers.h"

#include "SystemAutomation.h"

#include "ooxml/WordApplication.h"

#include "base/Desktop.h"
#include "base/PrivateTempFolder.h"

namespace zolvaric {

AutomationFactory builtInAutomation(Desktop &desktop)
{
    return [&desktop](const QString &className) -> AutomationObjectPtr {
        if (className.compare(QLatin1String("Word.Application"), Qt::CaseInsensitive) != 0)
            return nullptr;
        WordEnvironment environment;
        environment.tempFolder = PrivateTempFolder();
        environment.clipboardText = [&desktop] { return desktop.clipboardText(); };
        environment.open = [&desktop](const QString &file) {
            desktop.ShellOpen(file, QString(), QString(), 1);
        };
        return createWordApplication(environment);
    };
}

AutomationFactory desktopAutomation(Desktop &desktop)
{
    return [builtIn = builtInAutomation(desktop)](const QString &className) {
        if (AutomationObjectPtr object = createSystemObject(className))
            return object;
        return builtIn(className);
    };
}

} // namespace zolvaric
