#include "CalcHarness.h"
#include "PosixFiles.h"
#include "RunTests.h"
#include "TestFiles.h"

#include "calc/ProjectInputs.h"
#include "persist/IniAccess.h"
#include "persist/ProjectFile.h"

#include <QDir>
#include <QRandomGenerator>

using namespace zolvaric;

namespace {

// Every input and result of a sheet, as the user would compare them.
QStringList snapshot(const Calculation &calculation)
{
    QStringList values;
    for (const Field *field : calculation.sheet().allFields()) {
        if (const auto *number = dynamic_cast<const NumericField *>(field))
            values << QStringLiteral("%1=%2").arg(QLatin1String(field->name()), number->text());
        else if (const auto *text = dynamic_cast<const TextField *>(field))
            values << QStringLiteral("%1=%2").arg(QLatin1String(field->name()), text->text());
        else if (const auto *list = dynamic_cast<const ChoiceField *>(field))
            values << QStringLiteral("%1=%2").arg(QLatin1String(field->name())).arg(list->index());
    }
    const InterpolationTrace &t = calculation.trace();
    const std::pair<const char *, double> trace[] = {
        {"K1", t.K1}, {"H1V", t.H1V}, {"H1B", t.H1B}, {"H1", t.H1},
        {"K2", t.K2}, {"H2V", t.H2V}, {"H2B", t.H2B}, {"H2", t.H2},
        {"D1", t.D1}, {"D2", t.D2},   {"D3", t.D3},   {"Grundhonorar", t.Grundhonorar}};
    for (const auto &[name, value] : trace)
        values << QStringLiteral("%1=%2").arg(QLatin1String(name)).arg(value, 0, 'g', 17);
    return values;
}

QString randomText(QRandomGenerator &random)
{
    static const QString alphabet = QStringLiteral("abcXYZ äöüß ÄÖÜ€;\"'=[]%$§&/\\.,-0123 éŁ");
    QString text;
    const int length = random.bounded(12);
    for (int i = 0; i < length; ++i)
        text += alphabet[random.bounded(static_cast<int>(alphabet.size()))];
    return text;
}

// Two decimals, as a field holds them.
double randomAmount(QRandomGenerator &random, qint64 maxEuro)
{
    return static_cast<double>(random.bounded(maxEuro * 100)) / 100.0;
}

// Edition, kind of work, zone, rate and basis, each at random.
void randomBasis(QRandomGenerator &random, CalculationSheet &s)
{
    s.comboHOAINorm.select(random.bounded(4));
    s.comboHonorarparagraph.select(
        random.bounded(static_cast<int>(s.comboHonorarparagraph.items().size())));
    // The zones its fee table has, as the window offers them.
    s.comboHonorarzone.select(random.bounded(std::max(1, feeTableZones(s.gridHOAI.table()))));
    s.comboHonorarsatz.select(random.bounded(5));
    s.edKosten.setValue(randomAmount(random, 30000000));
}

} // namespace

class ProjectFileTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    // Saved and loaded, a sheet comes back with the same inputs, texts with
    // blanks and quotes included, and results.
    void randomSheetsSurviveSaveAndLoad()
    {
        QRandomGenerator random(8122026);
        CalcHarness source;
        CalcHarness target;
        const QString file = path(QStringLiteral("roundtrip.prj"));
        for (int round = 0; round < 1000; ++round) {
            CalculationSheet &s = source.sheet();
            randomBasis(random, s);
            for (NumericField *share : s.edLP)
                share->setValue(randomAmount(random, 40));
            for (NumericField *input : {&s.edZuschlagAnrechenbareKostenProz, &s.edZuschlagUmbau,
                                        &s.edNebenkosten, &s.edMwSt})
                input->setValue(randomAmount(random, 30));
            for (NumericField *input :
                 {&s.edZeithonorar, &s.edBesondereLeistung, &s.edBesondereLeistungZeit})
                input->setValue(randomAmount(random, 100000));
            for (TextField *text : s.projectTextFields)
                text->setText(randomText(random));
            s.edZuschlagAnrechenbareKosten.setText(randomText(random));

            QVERIFY(SaveProject(*source.offer, source.run, source.desktop, file));
            QVERIFY(LoadProject(*target.offer, target.run, target.desktop, file));
            QCOMPARE(snapshot(*target.calculation), snapshot(*source.calculation));
            QVERIFY(source.desktop.errors.isEmpty());
            QVERIFY(target.desktop.errors.isEmpty());
        }
    }

    // Offers of 1 to 12 calculations come back with every calculation's
    // inputs and results; each calculation opened in both is compared.
    void randomOffersSurviveSaveAndLoad()
    {
        QRandomGenerator random(10122026);
        const QString file = path(QStringLiteral("angebot.prj"));
        CalcHarness target;
        for (int round = 0; round < 1000; ++round) {
            CalcHarness source;
            const int count = 1 + random.bounded(12);
            for (int n = 0; n < count; ++n) {
                if (n > 0 && random.bounded(2) == 0)
                    source.offer->duplicate();
                else if (n > 0)
                    source.offer->add();
                CalculationSheet &s = source.sheet();
                randomBasis(random, s);
                s.edLP[random.bounded(9)]->setValue(randomAmount(random, 40));
                s.edNebenkosten.setValue(randomAmount(random, 30));
                s.edMwSt.setValue(random.bounded(3) == 0 ? 7 : 19);
                s.edWiederholung.setValue(random.bounded(3) == 0 ? random.bounded(12) : 0);
                s.edBezeichnung.setText(random.bounded(2) == 0 ? randomText(random) : QString());
            }
            source.sheet().edProjektbez.setText(randomText(random));

            QVERIFY(SaveProject(*source.offer, source.run, source.desktop, file));
            QVERIFY(LoadProject(*target.offer, target.run, target.desktop, file));
            QCOMPARE(target.offer->count(), count);
            QCOMPARE(target.offer->totals().gross, source.offer->totals().gross);
            for (int n = count - 1; n >= 0; --n) {
                source.offer->select(n);
                target.offer->select(n);
                QCOMPARE(snapshot(*target.calculation), snapshot(*source.calculation));
            }
            QVERIFY(!target.run.projectChanged);
            QVERIFY(source.desktop.errors.isEmpty() && target.desktop.errors.isEmpty());
        }
    }

    // Saving after a removal leaves no section of a calculation behind;
    // sections of others stay. One calculation writes no section of its own.
    void removedCalculationsLeaveNoSection()
    {
        CalcHarness h;
        enterWorkedExample(h);
        const QString file = path(QStringLiteral("entfernt.prj"));
        writeBytes(file, "[Notizen]\r\nText=bleibt\r\n");
        for (int n = 2; n <= 5; ++n) {
            h.offer->duplicate();
            h.sheet().edBezeichnung.setText(QStringLiteral("Haus %1").arg(n));
        }
        QVERIFY(SaveProject(*h.offer, h.run, h.desktop, file));
        QVERIFY(readBytes(file).contains("[Teilhonorar 5]\r\nHOAI_nach=1\r\n"));
        QCOMPARE(ReadIniString(file, "Teilhonorar 3", "Bezeichnung", QString()),
                 QStringLiteral("Haus 3"));
        h.offer->remove(1);
        h.offer->remove(3);
        QVERIFY(SaveProject(*h.offer, h.run, h.desktop, file));
        QCOMPARE(ReadIniString(file, "Teilhonorar 3", "Bezeichnung", QString()),
                 QStringLiteral("Haus 4"));
        QVERIFY(!readBytes(file).contains("[Teilhonorar 4]"));
        h.offer->remove(1);
        h.offer->remove(1);
        QVERIFY(SaveProject(*h.offer, h.run, h.desktop, file));
        QVERIFY(!readBytes(file).contains("[Teilhonorar"));
        QCOMPARE(ReadIniString(file, "Notizen", "Text", QString()), QStringLiteral("bleibt"));
        QVERIFY(!readBytes(file).contains("Bezeichnung="));
        QVERIFY(!readBytes(file).contains("Wiederholung="));
    }

    // What the file holds that the program does not know (keys, comments)
    // goes with its calculation when the list changes order; a copy gets a
    // section of its own, a calculation that becomes the first brings its
    // lines into the project's section. The save after it writes the same.
    void unknownLinesGoWithTheirCalculation_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("expected");
        QTest::newRow("remove B") << "remove 1"
                                  << "Projektdaten:A,EigenesA=a Teilhonorar 2:C,EigenesC=c "
                                     "Notizen:,Text=x";
        QTest::newRow("move C up") << "move 2 1"
                                   << "Projektdaten:A,EigenesA=a Teilhonorar 2:C,EigenesC=c "
                                      "Teilhonorar 3:B,; Kommentar B,EigenesB=b Notizen:,Text=x";
        QTest::newRow("move B down") << "move 1 2"
                                     << "Projektdaten:A,EigenesA=a Teilhonorar 2:C,EigenesC=c "
                                        "Teilhonorar 3:B,; Kommentar B,EigenesB=b Notizen:,Text=x";
        QTest::newRow("copy B") << "copy 1"
                                << "Projektdaten:A,EigenesA=a Teilhonorar 2:B,; Kommentar "
                                   "B,EigenesB=b Teilhonorar 3:B Teilhonorar 4:C,EigenesC=c "
                                   "Notizen:,Text=x";
        QTest::newRow("remove A") << "remove 0"
                                  << "Projektdaten:B,EigenesA=a,; Kommentar B,EigenesB=b "
                                     "Teilhonorar 2:C,EigenesC=c Notizen:,Text=x";
        QTest::newRow("move A down") << "move 0 1"
                                     << "Projektdaten:B,EigenesA=a,; Kommentar B,EigenesB=b "
                                        "Teilhonorar 2:A Teilhonorar 3:C,EigenesC=c "
                                        "Notizen:,Text=x";
    }
    void unknownLinesGoWithTheirCalculation()
    {
        QFETCH(QString, operation);
        QFETCH(QString, expected);
        CalcHarness h;
        const QString file = path(QStringLiteral("fremd.prj"));
        writeBytes(file, "[Projektdaten]\r\nBezeichnung=A\r\nEigenesA=a\r\n"
                         "[Teilhonorar 2]\r\nBezeichnung=B\r\n; Kommentar B\r\nEigenesB=b\r\n"
                         "[Teilhonorar 3]\r\nBezeichnung=C\r\nEigenesC=c\r\n"
                         "[Notizen]\r\nText=x\r\n");
        QVERIFY(LoadProject(*h.offer, h.run, h.desktop, file));
        const QStringList words = operation.split(QLatin1Char(' '));
        const int index = words[1].toInt();
        if (words[0] == QLatin1String("remove")) {
            h.offer->remove(index);
        } else if (words[0] == QLatin1String("move")) {
            h.offer->move(index, words[2].toInt());
        } else {
            h.offer->select(index);
            h.offer->duplicate();
        }
        QVERIFY(SaveProject(*h.offer, h.run, h.desktop, file));
        // Per section: the title, then every line but the program's own keys.
        QStringList sections;
        for (const QString &line :
             QString::fromUtf8(readBytes(file)).split(QStringLiteral("\r\n"))) {
            if (line.startsWith(QLatin1Char('['))) {
                sections << line.mid(1, line.size() - 2) + QLatin1Char(':');
            } else if (line.startsWith(QLatin1String("Bezeichnung="))) {
                sections.back() += line.mid(12);
            } else if (!line.isEmpty() && !findProjectKey(line.section(QLatin1Char('='), 0, 0))) {
                sections.back() += QLatin1Char(',') + line;
            }
        }
        QCOMPARE(sections.join(QLatin1Char(' ')), expected);
        const QByteArray saved = readBytes(file);
        QVERIFY(SaveProject(*h.offer, h.run, h.desktop, file));
        QCOMPARE(readBytes(file), saved);
    }

    // A bad value in a later calculation is named with its section, and the
    // offer stays as it was: all or nothing.
    void badValueInALaterCalculation()
    {
        CalcHarness h;
        enterWorkedExample(h);
        const QString file = path(QStringLiteral("teil-kaputt.prj"));
        writeBytes(file, "[Projektdaten]\r\nMwSt=19\r\n[Teilhonorar 2]\r\nMwSt=7\r\n"
                         "[Teilhonorar 3]\r\nWiederholung=zwei\r\n");
        const QStringList before = snapshot(*h.calculation);
        QVERIFY(!LoadProject(*h.offer, h.run, h.desktop, file));
        QCOMPARE(h.desktop.errors,
                 QStringList{QStringLiteral("Projekt \"%1\", Abschnitt [Teilhonorar 3]: "
                                            "Wiederholung: 'zwei' ist keine ganze Zahl ab 0")
                                 .arg(QDir::toNativeSeparators(file))});
        QCOMPARE(h.offer->count(), 1);
        QCOMPARE(snapshot(*h.calculation), before);
    }

    // The calculations' sections as a save names them, in any order, load;
    // any other spelling or gap is refused with nothing changed, as the
    // next save would replace that section with all it holds.
    void numberingOfTheCalculations_data()
    {
        QTest::addColumn<QByteArray>("sections");
        QTest::addColumn<int>("count");       // after a load; 0: refused
        QTest::addColumn<QString>("section"); // named in the refusal
        QTest::addColumn<QString>("expected");
        const QByteArray two = "[Teilhonorar 2]\r\nMwSt=7\r\n";
        QTest::newRow("in line") << two + "[Teilhonorar 3]\r\nMwSt=7\r\n"
                                 << 3 << ""
                                 << "";
        QTest::newRow("any order and case")
            << "[TEILHONORAR 3]\r\nMwSt=7\r\n" + two + "[Notiz Teilhonorar 9]\r\nText=x\r\n"
            << 3 << ""
            << "";
        QTest::newRow("gap") << two + "[Teilhonorar 5]\r\nMwSt=7\r\n"
                             << 0 << "Teilhonorar 5"
                             << "Teilhonorar 3";
        QTest::newRow("leading zero")
            << QByteArray("[Teilhonorar 02]\r\nMwSt=7\r\n") << 0 << "Teilhonorar 02"
            << "Teilhonorar 2";
        QTest::newRow("sign") << QByteArray("[Teilhonorar +2]\r\nMwSt=7\r\n") << 0
                              << "Teilhonorar +2"
                              << "Teilhonorar 2";
        QTest::newRow("two blanks")
            << QByteArray("[Teilhonorar  2]\r\nMwSt=7\r\n") << 0 << "Teilhonorar  2"
            << "Teilhonorar 2";
        QTest::newRow("largest integer")
            << QByteArray("[Teilhonorar 2147483647]\r\nMwSt=7\r\n") << 0 << "Teilhonorar 2147483647"
            << "Teilhonorar 2";
        QTest::newRow("same number twice") << two + "[Teilhonorar 02]\r\nMwSt=7\r\n"
                                           << 0 << "Teilhonorar 02"
                                           << "Teilhonorar 3";
        QTest::newRow("the first")
            << QByteArray("[Teilhonorar 1]\r\nMwSt=7\r\n") << 0 << "Teilhonorar 1"
            << "Teilhonorar 2";
    }
    void numberingOfTheCalculations()
    {
        QFETCH(QByteArray, sections);
        QFETCH(int, count);
        QFETCH(QString, section);
        QFETCH(QString, expected);
        CalcHarness h;
        enterWorkedExample(h);
        h.offer->duplicate();
        const QStringList before = snapshot(*h.calculation);
        const QString file = path(QStringLiteral("nummern.prj"));
        const QByteArray bytes = "[Projektdaten]\r\nMwSt=19\r\n" + sections;
        writeBytes(file, bytes);
        QCOMPARE(LoadProject(*h.offer, h.run, h.desktop, file), count > 0);
        if (count > 0) {
            QCOMPARE(h.offer->count(), count);
            QVERIFY(h.desktop.errors.isEmpty());
            return;
        }
        QCOMPARE(h.desktop.errors,
                 QStringList{QStringLiteral("Projekt \"%1\": Abschnitt [%2]: Die Teilhonorare "
                                            "müssen lückenlos ab 2 nummeriert sein (erwartet: "
                                            "[%3]).")
                                 .arg(QDir::toNativeSeparators(file), section, expected)});
        QCOMPARE(h.offer->count(), 2);
        QCOMPARE(snapshot(*h.calculation), before);
        QVERIFY(h.run.projectFile != file);
        QCOMPARE(readBytes(file), bytes);
    }

    // Each kind of work of each edition with its own basis and phases comes
    // back whole: its index, basis, shares (hidden rows at 0) and results.
    void everyKindSurvivesSaveAndLoad()
    {
        const QString file = path(QStringLiteral("leistungsbild.prj"));
        CalcHarness source;
        CalculationSheet &s = source.sheet();
        for (int edition = 0; edition < 4; ++edition) {
            s.comboHOAINorm.select(edition);
            for (int kind = 0; kind < s.comboHonorarparagraph.items().size(); ++kind) {
                s.comboHonorarparagraph.select(kind);
                source.calculation->selection().cmdInitLPClick();
                s.comboHonorarzone.select(kind % 3);
                s.edKosten.setValue(kind < 7 ? 345678.91 : 12.34 * (kind + 1));
                CalcHarness target;
                QVERIFY(SaveProject(*source.offer, source.run, source.desktop, file));
                QVERIFY(LoadProject(*target.offer, target.run, target.desktop, file));
                QCOMPARE(snapshot(*target.calculation), snapshot(*source.calculation));
                QCOMPARE(target.sheet().comboHonorarparagraph.currentText(),
                         s.comboHonorarparagraph.currentText());
            }
        }
        QVERIFY(source.desktop.errors.isEmpty());
    }

    void saveAndLoadClearTheChangedFlag()
    {
        CalcHarness h;
        const QString file = path(QStringLiteral("flag.prj"));
        h.sheet().edKosten.setValue(250000);
        QVERIFY(h.run.projectChanged);
        QVERIFY(SaveProject(*h.offer, h.run, h.desktop, file));
        QVERIFY(!h.run.projectChanged);
        QCOMPARE(h.run.projectFile, file);
        h.sheet().edStammFirma.setText(QStringLiteral("Büro")); // master data are no project data
        QVERIFY(!h.run.projectChanged);
        h.sheet().edBauort.setText(QStringLiteral("Köln"));
        QVERIFY(h.run.projectChanged);
        QVERIFY(LoadProject(*h.offer, h.run, h.desktop, file));
        QVERIFY(!h.run.projectChanged);
        QCOMPARE(h.sheet().edBauort.text(), QString());
        QCOMPARE(
            projectStatusText(file),
            QStringLiteral("Aktuelle Projektdatei : \"%1\"").arg(QDir::toNativeSeparators(file)));
    }

    // Texts that reading would change come back as typed: blanks at either
    // end, quotes around or inside; other texts are stored as they are.
    void textsComeBackAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored"); // the Bauherr line
        QTest::newRow("enclosing quotes")
            << "\"Haus am See\"" << QByteArray("Bauherr=\"\"Haus am See\"\"");
        QTest::newRow("quoted parts")
            << "\"a\" und \"b\"" << QByteArray("Bauherr=\"\"a\" und \"b\"\"");
        QTest::newRow("single quotes") << "'x'" << QByteArray("Bauherr=\"'x'\"");
        QTest::newRow("blanks at both ends")
            << "  Müller " << QByteArray("Bauherr=\"  M\xFCller \"");
        QTest::newRow("only blanks") << "   " << QByteArray("Bauherr=\"   \"");
        QTest::newRow("one quote") << "\"" << QByteArray("Bauherr=\"\r\n");
        QTest::newRow("inner quotes")
            << "Haus \"Am See\"" << QByteArray("Bauherr=Haus \"Am See\"\r\n");
        QTest::newRow("empty") << "" << QByteArray("Bauherr=\r\n");
    }
    void textsComeBackAsTyped()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        CalcHarness source;
        source.sheet().edBauherrname.setText(text);
        source.sheet().edBezeichnung.setText(text);
        source.offer->add();
        source.sheet().edBezeichnung.setText(text);
        const QString file = path(QStringLiteral("texte.prj"));
        QVERIFY(SaveProject(*source.offer, source.run, source.desktop, file));
        QVERIFY2(readBytes(file).contains(stored), readBytes(file).constData());

        CalcHarness target;
        QVERIFY(LoadProject(*target.offer, target.run, target.desktop, file));
        QCOMPARE(target.offer->count(), 2);
        QCOMPARE(target.sheet().edBauherrname.text(), text);
        for (int n : {1, 0}) {
            target.offer->select(n);
            QCOMPARE(target.sheet().edBezeichnung.text(), text);
        }
        QVERIFY(target.desktop.errors.isEmpty());
    }

    // The offer's letter data: absent unless set, several lines exact, dates
    // checked and written TT.MM.JJJJ; a bad date refuses the file.
    void letterDataSurviveSaveAndLoad()
    {
        CalcHarness source;
        const QString file = path(QStringLiteral("brief.prj"));
        QVERIFY(SaveProject(*source.offer, source.run, source.desktop, file));
        const QByteArray without = readBytes(file);
        QVERIFY(!without.contains("Angebot"));
        const QString scope = QStringLiteral("Zeile 1\n\n  Zeile 3 \\n kein Umbruch\n");
        CalculationSheet &s = source.sheet();
        s.edAngebotsnummer.setText(QStringLiteral("A-17"));
        s.edAngebotsdatum.setText(QStringLiteral("01.12.2026"));
        s.edLeistungsumfang.setText(scope);
        QVERIFY(source.run.projectChanged);
        QVERIFY(SaveProject(*source.offer, source.run, source.desktop, file));
        QVERIFY2(readBytes(file).contains("\r\nAngebotsnummer=A-17\r\nAngebotsdatum=01.12.2026\r\n"
                                          "Leistungsumfang=Zeile 1\\n\\n  Zeile 3 \\\\n kein "
                                          "Umbruch\\n\r\n"),
                 readBytes(file).constData());

        CalcHarness target;
        QVERIFY(LoadProject(*target.offer, target.run, target.desktop, file));
        QCOMPARE(target.sheet().edLeistungsumfang.text(), scope);
        QCOMPARE(target.sheet().edAngebotsdatum.text(), QStringLiteral("01.12.2026"));
        target.sheet().edLeistungsumfang.setText(QString());
        target.sheet().edAngebotsnummer.setText(QString());
        target.sheet().edAngebotsdatum.setText(QString());
        QVERIFY(SaveProject(*target.offer, target.run, target.desktop, file));
        QCOMPARE(readBytes(file), without);

        writeBytes(file, "[Projektdaten]\r\nAngebotsdatum=31.02.2026\r\n");
        QVERIFY(!LoadProject(*target.offer, target.run, target.desktop, file));
        QCOMPARE(target.desktop.errors.value(0),
                 QStringLiteral("Projekt \"%1\": Angebotsdatum: '31.02.2026' ist kein gültiges "
                                "Datum (TT.MM.JJJJ)")
                     .arg(QDir::toNativeSeparators(file)));
    }

    void storedForm()
    {
        CalcHarness h;
        CalculationSheet &s = h.sheet();
        s.edKosten.setValue(250000);
        s.edZuschlagUmbau.setValue(12.5);
        s.edProjektbez.setText(QStringLiteral("Neubau Kita"));
        const QString file = path(QStringLiteral("form.prj"));
        QVERIFY(SaveProject(*h.offer, h.run, h.desktop, file));
        const QByteArray bytes = readBytes(file);
        QVERIFY(bytes.startsWith(
            "[Projektdaten]\r\nProjektbezeichnung=Neubau Kita\r\nProjektnummer=\r\n"));
        QVERIFY(bytes.contains(
            "\r\nHOAI_nach=0\r\nHonorarberechnung_fuer=0\r\nHonorarzone=0\r\nHonorarsatz=4\r\n"
            "Anrechenbare_Kosten=250000\r\nLP1=2\r\n"));
        QVERIFY(bytes.contains("\r\nZuschlag_Umbau=12,5\r\n"));
        QVERIFY(bytes.endsWith("\r\nMwSt=19\r\n"));
        QCOMPARE(bytes.count("\r\n"), 33);
    }

    void defaultsOfTheFileFormat_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("only HOAI_nach=2") << QByteArray("[Projektdaten]\r\nHOAI_nach=2\r\n")
                                          << QStringList{"comboHOAINorm=2",
                                                         "comboHonorarparagraph=0",
                                                         "comboHonorarzone=0",
                                                         "comboHonorarsatz=0",
                                                         "edKosten=",
                                                         "edLP1=",
                                                         "edLP8=",
                                                         "edMwSt=16",
                                                         "edZeithonorar=",
                                                         "edProjektbez="};
        QTest::newRow("empty MwSt")
            << QByteArray("[Projektdaten]\r\nMwSt=\r\nLP3=15\r\n")
            << QStringList{"comboHOAINorm=0", "edMwSt=16", "edLP3=15", "edLP1="};
        QTest::newRow("lower-case keys")
            << QByteArray("[projektdaten]\r\nmwst=7\r\nanrechenbare_kosten=1000\r\n")
            << QStringList{"edMwSt=7", "edKosten=1000"};
        QTest::newRow("point as decimal separator")
            << QByteArray("[Projektdaten]\r\nAnrechenbare_Kosten=1234.5\r\n")
            << QStringList{"edKosten=1234,5"};
        QTest::newRow("comma as decimal separator")
            << QByteArray("[Projektdaten]\r\nAnrechenbare_Kosten=1234,5\r\n")
            << QStringList{"edKosten=1234,5"};
    }
    void defaultsOfTheFileFormat()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QStringList, expected);
        CalcHarness h;
        const QString file = path(QStringLiteral("defaults.prj"));
        writeBytes(file, contents);
        QVERIFY(LoadProject(*h.offer, h.run, h.desktop, file));
        const QStringList values = snapshot(*h.calculation);
        for (const QString &entry : expected)
            QVERIFY2(values.contains(entry), qPrintable(entry));
    }

    void missingFileLoadsAsDefaults()
    {
        CalcHarness h;
        h.sheet().edKosten.setValue(1000);
        h.sheet().edBauort.setText(QStringLiteral("Bonn"));
        const QString file = path(QStringLiteral("gibt-es-nicht.prj"));
        QVERIFY(LoadProject(*h.offer, h.run, h.desktop, file));
        QCOMPARE(h.sheet().edKosten.value(), 0.0);
        QCOMPARE(h.sheet().edMwSt.value(), 16.0);
        QCOMPARE(h.sheet().edBauort.text(), QString());
        QCOMPARE(h.run.projectFile, file);
        QVERIFY(!QFile::exists(file));
    }

    // The kind of work refers to the list of the stored edition, whatever
    // edition the window showed before.
    void kindIndexBelongsToTheStoredEdition()
    {
        CalcHarness saver;
        saver.chooseEdition(QStringLiteral("2002"));
        saver.chooseKind(QStringLiteral("Tragwerksplanung"));
        const QString file = path(QStringLiteral("2002.prj"));
        QVERIFY(SaveProject(*saver.offer, saver.run, saver.desktop, file));
        QCOMPARE(ReadIniString(file, "Projektdaten", "Honorarberechnung_fuer", QString()),
                 QStringLiteral("4"));

        CalcHarness loader; // shows 2021 with seven kinds
        QVERIFY(LoadProject(*loader.offer, loader.run, loader.desktop, file));
        QCOMPARE(loader.sheet().comboHOAINorm.currentText(), QStringLiteral("2002"));
        QCOMPARE(loader.sheet().comboHonorarparagraph.index(), 4);
        QCOMPARE(loader.sheet().comboHonorarparagraph.currentText(),
                 QStringLiteral("Tragwerksplanung"));
        QCOMPARE(loader.sheet().edHonorartafel.text(), QStringLiteral("Tragwerksplanung( §65)"));
    }

    // A bad file changes nothing: not the sheet, not the project file, not the flag.
    void badFileIsRejectedWhole_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("message");
        QTest::newRow("list index -1")
            << QByteArray("Honorarzone=-1")
            << "Der Wert -1 für \"Honorarzone\" liegt außerhalb der Auswahl (0 bis 4).";
        QTest::newRow("list index 7")
            << QByteArray("Honorarsatz=7")
            << "Der Wert 7 für \"Honorarsatz\" liegt außerhalb der Auswahl (0 bis 5).";
        QTest::newRow("edition 4")
            << QByteArray("HOAI_nach=4")
            << "Der Wert 4 für \"HOAI_nach\" liegt außerhalb der Auswahl (0 bis 3).";
        QTest::newRow("kind beyond the 2009 list")
            << QByteArray("HOAI_nach=2\r\nHonorarberechnung_fuer=5")
            << "Der Wert 5 für \"Honorarberechnung_fuer\" liegt außerhalb der Auswahl (0 bis 4).";
        QTest::newRow("index no integer") << QByteArray("Honorarzone=zwei")
                                          << "Honorarzone: 'zwei' ist kein gültiger Integerwert";
        QTest::newRow("number") << QByteArray("MwSt=19%")
                                << "MwSt: '19%' ist kein gültiger Gleitkommawert";
        QTest::newRow("last key bad")
            << QByteArray("LP1=5\r\nAnrechenbare_Kosten=1.000,00")
            << "Anrechenbare_Kosten: '1.000,00' ist kein gültiger Gleitkommawert";
        QTest::newRow("beyond a double")
            << QByteArray("Anrechenbare_Kosten=1e309")
            << "Anrechenbare_Kosten: '1e309' ist kein gültiger Gleitkommawert";
        QTest::newRow("free rate no number")
            << QByteArray("Honorarsatz=5\r\nHonorarsatz_Prozent=viel")
            << "Honorarsatz_Prozent: 'viel' ist kein gültiger Gleitkommawert";
        QTest::newRow("points of another kind of work")
            << QByteArray("Bewertungspunkte=2;5;5;3;3")
            << "Bewertungspunkte: Für Gebäude nach § 35 Abs. 2, 4 und 6 HOAI 2021 sind 6 Werte "
               "anzugeben, nicht 5.";
        QTest::newRow("point above its maximum")
            << QByteArray("HOAI_nach=2\r\nBewertungspunkte=2;5;5;3;3;10")
            << "Bewertungspunkte: Der Wert 10 für „konstruktive Detailgestaltung“ liegt "
               "außerhalb von 0 bis 9.";
    }
    void badFileIsRejectedWhole()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, message);
        CalcHarness h;
        h.sheet().edKosten.setValue(123456);
        h.sheet().edProjektbez.setText(QStringLiteral("Bestand"));
        const QString previous = path(QStringLiteral("previous.prj"));
        h.run.projectFile = previous;
        const QStringList before = snapshot(*h.calculation);
        const QString file = path(QStringLiteral("bad.prj"));
        writeBytes(file, "[Projektdaten]\r\nProjektbezeichnung=Neu\r\n" + line + "\r\n");

        QVERIFY(!LoadProject(*h.offer, h.run, h.desktop, file));
        QCOMPARE(
            h.desktop.errors,
            QStringList{QStringLiteral("Projekt \"%1\": ").arg(QDir::toNativeSeparators(file)) +
                        message});
        QCOMPARE(snapshot(*h.calculation), before);
        QCOMPARE(h.run.projectFile, previous);
        QVERIFY(h.run.projectChanged);
    }

    // A fee agreement beyond the fixed rates and the zone by hand comes back
    // whole; once given up, its keys leave the file.
    void feeAgreementSurvivesSaveAndLoad_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("rate"); // empty: the middle rate
        QTest::addColumn<QList<int>>("points");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("free rate and points") << 0 << 0 << "37,5" << QList<int>{2, 5, 5, 3, 3, 3}
                                              << QByteArray("\r\nHonorarsatz=5\r\n");
        QTest::newRow("free rate below the span")
            << 1 << 3 << "-12,25" << QList<int>{}
            << QByteArray("\r\nHonorarsatz_Prozent=-12,25\r\n");
        QTest::newRow("2009 fit-outs by points")
            << 2 << 0 << "" << QList<int>{6, 6, 6, 6, 9, 9}
            << QByteArray("\r\nBewertungspunkte=6;6;6;6;9;9\r\n");
    }
    void feeAgreementSurvivesSaveAndLoad()
    {
        QFETCH(int, edition);
        QFETCH(int, kind);
        QFETCH(QString, rate);
        QFETCH(QList<int>, points);
        QFETCH(QByteArray, stored);
        CalcHarness source;
        CalculationSheet &s = source.sheet();
        s.comboHOAINorm.select(edition);
        s.comboHonorarparagraph.select(kind);
        s.edKosten.setValue(456789);
        s.comboHonorarsatz.select(rate.isEmpty() ? 2 : 5);
        if (!rate.isEmpty())
            s.edHonorarsatzProz.setText(rate);
        if (!points.isEmpty())
            source.calculation->cmdHonorarzonePunkteOk(points);
        const QString file = path(QStringLiteral("vereinbarung.prj"));
        QVERIFY(SaveProject(*source.offer, source.run, source.desktop, file));
        QVERIFY(readBytes(file).contains(stored));
        QCOMPARE(readBytes(file).contains("Honorarsatz_Prozent="), !rate.isEmpty());
        QCOMPARE(readBytes(file).contains("Bewertungspunkte="), !points.isEmpty());

        CalcHarness target;
        QVERIFY(LoadProject(*target.offer, target.run, target.desktop, file));
        QCOMPARE(snapshot(*target.calculation), snapshot(*source.calculation));
        QCOMPARE(target.calculation->zonePoints(), points);
        QVERIFY(source.desktop.errors.isEmpty() && target.desktop.errors.isEmpty());

        s.comboHonorarsatz.select(1);
        s.comboHonorarzone.select(s.comboHonorarzone.index() == 0 ? 1 : 0);
        QVERIFY(SaveProject(*source.offer, source.run, source.desktop, file));
        QVERIFY(!readBytes(file).contains("Honorarsatz_Prozent="));
        QVERIFY(!readBytes(file).contains("Bewertungspunkte="));
    }

    // A project of the fixed rates and a zone by hand keeps its bytes.
    void projectWithoutAgreementKeysIsWrittenBackByteForByte()
    {
        const QString file = path(QStringLiteral("bestand.prj"));
        const QByteArray bytes =
            "[Projektdaten]\r\nProjektbezeichnung=Kita\r\nProjektnummer=17\r\nProjektleiter=\r\n"
            "Bauvorhaben=\r\nBauort=K\xF6ln\r\nBauherr=\r\nStrasse=\r\nPLZ=\r\nOrt=\r\nTelefon=\r\n"
            "HOAI_nach=1\r\nHonorarberechnung_fuer=1\r\nHonorarzone=3\r\nHonorarsatz=1\r\n"
            "Anrechenbare_Kosten=250000,5\r\nLP1=2\r\nLP2=7\r\nLP3=15\r\nLP4=2\r\nLP5=30\r\n"
            "LP6=7\r\nLP7=3\r\nLP8=32\r\nLP9=2\r\nZuschlagAnrechenbareKosten_Text=\r\n"
            "ZuschlagAnrechenbareKosten_Prozent=0\r\nZeithonorar=0\r\nBesondere_Leistung=0\r\n"
            "Besondere_Leistung_Zeit=0\r\nZuschlag_Umbau=62,5\r\nNebenkosten=5\r\nMwSt=19\r\n";
        writeBytes(file, bytes);
        CalcHarness h;
        QVERIFY(LoadProject(*h.offer, h.run, h.desktop, file));
        QVERIFY(h.sheet().edBruttohonorar.value() > 0);
        QVERIFY(SaveProject(*h.offer, h.run, h.desktop, file));
        QCOMPARE(readBytes(file), bytes);
    }

    // A file far beyond any project is neither read nor replaced.
    void oversizedFileIsRefused()
    {
        const QString file = path(QStringLiteral("riesig.prj"));
        writeBytes(file, "[Projektdaten]\r\nMwSt=7\r\n");
        QFile big(file);
        QVERIFY(big.resize(kMaxIniFileSize + 1));
        CalcHarness h;
        const QStringList before = snapshot(*h.calculation);
        QVERIFY(!LoadProject(*h.offer, h.run, h.desktop, file));
        QCOMPARE(h.desktop.errors.size(), 1);
        QVERIFY2(h.desktop.errors.first().contains(QStringLiteral("zu groß")),
                 qPrintable(h.desktop.errors.first()));
        QCOMPARE(snapshot(*h.calculation), before);
        QVERIFY(!SaveProject(*h.offer, h.run, h.desktop, file));
        QCOMPARE(QFileInfo(file).size(), kMaxIniFileSize + 1);
    }

    void cancelledDialogsDoNothing()
    {
        CalcHarness h;
        h.sheet().edKosten.setValue(5000);
        const QStringList before = snapshot(*h.calculation);
        QVERIFY(!SaveProject(*h.offer, h.run, h.desktop, std::nullopt));
        QVERIFY(!LoadProject(*h.offer, h.run, h.desktop, std::nullopt));
        QCOMPARE(snapshot(*h.calculation), before);
        QVERIFY(h.run.projectChanged);
        QVERIFY(h.run.projectFile.isEmpty());
        QVERIFY(h.desktop.errors.isEmpty() && h.desktop.notices.isEmpty());
    }

    void saveKeepsWhatTheProgramDoesNotKnow()
    {
        CalcHarness h;
        const QString file = path(QStringLiteral("foreign.prj"));
        writeBytes(file, "[Notizen]\r\nText=Angebot bis Freitag\r\n"
                         "[Projektdaten]\r\nEigenesFeld=bleibt\r\nMwSt=16\r\n");
        QVERIFY(SaveProject(*h.offer, h.run, h.desktop, file));
        QCOMPARE(ReadIniString(file, "Notizen", "Text", QString()),
                 QStringLiteral("Angebot bis Freitag"));
        QCOMPARE(ReadIniString(file, "Projektdaten", "EigenesFeld", QString()),
                 QStringLiteral("bleibt"));
        QCOMPARE(ReadIniString(file, "Projektdaten", "MwSt", QString()), QStringLiteral("19"));
        QVERIFY(readBytes(file).startsWith(
            "[Notizen]\r\nText=Angebot bis "
            "Freitag\r\n[Projektdaten]\r\nEigenesFeld=bleibt\r\nMwSt=19\r\n"));
    }

    void failedSave_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "fehlt/projekt.prj"
                                        << "existiert nicht";
        QTest::newRow("parent is a file") << "datei.txt/projekt.prj"
                                          << "existiert nicht";
        QTest::newRow("target is a folder") << "ordner.prj"
                                            << "ist ein Ordner";
    }
    void failedSave()
    {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        writeBytes(path(QStringLiteral("datei.txt")), "x");
        QDir().mkpath(path(QStringLiteral("ordner.prj")));
        CalcHarness h;
        h.sheet().edKosten.setValue(1000);
        QVERIFY(!SaveProject(*h.offer, h.run, h.desktop, path(target)));
        QCOMPARE(h.desktop.notices.size(), 1);
        QVERIFY(h.desktop.notices.first().startsWith(
            QStringLiteral("Das Projekt konnte nicht gespeichert werden: ")));
        QVERIFY2(h.desktop.notices.first().contains(reason), qPrintable(h.desktop.notices.first()));
        QVERIFY(h.run.projectChanged);
        QVERIFY(h.run.projectFile.isEmpty());
    }

    // Read-only files and folders refuse writes only to users other than root.
    void readOnlyTargets()
    {
        if (posixfiles::runsAsRoot())
            QSKIP("root may write everywhere; the injected faults below stand in");
        const QString folder = path(QStringLiteral("readonly"));
        QDir().mkpath(folder);
        const QString file = folder + QStringLiteral("/alt.prj");
        writeBytes(file, "[Projektdaten]\r\nMwSt=7\r\n");
        QFile::setPermissions(file, QFileDevice::ReadOwner);
        CalcHarness h;
        QVERIFY(!SaveProject(*h.offer, h.run, h.desktop, file));
        QVERIFY(h.desktop.notices.first().contains(QStringLiteral("schreibgeschützt")));
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        // A folder's read-only flag on Windows keeps no file out.
        if (!posixfiles::available)
            return;
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QVERIFY(!SaveProject(*h.offer, h.run, h.desktop, folder + QStringLiteral("/neu.prj")));
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        QCOMPARE(readBytes(file), QByteArray("[Projektdaten]\r\nMwSt=7\r\n"));
    }

    void saveFailingMidwayKeepsThePreviousFile_data()
    {
        QTest::addColumn<qint64>("failAt");
        QTest::newRow("at the first byte") << qint64(0);
        QTest::newRow("midway") << qint64(4096);
    }
    void saveFailingMidwayKeepsThePreviousFile()
    {
        QFETCH(qint64, failAt);
        const QString file = path(QStringLiteral("midway.prj"));
        QByteArray previous = "[Projektdaten]\r\nMwSt=16\r\n[Anhang]\r\n";
        for (int i = 0; i < 400; ++i)
            previous += "Zeile" + QByteArray::number(i) + "=xxxxxxxxxxxxxxxxxxxx\r\n";
        writeBytes(file, previous);
        CalcHarness h;
        h.sheet().edKosten.setValue(99999);
        h.run.projectFile = QStringLiteral("/vorher.prj");
        setWriteFaultForTests([failAt](qint64 written) { return written < failAt; });
        const bool saved = SaveProject(*h.offer, h.run, h.desktop, file);
        setWriteFaultForTests(nullptr);
        QVERIFY(!saved);
        QCOMPARE(readBytes(file), previous);
        QVERIFY(h.run.projectChanged);
        QCOMPARE(h.run.projectFile, QStringLiteral("/vorher.prj"));
        QCOMPARE(h.desktop.notices.size(), 1);
    }

    void promptTexts()
    {
        QCOMPARE(
            savePromptText(),
            QStringLiteral("Das aktuelle Projekt wurde noch nicht gespeichert. Jetzt Speichern?"));
        QCOMPARE(savePromptCaption(QStringLiteral("Zolvaric")),
                 QStringLiteral("Zolvaric - Abfrage"));
    }
};

ZOLVARIC_TEST_RUNNER(ProjectFileTest)

#include "ProjectFileTest.moc"
