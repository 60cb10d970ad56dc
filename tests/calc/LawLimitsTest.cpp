#include "CalcHarness.h"
#include "RunTests.h"

#include "calc/FeeRate.h"
#include "calc/ProjectInputs.h"

using namespace zolvaric;

namespace {

// The kinds of work of the 2013/2021 list by their index.
enum Kind2013 {
    Building = 0,
    Interiors = 1,
    OpenSpaces = 2,
    Engineering = 3,
    Structure = 5,
    Equipment = 6,
    LandUsePlan = 7,
    DevelopmentPlan = 8,
    ThermalProtection = 15,
    BuildingAcoustics = 16,
    SurveyForPlanning = 19,
};

int countOf(const QStringList &warnings, const QString &part)
{
    int count = 0;
    for (const QString &warning : warnings)
        count += warning.contains(part) ? 1 : 0;
    return count;
}

// Stored values as a file or --set gives them, by key.
ProjectValueLookup valuesOf(const QMap<QString, QString> &values)
{
    return [values](const ProjectKey &key) -> std::optional<QString> {
        const auto found = values.constFind(QLatin1String(key.key));
        return found == values.constEnd() ? std::nullopt : std::optional(*found);
    };
}

QString thrownBy(const std::function<void()> &work)
{
    try {
        work();
    } catch (const InputError &error) {
        return error.message();
    }
    return QString();
}

} // namespace

