#include "ProjectDialogs.h"
#include "QtDesktop.h"
#include "ZolvaricApplication.h"
#include "unitMain.h"

#include "app/update/UpdateAddress.h"
#include "app/update/UpdateCheck.h"
#include "base/Platform.h"
#include "base/RegionalSettings.h"

int main(int argc, char *argv[])
{
    zolvaric::ZolvaricApplication app(argc, argv);
    zolvaric::platform::markProgramRunning(QStringLiteral(ZOLVARIC_RUNNING_MARK));
    const zolvaric::RegionalSettings settings = zolvaric::RegionalSettings::system();
    zolvaric::ProgramRun run;
    zolvaric::QtDesktop desktop;
    app.setDesktop(&desktop);
    zolvaric::QtProjectDialogs dialogs(nullptr);
    // The update check may end the program after starting a setup: without
    // the close query, so neither the project question nor a master-data save.
    const auto updateCheck = [&desktop] {
        zolvaric::runUpdateCheck(
            zolvaric::runningProgramContext(desktop, [] { QCoreApplication::exit(0); }),
            zolvaric::updateAddress());
    };
    zolvaric::TfrmMain window(settings, run, {&desktop, &dialogs, updateCheck});
    desktop.setMainWindow(&window);
    window.show();
    // A project file named on the command line (a double click on a .prj file).
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        window.loadProjectFile(arguments.at(1));
    return app.exec();
}
