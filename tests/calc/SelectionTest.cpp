#include "CalcHarness.h"
#include "RunTests.h"

using namespace zolvaric;

namespace {

QList<double> shares(const CalculationSheet &s)
{
    QList<double> values;
    for (const NumericField *field : s.edLP)
        values << field->value();
    return values;
}

QStringList labels(const CalculationSheet &s)
{
    QStringList texts;
    for (const TextField *label : s.lbLP)
        texts << label->text();
    return texts;
}

} // namespace

class SelectionTest : public QObject
{
    Q_OBJECT

private slots:
    void startUpState()
    {
        CalcHarness h;
        const CalculationSheet &s = h.sheet();
        QCOMPARE(s.comboHOAINorm.currentText(), QStringLiteral("2021"));
        QCOMPARE(s.comboHonorarparagraph.currentText(), QStringLiteral("Gebäude"));
        QCOMPARE(s.comboParagraph.currentText(), QStringLiteral("§ 35 HOAI"));
        QCOMPARE(shares(s), (QList<double>{2, 7, 15, 3, 25, 10, 4, 32, 2}));
        QCOMPARE(labels(s),
                 (QStringList{"2 %", "7 %", "15 %", "3 %", "25 %", "10 %", "4 %", "32 %", "2 %"}));
        QCOMPARE(s.edLPSumme.value(), 100.0);
        QCOMPARE(s.edMwSt.value(), 19.0);
        QCOMPARE(s.edHonorartafel.text(), QStringLiteral("Gebäude( §35)"));
        QCOMPARE(s.gridHOAI.table().rowCount(), 21);
        QCOMPARE(s.gridLeistungsphasen.table().columnCount(), 8);
        QVERIFY(!h.run.projectChanged);
        QVERIFY(h.desktop.errors.isEmpty());
    }

