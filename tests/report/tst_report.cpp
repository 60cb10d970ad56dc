#include "IsolatedHome.h"

#include <QCoreApplication>

int runPlaceholderTest(int argc, char *argv[]);
int runHtmlReportTest(int argc, char *argv[]);
int runWordReportTest(int argc, char *argv[]);
int runSystemAutomationTest(int argc, char *argv[]);

int main(int argc, char *argv[])
{
    const IsolatedHome home;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zolvaric"));
    int failures = 0;
    failures += runPlaceholderTest(argc, argv);
    failures += runHtmlReportTest(argc, argv);
    failures += runWordReportTest(argc, argv);
    failures += runSystemAutomationTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
