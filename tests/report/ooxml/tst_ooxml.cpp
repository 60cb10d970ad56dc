#include "IsolatedHome.h"

#include <QCoreApplication>

int runReplaceTest(int argc, char *argv[]);
int runStoryTest(int argc, char *argv[]);
int runDocumentFileTest(int argc, char *argv[]);
int runLibreOfficeTest(int argc, char *argv[]);
int runWordTemplateTest(int argc, char *argv[]);
int runTemplateSizeTest(int argc, char *argv[]);
int runTemplateStructureTest(int argc, char *argv[]);

int main(int argc, char *argv[])
{
    const IsolatedHome home;
    QCoreApplication app(argc, argv);
    int failures = 0;
    failures += runReplaceTest(argc, argv);
    failures += runStoryTest(argc, argv);
    failures += runDocumentFileTest(argc, argv);
    failures += runLibreOfficeTest(argc, argv);
    failures += runWordTemplateTest(argc, argv);
    failures += runTemplateSizeTest(argc, argv);
    failures += runTemplateStructureTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
