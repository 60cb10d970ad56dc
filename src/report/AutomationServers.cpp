#include "AutomationServers.h"

#include "ReportOutput.h"
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
            openReport(desktop, file,
                       QStringLiteral("einem Textverarbeitungsprogramm wie LibreOffice Writer "
                                      "oder Microsoft Word"));
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