    void editionChange_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<QStringList>("paragraphs");
        QTest::addColumn<QList<double>>("shares");
        const QStringList kinds2009 = {"Ausbauten", "Freianlagen", "Gebäude", "Techn. Ausrüstung",
                                       "Tragwerksplanung"};
        const QList<double> shares2009 = {3, 7, 14, 2, 30, 7, 3, 31, 3};
        const QStringList kinds2013 = {"Gebäude",           "Innenräume",      "Freianlagen",
                                       "Ingenieurbauwerke", "Verkehrsanlagen", "Tragwerksplanung",
                                       "Techn. Ausrüstung"};
        const QStringList paragraphs2013 = {"§ 35 HOAI", "§ 35 HOAI", "§ 40 HOAI", "§ 44 HOAI",
                                            "§ 48 HOAI", "§ 52 HOAI", "§ 56 HOAI"};
        const QList<double> shares2013 = {2, 7, 15, 3, 25, 10, 4, 32, 2};
        QTest::newRow("2009") << "2009" << kinds2009
                              << QStringList{"§ 34 HOAI", "§ 39 HOAI", "§ 34 HOAI", "§ 54 HOAI",
                                             "§ 50 HOAI"}
                              << shares2009;
        QTest::newRow("2002") << "2002" << kinds2009
                              << QStringList{"§ 16 HOAI", "§ 17 HOAI", "§ 16 HOAI", "§ 74 HOAI",
                                             "§ 65 HOAI"}
                              << shares2009;
        // After the work-phase table's seven: the planning and Anlage 1 services.
        const QStringList appended = {"Flächennutzungsplan",
                                      "Bebauungsplan",
                                      "Landschaftsplan",
                                      "Grünordnungsplan",
                                      "Landschaftsrahmenplan",
                                      "Landschaftspflegerischer Begleitplan",
                                      "Pflege- und Entwicklungsplan",
                                      "Umweltverträglichkeitsstudie",
                                      "Bauphysik: Wärmeschutz und Energiebilanzierung",
                                      "Bauphysik: Bauakustik",
                                      "Bauphysik: Raumakustik",
                                      "Geotechnik",
                                      "Planungsbegleitende Vermessung",
                                      "Bauvermessung"};
        const QStringList appendedParagraphs = {
            "§ 20 HOAI",         "§ 21 HOAI",         "§ 28 HOAI",         "§ 29 HOAI",
            "§ 30 HOAI",         "§ 31 HOAI",         "§ 32 HOAI",         "Anlage 1.1.2 HOAI",
            "Anlage 1.2.3 HOAI", "Anlage 1.2.4 HOAI", "Anlage 1.2.5 HOAI", "Anlage 1.3.4 HOAI",
            "Anlage 1.4.8 HOAI", "Anlage 1.4.8 HOAI"};
        QTest::newRow("2013") << "2013" << kinds2013 + appended
                              << paragraphs2013 + appendedParagraphs << shares2013;
    }
    void editionChange()
    {
        QFETCH(QString, edition);
        QFETCH(QStringList, kinds);
        QFETCH(QStringList, paragraphs);
        QFETCH(QList<double>, shares);
        CalcHarness h;
        CalculationSheet &s = h.sheet();
        // Inputs other than kind and shares survive an edition change.
        s.comboHonorarzone.select(2);
        s.edKosten.setValue(500000);
        h.chooseKind(QStringLiteral("Tragwerksplanung"));
        s.edLP1.setValue(1);
        h.run.projectChanged = false;

        h.chooseEdition(edition);
        QCOMPARE(s.comboHonorarparagraph.items(), kinds);
        QCOMPARE(s.comboHonorarparagraph.index(), 0);
        QCOMPARE(s.comboParagraph.items(), paragraphs);
        QCOMPARE(s.comboParagraph.index(), 0);
        QCOMPARE(::shares(s), shares);
        QCOMPARE(s.edLPSumme.value(), 100.0);
        QCOMPARE(s.comboHonorarzone.index(), 2);
        QCOMPARE(s.edKosten.value(), 500000.0);
        QVERIFY(h.run.projectChanged);
        QVERIFY(s.edHonorar100Proz.value() > 0);
        QVERIFY(h.desktop.errors.isEmpty());
    }

    // Shares the user typed stay when the kind of work changes.
    void otherKindRefreshesLabelsButKeepsTypedShares()
    {
        CalcHarness h;
        CalculationSheet &s = h.sheet();
        h.chooseEdition(QStringLiteral("2013"));
        s.edLP9.setValue(1);
        h.chooseKind(QStringLiteral("Tragwerksplanung"));
        QCOMPARE(labels(s),
                 (QStringList{"3 %", "10 %", "15 %", "30 %", "40 %", "2 %", "0 %", "0 %", "0 %"}));
        QCOMPARE(shares(s), (QList<double>{2, 7, 15, 3, 25, 10, 4, 32, 1}));
        QCOMPARE(s.edHonorartafel.text(), QStringLiteral("Tragwerksplanung( §52)"));
        QCOMPARE(s.comboParagraph.currentText(), QStringLiteral("§ 52 HOAI"));

        h.calculation->cmdInitLPClick();
        QCOMPARE(shares(s), (QList<double>{3, 10, 15, 30, 40, 2, 0, 0, 0}));
        QCOMPARE(s.edLPSumme.value(), 100.0);
    }

    void takeOverAtTheMaximaChangesNothing()
    {
        CalcHarness h;
        h.sheet().edKosten.setValue(250000);
        h.run.projectChanged = false;
        h.calculation->cmdInitLPClick();
        QVERIFY(!h.run.projectChanged); // no calculation ran
    }

    void takeOverRecomputesWithAllNewShares()
    {
        CalcHarness h;
        CalculationSheet &s = h.sheet();
        s.edKosten.setValue(100000);
        h.setShares({1, 1, 1, 1, 1, 1, 1, 1, 1});
        QCOMPARE(s.edLPSumme.value(), 9.0);
        h.calculation->cmdInitLPClick();
        QCOMPARE(s.edLPSumme.value(), 100.0);
        // Gebäude, zone 1, minimum rate at 100000: the "von" fee of zone 1.
        QCOMPARE(s.edSummeLPEUR.value(), 10790.0);
        QCOMPARE(s.edLP8EUR.value(), 3452.80);
    }

    void editions2021And2013ComputeAlike()
    {
        CalcHarness h;
        CalculationSheet &s = h.sheet();
        s.comboHonorarzone.select(3);
        s.comboHonorarsatz.select(1);
        s.edKosten.setValue(777777.77);
        const double fee2021 = s.edBruttohonorar.value();
        h.chooseEdition(QStringLiteral("2013"));
        QCOMPARE(s.edBruttohonorar.value(), fee2021);
        QCOMPARE(s.comboHOAINorm.currentText(), QStringLiteral("2013"));
    }

    // An office's own work-phase table may name other paragraphs; the
    // list of fee paragraphs shows the ones the calculation uses.
    void overrideWorkPhaseTable()
    {
        CalcHarness h;
        h.writeOverride(
            QStringLiteral("HOAI2009/leistungsphasen.csv"),
            workPhaseTableText({{"Sonderbau", {10, 10, 10, 10, 10, 10, 10, 20, 10}, "39"},
                                {"Geb\xE4ude", {3, 7, 11, 6, 25, 10, 4, 31, 3}, "34"}}));
        h.chooseEdition(QStringLiteral("2009"));
        CalculationSheet &s = h.sheet();
        QCOMPARE(s.comboHonorarparagraph.items(), (QStringList{"Sonderbau", "Gebäude"}));
        QCOMPARE(s.comboParagraph.items(), (QStringList{"§ 39 HOAI", "§ 34 HOAI"}));
        QCOMPARE(shares(s), (QList<double>{10, 10, 10, 10, 10, 10, 10, 20, 10}));
        QCOMPARE(s.edHonorartafel.text(), QStringLiteral("Sonderbau( §39)"));
        // Another edition is not affected.
        h.chooseEdition(QStringLiteral("2002"));
        QCOMPARE(s.comboHonorarparagraph.items().first(), QStringLiteral("Ausbauten"));
    }
};

ZOLVARIC_TEST_RUNNER(SelectionTest)

#include "SelectionTest.moc"
