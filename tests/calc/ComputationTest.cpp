#include "CalcHarness.h"
#include "RunTests.h"

#include "base/Error.h"
#include "base/NumberText.h"

using namespace zolvaric;

namespace {

struct Lookup
{
    QString edition;
    QString kind;
    int zone;
    int rateIndex;
    double costs;
};

void enter(CalcHarness &h, const Lookup &l)
{
    h.chooseEdition(l.edition);
    h.chooseKind(l.kind);
    h.sheet().comboHonorarzone.select(l.zone - 1);
    h.sheet().comboHonorarsatz.select(l.rateIndex);
    h.sheet().edKosten.setValue(l.costs);
}

} // namespace

Q_DECLARE_METATYPE(Lookup)

class ComputationTest : public QObject
{
    Q_OBJECT

private slots:
    void workedExample()
    {
        CalcHarness h;
        enterWorkedExample(h);
        const CalculationSheet &s = h.sheet();
        const InterpolationTrace &t = h.trace();
        QVERIFY(h.desktop.errors.isEmpty());

        QCOMPARE(t.K1, 100000.0);
        QCOMPARE(t.H1V, 15005.0);
        QCOMPARE(t.H1B, 18713.0);
        QCOMPARE(t.H1, 16859.0);
        QCOMPARE(t.K2, 150000.0);
        QCOMPARE(t.H2V, 21555.0);
        QCOMPARE(t.H2B, 26883.0);
        QCOMPARE(t.H2, 24219.0);
        QCOMPARE(t.D1, 20000.0);
        QCOMPARE(t.D2, 50000.0);
        QCOMPARE(t.D3, 7360.0);
        QCOMPARE(t.Grundhonorar, 19803.0);

        QCOMPARE(s.edHonorar100Proz.value(), 19803.0);
        QCOMPARE(s.edLPSumme.value(), 100.0);
        const double phases[9] = {396.06,  1386.21, 2970.45, 594.09, 4950.75,
                                  1980.30, 792.12,  6336.96, 396.06};
        for (int n = 0; n < 9; ++n)
            QCOMPARE(s.edLPEUR[n]->value(), phases[n]);
        QCOMPARE(s.edSummeLPEUR.value(), 19803.0);
        QCOMPARE(s.edSummeLPEUR2.value(), 19803.0);
        QCOMPARE(s.edZuschlagAnrechenbareKostenEUR.value(), 0.0);
        QCOMPARE(s.edUmbauzuschlagEUR.value(), 3960.60);
        QCOMPARE(s.edZwi.value(), 25263.60);
        QCOMPARE(s.edNebenkostenEUR.value(), 1263.18);
        QCOMPARE(s.edNettohonorar.value(), 26526.78);
        QCOMPARE(s.edMwStEUR.value(), 5040.09);
        QCOMPARE(s.edBruttohonorar.value(), 31566.87);
        QCOMPARE(s.lbLP8Text.text(), QStringLiteral("LP8\tObjektüberwachung"));
        QCOMPARE(s.edHonorartafel.text(), QStringLiteral("Gebäude( §35)"));
        QCOMPARE(s.edBruttohonorar.displayText(), QStringLiteral("31.566,87 €"));
        QCOMPARE(s.edKosten.displayText(), QStringLiteral("120.000,00 €"));
        QVERIFY(h.run.projectChanged);
        QVERIFY(h.calculation->warnings().isEmpty());
    }

    void surchargeOnEligibleCosts()
    {
        CalcHarness h;
        enterWorkedExample(h);
        CalculationSheet &s = h.sheet();
        s.edZuschlagAnrechenbareKostenProz.setValue(1.5);
        QCOMPARE(s.edZuschlagAnrechenbareKostenEUR.value(), 1800.0);
        // The surcharge joins the subtotal but not the renovation base.
        QCOMPARE(s.edUmbauzuschlagEUR.value(), 3960.60);
        QCOMPARE(s.edZwi.value(), 27063.60);
        QCOMPARE(s.edNebenkostenEUR.value(), 1353.18);
        QCOMPARE(s.edNettohonorar.value(), 28416.78);
    }

