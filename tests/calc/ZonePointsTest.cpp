#include "CalcHarness.h"
#include "RunTests.h"

#include "calc/ProjectInputs.h"
#include "calc/ZonePoints.h"

using namespace zolvaric;

Q_DECLARE_METATYPE(WorkScope)

class ZonePointsTest : public QObject
{
    Q_OBJECT

private slots:
    // Each point system as the law gives it: the most points per criterion,
    // and the highest sum of each zone, whose neighbour starts the next zone.
    void pointSystems_data()
    {
        QTest::addColumn<WorkScope>("scope");
        QTest::addColumn<QList<int>>("maxima");
        QTest::addColumn<QList<int>>("zoneEnds");
        const QList<int> building = {10, 18, 26, 34, 42};
        const QList<int> openSpace = {8, 15, 22, 29, 36};
        const QList<int> structure = {10, 17, 25, 33, 40};
        const QList<int> landPlanning = {16, 30, 42};
        const QList<int> planning = {9, 14, 18};
        const QList<int> careAndDevelopment = {13, 24, 34};
        const QList<int> surveyForPlanning = {13, 23, 34, 44, 55};
        const QList<int> constructionSurvey = {14, 25, 37, 48, 60};
        const struct
        {
            WorkScope scope;
            QList<int> maxima;
            const QList<int> &zoneEnds;
        } systems[] = {
            // HOAI 2021 § 35 Abs. 2, 4, 6 and Abs. 3, 5, 6 (2013 the same words).
            {{2013, "2021", 35, "Gebäude"}, {6, 9, 9, 6, 6, 6}, building},
            {{2013, "2013", 35, "Innenräume"}, {6, 6, 6, 6, 9, 9}, building},
            // § 40, § 44 and § 48 Abs. 2 to 4: traffic installations weigh otherwise.
            {{2013, "2021", 40, "Freianlagen"}, {8, 8, 6, 8, 6}, openSpace},
            {{2013, "2021", 44, "Ingenieurbauwerke"}, {5, 5, 5, 10, 15}, structure},
            {{2013, "2021", 48, "Verkehrsanlagen"}, {5, 5, 15, 10, 5}, structure},
            // §§ 20 and 21 score each criterion 1 to 3 (Abs. 4, 5), so no sum
            // falls below 6; §§ 28 to 31 and § 32 weigh as their Abs. 4 say.
            {{2013, "2021", 20, "Flächennutzungsplan"}, {3, 3, 3, 3, 3, 3}, planning},
            {{2013, "2013", 21, "Bebauungsplan"}, {3, 3, 3, 3, 3, 3}, planning},
            {{2013, "2021", 28, "Landschaftsplan"}, {6, 6, 6, 9, 9, 6}, landPlanning},
            {{2013, "2021", 29, "Grünordnungsplan"}, {6, 6, 6, 9, 6, 9}, landPlanning},
            {{2013, "2013", 30, "Landschaftsrahmenplan"}, {6, 6, 6, 9, 9, 6}, landPlanning},
            {{2013, "2021", 31, "Landschaftspflegerischer Begleitplan"},
             {6, 6, 6, 6, 9, 9},
             landPlanning},
            {{2013, "2021", 32, "Pflege- und Entwicklungsplan"},
             {4, 9, 9, 6, 6},
             careAndDevelopment},
            // Anlage 1 Nr. 1.1.2 Abs. 4 to 6.
            {{2013, "2013", 0, "Umweltverträglichkeitsstudie"}, {6, 6, 6, 6, 9, 9}, landPlanning},
            // Anlage 1 Nr. 1.4.3 and 1.4.6 score every criterion from 1; Nr.
            // 1.2.3 Abs. 1 takes the building's zone of § 35.
            {{2013, "2021", 0, "Planungsbegleitende Vermessung"},
             {5, 5, 5, 10, 15, 15},
             surveyForPlanning},
            {{2013, "2013", 0, "Bauvermessung"}, {5, 10, 10, 10, 10, 15}, constructionSurvey},
            {{2013, "2021", 0, "Bauphysik: Wärmeschutz und Energiebilanzierung"},
             {6, 9, 9, 6, 6, 6},
             building},
            // HOAI 2009 § 34 Abs. 2 to 5, § 39 and § 43 Abs. 2 to 4, § 47 Abs. 2
            // with the weights of § 43.
            {{2009, "2009", 34, "Gebäude"}, {6, 9, 9, 6, 6, 6}, building},
            {{2009, "2009", 34, "Ausbauten"}, {6, 6, 6, 6, 9, 9}, building},
            {{2009, "2009", 39, "Freianlagen"}, {8, 8, 6, 8, 6}, openSpace},
            {{2009, "2009", 43, "Ingenieurbauwerke"}, {5, 5, 5, 10, 15}, structure},
            {{2009, "2009", 47, "Verkehrsanlagen"}, {5, 5, 5, 10, 15}, structure},
        };
        for (const auto &system : systems)
            QTest::addRow("%s %s", qPrintable(system.scope.edition), qPrintable(system.scope.kind))
                << system.scope << system.maxima << system.zoneEnds;
    }
    void pointSystems()
    {
        QFETCH(WorkScope, scope);
        QFETCH(QList<int>, maxima);
        QFETCH(QList<int>, zoneEnds);
        const PointSystem *system = pointSystemFor(scope);
        QVERIFY(system);
        QList<int> read;
        for (const PointCriterion &criterion : system->criteria)
            read << criterion.maximum;
        QCOMPARE(read, maxima);
        QCOMPARE(pointSum(maxima), zoneEnds.last());
        QCOMPARE(system->zoneOf(0), 1);
        for (int zone = 1; zone <= zoneEnds.size(); ++zone) {
            QCOMPARE(system->zoneOf(zoneEnds[zone - 1]), zone);
            if (zone < zoneEnds.size())
                QCOMPARE(system->zoneOf(zoneEnds[zone - 1] + 1), zone + 1);
        }
    }

