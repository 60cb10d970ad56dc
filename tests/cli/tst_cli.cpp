#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QOperatingSystemVersion>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include "IsolatedHome.h"

#include "base/NumberText.h"

#include "PosixFiles.h"
#include "ZipEntry.h"

namespace {

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
    QByteArray outBytes;
};

const QStringList kWorkedExample = {"--set", "HOAI_nach=1",
                                    "--set", "Honorarzone=2",
                                    "--set", "Honorarsatz=2",
                                    "--set", "Anrechenbare_Kosten=120000",
                                    "--set", "LP1=2",
                                    "--set", "LP2=7",
                                    "--set", "LP3=15",
                                    "--set", "LP4=3",
                                    "--set", "LP5=25",
                                    "--set", "LP6=10",
                                    "--set", "LP7=4",
                                    "--set", "LP8=32",
                                    "--set", "LP9=2",
                                    "--set", "Zeithonorar=1000",
                                    "--set", "Besondere_Leistung=500",
                                    "--set", "Zuschlag_Umbau=20",
                                    "--set", "Nebenkosten=5",
                                    "--set", "MwSt=19"};

// A path as the tool shows it: with the system's separators, a folder made
// absolute (on Windows with its drive).
QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
QString shownFolder(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

const bool kWindows = QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows;

// The tool's text output; on Windows its lines end in "\r\n", as text there does.
QString text(const QByteArray &bytes)
{
    QString result = QString::fromUtf8(bytes);
    if (kWindows)
        result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

// A home of its own: the tool must never see the real user's files.
const QTemporaryDir &home()
{
    static const QTemporaryDir dir;
    return dir;
}

// The tool run with the given arguments; a wrapper (another user's
// identity) goes before the program.
CliRun runCli(const QStringList &arguments, const QString &command = QStringLiteral("calc"),
              const QStringList &wrapper = {},
              const QString &program = QStringLiteral(ZOLVARIC_CLI))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home().path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home().filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       home().filePath(QStringLiteral("config")));
    // No regional settings of the machine: the program's German ones. Windows
    // always has regional settings; there the suites run as a German user.
    if (!kWindows) {
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        environment.remove(QStringLiteral("LANG"));
    }
    process.setProcessEnvironment(environment);
    const QStringList all = wrapper + QStringList{program, command} + arguments;
    process.start(all.first(), all.mid(1));
    if (!process.waitForFinished(30000))
        qFatal("zolvaric-cli did not finish");
    const QByteArray out = process.readAllStandardOutput();
    return {process.exitCode(), text(out), text(process.readAllStandardError()), out};
}

