#include "IsolatedHome.h"

#include <QGuiApplication>

int runPlaceholderTest(int argc, char *argv[]);
int runHtmlReportTest(int argc, char *argv[]);
int runWordReportTest(int argc, char *argv[]);
int runSystemAutomationTest(int argc, char *argv[]);
int runPaperReportTest(int argc, char *argv[]);

int main(int argc, char *argv[])
{
    const IsolatedHome home;
    // The paper report lays out text with Qt's fonts: a GUI application,
    // without a display unless one is named.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zolvaric"));
    int failures = 0;
    failures += runPlaceholderTest(argc, argv);
    failures += runHtmlReportTest(argc, argv);
    failures += runWordReportTest(argc, argv);
    failures += runSystemAutomationTest(argc, argv);
    failures += runPaperReportTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
