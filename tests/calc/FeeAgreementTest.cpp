#include "CalcHarness.h"
#include "RunTests.h"

#include "calc/FeeRate.h"

#include "base/NumberText.h"

using namespace zolvaric;

namespace {

// The fee-table results that a rate decides.
QList<double> rateResults(const CalcHarness &h)
{
    const InterpolationTrace &t = h.trace();
    return {t.H1, t.H2, t.Grundhonorar, h.calculation->sheet().edBruttohonorar.value()};
}

} // namespace

class FeeAgreementTest : public QObject
{
    Q_OBJECT

private slots:
    // The free rate at 0, 25, 50, 75 and 100 % of the span is each fixed
    // rate, for every kind of work of every edition.
    void freeRateAtTheFixedPercentagesIsTheFixedRate_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::addColumn<int>("kind");
        CalcHarness h;
        for (const QString &edition : h.sheet().comboHOAINorm.items()) {
            h.chooseEdition(edition);
            const QStringList kinds = h.sheet().comboHonorarparagraph.items();
            for (int kind = 0; kind < kinds.size(); ++kind)
                QTest::addRow("%s %s", qPrintable(edition), qPrintable(kinds[kind]))
                    << edition << kind;
        }
    }
    void freeRateAtTheFixedPercentagesIsTheFixedRate()
    {
        QFETCH(QString, edition);
        QFETCH(int, kind);
        CalcHarness h;
        CalculationSheet &s = h.sheet();
        h.chooseEdition(edition);
        s.comboHonorarparagraph.select(kind);
        s.comboHonorarzone.select(2);
        // A basis between the table's second and third key, in its unit.
        const TextTable &table = s.gridHOAI.table();
        const auto key = [&table](int row) {
            return tryParseFloatEitherNotation(table.cell(row, 0)).value_or(-1);
        };
        s.edKosten.setValue(key(2) + (key(3) - key(2)) * 0.37);
        const double percentages[5] = {100, 75, 50, 25, 0};
        for (int fixed = 0; fixed < 5; ++fixed) {
            s.comboHonorarsatz.select(fixed);
            const QList<double> expected = rateResults(h);
            s.comboHonorarsatz.select(kFreeRateIndex);
            s.edHonorarsatzProz.setValue(percentages[fixed]);
            QCOMPARE(rateResults(h), expected);
        }
        QVERIFY(h.calculation->warnings().isEmpty());
        QVERIFY(h.desktop.errors.isEmpty());
    }

    // The worked example at 37.5 % of the span:
    // H1 = 15005 + (18713 - 15005) * 37.5 / 100 = 16395.5,
    // H2 = 21555 + (26883 - 21555) * 37.5 / 100 = 23553,
    // fee = (23553 - 16395.5) * 20000 / 50000 + 16395.5 = 19258.5.
    void workedExampleAtAFreeRate()
    {
        CalcHarness h;
        enterWorkedExample(h);
        CalculationSheet &s = h.sheet();
        s.comboHonorarsatz.select(kFreeRateIndex);
        QCOMPARE(s.edHonorarsatzProz.value(), 50.0); // the fixed rate's position stays
        s.edHonorarsatzProz.setText(QStringLiteral("37,5"));
        const InterpolationTrace &t = h.trace();
        QCOMPARE(t.H1, 16395.5);
        QCOMPARE(t.H2, 23553.0);
        QCOMPARE(t.Grundhonorar, 19258.5);
        QCOMPARE(s.edHonorar100Proz.value(), 19258.5);
        QCOMPARE(s.edLP8EUR.value(), 6162.72);
        QCOMPARE(rateText(s), QStringLiteral("frei vereinbart (37,50 % der Spanne)"));
        // Back to a fixed rate: the position follows it.
        s.comboHonorarsatz.select(2);
        QCOMPARE(s.edHonorarsatzProz.value(), 50.0);
        QCOMPARE(t.Grundhonorar, 19803.0);
    }

    // Minimum and maximum rates bound the agreement up to 2013; since 2021
    // the span is an orientation. Outside it the fee is computed all the same.
    void rateOutsideTheSpan_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::addColumn<double>("rate");
        QTest::addColumn<bool>("warned");
        QTest::newRow("2021 above") << "2021" << 120.0 << false;
        QTest::newRow("2021 below") << "2021" << -20.0 << false;
        QTest::newRow("2013 at the top") << "2013" << 100.0 << false;
        QTest::newRow("2013 above") << "2013" << 100.01 << true;
        QTest::newRow("2013 at the bottom") << "2013" << 0.0 << false;
        QTest::newRow("2009 below") << "2009" << -0.01 << true;
        QTest::newRow("2002 above") << "2002" << 150.0 << true;
    }
    void rateOutsideTheSpan()
    {
        QFETCH(QString, edition);
        QFETCH(double, rate);
        QFETCH(bool, warned);
        CalcHarness h;
        CalculationSheet &s = h.sheet();
        h.chooseEdition(edition);
        s.edKosten.setValue(300000);
        s.comboHonorarsatz.select(kFreeRateIndex);
        s.edHonorarsatzProz.setValue(rate);
        const InterpolationTrace &t = h.trace();
        QCOMPARE(t.H1, t.H1V + (t.H1B - t.H1V) * rate / 100);
        const QString warning =
            QStringLiteral(
                "Der Honorarsatz liegt außerhalb der Mindest- und Höchstsätze der HOAI %1.")
                .arg(edition);
        QCOMPARE(h.calculation->warnings().contains(warning), warned);
    }

    // Above the most that may be agreed a note names the limit and its
    // paragraph; at the limit there is none.
    void surchargeLimit_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("limit");
        QTest::addColumn<QString>("reference"); // empty: no limit
        const QString average = QStringLiteral("bei durchschnittlichem Schwierigkeitsgrad");
        const struct
        {
            const char *edition;
            const char *kind;
            double limit;
            QString reference;
        } limits[] = {
            {"2021", "Gebäude", 33, average + " (§ 36 Abs. 1 HOAI 2021)"},
            {"2021", "Innenräume", 50, average + " (§ 36 Abs. 2 HOAI 2021)"},
            {"2013", "Freianlagen", 33, average + " (§ 40 Abs. 6 i. V. m. § 36 Abs. 1 HOAI 2013)"},
            {"2013", "Ingenieurbauwerke", 33, average + " (§ 44 Abs. 6 HOAI 2013)"},
            {"2021", "Verkehrsanlagen", 33, average + " (§ 48 Abs. 6 HOAI 2021)"},
            {"2021", "Tragwerksplanung", 50, average + " (§ 52 Abs. 4 HOAI 2021)"},
            {"2013", "Techn. Ausrüstung", 50, average + " (§ 56 Abs. 5 HOAI 2013)"},
            {"2009", "Ausbauten", 80, "(§ 35 Abs. 1 HOAI 2009)"},
            {"2009", "Tragwerksplanung", 80, "(§ 35 Abs. 1 HOAI 2009)"},
            {"2002", "Gebäude", 1000, ""},
        };
        for (const auto &limit : limits)
            QTest::addRow("%s %s", limit.edition, limit.kind)
                << QString::fromUtf8(limit.edition) << QString::fromUtf8(limit.kind) << limit.limit
                << limit.reference;
    }
    void surchargeLimit()
    {
        QFETCH(QString, edition);
        QFETCH(QString, kind);
        QFETCH(double, limit);
        QFETCH(QString, reference);
        CalcHarness h;
        h.chooseEdition(edition);
        h.chooseKind(kind);
        h.sheet().edKosten.setValue(300000);
        h.sheet().edZuschlagUmbau.setValue(limit);
        QVERIFY(h.calculation->warnings().isEmpty());
        h.sheet().edZuschlagUmbau.setValue(limit + 0.01);
        const QStringList expected =
            reference.isEmpty()
                ? QStringList()
                : QStringList{
                      QStringLiteral(
                          "Der Umbauzuschlag von %1 % liegt über dem Höchstwert von %2 % %3.")
                          .arg(QLocale(QLocale::German).toString(limit + 0.01, 'f', 2))
                          .arg(limit)
                          .arg(reference)};
        QCOMPARE(h.calculation->warnings(), expected);
    }
};

ZOLVARIC_TEST_RUNNER(FeeAgreementTest)

#include "FeeAgreementTest.moc"