QJsonObject runJson(const QStringList &arguments)
{
    const CliRun run = runCli(arguments + QStringList{QStringLiteral("--json")});
    if (run.exitCode != 0)
        qFatal("zolvaric-cli failed: %s", qPrintable(run.err));
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

private slots:
    void workedExampleAsJson()
    {
        const QJsonObject json = runJson(kWorkedExample);
        QCOMPARE(json["edHonorar100Proz"].toDouble(), 19803.0);
        const double phases[9] = {396.06,  1386.21, 2970.45, 594.09, 4950.75,
                                  1980.30, 792.12,  6336.96, 396.06};
        for (int n = 0; n < 9; ++n)
            QCOMPARE(json[QStringLiteral("edLP%1EUR").arg(n + 1)].toDouble(), phases[n]);
        QCOMPARE(json["edZwi"].toDouble(), 25263.60);
        QCOMPARE(json["edNebenkostenEUR"].toDouble(), 1263.18);
        QCOMPARE(json["edNettohonorar"].toDouble(), 26526.78);
        QCOMPARE(json["edMwStEUR"].toDouble(), 5040.09);
        QCOMPARE(json["edBruttohonorar"].toDouble(), 31566.87);

        const QJsonObject trace = json["trace"].toObject();
        QCOMPARE(trace["K1"].toDouble(), 100000.0);
        QCOMPARE(trace["H1"].toDouble(), 16859.0);
        QCOMPARE(trace["K2"].toDouble(), 150000.0);
        QCOMPARE(trace["H2"].toDouble(), 24219.0);
        QCOMPARE(trace["D3"].toDouble(), 7360.0);
        QCOMPARE(trace["Grundhonorar"].toDouble(), 19803.0);

        QCOMPARE(json["comboHOAINorm"].toObject()["text"].toString(), QStringLiteral("2013"));
        QCOMPARE(json["comboHonorarsatz"].toObject()["index"].toInt(), 2);
        QCOMPARE(json["comboHonorarsatz"].toObject()["text"].toString(),
                 QStringLiteral("Mittelsatz (50%)"));
        QCOMPARE(json["lbLP1"].toString(), QStringLiteral("2 %"));
        QCOMPARE(json["lbLP8Text"].toString(), QStringLiteral("LP8\tObjektüberwachung"));
        QCOMPARE(json["edHonorartafel"].toString(), QStringLiteral("Gebäude( §35)"));
        QCOMPARE(json["gridHOAI"].toArray().size(), 21);
        QCOMPARE(json["warnings"].toArray().size(), 0);
    }

    // Offers through the command line: each calculation as it gives alone
    // (its repetition aside), the totals by VAT rate.
    void offerOfSeveralCalculations_data()
    {
        QTest::addColumn<QList<QStringList>>("parts");
        QTest::addColumn<QList<double>>("reducedBy"); // the repetition's share of LP1–6 kept
        const QStringList house = {"HOAI_nach=0", "Honorarzone=2", "Honorarsatz=4",
                                   "Anrechenbare_Kosten=450000", "Nebenkosten=4"};
        QTest::newRow("Gebäude, Innenräume, Freianlagen")
            << QList<QStringList>{house,
                                  {"Honorarberechnung_fuer=1", "Honorarzone=3",
                                   "Anrechenbare_Kosten=80000", "Bezeichnung=Innenräume EG"},
                                  {"Honorarberechnung_fuer=2", "Anrechenbare_Kosten=65000",
                                   "MwSt=7"}}
            << QList<double>{1, 1, 1};
        QTest::newRow("three houses, repetitions 0, 1, 2")
            << QList<QStringList>{house, house + QStringList{"Wiederholung=1"},
                                  house + QStringList{"Wiederholung=2"}}
            << QList<double>{1, 0.5, 0.5};
    }
    void offerOfSeveralCalculations()
    {
        QFETCH(QList<QStringList>, parts);
        QFETCH(QList<double>, reducedBy);
        QStringList arguments;
        for (qsizetype n = 0; n < parts.size(); ++n) {
            for (const QString &value : parts[n])
                arguments << "--set" << QStringLiteral("%1:%2").arg(n + 1).arg(value);
        }
        const QJsonObject offer = runJson(arguments);
        const QJsonArray calculations = offer["Teilhonorare"].toArray();
        QCOMPARE(calculations.size(), parts.size());
        QMap<double, double> netByRate;
        double net = 0;
        for (qsizetype n = 0; n < parts.size(); ++n) {
            // Alone: the same inputs, the shares a new calculation took over
            // from the one before it included, without the repetition.
            const QJsonObject part = calculations[n].toObject();
            QStringList alone = {"--set", "HOAI_nach=0"};
            for (const QString &value : parts[n]) {
                if (!value.startsWith(QLatin1String("Wiederholung")))
                    alone << "--set" << value;
            }
            for (int phase = 1; phase <= 9; ++phase) {
                alone << "--set"
                      << QStringLiteral("LP%1=%2").arg(phase).arg(
                             part[QStringLiteral("edLP%1").arg(phase)].toDouble());
            }
            const QJsonObject single = runJson(alone);
            for (int phase = 1; phase <= 9; ++phase) {
                const QString key = QStringLiteral("edLP%1EUR").arg(phase);
                const double kept = phase <= 6 ? reducedBy[n] : 1;
                QCOMPARE(part[key].toDouble(),
                         zolvaric::RoundDecimals(
                             2, single[QStringLiteral("edLP%1").arg(phase)].toDouble() * kept *
                                    single["trace"]["Grundhonorar"].toDouble() / 100));
            }
            if (reducedBy[n] == 1) {
                for (const char *key : {"edNettohonorar", "edMwStEUR", "edBruttohonorar"})
                    QCOMPARE(part[key].toDouble(), single[key].toDouble());
            }
            net += part["edNettohonorar"].toDouble();
            netByRate[part["edMwSt"].toDouble()] += part["edNettohonorar"].toDouble();
        }
        // The top level is calculation 1, as without an offer.
        QCOMPARE(offer["edNettohonorar"], calculations[0].toObject()["edNettohonorar"]);
        QCOMPARE(calculations[1].toObject()["Bezeichnung"].toString(),
                 parts[1].filter("Bezeichnung=").value(0).mid(12));
        QCOMPARE(calculations[2].toObject()["Wiederholung"].toInt(), reducedBy[2] < 1 ? 2 : 0);
        const QJsonObject totals = offer["Angebot"].toObject();
        double vat = 0;
        for (auto rate = netByRate.cbegin(); rate != netByRate.cend(); ++rate)
            vat += zolvaric::RoundDecimals(2, rate.key() * rate.value() / 100);
        QCOMPARE(totals["Nettohonorar"].toDouble(), zolvaric::RoundDecimals(2, net));
        QCOMPARE(totals["MwStEUR"].toDouble(), zolvaric::RoundDecimals(2, vat));
        QCOMPARE(totals["Bruttohonorar"].toDouble(), zolvaric::RoundDecimals(2, net + vat));
        QCOMPARE(totals["MwSt"].toArray().size(), netByRate.size());

        const CliRun text = runCli(arguments);
        QCOMPARE(text.exitCode, 0);
        QVERIFY2(text.out.contains(QStringLiteral("Teilhonorar 3 von 3")), qPrintable(text.out));
        QVERIFY(text.out.contains(QStringLiteral("Bruttohonorar des Angebots")));
    }

    void badCalculationNumbers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("gap") << QStringList{"--set", "3:MwSt=7"}
                             << "Das Angebot hat 1 Teilhonorare; als nächstes kann Teilhonorar 2 "
                                "angelegt werden, nicht 3.";
        QTest::newRow("zero") << QStringList{"--set", "0:MwSt=7"}
                              << "--set N:SCHLÜSSEL=WERT erwartet als N die Nummer eines "
                                 "Teilhonorars ab 1, nicht \"0\".";
        QTest::newRow("project text")
            << QStringList{"--set", "2:Projektbezeichnung=X"}
            << "Projektbezeichnung gehört zum Projekt, nicht zu einem Teilhonorar; ohne Nummer "
               "setzen.";
        QTest::newRow("bad value names the calculation")
            << QStringList{"--set", "2:Wiederholung=-1"}
            << "Teilhonorar 2: Wiederholung: '-1' ist keine ganze Zahl ab 0";
    }
    void badCalculationNumbers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err.trimmed(), message);
        QVERIFY(run.out.isEmpty());
    }

    void startsFromTheWindowsInitialState()
    {
        const QJsonObject json = runJson({});
        QCOMPARE(json["comboHOAINorm"].toObject()["text"].toString(), QStringLiteral("2021"));
        QCOMPARE(json["comboHonorarparagraph"].toObject()["text"].toString(),
                 QStringLiteral("Gebäude"));
        QCOMPARE(json["comboHonorarsatz"].toObject()["index"].toInt(), 4);
        QCOMPARE(json["edLP5"].toDouble(), 25.0);
        QCOMPARE(json["edLPSumme"].toDouble(), 100.0);
        QCOMPARE(json["edMwSt"].toDouble(), 19.0);
        QCOMPARE(json["edBruttohonorar"].toDouble(), 0.0);
        QCOMPARE(json["edHonorarsatzProz"].toDouble(), 0.0);
        QVERIFY(json["Bewertungspunkte"].isNull());
    }

    // The free rate and the zone by points, as the dialog's OK sets it.
    void feeAgreementAsJson()
    {
        const QJsonObject json = runJson(
            {"--set", "HOAI_nach=1", "--set", "Honorarsatz=5", "--set", "Honorarsatz_Prozent=37,5",
             "--set", "Bewertungspunkte=2;5;5;3;3;3", "--set", "Anrechenbare_Kosten=120000"});
        QCOMPARE(json["edHonorarsatzProz"].toDouble(), 37.5);
        QCOMPARE(json["comboHonorarzone"].toObject()["index"].toInt(), 2);
        QCOMPARE(json["Bewertungspunkte"].toObject(),
                 (QJsonObject{{"points", QJsonArray{2, 5, 5, 3, 3, 3}}, {"sum", 21}, {"zone", 3}}));
        QCOMPARE(json["edHonorar100Proz"].toDouble(), 19258.5);
        const CliRun text = runCli({"--set", "Honorarsatz=5", "--set", "Honorarsatz_Prozent=37,5",
                                    "--set", "Bewertungspunkte=2;5;5;3;3;3"});
        QVERIFY2(text.out.contains(QStringLiteral("Honorarzone 3 (21 Bewertungspunkte)\n")),
                 qPrintable(text.out));
        QVERIFY(text.out.contains(QStringLiteral("frei vereinbart (37,50 % der Spanne)\n")));
    }

    void kindIndexRefersToTheGivenEdition()
    {
        // Given in any order, the edition is applied first.
        const QJsonObject json =
            runJson({"--set", "Honorarberechnung_fuer=4", "--set", "HOAI_nach=3"});
        QCOMPARE(json["comboHonorarparagraph"].toObject()["text"].toString(),
                 QStringLiteral("Tragwerksplanung"));
        QCOMPARE(json["comboParagraph"].toObject()["text"].toString(), QStringLiteral("§ 65 HOAI"));
        // The edition change set the first kind's shares, untouched since:
        // the kind given takes its own.
        QCOMPARE(json["edLP4"].toDouble(), 30.0);
        QCOMPARE(json["lbLP4"].toString(), QStringLiteral("30 %"));
    }

    void decimalPointOrComma()
    {
        const QJsonObject comma = runJson(
            {"--set", "LP1=2,5", "--set", "ZuschlagAnrechenbareKosten_Text=Umbau, Abbruch"});
        const QJsonObject point = runJson({"--set", "LP1=2.5"});
        QCOMPARE(comma["edLP1"].toDouble(), 2.5);
        QCOMPARE(point["edLP1"].toDouble(), 2.5);
        QCOMPARE(comma["edLPSumme"].toDouble(), 100.5);
        QCOMPARE(comma["edZuschlagAnrechenbareKosten"].toString(),
                 QStringLiteral("Umbau, Abbruch"));
    }

    // Every table of the planning and Anlage 1 services, read from the law's
    // values beside the tests: each key, a point between each two keys, both
    // ends and a zone the table lacks, every zone and the rates 0, 50 and 100.
    void planningAndAnnexTables_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("unit");
        const QStringList files = {"P20",  "P21",   "P28",   "P29",   "P30",  "P31",   "P32",
                                   "A1_1", "A1_2a", "A1_2b", "A1_2c", "A1_3", "A1_4a", "A1_4b"};
        const QStringList units = {"ha", "ha", "ha", "ha", "ha", "ha", "ha",
                                   "ha", "€",  "€",  "€",  "€",  "VE", "€"};
        for (int n = 0; n < files.size(); ++n)
            QTest::newRow(qPrintable(files[n])) << 7 + n << files[n] << units[n];
    }
    void planningAndAnnexTables()
    {
        QFETCH(int, kind);
        QFETCH(QString, file);
        QFETCH(QString, unit);
        QFile reference(QStringLiteral(ZOLVARIC_TEST_DATA "/hoai-tables/%1.csv").arg(file));
        QVERIFY(reference.open(QIODevice::ReadOnly));
        QList<QList<double>> rows;
        for (const QByteArray &line : reference.readAll().split('\n').mid(1)) {
            if (line.trimmed().isEmpty())
                continue;
            QList<double> row;
            for (const QByteArray &cell : line.trimmed().split(';'))
                row << cell.toDouble();
            rows << row;
        }
        int zones = 0;
        while (zones < 5 && rows[0][2 * zones + 2] > 0)
            ++zones;
        const int rateIndex[3] = {4, 2, 0}; // 0, 50 and 100 % of the span
        const auto fee = [&](int row, int zone, int rate) {
            const double von = rows[row][2 * zone - 1];
            return von + (rows[row][2 * zone] - von) * rate * 50 / 100;
        };
        const auto compute = [&](double basis, int zone, int rate) {
            return runJson({"--set", QStringLiteral("HOAI_nach=%1").arg(kind % 2), "--set",
                            QStringLiteral("Honorarberechnung_fuer=%1").arg(kind), "--set",
                            QStringLiteral("Honorarzone=%1").arg(zone - 1), "--set",
                            QStringLiteral("Honorarsatz=%1").arg(rateIndex[rate]), "--set",
                            QStringLiteral("Anrechenbare_Kosten=%1")
                                .arg(QString::number(basis, 'f', 2).replace('.', ','))});
        };
        for (int row = 0; row < rows.size(); ++row) {
            const int zone = row % zones + 1;
            const int rate = row % 3;
            QJsonObject json = compute(rows[row][0], zone, rate);
            QCOMPARE(json["trace"].toObject()["Grundhonorar"].toDouble(), fee(row, zone, rate));
            QVERIFY(json["warnings"].toArray().isEmpty());
            if (row + 1 == rows.size())
                break;
            // Between two keys, in the field's two decimals.
            const double k1 = rows[row][0], k2 = rows[row + 1][0];
            const double basis = std::round((k1 + (k2 - k1) * 0.3) * 100) / 100;
            const int zone2 = (row + 1) % zones + 1;
            const int rate2 = (row + 2) % 3;
            const double h1 = fee(row, zone2, rate2), h2 = fee(row + 1, zone2, rate2);
            json = compute(basis, zone2, rate2);
            QVERIFY(qAbs(json["trace"].toObject()["Grundhonorar"].toDouble() -
                         ((h2 - h1) * (basis - k1) / (k2 - k1) + h1)) < 1e-6);
        }
        // Outside the table and beyond its zones: no fee, and a note in the unit.
        QJsonObject json = compute(rows.first()[0] / 2, 1, 0);
        QCOMPARE(json["trace"].toObject()["Grundhonorar"].toDouble(), 0.0);
        QVERIFY2(
            json["warnings"][0].toString().contains(QStringLiteral("unter dem Tafelanfangswert")),
            qPrintable(json["warnings"][0].toString()));
        json = compute(rows.last()[0] * 1.5, 1, 2);
        QCOMPARE(json["trace"].toObject()["Grundhonorar"].toDouble(), 0.0);
        QVERIFY(json["warnings"][0].toString().contains(QStringLiteral("über dem Tafelendwert")));
        QVERIFY2(json["warnings"][0].toString().contains(
                     QStringLiteral(" %1) und damit außerhalb der Honorartafel.").arg(unit)),
                 qPrintable(json["warnings"][0].toString()));
        // A zone the table lacks computes nothing: it is refused.
        if (zones < 5) {
            const CliRun refused =
                runCli({"--set", QStringLiteral("HOAI_nach=%1").arg(kind % 2), "--set",
                        QStringLiteral("Honorarberechnung_fuer=%1").arg(kind), "--set",
                        QStringLiteral("Honorarzone=%1").arg(zones)});
            QCOMPARE(refused.exitCode, 2);
            QVERIFY2(refused.err.contains(
                         QStringLiteral("kennt nur die Honorarzonen 1 bis %1.").arg(zones)),
                     qPrintable(refused.err));
        }
        QCOMPARE(json["lbKosten"].toString(),
                 unit == QLatin1String("ha") ? QStringLiteral("Fläche in Hektar :")
                 : unit == QLatin1String("VE")
                     ? QStringLiteral("Verrechnungseinheiten :")
                     : QStringLiteral("Anrechenbare Kosten gem. HOAI / DIN 276"));
    }

    // What a new user runs into, as the command line shows it: below the
    // table, another kind alone, the survey's points, shares above the law.
    void firstOfferTraps_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("warning");
        QTest::newRow("below the table")
            << QStringList{"--set", "Anrechenbare_Kosten=20000"} << "edHonorar100Proz"
            << QJsonValue(0.0) << "unter dem Tafelanfangswert der Honorartafel § 35";
        QTest::newRow("Tragwerksplanung alone")
            << QStringList{"--set", "Honorarberechnung_fuer=5"} << "shares"
            << QJsonValue(QJsonArray{3, 10, 15, 30, 40, 2, 0, 0, 0}) << "";
        QTest::newRow("typed share stays")
            << QStringList{"--set", "LP9=1", "--set", "Honorarberechnung_fuer=5"} << "shares"
            << QJsonValue(QJsonArray{2, 7, 15, 3, 25, 10, 4, 32, 1})
            << "LP8: 32,00 % angeboten, das Leistungsbild hat höchstens 0 %.";
        QTest::newRow("survey points")
            << QStringList{"--set", "Honorarberechnung_fuer=19", "--set",
                           "Bewertungspunkte=3;3;3;5;7;7"}
            << "Bewertungspunkte"
            << QJsonValue(
                   QJsonObject{{"points", QJsonArray{3, 3, 3, 5, 7, 7}}, {"sum", 28}, {"zone", 3}})
            << "";
    }
    void firstOfferTraps()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, field);
        QFETCH(QJsonValue, value);
        QFETCH(QString, warning);
        const QJsonObject json = runJson(arguments);
        if (field == QLatin1String("shares")) {
            QJsonArray shares;
            for (int n = 1; n <= 9; ++n)
                shares << json[QStringLiteral("edLP%1").arg(n)];
            QCOMPARE(QJsonValue(shares), value);
        } else {
            QCOMPARE(json[field], value);
        }
        const QStringList warnings = json["warnings"].toVariant().toStringList();
        if (warning.isEmpty())
            QCOMPARE(warnings, QStringList());
        else
            QCOMPARE(warnings.filter(warning).size(), 1);
    }

    // Another kind of work set alone keeps the stored basis, and says that
    // it now counts in hectares; the basis given anew needs no check.
    void kindAloneMarksTheBasisInAnotherUnit()
    {
        const QString file = home().filePath(QStringLiteral("basis.prj"));
        QCOMPARE(runCli({"--set", "Anrechenbare_Kosten=12", "--save", file}).exitCode, 0);
        const QString note = QStringLiteral("Die Grundlage ist jetzt in Hektar – bitte prüfen");
        QJsonObject json = runJson({"--project", file, "--set", "Honorarberechnung_fuer=8"});
        QCOMPARE(json["edKosten"].toDouble(), 12.0);
        QVERIFY(json["warnings"].toVariant().toStringList().contains(note));
        json = runJson({"--project", file, "--set", "Honorarberechnung_fuer=8", "--set",
                        "Anrechenbare_Kosten=12"});
        QVERIFY(!json["warnings"].toVariant().toStringList().contains(note));
    }

    void readableBreakdown()
    {
        const CliRun run = runCli(kWorkedExample);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(QStringLiteral("Honorarberechnung nach HOAI 2013")));
        QVERIFY(run.out.contains(QStringLiteral("LP5 Ausführungsplanung")));
        QVERIFY(run.out.contains(QStringLiteral("4.950,75 €")));
        const QString last = run.out.trimmed().split(QLatin1Char('\n')).last();
        QVERIFY(last.startsWith(QStringLiteral("Bruttohonorar")));
        QVERIFY(last.endsWith(QStringLiteral(" 31.566,87 €")));
        QVERIFY(!run.out.contains(QStringLiteral("Hinweise:")));
    }

    void aboveTheTableWarns()
    {
        const CliRun run =
            runCli({"--json", "--set", "Anrechenbare_Kosten=30000000", "--set", "Zeithonorar=100"});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
        const QString warning = QStringLiteral(
            "Die anrechenbaren Kosten liegen über dem Tafelendwert der Honorartafel § 35 "
            "(25.000.000,00 €) und damit außerhalb der Honorartafel. Das Honorar richtet sich "
            "nach der Vereinbarung, die die Vertragsparteien in Textform treffen (§ 7 Abs. 1 HOAI "
            "2021).");
        QCOMPARE(json["warnings"].toArray(), QJsonArray{warning});
        QCOMPARE(run.err.count(QStringLiteral("Warnung: ") + warning), 1);
        QCOMPARE(json["edHonorar100Proz"].toDouble(), 0.0);
        QCOMPARE(json["edBruttohonorar"].toDouble(), 119.0);
        // The breakdown says why the basic fee is 0,00 €, right below it.
        const CliRun text = runCli({"--set", "Anrechenbare_Kosten=30000000"});
        QCOMPARE(text.exitCode, 0);
        QVERIFY2(text.out.contains(QRegularExpression(
                     "Grundhonorar \\(100%\\) +0,00 €\n\nHinweise:\n" +
                     QRegularExpression::escape(warning) + "\n\nLeistungsphase ")),
                 qPrintable(text.out));
    }

    void overrideTablesBesideTheProgram()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("HOAI2013")));
        QFile file(dir.filePath(QStringLiteral("HOAI2013/35_gebaeude_innenraeume.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Kosten;Zone 1 - von;Zone 1 - bis;Zone 2 - von;Zone 2 - bis;Zone 3 - von;Zone 3 "
                   "- bis;Zone 4 - von;Zone 4 - bis;Zone 5 - von;Zone 5 - bis\r\n"
                   "0;100;200;0;0;0;0;0;0;0;0\r\n1000;1100;1200;0;0;0;0;0;0;0;0\r\n");
        file.close();
        const QJsonObject json =
            runJson({"--program-dir", dir.path(), "--set", "Anrechenbare_Kosten=500"});
        QCOMPARE(json["edHonorar100Proz"].toDouble(), 600.0);
    }

    // A table that cannot be used fails every step of the run; it is said once.
    void unusableTableIsNamedOnce()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("HOAI2013")));
        const QString table = dir.filePath(QStringLiteral("HOAI2013/35_gebaeude_innenraeume.csv"));
        QFile file(table);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(2 * 1024 * 1024));
        file.close();
        const CliRun run = runCli({"--program-dir", dir.path()});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.trimmed(),
                 QStringLiteral("Fehler: Die Tabellendatei \"%1\" ist zu groß für eine Tabelle.")
                     .arg(shown(table)));
    }

    void loadThenSetThenSave()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(QStringLiteral("angebot.prj"));
        QFile file(project);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Projektdaten]\r\nProjektbezeichnung=Kita Sonnenschein\r\nHOAI_nach=1\r\n"
                   "Honorarzone=2\r\nHonorarsatz=2\r\nAnrechenbare_Kosten=100000\r\nMwSt=19\r\n"
                   "LP1=2\r\nLP2=7\r\nLP3=15\r\nLP4=3\r\nLP5=25\r\nLP6=10\r\nLP7=4\r\nLP8="
                   "32\r\nLP9=2\r\n");
        file.close();
        const QString saved = dir.filePath(QStringLiteral("neu.prj"));
        const QJsonObject json =
            runJson({"--project", project, "--set", "Anrechenbare_Kosten=120000", "--save", saved});
        QCOMPARE(json["edProjektbez"].toString(), QStringLiteral("Kita Sonnenschein"));
        QCOMPARE(json["edHonorar100Proz"].toDouble(), 19803.0);
        QFile written(saved);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(bytes.contains("\r\nAnrechenbare_Kosten=120000\r\n"));
        QVERIFY(bytes.contains("Projektbezeichnung=Kita Sonnenschein\r\n"));
        // The tool only reads the office's settings and writes no registry values.
        QVERIFY(!QFileInfo::exists(home().filePath(QStringLiteral("config/Quorvel-Software"))));
        QVERIFY(!QFileInfo::exists(home().filePath(QStringLiteral("data/Quorvel-Software"))));
    }

    // A writable project in a folder its user may not write to (a shared
    // folder) is saved into the file itself. Run as an ordinary user: as
    // root, the tool runs as "nobody".
    void saveIntoAFolderWithoutWriteAccess()
    {
        ZOLVARIC_REQUIRE_POSIX();
        QStringList wrapper;
        if (posixfiles::runsAsRoot()) {
            if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
                QSKIP("setpriv is missing");
            wrapper = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
        }
        QTemporaryDir dir;
        const auto readable = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                              QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                              QFileDevice::ReadOther | QFileDevice::ExeOther;
        QVERIFY(QFile::setPermissions(dir.path(), readable | QFileDevice::WriteOwner));
        // A copy of the tool that every user may run.
        const QString program = dir.filePath(QStringLiteral("zolvaric-cli"));
        QVERIFY(QFile::copy(QStringLiteral(ZOLVARIC_CLI), program));
        const QString folder = dir.filePath(QStringLiteral("geteilt"));
        QVERIFY(QDir().mkpath(folder));
        const QString project = folder + QStringLiteral("/angebot.prj");
        QFile file(project);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Projektdaten]\r\nMwSt=16\r\n");
        file.close();
        QVERIFY(
            QFile::setPermissions(project, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                               QFileDevice::ReadOther | QFileDevice::WriteOther));
        QVERIFY(QFile::setPermissions(folder, readable));
        const CliRun run = runCli({"--set", "MwSt=19", "--save", project}, QStringLiteral("calc"),
                                  wrapper, program);
        QFile::setPermissions(folder, readable | QFileDevice::WriteOwner);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY2(bytes.startsWith("[Projektdaten]\r\n"), bytes.constData());
        QVERIFY2(bytes.contains("\r\nMwSt=19\r\n"), bytes.constData());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void failedLoadOrSave_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTemporaryDir dir;
        QTest::newRow("bad project")
            << QStringList{"--project", QStringLiteral(ZOLVARIC_TEST_DATA "/projects/bad-zone.prj")}
            << "Der Wert 9 für \"Honorarzone\" liegt außerhalb der Auswahl (0 bis 4).";
        QTest::newRow("missing project") << QStringList{"--project", "/gibt/es/nicht.prj"}
                                         << QStringLiteral("Die Projektdatei \"%1\" gibt es nicht.")
                                                .arg(shown(QStringLiteral("/gibt/es/nicht.prj")));
        QTest::newRow("save into a missing folder")
            << QStringList{"--save", "/gibt/es/nicht/neu.prj"}
            << QStringLiteral("Das Projekt konnte nicht gespeichert werden: Der Ordner \"%1\" "
                              "existiert nicht.")
                   .arg(shownFolder(QStringLiteral("/gibt/es/nicht")));
    }
    void failedLoadOrSave()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    void masterDataOfTheOffice_data()
    {
        QTest::addColumn<bool>("programFolder");
        QTest::newRow("program folder") << true;
        QTest::newRow("data folder of the window") << false;
    }
    void masterDataOfTheOffice()
    {
        QFETCH(bool, programFolder);
        QTemporaryDir programDir;
        const QString dataFile = dataHomeFor(home().filePath(QStringLiteral("data"))) +
                                 QStringLiteral("/Quorvel-Software/zolvaric/Zolvaric.ini");
        const QString settings =
            programFolder ? programDir.filePath(QStringLiteral("Zolvaric.ini")) : dataFile;
        QDir().mkpath(QFileInfo(settings).path());
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(programFolder ? "[Einstellungen]\r\nUseAllwaysAppDir=1\r\n" : "") +
                   "[Stammdaten]\r\nFirma=Planungsb\xFCro Sonne\r\nInternet=www.sonne.de\r\n");
        file.close();
        const QJsonObject json = runJson({"--program-dir", programDir.path()});
        QFile::remove(dataFile);
        QCOMPARE(json["edStammFirma"].toString(), QStringLiteral("Planungsbüro Sonne"));
        QCOMPARE(json["edStammInternet"].toString(), QStringLiteral("www.sonne.de"));
        QCOMPARE(json["edStammOrt"].toString(), QString());
    }

    void htmlReportWithTheDefaultTemplate()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("angebot.htm"));
        const CliRun run = runCli(QStringList{"html", "--output", output} + kWorkedExample,
                                  QStringLiteral("report"));
        QCOMPARE(run.exitCode, 0);
        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray page = file.readAll();
        QVERIFY(page.contains("31.566,87 \x80"));
        QVERIFY(page.contains("8 Objekt\xFC"
                              "berwachung"));
        QVERIFY(!page.contains("\\Bruttohonorar\\"));
        QVERIFY(page.endsWith("</html>\r\n"));
    }

    void htmlReportWithOwnTemplate()
    {
        QTemporaryDir dir;
        const QString templatePath = dir.filePath(QStringLiteral("eigen.htm"));
        QFile file(templatePath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<p>\\Honorartyp\\: \\nettohonorar\\</p>");
        file.close();
        const QString output = dir.filePath(QStringLiteral("out.htm"));
        const CliRun run = runCli({"html", "--template", templatePath, "--output", output, "--set",
                                   "Anrechenbare_Kosten=100000"},
                                  QStringLiteral("report"));
        QCOMPARE(run.exitCode, 0);
        QFile written(output);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("<p>Geb\xE4ude: 10.790,00 \x80</p>\r\n"));
    }

    void wordReportWithTheDefaultTemplate()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("angebot.docx"));
        const CliRun run = runCli(QStringList{"doc", "--output", output} + kWorkedExample,
                                  QStringLiteral("report"));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QByteArray body = zipEntry(output, "word/document.xml");
        QVERIFY(body.contains("31.566,87 €"));
        QVERIFY(body.contains("8 Objektüberwachung"));
        QVERIFY(!body.contains("\\Bruttohonorar\\"));
        QVERIFY(!zipEntry(output, "[Content_Types].xml").contains("template.main+xml"));
    }

    void pdfReportWithTheDefaultTemplate()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("angebot.pdf"));
        const CliRun run = runCli(QStringList{"pdf", "--output", output} + kWorkedExample,
                                  QStringLiteral("report"));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QVERIFY(pdf.startsWith("%PDF-1."));
        QVERIFY(pdf.endsWith("%%EOF\n"));
        QCOMPARE(pdf.count("/Type /Page\n"), 2);
    }

    void badReports_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown kind") << QStringList{"rtf", "--output", "x"} << 2
                                      << "Unbekannte Berichtsart: rtf (html, doc oder pdf)";
        QTest::newRow("no output")
            << QStringList{"html"} << 2 << "Die Ausgabedatei fehlt (--output DATEI).";
        QTest::newRow("missing template")
            << QStringList{"html", "--template", "/gibt/es/nicht.htm", "--output", "/tmp/x.htm"}
            << 1
            << QStringLiteral("Die Vorlagedatei \"%1\" konnte nicht gefunden werden.")
                   .arg(shown(QStringLiteral("/gibt/es/nicht.htm")));
        // A folder, pipe or device is there, only no file to read.
        QTest::newRow("template is a folder")
            << QStringList{"pdf", "--template", QDir::tempPath(), "--output", "/tmp/x.pdf"} << 1
            << QStringLiteral("Die Vorlagedatei \"%1\" ist keine gewöhnliche Datei")
                   .arg(shown(QDir::tempPath()));
        QTest::newRow("output folder missing")
            << QStringList{"html", "--output", "/gibt/es/nicht/x.htm"} << 1
            << QStringLiteral("Der Bericht \"%1\" konnte nicht geschrieben werden: ")
                   .arg(shown(QStringLiteral("/gibt/es/nicht/x.htm")));
        QTest::newRow("pdf: output folder missing")
            << QStringList{"pdf", "--output", "/gibt/es/nicht/x.pdf"} << 1
            << QStringLiteral("Der Bericht \"%1\" konnte nicht geschrieben werden: ")
                   .arg(shown(QStringLiteral("/gibt/es/nicht/x.pdf")));
    }
    void badReports()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const CliRun run = runCli(arguments, QStringLiteral("report"));
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }

    // What a report is made from is never its output.
    void reportNeverOverwritesItsInputs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("target");
        QTest::newRow("html over the project") << "html"
                                               << "project";
        QTest::newRow("html over the template") << "html"
                                                << "template";
        QTest::newRow("doc over the project") << "doc"
                                              << "project";
        QTest::newRow("pdf over the template") << "pdf"
                                               << "template";
    }
    void reportNeverOverwritesItsInputs()
    {
        QFETCH(QString, kind);
        QFETCH(QString, target);
        QTemporaryDir dir;
        const QString project = dir.filePath(QStringLiteral("angebot.prj"));
        const QString templatePath = dir.filePath(QStringLiteral("vorlage.htm"));
        const QByteArray projectBytes = "[Projektdaten]\r\nAnrechenbare_Kosten=100000\r\n";
        const QByteArray templateBytes = "<p>\\Nettohonorar\\</p>";
        for (const auto &[path, bytes] :
             {std::pair{project, projectBytes}, std::pair{templatePath, templateBytes}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        // Another spelling of the same file.
        const QString output =
            dir.path() + QStringLiteral("/./") +
            QFileInfo(target == QLatin1String("project") ? project : templatePath).fileName();
        QStringList arguments = {kind, "--project", project, "--output", output};
        if (kind != QLatin1String("doc"))
            arguments += {"--template", templatePath};
        const CliRun run = runCli(arguments, QStringLiteral("report"));
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QStringLiteral("wird nicht überschrieben")), qPrintable(run.err));
        for (const auto &[path, bytes] :
             {std::pair{project, projectBytes}, std::pair{templatePath, templateBytes}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), bytes);
        }
    }

    void reportOntoAPipeIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("html") << "html";
        QTest::newRow("doc") << "doc";
        QTest::newRow("pdf") << "pdf";
    }
    void reportOntoAPipeIsRefused()
    {
        QFETCH(QString, kind);
        ZOLVARIC_REQUIRE_POSIX();
        QTemporaryDir dir;
        const QString pipe = dir.filePath(QStringLiteral("rohr"));
        QVERIFY(posixfiles::makePipe(pipe));
        const CliRun run = runCli({kind, "--output", pipe}, QStringLiteral("report"));
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("keine gewöhnliche Datei")), qPrintable(run.err));
        QCOMPARE(posixfiles::nodeAt(pipe), posixfiles::Node::Pipe);
    }

    void reportToStandardOutput_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("start");
        QTest::newRow("html") << "html"
                              << "<";
        QTest::newRow("doc") << "doc"
                             << "PK";
        QTest::newRow("pdf") << "pdf"
                             << "%PDF-";
    }
    void reportToStandardOutput()
    {
        QFETCH(QString, kind);
        QFETCH(QString, start);
        // Qt's PDF writer embeds the fonts in the order of a seeded hash:
        // with one seed for both runs the two PDFs can be compared.
        qputenv("QT_HASH_SEED", "0");
        const auto unsetSeed = qScopeGuard([] { qunsetenv("QT_HASH_SEED"); });
        const CliRun run =
            runCli(QStringList{kind, "--output", "-"} + kWorkedExample, QStringLiteral("report"));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.trimmed().startsWith(start), qPrintable(run.out.left(100)));
        QVERIFY(!QFileInfo::exists(QStringLiteral("-")));
        // The bytes a file gets: standard output is no text stream, which on
        // Windows would make two line ends of each and break the zip.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("bericht"));
        const CliRun written =
            runCli(QStringList{kind, "--output", file} + kWorkedExample, QStringLiteral("report"));
        QVERIFY2(written.exitCode == 0, qPrintable(written.err));
        QFile expected(file);
        QVERIFY(expected.open(QIODevice::ReadOnly));
        if (kind == QLatin1String("html")) {
            QCOMPARE(run.outBytes, expected.readAll());
        } else if (kind == QLatin1String("pdf")) {
            // The same bytes but for the time the file was made.
            const QRegularExpression date(QStringLiteral("\\(D:[^)]*\\)"));
            QCOMPARE(QString::fromLatin1(run.outBytes).remove(date),
                     QString::fromLatin1(expected.readAll()).remove(date));
        } else {
            const QString piped = dir.filePath(QStringLiteral("weitergereicht"));
            QFile out(piped);
            QVERIFY(out.open(QIODevice::WriteOnly) &&
                    out.write(run.outBytes) == run.outBytes.size());
            out.close();
            const QByteArray body = zipEntry(piped, "word/document.xml");
            QVERIFY(body.contains("31.566,87"));
            QCOMPARE(body, zipEntry(file, "word/document.xml"));
        }
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown option") << QStringList{"--bogus"} << "Unbekannte Option: --bogus";
        QTest::newRow("unknown key")
            << QStringList{"--set", "Kosten=1"} << "Unbekannter Schlüssel: Kosten";
        QTest::newRow("no assignment")
            << QStringList{"--set", "MwSt"} << "--set erwartet SCHLÜSSEL=WERT";
        QTest::newRow("missing value")
            << QStringList{"--set"} << "Zur Option --set fehlt der Wert.";
        QTest::newRow("number") << QStringList{"--set", "MwSt=neunzehn"}
                                << "'neunzehn' ist kein gültiger Gleitkommawert";
        QTest::newRow("two separators") << QStringList{"--set", "Anrechenbare_Kosten=1.000,50"}
                                        << "'1.000,50' ist kein gültiger Gleitkommawert";
        QTest::newRow("index") << QStringList{"--set", "Honorarzone=2,5"}
                               << "'2,5' ist kein gültiger Integerwert";
        QTest::newRow("index beyond the list")
            << QStringList{"--set", "Honorarzone=5"}
            << "Der Wert 5 für \"Honorarzone\" liegt außerhalb der Auswahl (0 bis 4).";
        QTest::newRow("kind beyond the edition's list")
            << QStringList{"--set", "HOAI_nach=2", "--set", "Honorarberechnung_fuer=5"}
            << "liegt außerhalb der Auswahl (0 bis 4).";
        QTest::newRow("empty project name")
            << QStringList{"--project", ""} << "Zur Option --project fehlt der Dateiname.";
        QTest::newRow("empty save name")
            << QStringList{"--save="} << "Zur Option --save fehlt der Dateiname.";
        QTest::newRow("negative index")
            << QStringList{"--set", "HOAI_nach=-1"}
            << "Der Wert -1 für \"HOAI_nach\" liegt außerhalb der Auswahl (0 bis 3).";
        QTest::newRow("free rate no number")
            << QStringList{"--set", "Honorarsatz_Prozent=hoch"}
            << "Honorarsatz_Prozent: 'hoch' ist kein gültiger Gleitkommawert";
        QTest::newRow("a value that would overflow")
            << QStringList{"--set", "Zeithonorar=1e308"}
            << "Zeithonorar: '1e308' ist zu groß; erlaubt sind Werte bis 1.000.000.000.000.";
        QTest::newRow("a free rate that would overflow")
            << QStringList{"--set", "Honorarsatz=5", "--set", "Honorarsatz_Prozent=1e302"}
            << "Honorarsatz_Prozent: '1e302' ist zu groß";
        QTest::newRow("long value shortened")
            << QStringList{"--set", "MwSt=" + QString(100000, u'9') + "x"}
            << "MwSt: '" + QString(59, u'9') + "…' ist kein gültiger Gleitkommawert";
        QTest::newRow("repetition of a Flächenplanung")
            << QStringList{"--set", "Honorarberechnung_fuer=7", "--set", "Wiederholung=1"}
            << "Wiederholung: Die Flächenplanung (Flächennutzungsplan) kennt keine Minderung";
        QTest::newRow("zone the table lacks")
            << QStringList{"--set", "Honorarberechnung_fuer=8", "--set", "Honorarzone=3"}
            << "Honorarzone: Der Wert 3 wählt die Honorarzone 4";
        QTest::newRow("points without a point system")
            << QStringList{"--set", "Honorarberechnung_fuer=5", "--set", "Bewertungspunkte=1;1"}
            << "Bewertungspunkte: Für Tragwerksplanung nach HOAI 2021 sind keine Bewertungspunkte "
               "hinterlegt";
    }
    void badArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err.left(300)));
        QVERIFY(run.err.size() < 1000);
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(CliTest)

#include "tst_cli.moc"
