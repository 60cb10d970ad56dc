#include "CalcHarness.h"
#include "RunTests.h"

#include "base/NumberText.h"

using namespace zolvaric;

// § 11 Abs. 3 (2009: Abs. 2): the worked example as the k-th repetition of
// an essentially equal building.
class RepetitionTest : public QObject
{
    Q_OBJECT

private slots:
    void phaseAmounts_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::addColumn<int>("repetition");
        QTest::addColumn<int>("phase");
        QTest::addColumn<double>("amount");
        // Full fee 19 803,00 € (2013 and 2021), 16 698,60 € (2009).
        QTest::newRow("first object") << "2013" << 0 << 1 << 396.06;
        QTest::newRow("1st: LP1 by half") << "2013" << 1 << 1 << 198.03;
        QTest::newRow("1st: LP6 by half") << "2021" << 1 << 6 << 990.15;
        QTest::newRow("1st: LP7 whole") << "2021" << 1 << 7 << 792.12;
        QTest::newRow("4th: still by half") << "2013" << 4 << 1 << 198.03;
        QTest::newRow("5th: by 60 %") << "2021" << 5 << 2 << 554.48;
        QTest::newRow("7th: by 60 %") << "2013" << 7 << 6 << 792.12;
        QTest::newRow("8th: by 90 %") << "2021" << 8 << 2 << 138.62;
        QTest::newRow("8th: LP8 whole") << "2021" << 8 << 8 << 6336.96;
        QTest::newRow("20th: by 90 %") << "2013" << 20 << 1 << 39.61;
        QTest::newRow("2009: LP7 by half") << "2009" << 1 << 7 << 250.48;
        QTest::newRow("2009: LP8 whole") << "2009" << 1 << 8 << 5176.57;
    }
    void phaseAmounts()
    {
        QFETCH(QString, edition);
        QFETCH(int, repetition);
        QFETCH(int, phase);
        QFETCH(double, amount);
        CalcHarness h;
        enterWorkedExample(h);
        CalculationSheet &s = h.sheet();
        if (edition != QLatin1String("2013")) {
            h.chooseEdition(edition);
            s.comboHonorarzone.select(2);
            s.comboHonorarsatz.select(2);
            s.edKosten.setValue(120000);
        }
        s.edWiederholung.setValue(repetition);
        QCOMPARE(s.edLPEUR[phase - 1]->value(), amount);
        double sum = 0;
        for (const NumericField *each : s.edLPEUR)
            sum += each->value();
        QCOMPARE(s.edSummeLPEUR.value(), RoundDecimals(2, sum));
        QVERIFY(h.calculation->warnings().isEmpty());
    }

    void reductionNamedBesideThePhases_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::addColumn<int>("repetition");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("warning");
        QTest::newRow("none") << "2021" << 0 << ""
                              << "";
        QTest::newRow("2021") << "2021" << 5
                              << "5. Wiederholung: Anteile LP1 bis LP6 um 60 % gemindert (§ 11 "
                                 "Abs. 3 HOAI 2021)"
                              << "";
        QTest::newRow("2009") << "2009" << 1
                              << "1. Wiederholung: Anteile LP1 bis LP7 um 50 % gemindert (§ 11 "
                                 "Abs. 2 HOAI 2009)"
                              << "";
        QTest::newRow("2002 has no reduction")
            << "2002" << 2 << ""
            << "Für die HOAI 2002 mindert das Programm Wiederholungen nicht; die Anteile gelten "
               "ungemindert.";
    }
    void reductionNamedBesideThePhases()
    {
        QFETCH(QString, edition);
        QFETCH(int, repetition);
        QFETCH(QString, text);
        QFETCH(QString, warning);
        CalcHarness h;
        h.chooseEdition(edition);
        h.sheet().edKosten.setValue(500000);
        const double first = h.sheet().edLP1EUR.value();
        h.sheet().edWiederholung.setValue(repetition);
        QCOMPARE(h.sheet().lbWiederholung.text(), text);
        QCOMPARE(h.calculation->warnings().join('\n'), warning);
        if (!warning.isEmpty())
            QCOMPARE(h.sheet().edLP1EUR.value(), first);
    }
};

ZOLVARIC_TEST_RUNNER(RepetitionTest)

#include "RepetitionTest.moc"
