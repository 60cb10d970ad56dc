#include "CalcHarness.h"
#include "RunTests.h"

#include "base/NumberText.h"
#include "calc/Offer.h"

using namespace zolvaric;

namespace {

// The net fee a calculation's inputs give when calculated alone.
double netAlone(const QMap<QString, QString> &inputs)
{
    CalcHarness alone;
    Offer::loadInputs(*alone.calculation, inputs);
    return alone.sheet().edNettohonorar.value();
}

} // namespace

class OfferTest : public QObject
{
    Q_OBJECT

private slots:
    // An architect's offer of Gebäude, Innenräume and Freianlagen: each
    // calculation as it gives alone, the totals their sum.
    void buildingInteriorAndOpenSpace()
    {
        CalcHarness h;
        enterWorkedExample(h);
        Offer offer(*h.calculation);
        CalculationSheet &s = h.sheet();
        offer.add();
        QCOMPARE(s.comboHOAINorm.currentText(), QStringLiteral("2013"));
        QCOMPARE(s.edMwSt.value(), 19.0);
        QCOMPARE(s.edKosten.value(), 0.0);
        h.chooseKind(QStringLiteral("Innenräume"));
        s.comboHonorarzone.select(3);
        s.edKosten.setValue(80000);
        offer.add();
        QCOMPARE(s.comboHonorarparagraph.currentText(), QStringLiteral("Innenräume"));
        h.chooseKind(QStringLiteral("Freianlagen"));
        s.edKosten.setValue(45000);
        s.edMwSt.setValue(7);
        QCOMPARE(offer.count(), 3);
        QCOMPARE(offer.current(), 2);

        double net19 = 0;
        double net = 0;
        for (int i = 0; i < offer.count(); ++i) {
            const PartSummary part = offer.summary(i);
            QVERIFY2(part.net > 0, qPrintable(QString::number(i)));
            QCOMPARE(part.net, netAlone(offer.inputs(i)));
            net += part.net;
            if (part.vatRate == 19)
                net19 += part.net;
        }
        QCOMPARE(offer.summary(0).net, 26526.78); // the worked example
        const OfferTotals totals = offer.totals();
        QCOMPARE(totals.net, RoundDecimals(2, net));
        QCOMPARE(totals.byRate.size(), 2);
        QCOMPARE(totals.byRate[0].rate, 19.0);
        QCOMPARE(totals.byRate[0].amount, RoundDecimals(2, 19 * net19 / 100));
        QCOMPARE(totals.vat, RoundDecimals(2, totals.byRate[0].amount + totals.byRate[1].amount));
        QCOMPARE(totals.gross, RoundDecimals(2, totals.net + totals.vat));

        // Back to the first: its inputs and results as they were.
        const QMap<QString, QString> first = offer.inputs(0);
        offer.select(0);
        QCOMPARE(Offer::storedInputs(*h.calculation), first);
        QCOMPARE(s.edBruttohonorar.value(), 31566.87);
        QCOMPARE(offer.totals().gross, totals.gross);
    }

    // Three equal houses: the second and third are the 1st and 2nd
    // repetition, LP1 to LP6 at half their shares.
    void threeHousesWithRepetitions()
    {
        CalcHarness h;
        enterWorkedExample(h);
        Offer offer(*h.calculation);
        offer.rename(0, QStringLiteral("Haus A"));
        offer.duplicate();
        offer.rename(1, QStringLiteral("Haus B"));
        h.sheet().edWiederholung.setValue(1);
        offer.duplicate();
        offer.rename(2, QStringLiteral("Haus C"));
        h.sheet().edWiederholung.setValue(2);
        QCOMPARE(offer.summary(0).title, QStringLiteral("Haus A"));
        QCOMPARE(offer.summary(0).offeredFee, 19803.0);
        // LP1–6 at 31 % of 19 803,00 € halved: 2 + 7 + 15 + 3 + 25 + 10 = 62 %.
        // LP1 to LP6 at half their shares of 19 803,00 €: 198,03 + 693,11 +
        // 1 485,23 + 297,05 + 2 475,38 + 990,15; LP7 to LP9 whole: 792,12 +
        // 6 336,96 + 396,06.
        QCOMPARE(offer.summary(1).offeredFee, 13664.09);
        QCOMPARE(offer.summary(1).offeredFee, offer.summary(2).offeredFee);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(offer.summary(i).net, netAlone(offer.inputs(i)));
        QCOMPARE(offer.summary(2).repetition, 2);
    }

