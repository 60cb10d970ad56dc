#include <QCoreApplication>

int runNumberTextTest(int argc, char *argv[]);
int runNumberFormatTest(int argc, char *argv[]);
int runEncodingTest(int argc, char *argv[]);
int runUtilityTest(int argc, char *argv[]);

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int failures = 0;
    failures += runNumberTextTest(argc, argv);
    failures += runNumberFormatTest(argc, argv);
    failures += runEncodingTest(argc, argv);
    failures += runUtilityTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
