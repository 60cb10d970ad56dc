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
        const QList<int> buildingZones = {10, 18, 26, 34, 42};
        const QList<int> openSpaceZones = {8, 15, 22, 29, 36};
        const QList<int> structureZones = {10, 17, 25, 33, 40};
        // HOAI 2021 § 35 Abs. 2, 4, 6 (2013 the same words).
        QTest::newRow("2021 building") << WorkScope{2013, "2021", 35, "Gebäude"}
                                       << QList<int>{6, 9, 9, 6, 6, 6} << buildingZones;
        // § 35 Abs. 3, 5, 6.
        QTest::newRow("2013 interiors") << WorkScope{2013, "2013", 35, "Innenräume"}
                                        << QList<int>{6, 6, 6, 6, 9, 9} << buildingZones;
        // § 40 Abs. 2 to 4.
        QTest::newRow("2021 open spaces") << WorkScope{2013, "2021", 40, "Freianlagen"}
                                          << QList<int>{8, 8, 6, 8, 6} << openSpaceZones;
        // § 44 Abs. 2 to 4.
        QTest::newRow("2021 engineering structures")
            << WorkScope{2013, "2021", 44, "Ingenieurbauwerke"} << QList<int>{5, 5, 5, 10, 15}
            << structureZones;
        // § 48 Abs. 2 to 4: other weights than § 44.
        QTest::newRow("2021 traffic installations")
            << WorkScope{2013, "2021", 48, "Verkehrsanlagen"} << QList<int>{5, 5, 15, 10, 5}
            << structureZones;
        // HOAI 2009 § 34 Abs. 2, 4, 5 and Abs. 3 to 5.
        QTest::newRow("2009 building") << WorkScope{2009, "2009", 34, "Gebäude"}
                                       << QList<int>{6, 9, 9, 6, 6, 6} << buildingZones;
        QTest::newRow("2009 fit-outs") << WorkScope{2009, "2009", 34, "Ausbauten"}
                                       << QList<int>{6, 6, 6, 6, 9, 9} << buildingZones;
        // § 39 Abs. 2 to 4.
        QTest::newRow("2009 open spaces") << WorkScope{2009, "2009", 39, "Freianlagen"}
                                          << QList<int>{8, 8, 6, 8, 6} << openSpaceZones;
        // § 43 Abs. 2 to 4, and § 47 Abs. 2 with the same weights.
        QTest::newRow("2009 engineering structures")
            << WorkScope{2009, "2009", 43, "Ingenieurbauwerke"} << QList<int>{5, 5, 5, 10, 15}
            << structureZones;
        QTest::newRow("2009 traffic installations")
            << WorkScope{2009, "2009", 47, "Verkehrsanlagen"} << QList<int>{5, 5, 5, 10, 15}
            << structureZones;
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
        QTest::newRow("2021 structural design") << "2021"
                                                << "Tragwerksplanung";
        QTest::newRow("2013 technical equipment") << "2013"
                                                  << "Techn. Ausrüstung";
        QTest::newRow("2009 structural design") << "2009"
                                                << "Tragwerksplanung";
        QTest::newRow("2002 building") << "2002"
                                       << "Gebäude";
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
