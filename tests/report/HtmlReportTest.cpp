#include "OfferSheet.h"
#include "PosixFiles.h"
#include "RecordingProgress.h"
#include "ReportSheet.h"
#include "RunTests.h"
#include "TestFiles.h"

#include "report/HtmlReport.h"
#include "report/Placeholders.h"
#include "report/TemplateBlocks.h"

#include <QRegularExpression>
#include <QTemporaryDir>

using namespace zolvaric;

namespace {

// The page made from a template text, as bytes.
QByteArray render(CalcHarness &h, const QByteArray &templateBytes)
{
    const QString path = h.programFolder.filePath(QStringLiteral("Zolvaric_Vorlage.htm"));
    writeBytes(path, templateBytes);
    NoReportProgress progress;
    return renderHtmlReport(*h.offer, readHtmlTemplate(path), progress);
}

} // namespace

class HtmlReportTest : public QObject
{
    Q_OBJECT

private slots:
    void replaceInStringList_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("placeholder");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("every occurrence, any case")
            << QStringList{"\\MwSt\\ und \\mwst\\", "x\\MWST\\"} << "\\MwSt\\"
            << "19,00%" << QStringList{"19,00% und 19,00%", "x19,00%"};
        QTest::newRow("inserted text is not searched again")
            << QStringList{"a\\X\\b"} << "\\X\\"
            << "[\\x\\]" << QStringList{"a[\\x\\]b"};
        QTest::newRow("value equal to the placeholder")
            << QStringList{"\\StammFirma\\"} << "\\StammFirma\\"
            << "\\StammFirma\\" << QStringList{"\\StammFirma\\"};
        QTest::newRow("placeholder split by a line break")
            << QStringList{"\\Netto", "honorar\\"} << "\\Nettohonorar\\"
            << "1,00 €" << QStringList{"\\Netto", "honorar\\"};
        QTest::newRow("back to back") << QStringList{"\\LP1\\\\LP2\\"} << "\\LP1\\"
                                      << "2,00%" << QStringList{"2,00%\\LP2\\"};
        QTest::newRow("shared backslash") << QStringList{"\\LP1\\LP2\\"} << "\\LP1\\"
                                          << "2,00%" << QStringList{"2,00%LP2\\"};
        QTest::newRow("no overlap") << QStringList{"\\a\\a\\a\\"} << "\\a\\a\\"
                                    << "X" << QStringList{"Xa\\"};
        QTest::newRow("empty value removes")
            << QStringList{"<b>\\Projektnr\\</b>"} << "\\Projektnr\\"
            << "" << QStringList{"<b></b>"};
    }
    void replaceInStringList()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, placeholder);
        QFETCH(QString, value);
        QFETCH(QStringList, expected);
        ReplaceInStringList(lines, placeholder, value);
        QCOMPARE(lines, expected);
    }

    void templateText_data()
    {
        QTest::addColumn<QByteArray>("templateBytes");
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("LF becomes CR LF") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("lone CR") << QByteArray("a\rb") << QByteArray("a\r\nb\r\n");
        QTest::newRow("last line gets its end") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
        QTest::newRow("empty lines stay")
            << QByteArray("a\r\n\r\nb\r\n") << QByteArray("a\r\n\r\nb\r\n");
        QTest::newRow("NUL ends the text")
            << QByteArray("a\r\nb\0c\r\nd", 9) << QByteArray("a\r\nb\r\n");
        QTest::newRow("bytes as they are")
            << QByteArray("Geb\xE4ude \x80 \x81") << QByteArray("Geb\xE4ude \x80 \x81\r\n");
        QTest::newRow("value in Windows-1252") << QByteArray("<p>\\StammFirma\\</p>")
                                               << QByteArray("<p>Planungsb\xFCro Sonne</p>\r\n");
        QTest::newRow("HTML order: a project name becomes what a later step replaces")
            << QByteArray("\\Projektbez\\") << QByteArray("19,00%\r\n");
        QTest::newRow("lines around placeholders keep their places")
            << QByteArray("<a>\n\\Projektbez\\ und \\Projektnr\\\n<b>\n\\\\\n\\StammOrt\\")
            << QByteArray("<a>\r\n19,00% und \\StammOrt\\\r\n<b>\r\n\\\\\r\nBonn\r\n");
        QTest::newRow("an earlier placeholder in a value stays")
            << QByteArray("\\Projektnr\\") << QByteArray("\\StammOrt\\\r\n");
    }
    void templateText()
    {
        QFETCH(QByteArray, templateBytes);
        QFETCH(QByteArray, page);
        CalcHarness h;
        enterReportExample(h);
        h.sheet().edProjektbez.setText(QStringLiteral("\\MwSt\\"));
        h.sheet().edProjektnr.setText(QStringLiteral("\\StammOrt\\"));
        QCOMPARE(render(h, templateBytes), page);
    }

    void valuesAreEscaped_data()
    {
        QTest::addColumn<QString>("firm");
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("markup characters")
            << "Müller & Söhne <GmbH> \"Bau\""
            << QByteArray("M\xFCller &amp; S\xF6hne &lt;GmbH&gt; &quot;Bau&quot;\r\n");
        QTest::newRow("beyond Windows-1252") << "Łódź 😀"
                                             << QByteArray("&#321;\xF3"
                                                           "d&#378; &#128512;\r\n");
        QTest::newRow("the placeholder itself")
            << "\\StammFirma\\" << QByteArray("\\stammfirma\\\r\n");
    }
    void valuesAreEscaped()
    {
        QFETCH(QString, firm);
        QFETCH(QByteArray, page);
        CalcHarness h;
        h.sheet().edStammFirma.setText(firm);
        QCOMPARE(render(h, "\\stammfirma\\"), page);
    }

    void defaultTemplateLeavesNoPlaceholder()
    {
        CalcHarness h;
        enterReportExample(h);
        const QByteArray page = render(h, readBytes(QStringLiteral(ZOLVARIC_HTML_TEMPLATE)));
        for (const Placeholder &p : placeholders(ReportKind::Html))
            QVERIFY2(!page.contains(p.text.toLatin1()), qPrintable(p.text));
        QVERIFY(page.contains("Planungsb\xFCro Sonne"));
        QVERIFY(page.contains("31.566,87 \x80"));
        QVERIFY(page.contains("8 Objekt\xFC"
                              "berwachung"));
        QVERIFY(page.contains("Architekten &amp; Ingenieure"));
        // No warning: the note stays empty, and so takes no room.
        QVERIFY(page.contains("<p class=\"warnhinweis\"></p>\r\n"));
    }

    // A row per phase of the kind of work, named as in the window; the line
    // of a phase the kind lacks is left out, whatever else it holds.
    void phaseRowsFollowTheKind_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("Gebäude: nine phases")
            << "2021"
            << "Gebäude"
            << QByteArray("1 Grundlagenermittlung|2 Vorplanung|3 Entwurfsplanung|"
                          "4 Genehmigungsplanung|5 Ausf\xFChrungsplanung|6 Vorbereitung der "
                          "Vergabe|7 Mitwirkung bei der Vergabe|8 Objekt\xFC"
                          "berwachung|9 Objektbetreuung u. Dokumentation|");
        QTest::newRow("Ingenieurbauwerke: row 8 by its own name")
            << "2013"
            << "Ingenieurbauwerke" << QByteArray("8 Bauoberleitung|");
        QTest::newRow("Landschaftsplan: four phases")
            << "2021"
            << "Landschaftsplan"
            << QByteArray("1 Kl\xE4ren der Aufgabenstellung und Ermitteln des "
                          "Leistungsumfangs|2 Ermitteln der Planungsgrundlagen|3 Vorl\xE4ufige "
                          "Fassung|4 Abgestimmte Fassung|");
        QTest::newRow("Geotechnik: three Teilleistungen")
            << "2013"
            << "Geotechnik"
            << QByteArray("TL a Grundlagenermittlung und Erkundungskonzept|TL b Beschreiben der "
                          "Baugrund- und Grundwasserverh\xE4ltnisse|TL c Beurteilung der "
                          "Baugrund- und Grundwasserverh\xE4ltnisse, Empfehlungen, Hinweise, "
                          "Angaben zur Bemessung der Gr\xFCndung|");
    }
    void phaseRowsFollowTheKind()
    {
        QFETCH(QString, edition);
        QFETCH(QString, kind);
        QFETCH(QByteArray, page);
        CalcHarness h;
        h.chooseEdition(edition);
        h.chooseKind(kind);
        QByteArray templateBytes;
        for (int n = 1; n <= 9; ++n)
            templateBytes += "<td>\\LP" + QByteArray::number(n) + "Bezeichnung\\</td>\\LP" +
                             QByteArray::number(n) + "EUR\\\n";
        QByteArray rows;
        for (const QByteArray &line : render(h, templateBytes).split('\n')) {
            if (line.contains("<td>") && (kind != "Ingenieurbauwerke" || line.startsWith("<td>8")))
                rows += line.mid(4, line.indexOf("</td>") - 4) + '|';
        }
        QCOMPARE(rows, page);
    }

    // The calculation's warnings where \Hinweise\ stands: none inside the
    // fee table; above it, why the basic fee is 0,00 €.
    void warningsInTheNote_data()
    {
        QTest::addColumn<double>("costs");
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("inside the table") << 120000.0 << QByteArray("<p>Hinweis: </p>\r\n");
        QTest::newRow("above the table")
            << 30000000.0
            << QByteArray("<p>Hinweis: Die anrechenbaren Kosten liegen \xFC"
                          "ber dem Tafelendwert der Honorartafel \xA7 35 (25.000.000,00 \x80) "
                          "und damit au\xDF"
                          "erhalb der Honorartafel. Das Honorar ist frei zu vereinbaren (\xA7 7 "
                          "Abs. 2 HOAI 2013).</p>\r\n");
    }
    void warningsInTheNote()
    {
        QFETCH(double, costs);
        QFETCH(QByteArray, page);
        CalcHarness h;
        enterReportExample(h);
        h.sheet().edKosten.setValue(costs);
        QCOMPARE(render(h, "<p>Hinweis: \\Hinweise\\</p>"), page);
    }

    void severalWarningsOneALine()
    {
        QCOMPARE(htmlWarnings({"Kosten < 0 & \"mehr\"", "Zweiter"}),
                 QStringLiteral("Kosten &lt; 0 &amp; &quot;mehr&quot;<br>Zweiter"));
        QCOMPARE(htmlWarnings({}), QString());
    }

    void printWithoutTemplate()
    {
        CalcHarness h;
        RecordingProgress progress;
        writeBytes(htmlReportPath(), "alt");
        QVERIFY(!PrintHonorarHTML(*h.offer, h.run, h.desktop, progress));
        QCOMPARE(
            h.desktop.notices,
            QStringList{QStringLiteral("Die Vorlagedatei \"%1Zolvaric_Vorlage.htm\" konnte nicht "
                                       "gefunden werden. Vorgang wird abgebrochen.")
                            .arg(h.run.programDir)});
        QCOMPARE(h.desktop.captions, QStringList{"Zolvaric"});
        QCOMPARE(progress.begun, 0);
        QCOMPARE(readBytes(htmlReportPath()), QByteArray("alt"));
        QVERIFY(h.desktop.opened.isEmpty());
    }

    void printTwiceOverwrites()
    {
        CalcHarness h;
        enterReportExample(h);
        writeBytes(htmlTemplatePath(h.run), "<p>\\Projektbez\\ \\Bruttohonorar\\</p>");
        for (const QString &name : {QStringLiteral("Erster"), QStringLiteral("Zweiter")}) {
            h.sheet().edProjektbez.setText(name);
            RecordingProgress progress;
            QVERIFY(PrintHonorarHTML(*h.offer, h.run, h.desktop, progress));
            QCOMPARE(progress.message,
                     QStringLiteral("\rDie Druckvorschau wird erzeugt. Bitte warten Sie ..."));
            QCOMPARE(progress.steps, 96);
            QCOMPARE(progress.advanced, 96);
            QCOMPARE(progress.begun, 1);
            QCOMPARE(progress.ended, 1);
            QVERIFY(!h.run.busy);
        }
        QCOMPARE(readBytes(htmlReportPath()), QByteArray("<p>Zweiter 31.566,87 \x80</p>\r\n"));
        QCOMPARE(h.desktop.opened, QStringList(2, htmlReportPath()));
    }

    void outputGoesToTheTempFolder()
    {
        const QByteArray temp = qgetenv("TEMP");
        QTemporaryDir tmp;
        qputenv("TEMP", "/gibt/es/nicht");
        qputenv("TMP", tmp.path().toLocal8Bit());
        const QString path = htmlReportPath();
        qputenv("TEMP", temp);
        qputenv("TMP", temp);
        QCOMPARE(QDir::fromNativeSeparators(path), tmp.path() + QLatin1Char('/') +
                                                       posixfiles::privateFolderName() +
                                                       QStringLiteral("/Zolvaric.htm"));
    }

    void linkPlantedAtTheReportsPlaceIsNotFollowed()
    {
        ZOLVARIC_REQUIRE_POSIX();
        CalcHarness h;
        writeBytes(htmlTemplatePath(h.run), "<p>\\Projektbez\\</p>");
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.filePath(QStringLiteral(".bashrc"));
        writeBytes(victim, "alias ls='ls --color'\n");
        QFile::remove(htmlReportPath());
        QVERIFY(QFile::link(victim, htmlReportPath()));
        RecordingProgress progress;
        QVERIFY(!PrintHonorarHTML(*h.offer, h.run, h.desktop, progress));
        QFile::remove(htmlReportPath());
        QCOMPARE(readBytes(victim), QByteArray("alias ls='ls --color'\n"));
        QCOMPARE(h.desktop.errors.size(), 1);
        QVERIFY(h.desktop.opened.isEmpty());
        QVERIFY(!h.run.busy);
    }

    void failedWriteIsShownAndEndsTheBusyState()
    {
        CalcHarness h;
        writeBytes(htmlTemplatePath(h.run), "x");
        QFile::remove(htmlReportPath());
        QDir().mkpath(htmlReportPath()); // a folder takes the page's place
        RecordingProgress progress;
        QVERIFY(!PrintHonorarHTML(*h.offer, h.run, h.desktop, progress));
        QDir(htmlReportPath()).removeRecursively();
        QCOMPARE(h.desktop.errors.size(), 1);
        QVERIFY(h.desktop.errors.first().startsWith(QStringLiteral("Der Bericht \"")));
        QCOMPARE(progress.begun, 1);
        QCOMPARE(progress.ended, 1);
        QVERIFY(!h.run.busy);
        QVERIFY(h.desktop.opened.isEmpty());
    }

    // Blocks per calculation of the offer and for offers of several; the
    // offer's copies are of the worked example (net 26.526,78 €, VAT
    // 5.040,09 €), so three give 79.580,34 €, VAT 19 % of that sum
    // 15.120,26 € (not 3 × 5.040,09 €), gross 94.700,60 €.
    void offerBlocks_data()
    {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QList<int>>("repetitions");
        QTest::addColumn<QByteArray>("templateBytes");
        QTest::addColumn<QByteArray>("page");
        const QStringList three = {"Haus A", "Haus B", "Haus C"};
        QTest::newRow("one copy per calculation, in order, markers gone")
            << three << QList<int>{0, 1, 2}
            << QByteArray("<table>\n<!-- \\TeilhonorarBeginn\\ -->\n<tr><td>\\Teil.Bezeichnung\\"
                          "</td><td>\\Teil.Wiederholung\\</td></tr>\n<!-- \\TeilhonorarEnde\\ -->"
                          "\n</table>")
            << QByteArray("<table>\r\n<tr><td>Haus A</td><td>0</td></tr>\r\n<tr><td>Haus B</td>"
                          "<td>1</td></tr>\r\n<tr><td>Haus C</td><td>2</td></tr>\r\n</table>\r\n");
        QTest::newRow("two blocks, markers in any case")
            << QStringList{"Haus A", "Haus B"} << QList<int>{0, 1}
            << QByteArray("\\teilhonorarbeginn\\\n\\Teil.Bezeichnung\\\n\\TEILHONORARENDE\\\n-\n"
                          "\\TeilhonorarBeginn\\\n\\teil.wiederholung\\\n\\TeilhonorarEnde\\")
            << QByteArray("Haus A\r\nHaus B\r\n-\r\n0\r\n1\r\n");
        QTest::newRow("a calculation's values")
            << QStringList{"Haus A"} << QList<int>{}
            << QByteArray("\\TeilhonorarBeginn\\\n\\Teil.Honorartyp\\|\\Teil.Honorarzone\\|"
                          "\\Teil.Honorarsatz\\|\\Teil.anrechenbareKosten\\|\\Teil.Grundhonorar\\|"
                          "\\Teil.LPSummeEUR\\|\\Teil.Nettohonorar\\\n\\TeilhonorarEnde\\")
            << QByteArray("Geb\xE4ude|Honorarzone 3|Mittelsatz (50%)|120.000,00 \x80|"
                          "19.803,00 \x80|19.803,00 \x80|26.526,78 \x80\r\n");
        QTest::newRow("the offer's totals anywhere")
            << three << QList<int>{}
            << QByteArray("\\AngebotNetto\\ \\AngebotMwStEUR\\ \\angebotbrutto\\")
            << QByteArray("79.580,34 \x80 15.120,26 \x80 94.700,60 \x80\r\n");
        QTest::newRow("standard placeholders in a block: the edited calculation's")
            << QStringList{"Haus A", "Haus B"} << QList<int>{}
            << QByteArray("\\TeilhonorarBeginn\\\n\\Teil.Bezeichnung\\ in \\Bauort\\\n"
                          "\\TeilhonorarEnde\\")
            << QByteArray("Haus A in Bonn-Beuel\r\nHaus B in Bonn-Beuel\r\n");
        QTest::newRow("a calculation's placeholder outside a block stays")
            << QStringList{"Haus A"} << QList<int>{} << QByteArray("\\Teil.Bezeichnung\\")
            << QByteArray("\\Teil.Bezeichnung\\\r\n");
        QTest::newRow("titles that look like placeholders or markers print as typed")
            << QStringList{"\\Bauort\\", "\\Teil.Nettohonorar\\ & <b>", "\\AngebotNetto\\",
                           "\\TeilhonorarEnde\\"}
            << QList<int>{}
            << QByteArray("\\TeilhonorarBeginn\\\n\\Teil.Bezeichnung\\\n\\TeilhonorarEnde\\")
            << QByteArray("\\Bauort\\\r\n\\Teil.Nettohonorar\\ &amp; &lt;b&gt;\r\n"
                          "\\AngebotNetto\\\r\n\\TeilhonorarEnde\\\r\n");
        const QByteArray offerBlock("a\n<!-- \\AngebotBeginn\\ -->\n<h2>\n\\TeilhonorarBeginn\\\n"
                                    "\\Teil.Bezeichnung\\\n\\TeilhonorarEnde\\\n"
                                    "<!-- \\AngebotEnde\\ -->\nb");
        QTest::newRow("offer block with one calculation: gone")
            << QStringList{"Haus A"} << QList<int>{} << offerBlock << QByteArray("a\r\nb\r\n");
        QTest::newRow("offer block with two: kept, its part block repeated")
            << QStringList{"Haus A", "Haus B"} << QList<int>{} << offerBlock
            << QByteArray("a\r\n<h2>\r\nHaus A\r\nHaus B\r\nb\r\n");
    }
    void offerBlocks()
    {
        QFETCH(QStringList, titles);
        QFETCH(QList<int>, repetitions);
        QFETCH(QByteArray, templateBytes);
        QFETCH(QByteArray, page);
        CalcHarness h;
        enterOffer(h, titles, repetitions);
        QCOMPARE(render(h, templateBytes), page);
    }

    // Optional lines go when all their placeholders give nothing (empty or
    // zero), standard ones and a block's alike; otherwise the marker goes.
    void optionalLines_data()
    {
        QTest::addColumn<double>("timeFee");
        QTest::addColumn<QByteArray>("templateBytes");
        QTest::addColumn<QByteArray>("page");
        const QByteArray line("a\n<tr>\\Optional\\<td>Zeithonorar</td><td>\\Zeithonorar\\</td></tr>\nb");
        QTest::newRow("zero: gone") << 0.0 << line << QByteArray("a\r\nb\r\n");
        QTest::newRow("an amount: kept")
            << 1000.0 << line
            << QByteArray("a\r\n<tr><td>Zeithonorar</td><td>1.000,00 \x80</td></tr>\r\nb\r\n");
        QTest::newRow("no placeholder: kept") << 0.0 << QByteArray("<p>\\optional\\Text</p>")
                                              << QByteArray("<p>Text</p>\r\n");
        QTest::newRow("empty letter text: gone")
            << 0.0 << QByteArray("\\Optional\\Nr. \\Angebotsnummer\\\nx") << QByteArray("x\r\n");
        QTest::newRow("in a block: per calculation")
            << 0.0
            << QByteArray("\\TeilhonorarBeginn\\\n\\Teil.Bezeichnung\\\n"
                          "\\Optional\\Wiederholung \\Teil.Wiederholung\\ \\Zeithonorar\\\n"
                          "\\TeilhonorarEnde\\")
            << QByteArray("Haus A\r\nHaus B\r\nWiederholung 1 0,00 \x80\r\n");
    }
    void optionalLines()
    {
        QFETCH(double, timeFee);
        QFETCH(QByteArray, templateBytes);
        QFETCH(QByteArray, page);
        CalcHarness h;
        enterOffer(h, {"Haus A", "Haus B"}, {0, 1});
        h.sheet().edZeithonorar.setValue(timeFee);
        QCOMPARE(render(h, templateBytes), page);
    }

    // A block per VAT rate of the offer, in the order the rates occur, each
    // with the nets at that rate and their VAT rounded once.
    void vatBlockPerRate()
    {
        CalcHarness h;
        enterOffer(h, {"Haus A", "Haus B", "Haus C"});
        h.sheet().edMwSt.setValue(7);
        QCOMPARE(render(h, "<table>\n<!-- \\MwStBeginn\\ -->\n<tr><td>\\MwSt.Satz\\</td><td>"
                           "\\MwSt.Netto\\</td><td>\\MwSt.Betrag\\</td></tr>\n"
                           "<!-- \\MwStEnde\\ -->\n</table>"),
                 QByteArray("<table>\r\n<tr><td>19,00%</td><td>53.053,56 \x80</td><td>"
                            "10.080,18 \x80</td></tr>\r\n<tr><td>7,00%</td><td>26.526,78 \x80"
                            "</td><td>1.856,87 \x80</td></tr>\r\n</table>\r\n"));
    }

    // Blocks that do not pair up stop the report before anything is
    // written, with the reason and the line.
    void unpairedMarkersStopTheReport_data()
    {
        QTest::addColumn<QByteArray>("templateBytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("begin without end")
            << QByteArray("a\n\\TeilhonorarBeginn\\\nb")
            << "Die Vorlage ist fehlerhaft: Zu \"\\TeilhonorarBeginn\\\" fehlt "
               "\"\\TeilhonorarEnde\\\" (Zeile 2).";
        QTest::newRow("end without begin")
            << QByteArray("\\AngebotEnde\\")
            << "Die Vorlage ist fehlerhaft: \"\\AngebotEnde\\\" steht ohne vorangehendes "
               "\"\\AngebotBeginn\\\" (Zeile 1).";
        QTest::newRow("crossing blocks")
            << QByteArray("\\AngebotBeginn\\\n\\TeilhonorarBeginn\\\n\\AngebotEnde\\\n"
                          "\\TeilhonorarEnde\\")
            << "Die Vorlage ist fehlerhaft: \"\\AngebotEnde\\\" schließt den Block von "
               "\"\\TeilhonorarBeginn\\\" nicht ab; Blöcke dürfen sich nicht überschneiden "
               "(Zeile 3).";
        QTest::newRow("a part block in a part block")
            << QByteArray("\\TeilhonorarBeginn\\\n\\AngebotBeginn\\\n\\TeilhonorarBeginn\\\n")
            << "Die Vorlage ist fehlerhaft: \"\\TeilhonorarBeginn\\\" steht in einem anderen "
               "Teilhonorar-Block; diese Blöcke lassen sich nicht ineinander setzen (Zeile 3).";
        QTest::newRow("a VAT block in a part block")
            << QByteArray("\\TeilhonorarBeginn\\\n\\MwStBeginn\\\n")
            << "Die Vorlage ist fehlerhaft: \"\\MwStBeginn\\\" steht in einem Block von "
               "\"\\TeilhonorarBeginn\\\"; Teilhonorar- und MwSt-Blöcke lassen sich nicht "
               "ineinander setzen (Zeile 2).";
        QTest::newRow("two markers in one line")
            << QByteArray("x\n<!-- \\AngebotBeginn\\ --> \\AngebotEnde\\")
            << "Die Vorlage ist fehlerhaft: \"\\AngebotBeginn\\\" und \"\\AngebotEnde\\\" stehen "
               "in derselben Zeile; jede Marke braucht eine Zeile (in Word einen Absatz oder "
               "eine Tabellenzeile) für sich (Zeile 2).";
    }
    void unpairedMarkersStopTheReport()
    {
        QFETCH(QByteArray, templateBytes);
        QFETCH(QString, message);
        CalcHarness h;
        enterOffer(h, {"Haus A", "Haus B"});
        writeBytes(htmlTemplatePath(h.run), templateBytes);
        writeBytes(htmlReportPath(), "alt");
        RecordingProgress progress;
        QVERIFY(!PrintHonorarHTML(*h.offer, h.run, h.desktop, progress));
        QCOMPARE(h.desktop.errors, QStringList{message});
        QCOMPARE(readBytes(htmlReportPath()), QByteArray("alt"));
        QVERIFY(h.desktop.opened.isEmpty());
        QCOMPARE(progress.ended, progress.begun);
        QVERIFY(!h.run.busy);

        const QString output = h.programFolder.filePath(QStringLiteral("angebot.htm"));
        try {
            writeHtmlReport(*h.offer, htmlTemplatePath(h.run), output, progress);
            QFAIL("no error");
        } catch (const TemplateBlockError &error) {
            QCOMPARE(error.message(), message);
        }
        QVERIFY(!QFileInfo::exists(output));
    }

    // With one calculation the default template gives the page it gave
    // before it had the offer's summary.
    void defaultTemplateWithOneCalculationAsBefore()
    {
        CalcHarness h;
        enterOffer(h, {"Haus A"});
        const QByteArray templateBytes = readBytes(QStringLiteral(ZOLVARIC_HTML_TEMPLATE));
        const QByteArray before = withoutOfferBlocks(templateBytes);
        QVERIFY(before.size() < templateBytes.size());
        QCOMPARE(render(h, templateBytes), render(h, before));
    }

    void defaultTemplateSummarisesTheOffer()
    {
        CalcHarness h;
        enterOffer(h, {"Haus A", "Haus B"}, {0, 1});
        const QByteArray page = render(h, readBytes(QStringLiteral(ZOLVARIC_HTML_TEMPLATE)));
        QVERIFY(page.contains("<h2>Zusammenstellung des Angebots</h2>"));
        QVERIFY(page.contains("<td>Haus A</td><td>Geb\xE4ude</td><td>Honorarzone 3</td>"
                              "<td>Mittelsatz (50%)</td><td class=\"zahl\">120.000,00 \x80</td>"
                              "<td class=\"zahl\">0</td><td class=\"zahl\">26.526,78 \x80</td>"));
        QVERIFY(page.contains("<td>Haus B</td>"));
        QVERIFY(!page.contains("\\Teil"));
        QVERIFY(!page.contains("\\Angebot"));
    }
};

ZOLVARIC_TEST_RUNNER(HtmlReportTest)

#include "HtmlReportTest.moc"