// What the law allows and the program does not compute: each shown once as
// a warning, or refused where a stored value would compute nonsense.
class LawLimitsTest : public QObject
{
    Q_OBJECT

private slots:
    // Outside the table at either end, for every edition: the law's
    // consequence, once; no basis typed is no note.
    void outsideTheTable_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("basis");
        QTest::addColumn<QString>("warning");
        const QString textform = QStringLiteral(
            "Das Honorar richtet sich nach der Vereinbarung, die die Vertragsparteien in Textform "
            "treffen (§ 7 Abs. 1 HOAI 2021).");
        QTest::newRow("2021 below § 35")
            << "2021" << int(Building) << 20000.0
            << "Die anrechenbaren Kosten liegen unter dem Tafelanfangswert der Honorartafel § 35 "
               "(25.000,00 €) und damit außerhalb der Honorartafel. " +
                   textform;
        QTest::newRow("2021 above § 56")
            << "2021" << int(Equipment) << 5e6
            << "über dem Tafelendwert der Honorartafel § 56 (4.000.000,00 €) und damit "
               "außerhalb der Honorartafel. " +
                   textform;
        QTest::newRow("2013 below § 52")
            << "2013" << int(Structure) << 9999.99
            << "unter dem Tafelanfangswert der Honorartafel § 52 (10.000,00 €) und damit "
               "außerhalb der Honorartafel. Das Honorar ist frei zu vereinbaren (§ 7 Abs. 2 "
               "HOAI 2013).";
        QTest::newRow("2013 Anlage 1 below")
            << "2013" << int(BuildingAcoustics) << 1000.0
            << "Das Honorar ist frei zu vereinbaren; die Honorare der Anlage 1 sind nicht "
               "verbindlich geregelt (§ 3 Abs. 1 Satz 2 HOAI 2013).";
        QTest::newRow("2013 hectares below § 21")
            << "2013" << int(DevelopmentPlan) << 0.4
            << "Die Fläche liegt unter dem Tafelanfangswert der Honorartafel § 21 (0,5 ha)";
        QTest::newRow("2021 units above Anlage 1.4.8")
            << "2021" << int(SurveyForPlanning) << 20000.0
            << "Die Verrechnungseinheiten liegen über dem Tafelendwert der Honorartafel Anlage "
               "1.4.8 (11.726 VE)";
        QTest::newRow("2009 below § 39")
            << "2009" << 1 << 20000.0
            << "unter dem Tafelanfangswert der Honorartafel § 39 (20.452,00 €) und damit "
               "außerhalb der Honorartafel. Das Honorar ist frei zu vereinbaren (§ 7 Abs. 2 "
               "HOAI 2009).";
        QTest::newRow("2002 above § 74")
            << "2002" << 3 << 4e6
            << "über dem Tafelendwert der Honorartafel § 74 (3.834.689,00 €) und damit "
               "außerhalb der Honorartafel. Das Honorar ist frei zu vereinbaren.";
        QTest::newRow("negative costs")
            << "2021" << int(Building) << -5000.0
            << "Die anrechenbaren Kosten sind negativ (-5.000,00 €); dafür gibt die Honorartafel "
               "§ 35 kein Honorar.";
        QTest::newRow("nothing typed") << "2021" << int(Building) << 0.0 << "";
        QTest::newRow("first key") << "2013" << int(Structure) << 10000.0 << "";
    }
    void outsideTheTable()
    {
        QFETCH(QString, edition);
        QFETCH(int, kind);
        QFETCH(double, basis);
        QFETCH(QString, warning);
        CalcHarness h;
        CalculationSheet &s = h.sheet();
        h.chooseEdition(edition);
        s.comboHonorarparagraph.select(kind);
        s.edKosten.setValue(basis);
        const QStringList warnings = h.calculation->warnings();
        if (warning.isEmpty()) {
            QCOMPARE(warnings, QStringList());
            QCOMPARE(s.edHonorar100Proz.value() > 0, basis > 0);
            return;
        }
        QCOMPARE(countOf(warnings, warning), 1);
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(s.edHonorar100Proz.value(), 0.0);
    }

    // A free rate outside the span: bound in 2013 but for Anlage 1, whose
    // fees that edition did not bind; far below 0 the fee turns negative.
    void freeRateNotes_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("rate");
        QTest::addColumn<QStringList>("warnings");
        const QString bound =
            QStringLiteral("Der Honorarsatz liegt außerhalb der Mindest- und Höchstsätze der HOAI "
                           "2013.");
        QTest::newRow("2013 Gebäude") << "2013" << int(Building) << 150.0 << QStringList{bound};
        QTest::newRow("2013 Anlage 1")
            << "2013" << int(ThermalProtection) << 150.0 << QStringList();
        QTest::newRow("2021 negative fee")
            << "2021" << int(Building) << -1000.0
            << QStringList{"Der Honorarsatz von -1.000,00 % der Spanne ergibt ein negatives "
                           "Honorar (-59.788,00 €)."};
    }
    void freeRateNotes()
    {
        QFETCH(QString, edition);
        QFETCH(int, kind);
        QFETCH(double, rate);
        QFETCH(QStringList, warnings);
        CalcHarness h;
        CalculationSheet &s = h.sheet();
        h.chooseEdition(edition);
        s.comboHonorarparagraph.select(kind);
        s.edKosten.setValue(1000000);
        s.comboHonorarsatz.select(kFreeRateIndex);
        s.edHonorarsatzProz.setValue(rate);
        QCOMPARE(h.calculation->warnings(), warnings);
    }

    // § 11 Abs. 3: which kinds take a repetition, what the reduction names,
    // and a stored one where none may stand is refused naming its key.
    void repetitions_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("Tragwerk: its six phases")
            << "2021" << int(Structure)
            << "2. Wiederholung: Anteile LP1 bis LP6 um 50 % gemindert (§ 11 Abs. 3 HOAI 2021)"
            << "";
        QTest::newRow("2009 Tragwerk: six of seven")
            << "2009" << 4
            << "2. Wiederholung: Anteile LP1 bis LP6 um 50 % gemindert (§ 11 Abs. 2 HOAI 2009)"
            << "";
        QTest::newRow("Innenräume")
            << "2013" << int(Interiors)
            << "2. Wiederholung: Anteile LP1 bis LP6 um 50 % gemindert (§ 11 Abs. 3 HOAI 2013), "
               "für Innenräume nur bei Typenplanung oder Serienbauten"
            << "";
        QTest::newRow("Freianlagen")
            << "2021" << int(OpenSpaces)
            << "2. Wiederholung: Anteile LP1 bis LP6 um 50 % gemindert (§ 11 Abs. 3 HOAI 2021), "
               "für Freianlagen nur bei Typenplanung oder Serienbauten"
            << "";
        QTest::newRow("Flächennutzungsplan")
            << "2021" << int(LandUsePlan) << ""
            << "Wiederholung: Die Flächenplanung (Flächennutzungsplan) kennt keine Minderung für "
               "Wiederholungen nach § 11 Abs. 3 HOAI 2021: sie plant keine Objekte.";
        QTest::newRow("Anlage 1")
            << "2013" << int(BuildingAcoustics) << ""
            << "Wiederholung: Für Bauphysik: Bauakustik (Anlage 1 HOAI 2013) gilt die Minderung "
               "für Wiederholungen nach § 11 Abs. 3 nicht; sie ist frei zu vereinbaren.";
    }
    void repetitions()
    {
        QFETCH(QString, edition);
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        CalcHarness h;
        CalculationSheet &s = h.sheet();
        const int editionIndex = static_cast<int>(s.comboHOAINorm.items().indexOf(edition));
        const auto stored = valuesOf({{"HOAI_nach", QString::number(editionIndex)},
                                      {"Honorarberechnung_fuer", QString::number(kind)},
                                      {"Wiederholung", "2"}});
        QCOMPARE(thrownBy([&] { checkProjectInputs(*h.calculation, stored); }), refusal);
        h.chooseEdition(edition);
        s.comboHonorarparagraph.select(kind);
        s.edKosten.setValue(300000);
        s.edWiederholung.setValue(2);
        QCOMPARE(s.lbWiederholung.text(), text);
        // A kind without repetitions keeps none, so its file loads again.
        QCOMPARE(s.edWiederholung.value(), refusal.isEmpty() ? 2.0 : 0.0);
    }

    // Another kind of work: shares the user left at the table's take the
    // new kind's; typed ones stay. The basis keeps its number but is marked
    // when its unit changes, until written anew; a zone the new table lacks
    // becomes its highest.
    void kindChange_data()
    {
        QTest::addColumn<bool>("typedShare");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<double>>("shares");
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("zone");
        QTest::newRow("standard shares follow")
            << false << int(Structure) << QList<double>{3, 10, 15, 30, 40, 2, 0, 0, 0} << "" << 5;
        QTest::newRow("typed shares stay")
            << true << int(Interiors) << QList<double>{2, 7, 15, 3, 20, 10, 4, 32, 2} << "" << 5;
        QTest::newRow("to hectares, three zones")
            << false << int(DevelopmentPlan) << QList<double>{60, 30, 10, 0, 0, 0, 0, 0, 0}
            << "Die Grundlage ist jetzt in Hektar – bitte prüfen" << 3;
        QTest::newRow("to units")
            << true << int(SurveyForPlanning) << QList<double>{2, 7, 15, 3, 0, 0, 0, 0, 0}
            << "Die Grundlage ist jetzt in Verrechnungseinheiten – bitte prüfen" << 5;
    }
    void kindChange()
    {
        QFETCH(bool, typedShare);
        QFETCH(int, to);
        QFETCH(QList<double>, shares);
        QFETCH(QString, note);
        QFETCH(int, zone);
        CalcHarness h;
        CalculationSheet &s = h.sheet();
        s.comboHonorarzone.select(4);
        s.edKosten.setValue(80);
        if (typedShare)
            s.edLP5.setValue(20);
        s.comboHonorarparagraph.select(to);
        QList<double> offered;
        for (const NumericField *share : s.edLP)
            offered << share->value();
        QCOMPARE(offered, shares);
        QCOMPARE(s.comboHonorarzone.index() + 1, zone);
        QCOMPARE(s.edKosten.value(), 80.0);
        QCOMPARE(countOf(h.calculation->warnings(), QStringLiteral("bitte prüfen")),
                 note.isEmpty() ? 0 : 1);
        if (note.isEmpty())
            return;
        QVERIFY(h.calculation->warnings().contains(note));
        s.comboHonorarzone.select(1); // another input keeps the note
        QVERIFY(h.calculation->warnings().contains(note));
        s.edKosten.setValue(8);
        QCOMPARE(countOf(h.calculation->warnings(), QStringLiteral("bitte prüfen")), 0);
    }

    // A share above what the Leistungsbild rates, or for a phase it rates
    // with none; where the law allows more by agreement, its paragraph.
    void sharesAboveTheLaw_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("phase");
        QTest::addColumn<double>("share");
        QTest::addColumn<QString>("note");
        QTest::newRow("Tragwerk LP8")
            << "2021" << int(Structure) << 8 << 32.0
            << "LP8: 32,00 % angeboten, das Leistungsbild hat höchstens 0 %.";
        QTest::newRow("within the share") << "2021" << int(Building) << 3 << 15.0 << "";
        QTest::newRow("§ 12 Abs. 2")
            << "2021" << int(Building) << 8 << 40.0
            << "LP8: 40,00 % angeboten, mehr als die 32 % des Leistungsbilds; vereinbar bis 48 % "
               "bei Instandsetzungen und Instandhaltungen (§ 12 Abs. 2 HOAI 2021).";
        QTest::newRow("beyond § 12 Abs. 2")
            << "2013" << int(Engineering) << 8 << 30.0
            << "LP8: 30,00 % angeboten, das Leistungsbild hat höchstens 15 %, bis 22,5 % bei "
               "Instandsetzungen und Instandhaltungen (§ 12 Abs. 2 HOAI 2013).";
        QTest::newRow("§ 43 Abs. 3")
            << "2021" << int(Engineering) << 5 << 35.0
            << "LP5: 35,00 % angeboten, mehr als die 15 % des Leistungsbilds; vereinbar bis 35 % "
               "bei überdurchschnittlichem Aufwand an Ausführungszeichnungen (§ 43 Abs. 3 Nr. 2 "
               "HOAI 2021).";
        QTest::newRow("§ 51 Abs. 4")
            << "2021" << int(Structure) << 5 << 44.0 << "bis 44 % bei sehr enger Bewehrung";
        QTest::newRow("2009 § 36 Abs. 1")
            << "2009" << 2 << 8 << 40.0
            << "vereinbar bis 46,5 % bei Instandhaltungen und Instandsetzungen (§ 36 Abs. 1 HOAI "
               "2009)";
        QTest::newRow("Anlage 1 has no exception")
            << "2021" << int(BuildingAcoustics) << 2 << 25.0
            << "LP2: 25,00 % angeboten, das Leistungsbild hat höchstens 20 %.";
    }
    void sharesAboveTheLaw()
    {
        QFETCH(QString, edition);
        QFETCH(int, kind);
        QFETCH(int, phase);
        QFETCH(double, share);
        QFETCH(QString, note);
        CalcHarness h;
        CalculationSheet &s = h.sheet();
        h.chooseEdition(edition);
        s.comboHonorarparagraph.select(kind);
        s.edKosten.setValue(400000);
        s.edLP[phase - 1]->setValue(share);
        const QStringList warnings = h.calculation->warnings();
        QCOMPARE(countOf(warnings, QStringLiteral(" angeboten")), note.isEmpty() ? 0 : 1);
        if (!note.isEmpty())
            QCOMPARE(countOf(warnings, note), 1);
    }

    // A zone the kind's fee table lacks is refused on load, naming its key.
    void storedZoneBeyondTheTable_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("zone");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("Bebauungsplan zone 4")
            << int(DevelopmentPlan) << 3
            << "Honorarzone: Der Wert 3 wählt die Honorarzone 4; die Honorartafel dieser "
               "Leistung kennt nur die Honorarzonen 1 bis 3.";
        QTest::newRow("Technische Ausrüstung zone 5")
            << int(Equipment) << 4 << "Honorarzone: Der Wert 4 wählt die Honorarzone 5";
        QTest::newRow("Bebauungsplan zone 3") << int(DevelopmentPlan) << 2 << "";
        QTest::newRow("Gebäude zone 5") << int(Building) << 4 << "";
    }
    void storedZoneBeyondTheTable()
    {
        QFETCH(int, kind);
        QFETCH(int, zone);
        QFETCH(QString, refusal);
        CalcHarness h;
        const auto stored = valuesOf({{"Honorarberechnung_fuer", QString::number(kind)},
                                      {"Honorarzone", QString::number(zone)}});
        const QString thrown = thrownBy([&] { checkProjectInputs(*h.calculation, stored); });
        QCOMPARE(thrown.isEmpty(), refusal.isEmpty());
        QVERIFY(refusal.isEmpty() || thrown.startsWith(refusal));
    }

    // The surcharge limits of Anlage 1 Nr. 1.2; the Flächenplanung has none.
    void renovationSurcharge_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("surcharge");
        QTest::addColumn<QString>("note");
        QTest::newRow("Bauakustik within") << int(BuildingAcoustics) << 33.0 << "";
        QTest::newRow("Bauakustik above")
            << int(BuildingAcoustics) << 40.0
            << "Der Umbauzuschlag von 40,00 % liegt über dem Höchstwert von 33 % bei "
               "durchschnittlichem Schwierigkeitsgrad (Anlage 1 Nr. 1.2.4 Abs. 4 HOAI 2021).";
        QTest::newRow("Wärmeschutz above")
            << int(ThermalProtection) << 34.0 << "(Anlage 1 Nr. 1.2.3 Abs. 3 HOAI 2021)";
        QTest::newRow("Flächennutzungsplan")
            << int(LandUsePlan) << 10.0
            << "Der Umbauzuschlag von 10,00 % ist nicht in der HOAI 2021 geregelt: Die "
               "Flächenplanung (Flächennutzungsplan) hat keinen Umbau- oder "
               "Modernisierungszuschlag; § 6 Abs. 2 HOAI 2021 regelt ihn nur für die Teile 3 "
               "und 4 und Anlage 1 Nr. 1.2.";
    }
    void renovationSurcharge()
    {
        QFETCH(int, kind);
        QFETCH(double, surcharge);
        QFETCH(QString, note);
        CalcHarness h;
        CalculationSheet &s = h.sheet();
        s.comboHonorarparagraph.select(kind);
        s.edKosten.setValue(3000);
        s.edZuschlagUmbau.setValue(surcharge);
        const QStringList warnings = h.calculation->warnings();
        QCOMPARE(countOf(warnings, QStringLiteral("Umbau")), note.isEmpty() ? 0 : 1);
        if (!note.isEmpty())
            QCOMPARE(countOf(warnings, note), 1);
    }
};

ZOLVARIC_TEST_RUNNER(LawLimitsTest)

#include "LawLimitsTest.moc"