    void fullFee_data()
    {
        QTest::addColumn<Lookup>("lookup");
        QTest::addColumn<double>("fee");
        QTest::addColumn<double>("K1");
        QTest::addColumn<double>("K2");
        const QString building = QStringLiteral("Gebäude");
        QTest::newRow("costs equal to a key")
            << Lookup{"2013", building, 3, 2, 100000} << 16859.0 << 100000.0 << 150000.0;
        QTest::newRow("costs equal to the last key")
            << Lookup{"2013", building, 3, 2, 25000000} << 2245116.0 << 25000000.0 << 25000000.0;
        QTest::newRow("below the first key")
            << Lookup{"2013", building, 3, 2, 20000} << 0.0 << 25000.0 << 25000.0;
        QTest::newRow("empty costs")
            << Lookup{"2013", building, 3, 2, 0} << 0.0 << 25000.0 << 25000.0;
        QTest::newRow("maximum rate interpolates the bis fees")
            << Lookup{"2013", building, 3, 0, 120000} << 21981.0 << 100000.0 << 150000.0;
        QTest::newRow("minimum rate interpolates the von fees")
            << Lookup{"2013", building, 3, 4, 120000} << 17625.0 << 100000.0 << 150000.0;
        QTest::newRow("three quarters")
            << Lookup{"2013", building, 1, 1, 100000} << 12180.5 << 100000.0 << 150000.0;
        QTest::newRow("interiors share the building table")
            << Lookup{"2021", QStringLiteral("Innenräume"), 3, 2, 120000} << 19803.0 << 100000.0
            << 150000.0;
        QTest::newRow("open spaces 2013, first row")
            << Lookup{"2013", QStringLiteral("Freianlagen"), 1, 4, 20000} << 3643.0 << 20000.0
            << 25000.0;
        QTest::newRow("open spaces, inner row")
            << Lookup{"2013", QStringLiteral("Freianlagen"), 5, 0, 250000} << 69117.0 << 250000.0
            << 350000.0;
        QTest::newRow("engineering structures")
            << Lookup{"2013", QStringLiteral("Ingenieurbauwerke"), 2, 4, 20000000} << 705563.0
            << 20000000.0 << 25000000.0;
        QTest::newRow("technical equipment zone 4 is empty")
            << Lookup{"2013", QStringLiteral("Techn. Ausrüstung"), 4, 0, 100000} << 0.0 << 100000.0
            << 150000.0;
        QTest::newRow("technical equipment zone 5 is empty")
            << Lookup{"2009", QStringLiteral("Techn. Ausrüstung"), 5, 2, 100000} << 0.0 << 100000.0
            << 150000.0;
        QTest::newRow("2009 fit-outs, first row")
            << Lookup{"2009", QStringLiteral("Ausbauten"), 1, 4, 25565} << 2182.0 << 25565.0
            << 30000.0;
        QTest::newRow("2002 structural design, last row")
            << Lookup{"2002", QStringLiteral("Tragwerksplanung"), 5, 0, 15338756} << 760889.0
            << 15338756.0 << 15338756.0;
        QTest::newRow("2002 open spaces, half way to the last row")
            << Lookup{"2002", QStringLiteral("Freianlagen"), 1, 4, 1516938} << 133541.0 << 1500000.0
            << 1533876.0;
    }
    void fullFee()
    {
        QFETCH(Lookup, lookup);
        QFETCH(double, fee);
        QFETCH(double, K1);
        QFETCH(double, K2);
        CalcHarness h;
        enter(h, lookup);
        const InterpolationTrace &t = h.trace();
        QCOMPARE(t.Grundhonorar, fee);
        QCOMPARE(t.K1, K1);
        QCOMPARE(t.K2, K2);
        // Within the table the fee is the linear interpolation of the trace.
        if (t.D2 != 0)
            QCOMPARE(t.Grundhonorar, t.D3 * t.D1 / t.D2 + t.H1);
        QCOMPARE(h.sheet().edHonorar100Proz.value(), RoundDecimals(2, t.Grundhonorar));
        QVERIFY(h.desktop.errors.isEmpty());
        // A zone beyond the three of technical equipment is named, not silent;
        // so are costs below the table.
        QStringList expected =
            lookup.kind.startsWith(QLatin1String("Techn")) && lookup.zone > 3
                ? QStringList{QStringLiteral("Die Honorartafel § %1 kennt nur die Honorarzonen 1 "
                                             "bis 3.")
                                  .arg(h.sheet().comboParagraph.currentText().section(' ', 1, 1))}
                : QStringList();
        if (lookup.costs > 0 && lookup.costs < t.K1)
            expected << QStringLiteral("Die anrechenbaren Kosten liegen unter dem Tafelanfangswert "
                                       "der Honorartafel § 35 (25.000,00 €) und damit außerhalb "
                                       "der Honorartafel. Das Honorar ist frei zu vereinbaren "
                                       "(§ 7 Abs. 2 HOAI 2013).");
        QCOMPARE(h.calculation->warnings(), expected);
    }