    // Remove, move and the single calculation that stays.
    void listOperations()
    {
        CalcHarness h;
        enterWorkedExample(h);
        Offer offer(*h.calculation);
        offer.remove(0);
        QCOMPARE(offer.count(), 1);
        offer.duplicate();
        h.sheet().edKosten.setValue(200000);
        offer.add();
        h.sheet().edKosten.setValue(300000);
        QCOMPARE(offer.count(), 3);
        offer.move(2, 0); // the edited one moves along
        QCOMPARE(offer.current(), 0);
        QCOMPARE(h.sheet().edKosten.value(), 300000.0);
        QCOMPARE(offer.summary(1).basis, h.sheet().basisText(120000));
        offer.remove(0); // the edited one: the next takes its place
        QCOMPARE(offer.count(), 2);
        QCOMPARE(offer.current(), 0);
        QCOMPARE(h.sheet().edKosten.value(), 120000.0);
        offer.remove(1); // the last, not edited
        QCOMPARE(offer.count(), 1);
        QCOMPARE(offer.totals().net, h.sheet().edNettohonorar.value());
        QCOMPARE(offer.totals().vat, h.sheet().edMwStEUR.value());
        QCOMPARE(offer.totals().gross, h.sheet().edBruttohonorar.value());
    }

    // A removal whose next calculation no longer computes (its table broke
    // meanwhile) leaves the offer and the project's changed flag as they were.
    void failedRemovalChangesNothing()
    {
        CalcHarness h;
        enterWorkedExample(h);
        Offer offer(*h.calculation);
        offer.add();
        h.chooseKind(QStringLiteral("Freianlagen"));
        offer.select(0);
        h.run.projectChanged = false;
        h.writeOverride(QStringLiteral("HOAI2013/40_freianlagen.csv"), "Kosten;a\r\n");
        QVERIFY_THROWS_EXCEPTION(Error, offer.remove(0));
        QCOMPARE(offer.count(), 2);
        QCOMPARE(offer.current(), 0);
        QCOMPARE(h.sheet().edKosten.value(), 120000.0);
        QVERIFY(!h.run.projectChanged);
    }

    // VAT per rate of the summed nets, rounded once per rate.
    void totalsByRate_data()
    {
        QTest::addColumn<QList<double>>("nets");
        QTest::addColumn<QList<double>>("rates");
        QTest::addColumn<double>("vat");
        QTest::newRow("one") << QList<double>{100.05} << QList<double>{19.0} << 19.01;
        // 0,9595 + 0,9595 = 1,919 → 1,92, where rounding each gives 1,92 too;
        // 5,05 × 19 % = 0,9595 three times: 2,8785 → 2,88 (each: 0,96 × 3 = 2,88).
        QTest::newRow("same rate, summed before rounding")
            << QList<double>{0.05, 0.05, 0.05, 0.05} << QList<double>{19.0, 19.0, 19.0, 19.0}
            << 0.04;
        // 0,09 × 19 % = 0,0171 → 0,02; rounded each, 3 × 0,01 would be 0,03.
        QTest::newRow("three nets of 0,03 €")
            << QList<double>{0.03, 0.03, 0.03} << QList<double>{19.0, 19.0, 19.0} << 0.02;
        QTest::newRow("two rates") << QList<double>{1000.0, 500.0, 250.0}
                                   << QList<double>{19.0, 7.0, 19.0} << 237.5 + 35.0;
    }
    void totalsByRate()
    {
        QFETCH(QList<double>, nets);
        QFETCH(QList<double>, rates);
        QFETCH(double, vat);
        QList<PartSummary> parts;
        for (qsizetype i = 0; i < nets.size(); ++i) {
            PartSummary part;
            part.net = nets[i];
            part.vatRate = rates[i];
            parts << part;
        }
        const OfferTotals totals = offerTotals(parts);
        QCOMPARE(totals.vat, vat);
        QCOMPARE(totals.gross, RoundDecimals(2, totals.net + vat));
    }
};

ZOLVARIC_TEST_RUNNER(OfferTest)

#include "OfferTest.moc"
