#include "ProjectDialogs.h"
#include "QtDesktop.h"
#include "ZolvaricApplication.h"
#include "unitMain.h"

#include "base/RegionalSettings.h"

int main(int argc, char *argv[])
{
    zolvaric::ZolvaricApplication app(argc, argv);
    const zolvaric::RegionalSettings settings = zolvaric::RegionalSettings::system();
    zolvaric::ProgramRun run;
    zolvaric::QtDesktop desktop;
    app.setDesktop(&desktop);
    zolvaric::QtProjectDialogs dialogs(nullptr);
    zolvaric::TfrmMain window(settings, run, {&desktop, &dialogs, {}});
    desktop.setMainWindow(&window);
    window.show();
    return app.exec();
}