    void lastKeyUsesTheLastRowAsUpperRow()
    {
        CalcHarness h;
        enter(h, Lookup{"2013", QStringLiteral("Gebäude"), 3, 2, 25000000});
        const InterpolationTrace &t = h.trace();
        QCOMPARE(t.H2V, 1998153.0);
        QCOMPARE(t.H2B, 2492079.0);
        QCOMPARE(t.H2, t.H1);
        QCOMPARE(t.D1, 0.0);
        QCOMPARE(t.D2, 0.0);
        QCOMPARE(t.D3, 0.0);
    }

    void belowFirstKeyStillComputesTheAdditions()
    {
        CalcHarness h;
        enterWorkedExample(h);
        h.sheet().edKosten.setValue(20000);
        const CalculationSheet &s = h.sheet();
        QCOMPARE(h.trace().D1, -5000.0);
        QCOMPARE(h.trace().D2, 0.0);
        QCOMPARE(s.edSummeLPEUR.value(), 0.0);
        QCOMPARE(s.edZwi.value(), 1500.0);
        QCOMPARE(s.edNebenkostenEUR.value(), 75.0);
        QCOMPARE(s.edNettohonorar.value(), 1575.0);
        QCOMPARE(s.edMwStEUR.value(), 299.25);
        QCOMPARE(s.edBruttohonorar.value(), 1874.25);
    }

    // Above the table the regulation sets no fee: the run completes with a
    // full fee of 0 and a warning, instead of a division by zero that would
    // leave the results of the previous costs standing.
    void aboveTheTableWarnsAndCompletes()
    {
        CalcHarness h;
        enterWorkedExample(h);
        QStringList notified;
        int notifications = 0;
        h.calculation->setWarningListener([&](const QStringList &warnings) {
            notified = warnings;
            ++notifications;
        });
        h.sheet().edKosten.setValue(30000000);
        const CalculationSheet &s = h.sheet();
        const QString expected = QStringLiteral(
            "Die anrechenbaren Kosten liegen über dem Tafelendwert der Honorartafel § 35 "
            "(25.000.000,00 €) und damit außerhalb der Honorartafel. Das Honorar ist frei zu "
            "vereinbaren (§ 7 Abs. 2 HOAI 2013).");
        QCOMPARE(h.calculation->warnings(), QStringList{expected});
        QCOMPARE(notified, QStringList{expected});
        QCOMPARE(notifications, 1);
        QVERIFY(h.desktop.errors.isEmpty());
        QCOMPARE(s.edHonorar100Proz.value(), 0.0);
        QCOMPARE(s.edSummeLPEUR.value(), 0.0);
        QCOMPARE(s.edZwi.value(), 1500.0);
        QCOMPARE(s.edBruttohonorar.value(), 1874.25);
        QCOMPARE(h.trace().K1, 25000000.0);
        QCOMPARE(h.trace().K2, 25000000.0);
        QCOMPARE(h.trace().D1, 5000000.0);

        // An edition change runs many calculations: still one notice.
        notifications = 0;
        h.chooseEdition(QStringLiteral("2009"));
        QCOMPARE(notifications, 1);
        QCOMPARE(notified.size(), 1);
        QVERIFY(notified.first().contains(QStringLiteral("§ 34 (25.564.594,00 €)")));

        // Back inside the table the warning is gone.
        notifications = 0;
        h.sheet().edKosten.setValue(1000000);
        QVERIFY(h.calculation->warnings().isEmpty());
        QCOMPARE(notifications, 0);
    }