    // Kinds of work whose zone the law sets without points, and the 2002
    // edition, whose texts the program does not carry.
    void kindsWithoutPoints_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::addColumn<QString>("kind");
        for (const auto &[edition, kind] : {std::pair{"2021", "Tragwerksplanung"},
                                            {"2013", "Techn. Ausrüstung"},
                                            {"2009", "Tragwerksplanung"},
                                            {"2002", "Gebäude"}})
            QTest::addRow("%s %s", edition, kind)
                << QString::fromUtf8(edition) << QString::fromUtf8(kind);
    }
    void kindsWithoutPoints()
    {
        QFETCH(QString, edition);
        QFETCH(QString, kind);
        CalcHarness h;
        h.chooseEdition(edition);
        h.chooseKind(kind);
        QVERIFY(!h.calculation->pointSystem());
        QVERIFY_THROWS_EXCEPTION(InputError, h.calculation->setZonePoints({1, 1, 1}));
    }

    // The points set the zone as a choice would, and are kept until the
    // user chooses a zone, a kind of work or an edition.
    void pointsSetTheZoneUntilAChoiceByHand_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::newRow("zone") << "comboHonorarzone";
        QTest::newRow("kind of work") << "comboHonorarparagraph";
        QTest::newRow("edition") << "comboHOAINorm";
    }
    void pointsSetTheZoneUntilAChoiceByHand()
    {
        QFETCH(QString, choice);
        CalcHarness h;
        enterWorkedExample(h);
        CalculationSheet &s = h.sheet();
        s.comboHonorarzone.select(0);
        const QList<int> points = {4, 6, 5, 3, 3, 2}; // 23: zone 3
        h.calculation->cmdHonorarzonePunkteOk(points);
        QCOMPARE(s.comboHonorarzone.index(), 2);
        QCOMPARE(h.calculation->zonePoints(), points);
        QCOMPARE(s.edHonorar100Proz.value(), 19803.0); // the worked example's zone 3
        QVERIFY(h.desktop.errors.isEmpty());

        auto *list = static_cast<ChoiceField *>(s.field(choice));
        list->select(list->index() == 0 ? 1 : 0);
        QVERIFY(h.calculation->zonePoints().isEmpty());
    }

    // Town planning scores each criterion 1 to 3: a 0 is refused, the
    // lowest scores give zone 1, the highest zone 3.
    void planningScoresFromOne()
    {
        CalcHarness h;
        h.chooseEdition("2021");
        h.chooseKind(QString::fromUtf8("Flächennutzungsplan"));
        QCOMPARE(h.sheet().comboParagraph.currentText(), QString::fromUtf8("§ 20 HOAI"));
        try {
            h.calculation->setZonePoints({0, 1, 1, 1, 1, 1});
            QFAIL("0 points accepted");
        } catch (const InputError &error) {
            QCOMPARE(error.message(),
                     QString::fromUtf8("Der Wert 0 für „zentralörtliche Bedeutung und "
                                       "Gemeindestruktur“ liegt außerhalb von 1 bis 3."));
        }
        h.calculation->setZonePoints({1, 1, 1, 1, 1, 1});
        QCOMPARE(h.sheet().comboHonorarzone.index(), 0);
        QCOMPARE(h.calculation->pointSystem()->zoneRange(1), std::pair(6, 9));
        h.calculation->setZonePoints({3, 3, 3, 3, 3, 3});
        QCOMPARE(h.sheet().comboHonorarzone.index(), 2);
    }

    void pointLists_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("fits") << "2;5;5;3;3;3"
                              << "";
        QTest::newRow("blanks") << " 6; 9;9;6;6 ;6 "
                                << "";
        QTest::newRow("too few") << "2;5;5;3;3"
                                 << "Für Gebäude nach § 35 Abs. 2, 4 und 6 HOAI 2021 sind 6 Werte "
                                    "anzugeben, nicht 5.";
        QTest::newRow("above the maximum")
            << "2;10;5;3;3;3"
            << "Der Wert 10 für „Anzahl der Funktionsbereiche“ liegt außerhalb von 0 bis 9.";
        QTest::newRow("negative") << "-1;5;5;3;3;3"
                                  << "Der Wert -1 für „Anforderungen an die Einbindung in die "
                                     "Umgebung“ liegt außerhalb von 0 bis 6.";
        QTest::newRow("no integer") << "2;5;5,5;3;3;3"
                                    << "'5,5' ist kein gültiger Integerwert";
    }
    void pointLists()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        CalcHarness h;
        const int zone = h.sheet().comboHonorarzone.index();
        try {
            h.calculation->setZonePoints(parsePoints(text));
            QVERIFY2(message.isEmpty(), qPrintable(message));
            QCOMPARE(pointsText(h.calculation->zonePoints()), text.simplified().remove(' '));
        } catch (const InputError &error) {
            QCOMPARE(error.message(), message);
            QCOMPARE(h.sheet().comboHonorarzone.index(), zone);
            QVERIFY(h.calculation->zonePoints().isEmpty());
        }
    }
};

ZOLVARIC_TEST_RUNNER(ZonePointsTest)

#include "ZonePointsTest.moc"
