#include <QCoreApplication>

int runTableTest(int argc, char *argv[]);
int runFieldTest(int argc, char *argv[]);
int runSelectionTest(int argc, char *argv[]);
int runComputationTest(int argc, char *argv[]);
int runFeeAgreementTest(int argc, char *argv[]);
int runZonePointsTest(int argc, char *argv[]);
int runRepetitionTest(int argc, char *argv[]);
int runOfferTest(int argc, char *argv[]);
int runLawLimitsTest(int argc, char *argv[]);

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int failures = 0;
    failures += runTableTest(argc, argv);
    failures += runFieldTest(argc, argv);
    failures += runSelectionTest(argc, argv);
    failures += runComputationTest(argc, argv);
    failures += runFeeAgreementTest(argc, argv);
    failures += runZonePointsTest(argc, argv);
    failures += runRepetitionTest(argc, argv);
    failures += runOfferTest(argc, argv);
    failures += runLawLimitsTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