    void phaseEightCaption_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption");
        QTest::newRow("engineering structures") << "Ingenieurbauwerke"
                                                << "LP8\tBauoberleitung";
        QTest::newRow("traffic installations") << "Verkehrsanlagen"
                                               << "LP8\tBauoberleitung";
        QTest::newRow("open spaces") << "Freianlagen"
                                     << "LP8\tObjektüberwachung";
    }
    void phaseEightCaption()
    {
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        CalcHarness h;
        h.chooseKind(kind);
        QCOMPARE(h.sheet().lbLP8Text.text(), caption);
    }

    void sharesNotSummingTo100AreUsedAsEntered()
    {
        CalcHarness h;
        enterWorkedExample(h);
        h.setShares({0, 0, 0, 0, 25, 10, 0, 25, 0});
        const CalculationSheet &s = h.sheet();
        QCOMPARE(s.edLPSumme.value(), 60.0);
        QCOMPARE(s.edSummeLPEUR.value(), 4950.75 + 1980.30 + 4950.75);
    }

    void overrideFeeTableCountsAtTheNextCalculation()
    {
        CalcHarness h;
        enterWorkedExample(h);
        QByteArray table = TableStore::embeddedText(*feeTableForParagraph(35));
        table.replace("100000;10790;12644;12644;15005;15005;18713",
                      "100000;10790;12644;12644;15005;15105;18813");
        table.append("\r\n\r\n"); // trailing empty lines do no harm
        h.writeOverride(QStringLiteral("HOAI2013/35_gebaeude_innenraeume.csv"), table);
        CalculationSheet &s = h.sheet();
        s.edKosten.setValue(100000);
        QCOMPARE(s.edHonorar100Proz.value(), 16959.0);
        h.chooseKind(QStringLiteral("Innenräume"));
        QCOMPARE(s.edHonorar100Proz.value(), 16959.0);
        h.chooseKind(QStringLiteral("Freianlagen"));
        QCOMPARE(h.trace().K1, 100000.0);
        // § 40 unchanged: (25659 - 20574) / 2 + 20574
        QCOMPARE(s.edHonorar100Proz.value(), 23116.5);
        h.chooseEdition(QStringLiteral("2009"));
        h.chooseKind(QStringLiteral("Gebäude"));
        QCOMPARE(h.trace().H1V, 12442.0); // § 34 unchanged: row 100000, zone 3
        QVERIFY(h.desktop.errors.isEmpty());
    }

    void paragraphWithoutFeeTable()
    {
        CalcHarness h;
        enterWorkedExample(h);
        const double before = h.sheet().edBruttohonorar.value();
        h.writeOverride(QStringLiteral("HOAI2013/leistungsphasen.csv"),
                        workPhaseTableText({{"Sonderbau", {2, 7, 15, 3, 25, 10, 4, 32, 2}, "99"}}));
        h.desktop.errors.clear();
        h.sheet().comboHOAINorm.select(0);
        QVERIFY(!h.desktop.errors.isEmpty());
        for (const QString &error : std::as_const(h.desktop.errors))
            QCOMPARE(error,
                     QStringLiteral("Für § 99 aus der Tabelle der Leistungsphasen gibt es "
                                    "keine Honorartafel. Bitte prüfen Sie die Tabellendatei."));
        QCOMPARE(h.sheet().edBruttohonorar.value(), before);
        QCOMPARE(h.sheet().edHonorartafel.text(), QStringLiteral("Gebäude( §35)"));
    }

    // The table is refused where it is read, with its place, and the user
    // action shows that once, however many runs failed on it.
    void paragraphThatIsNoNumber()
    {
        CalcHarness h;
        enterWorkedExample(h);
        const double before = h.sheet().edBruttohonorar.value();
        h.writeOverride(QStringLiteral("HOAI2009/leistungsphasen.csv"),
                        workPhaseTableText({{"Sonderbau", {1, 1, 1, 1, 1, 1, 1, 1, 1}, "x"}}));
        h.desktop.errors.clear();
        h.chooseEdition(QStringLiteral("2009"));
        QCOMPARE(h.desktop.errors.size(), 1);
        QCOMPARE(h.desktop.errors.first(),
                 QStringLiteral("Die Tabellendatei \"%1\" ist fehlerhaft: Zeile 11, Spalte 2: 'x' "
                                "ist keine ganze Zahl. Bitte prüfen Sie die Tabellendatei.")
                     .arg(QDir::toNativeSeparators(h.programFolder.filePath(
                         QStringLiteral("HOAI2009/leistungsphasen.csv")))));
        QCOMPARE(h.sheet().edBruttohonorar.value(), before);
        // The next action shows it again.
        h.sheet().edKosten.setValue(300000);
        QCOMPARE(h.desktop.errors.size(), 2);
    }

    void failingDirectCallPropagates()
    {
        CalcHarness h;
        h.writeOverride(QStringLiteral("HOAI2013/leistungsphasen.csv"), "LP;A\r\nParagraph;?\r\n");
        // The edition change of start-up and of a project load is run
        // directly: its failure stops the operation that ran it.
        QVERIFY_THROWS_EXCEPTION(Error, h.calculation->selection().comboHOAINormChange());
        QVERIFY_THROWS_EXCEPTION(Error, h.calculation->startUp());
        QVERIFY_THROWS_EXCEPTION(Error, h.calculation->computation().CalcHonorar());
    }
};

ZOLVARIC_TEST_RUNNER(ComputationTest)

#include "ComputationTest.moc"
