#include "IsolatedHome.h"

#include <QCoreApplication>

int runFileWriteTest(int argc, char *argv[]);
int runIniTest(int argc, char *argv[]);
int runProjectFileTest(int argc, char *argv[]);
int runSettingsTest(int argc, char *argv[]);

int main(int argc, char *argv[])
{
    const IsolatedHome home;
    QCoreApplication app(argc, argv);
    int failures = 0;
    failures += runFileWriteTest(argc, argv);
    failures += runIniTest(argc, argv);
    failures += runProjectFileTest(argc, argv);
    failures += runSettingsTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
