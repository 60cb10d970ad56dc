#include "OfferSheet.h"
#include "PosixFiles.h"
#include "RecordingProgress.h"
#include "ReportSheet.h"
#include "RunTests.h"
#include "TestFiles.h"
#include "ZipEntry.h"
#include "ooxml/DocxFixture.h"
#include "ooxml/RawZip.h"

#include "base/PrivateTempFolder.h"
#include "report/AutomationServers.h"
#include "report/Placeholders.h"
#include "report/WordReport.h"

#include <QDir>

using namespace zolvaric;

namespace {

// A stand-in for Word that writes down every member it is asked for, by
// path ("selection.find.text=..."), and fails where a test says so.
class FakeWord : public AutomationObject
{
public:
    struct Log
    {
        QStringList calls;
        std::function<bool(const QString &call)> fails;
    };

    FakeWord(std::shared_ptr<Log> log, QString path)
        : m_log(std::move(log)), m_path(std::move(path))
    {
    }

    QVariant getProperty(const QString &name) override
    {
        return QVariant::fromValue<AutomationObjectPtr>(
            std::make_shared<FakeWord>(m_log, member(name)));
    }
    void setProperty(const QString &name, const QVariant &value) override
    {
        record(member(name) + QLatin1Char('=') + value.toString());
    }
    QVariant invoke(const QString &name, const AutomationArguments &arguments) override
    {
        QStringList texts;
        for (const AutomationArgument &argument : arguments) {
            const QString value =
                argument.value.isValid() ? argument.value.toString() : QStringLiteral("-");
            texts << (argument.name.isEmpty() ? value : argument.name + QLatin1Char('=') + value);
        }
        record(member(name) + QLatin1Char('(') + texts.join(QLatin1String(", ")) +
               QLatin1Char(')'));
        return QVariant();
    }

private:
    QString member(const QString &name) const
    {
        return (m_path.isEmpty() ? QString() : m_path + QLatin1Char('.')) + name.toLower();
    }
    void record(const QString &call)
    {
        m_log->calls << call;
        if (m_log->fails && m_log->fails(call))
            throw AutomationError(QStringLiteral("abgelehnt"));
    }

    std::shared_ptr<Log> m_log;
    QString m_path;
};

struct WordRun
{
    CalcHarness h;
    RecordingProgress progress;
    std::shared_ptr<FakeWord::Log> log = std::make_shared<FakeWord::Log>();
    QStringList created;
    bool available = true;

    WordRun()
    {
        enterReportExample(h);
        writeBytes(wordTemplatePath(h.run), "vorlage");
    }

    AutomationFactory factory()
    {
        return [this](const QString &className) -> AutomationObjectPtr {
            created << className;
            return available ? std::make_shared<FakeWord>(log, QString()) : nullptr;
        };
    }

    bool print() { return PrintHonorarDOC(*h.offer, h.run, h.desktop, progress, factory()); }
};

// A table row of one paragraph per cell, and a table of rows.
QString tableRow(const QStringList &cells)
{
    QString row = QStringLiteral("<w:tr>");
    for (const QString &cell : cells)
        row += QStringLiteral("<w:tc>") + wordtest::paragraph(cell) + QStringLiteral("</w:tc>");
    return row + QStringLiteral("</w:tr>");
}

QString table(const QStringList &rows)
{
    return QStringLiteral("<w:tbl><w:tblPr/><w:tblGrid/>") + rows.join(QString()) +
           QStringLiteral("</w:tbl>");
}

QString paragraphs(const QStringList &texts)
{
    QString body;
    for (const QString &text : texts)
        body += wordtest::paragraph(text);
    return body;
}

// A template of the body's main text, as a file beside the program.
QString writeWordTemplate(CalcHarness &h, const QString &body)
{
    wordtest::TestPackage package;
    package.body = body;
    package.mainContentType = wordtest::TemplateContentType;
    const QString path = h.programFolder.filePath(QStringLiteral("vorlage.dotx"));
    writeBytes(path, package.toZip());
    return path;
}

// The main text of the report the built-in word processor makes from a
// template; empty when it makes none.
QByteArray builtInReport(CalcHarness &h, const QString &templatePath)
{
    const QString output = h.programFolder.filePath(QStringLiteral("angebot.docx"));
    QFile::remove(output);
    if (!saveWordReport(*h.offer, h.desktop, builtInAutomation(h.desktop), templatePath, output))
        return QByteArray();
    return zipEntry(output, "word/document.xml");
}

} // namespace

class WordReportTest : public QObject
{
    Q_OBJECT

private slots:
    void oneStepTalksToWordAsWordExpects()
    {
        WordRun run;
        QVERIFY(run.print());
        const QStringList &calls = run.log->calls;
        const QString path = wordTemplatePath(run.h.run);
        QCOMPARE(run.created, QStringList{"Word.Application"});
        const QStringList start = {"visible=false", "documents.add(" + path + ", false, -, true)",
                                   "visible=false"};
        QCOMPARE(calls.mid(0, 3), start);
        const QStringList pass = {
            "selection.homekey(Unit=6)",
            "selection.find.clearformatting()",
            "selection.find.text=\\StammFirma\\",
            "selection.find.replacement.text=Planungsbüro Sonne",
            "selection.find.forward=true",
            "selection.find.wrap=1",
            "selection.find.format=false",
            "selection.find.matchcase=false",
            "selection.find.matchwholeword=false",
            "selection.find.matchwildcards=false",
            "selection.find.matchsoundslike=false",
            "selection.find.matchallwordforms=false",
            "selection.find.execute(FindText=\\StammFirma\\, ReplaceWith=Planungsbüro "
            "Sonne, Replace=2)"};
        QCOMPARE(calls.mid(3, 13), pass);
        QCOMPARE(calls[16], QStringLiteral("activewindow.activepane.view.seekview=9"));
        QCOMPARE(calls.mid(17, 13), pass);
        QCOMPARE(calls[30], QStringLiteral("activewindow.activepane.view.seekview=0"));
        QCOMPARE(calls.last(), QStringLiteral("visible=true"));
        // 96 placeholder steps, the offer's three totals, then the letter's
        // eighteen, which a template this program cannot read may hold.
        QCOMPARE(calls.size(), 3 + 117 * 28 + 1);
        QCOMPARE(run.progress.steps, 117);
        QCOMPARE(run.progress.advanced, 117);
        QCOMPARE(run.progress.processed, 117);
        QCOMPARE(run.progress.begun, 1);
        QCOMPARE(run.progress.ended, 1);
        QVERIFY(!run.h.run.busy);
        QVERIFY(run.h.desktop.notices.isEmpty() && run.h.desktop.messages.isEmpty());
    }

    void stepsFollowTheWordOrder()
    {
        WordRun run;
        QVERIFY(run.print());
        QStringList searched;
        for (const QString &call : std::as_const(run.log->calls)) {
            if (call.startsWith(QLatin1String("selection.find.text=")))
                searched << call.mid(20);
        }
        QStringList expected;
        for (const Placeholder &p : placeholders(ReportKind::Word))
            expected << p.text << p.text;
        for (const char *total : {"\\AngebotNetto\\", "\\AngebotMwStEUR\\", "\\AngebotBrutto\\"})
            expected << QLatin1String(total) << QLatin1String(total);
        for (const PlaceholderValue &letter :
             letterPlaceholders(run.h.sheet(), run.h.run.settingsFile, QDate::currentDate()))
            expected << letter.text << letter.text;
        QCOMPARE(searched, expected);
    }

    // A template that holds none of the letter's placeholders is filled with
    // the steps it always was; one that holds some gets those.
    void letterStepsOnlyForWhatTheTemplateHolds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("letter");
        QTest::newRow("none") << "\\Projektbez\\" << QStringList();
        QTest::newRow("two, one split over runs")
            << "\\Angebotsnummer\\ vom \\Angebots</w:t></w:r><w:r><w:t>datum\\"
            << QStringList{"\\Angebotsnummer\\", "\\Angebotsdatum\\"};
    }
    void letterStepsOnlyForWhatTheTemplateHolds()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, letter);
        WordRun run;
        wordtest::TestPackage package;
        package.body =
            QStringLiteral("<w:p><w:r><w:t xml:space=\"preserve\">%1</w:t></w:r></w:p>").arg(text);
        writeBytes(wordTemplatePath(run.h.run), package.toZip());
        QVERIFY(run.print());
        QStringList searched;
        for (const QString &call : std::as_const(run.log->calls)) {
            if (call.startsWith(QLatin1String("selection.find.text=\\")))
                searched << call.mid(20);
        }
        searched.removeDuplicates();
        QCOMPARE(searched.mid(99), letter);
        QCOMPARE(run.progress.advanced, 117);
    }

    // The letter's data in the document: texts of several lines as lines,
    // the empty ones as the office's or the program's defaults.
    void letterDataInTheReport()
    {
        CalcHarness h;
        enterReportExample(h);
        CalculationSheet &s = h.sheet();
        s.edAngebotsnummer.setText(QStringLiteral("A-2026-017"));
        s.edAngebotsdatum.setText(QStringLiteral("01.12.2026"));
        s.edLeistungsumfang.setText(QStringLiteral("Objektplanung Gebäude\nLP 1 bis 9"));
        s.edStammGueltigkeitWochen.setText(QStringLiteral("6"));
        s.edStammIBAN.setText(QStringLiteral("DE02 1203 0000 0000 2020 51"));
        const QString path = writeWordTemplate(
            h, paragraphs({"Nr. \\Angebotsnummer\\ vom \\Angebotsdatum\\",
                           "gültig bis \\AngebotGueltigBis\\", "\\Anrede\\", "\\Leistungsumfang\\",
                           "IBAN \\StammIBAN\\", "\\Zahlungsbedingungen\\"}));
        const QStringList texts = wordtest::paragraphTexts(builtInReport(h, path));
        QCOMPARE(texts.mid(0, 5),
                 (QStringList{"Nr. A-2026-017 vom 01.12.2026", "gültig bis 12.01.2027",
                              "Sehr geehrte Damen und Herren,", "Objektplanung Gebäude\nLP 1 bis 9",
                              "IBAN DE02 1203 0000 0000 2020 51"}));
        QCOMPARE(texts.value(5), defaultPaymentTerms());
    }

    void specialReplacements_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("call");
        QTest::newRow("@ only selects") << "@"
                                        << "selection.find.execute()";
        QTest::newRow("@CLIPBOARD@ inserts the clipboard")
            << "@CLIPBOARD@"
            << "selection.find.execute(FindText=\\Projektbez\\, ReplaceWith=^c, Replace=2)";
    }
    void specialReplacements()
    {
        QFETCH(QString, value);
        QFETCH(QString, call);
        WordRun run;
        run.h.sheet().edProjektbez.setText(value);
        QVERIFY(run.print());
        QCOMPARE(run.log->calls.count(call), 2);
    }

    void templateMissing()
    {
        WordRun run;
        QFile::remove(wordTemplatePath(run.h.run));
        QVERIFY(!run.print());
        QCOMPARE(run.h.desktop.notices,
                 QStringList{QStringLiteral("Die Vorlagedatei \"%1\" konnte nicht gefunden werden. "
                                            "Der Vorgang wird abgebrochen.")
                                 .arg(wordTemplatePath(run.h.run))});
        QVERIFY(run.created.isEmpty());
        QCOMPARE(run.progress.begun, 0);
    }

    void wordNotAvailable()
    {
        WordRun run;
        run.available = false;
        QVERIFY(!run.print());
        QCOMPARE(run.h.desktop.messages, QStringList{"Word konnte nicht gestartet werden."});
        QCOMPARE(run.h.desktop.notices,
                 QStringList{"Beim Erstellen des Documentes ist ein Fehler aufgetreten."});
        QCOMPARE(run.progress.ended, 1);
        QVERIFY(!run.h.run.busy);
    }

    // Without a document no placeholder step runs: one message, not 85.
    void documentCannotBeAdded()
    {
        WordRun run;
        run.log->fails = [](const QString &call) {
            return call.startsWith(QLatin1String("documents.add"));
        };
        QVERIFY(!run.print());
        QCOMPARE(run.h.desktop.messages, QStringList{"fehler:word.documents.add\n\nabgelehnt"});
        QCOMPARE(run.h.desktop.notices,
                 QStringList{"Beim Erstellen des Documentes ist ein Fehler aufgetreten."});
        QVERIFY(run.log->calls.contains(QStringLiteral("quit()")));
        QVERIFY(!run.log->calls.contains(QStringLiteral("selection.homekey(Unit=6)")));
        QCOMPARE(run.progress.ended, 1);
    }

    void hidingWordFails()
    {
        WordRun run;
        run.log->fails = [](const QString &call) { return call == QLatin1String("visible=false"); };
        QVERIFY(!run.print());
        QCOMPARE(run.h.desktop.messages,
                 QStringList{"Das Dokument \"\" konnte nicht angelegt werden!"});
        QCOMPARE(run.h.desktop.notices,
                 QStringList{"Beim Erstellen des Documentes ist ein Fehler aufgetreten."});
        QCOMPARE(run.log->calls.last(), QStringLiteral("quit()"));
    }

    void failingStepIsShownAndTheReportGoesOn()
    {
        WordRun run;
        run.log->fails = [](const QString &call) {
            return call.startsWith(QLatin1String("selection.find.execute(FindText=\\K1\\"));
        };
        QVERIFY(run.print());
        const QString message =
            QStringLiteral("Bei der Textsuche nach \"\\K1\\\" ist ein Fehler aufgetreten.");
        // The failing main-text pass ends that step: no header pass for it.
        QCOMPARE(run.h.desktop.notices, QStringList{message});
        QCOMPARE(run.h.desktop.captions, QStringList{"WordSuchText"});
        QCOMPARE(run.progress.advanced, 117);
        QCOMPARE(run.log->calls.count(QStringLiteral("activewindow.activepane.view.seekview=0")),
                 116);
    }

    void refusedShowEndsTheBusyStateAndReachesTheCaller()
    {
        WordRun run;
        run.log->fails = [](const QString &call) { return call == QLatin1String("visible=true"); };
        QVERIFY_THROWS_EXCEPTION(AutomationError, run.print());
        QCOMPARE(run.progress.ended, 1);
        QVERIFY(!run.h.run.busy);
    }

    void suchTextGuards()
    {
        CalcHarness h;
        RecordingProgress progress;
        WordSuchText(nullptr, h.desktop, progress, QStringLiteral("\\X\\"), QStringLiteral("y"));
        auto log = std::make_shared<FakeWord::Log>();
        WordSuchText(std::make_shared<FakeWord>(log, QString()), h.desktop, progress, QString(),
                     QStringLiteral("y"));
        QCOMPARE(h.desktop.notices,
                 (QStringList{"Die Verbindung zu Word konnte nicht hergestellt werden.",
                              "Es wurde kein Suchtext definiert."}));
        QVERIFY(log->calls.isEmpty());
    }

    // With the built-in word processor and the default template: the order
    // effect of the vocabulary, "@" and "@CLIPBOARD@".
    void builtInWordProcessorFillsTheDefaultTemplate()
    {
        CalcHarness h;
        enterReportExample(h);
        h.sheet().edProjektbez.setText(QStringLiteral("\\MwSt\\"));
        h.sheet().edProjektnr.setText(QStringLiteral("@"));
        h.sheet().edBauort.setText(QStringLiteral("@CLIPBOARD@"));
        h.desktop.clipboard = QStringLiteral("Bonn-Beuel, Rheinufer");
        const QString output = h.programFolder.filePath(QStringLiteral("angebot.docx"));
        QVERIFY(saveWordReport(*h.offer, h.desktop, builtInAutomation(h.desktop),
                               QStringLiteral(ZOLVARIC_WORD_TEMPLATE), output));
        const QByteArray body = zipEntry(output, "word/document.xml");
        QVERIFY(!body.isEmpty());
        QVERIFY(!body.contains("\\MwSt\\"));
        QCOMPARE(body.count("19,00%"), 2); // the VAT rate, and the project name turned into it
        QVERIFY(body.contains("\\Projektnr\\")); // "@" only selects
        QVERIFY(body.contains("Bonn-Beuel, Rheinufer"));
        QVERIFY(body.contains("31.566,87 €"));
        QVERIFY(h.desktop.notices.isEmpty() && h.desktop.messages.isEmpty());
    }

    // The default template's \Hinweise\ holds the calculation's warnings:
    // none inside the fee table; above it, why the basic fee is 0,00 €.
    void builtInWordProcessorWritesTheWarnings_data()
    {
        QTest::addColumn<double>("costs");
        QTest::addColumn<QString>("warning");
        QTest::newRow("inside the table") << 120000.0 << QString();
        QTest::newRow("above the table")
            << 30000000.0
            << "Die anrechenbaren Kosten liegen über dem Tafelendwert der Honorartafel § 35 "
               "(25.000.000,00 €) und damit außerhalb der Honorartafel. Das Honorar ist frei zu "
               "vereinbaren (§ 7 Abs. 2 HOAI 2013).";
    }
    void builtInWordProcessorWritesTheWarnings()
    {
        QFETCH(double, costs);
        QFETCH(QString, warning);
        CalcHarness h;
        enterReportExample(h);
        h.sheet().edKosten.setValue(costs);
        const QString output = h.programFolder.filePath(QStringLiteral("angebot.docx"));
        QVERIFY(saveWordReport(*h.offer, h.desktop, builtInAutomation(h.desktop),
                               QStringLiteral(ZOLVARIC_WORD_TEMPLATE), output));
        const QString body = QString::fromUtf8(zipEntry(output, "word/document.xml"));
        QVERIFY(body.contains(QStringLiteral("Grundhonorar")));
        QVERIFY(!body.contains(QStringLiteral("\\Hinweise\\")));
        QCOMPARE(body.contains(QStringLiteral("Tafelendwert")), !warning.isEmpty());
        if (!warning.isEmpty())
            QVERIFY(body.contains(u'>' + warning + u'<'));
    }

    void severalWarningsOneALine()
    {
        QCOMPARE(wordWarnings({"Kosten ^p über", "Zweiter"}),
                 QStringLiteral("Kosten ^^p über^lZweiter"));
        QCOMPARE(wordWarnings({}), QString());
    }

    // Visible from the start and no save name: the built-in word processor
    // takes every call of the sequence and shows the new document, as a
    // template, once the caller lets go of it.
    void builtInWordProcessorVisibleFromTheStart()
    {
        CalcHarness h;
        QTemporaryDir temp;
        const QByteArray previousTemp = qgetenv("TEMP");
        qputenv("TEMP", temp.path().toLocal8Bit());
        AutomationObjectPtr handle;
        const bool made =
            WordNewDocument(builtInAutomation(h.desktop), h.desktop, QString(),
                            QStringLiteral(ZOLVARIC_WORD_TEMPLATE), false, true, handle);
        const bool kept = handle != nullptr;
        const QStringList openedWhileHeld = h.desktop.opened;
        handle.reset();
        if (previousTemp.isEmpty())
            qunsetenv("TEMP");
        else
            qputenv("TEMP", previousTemp);
        QVERIFY(made);
        QVERIFY(kept);
        QCOMPARE(h.desktop.notices + h.desktop.messages + h.desktop.errors, QStringList());
        QCOMPARE(openedWhileHeld, QStringList());
        QCOMPARE(h.desktop.opened.size(), 1);
        QCOMPARE(QFileInfo(h.desktop.opened.first()).canonicalFilePath(),
                 QFileInfo(temp.filePath(posixfiles::privateFolderName() +
                                         QStringLiteral("/Dokument1.dotx")))
                     .canonicalFilePath());
        QVERIFY(zipEntry(h.desktop.opened.first(), "[Content_Types].xml")
                    .contains("wordprocessingml.template.main+xml"));
    }

    // A failed save names the file and the system's reason, whether the
    // report saves the document or it is saved under a name when it is made.
    void failedSaveSaysWhy_data()
    {
        QTest::addColumn<bool>("report"); // else a new document with a save name
        QTest::newRow("report") << true;
        QTest::newRow("new document with a save name") << false;
    }
    void failedSaveSaysWhy()
    {
        QFETCH(bool, report);
        CalcHarness h;
        enterReportExample(h);
        const QString folder = h.programFolder.filePath(QStringLiteral("fehlt"));
        const QString output = folder + QStringLiteral("/angebot.docx");
        const QString expected =
            QStringLiteral("Das Dokument \"%1\" konnte nicht gespeichert "
                           "werden: Der Ordner \"%2\" existiert nicht.")
                .arg(QDir::toNativeSeparators(output), QDir::toNativeSeparators(folder));
        const QString templatePath = QStringLiteral(ZOLVARIC_WORD_TEMPLATE);
        if (report) {
            QVERIFY(!saveWordReport(*h.offer, h.desktop, builtInAutomation(h.desktop), templatePath,
                                    output));
            QCOMPARE(h.desktop.notices, QStringList{expected});
        } else {
            AutomationObjectPtr handle;
            QVERIFY(!WordNewDocument(builtInAutomation(h.desktop), h.desktop, output, templatePath,
                                     true, false, handle));
            QCOMPARE(h.desktop.messages, QStringList{expected});
        }
    }

    // A template beyond the word processor's limits makes no document: an
    // earlier file of the name stays as it was, and none is created.
    void hostileTemplateWritesNothing_data()
    {
        QTest::addColumn<QByteArray>("part");
        QTest::addColumn<bool>("earlierFile");
        QTest::newRow("header inflating beyond its declared size, earlier file")
            << QByteArray("word/header1.xml") << true;
        QTest::newRow("main text declaring 2^62 bytes, no earlier file")
            << QByteArray("word/document.xml") << false;
    }
    void hostileTemplateWritesNothing()
    {
        QFETCH(QByteArray, part);
        QFETCH(bool, earlierFile);
        CalcHarness h;
        enterReportExample(h);
        QList<wordtest::RawZipEntry> entries =
            wordtest::rawEntries(readBytes(QStringLiteral(ZOLVARIC_WORD_TEMPLATE)));
        for (wordtest::RawZipEntry &entry : entries) {
            if (entry.name != part)
                continue;
            entry.zip64 = !earlierFile;
            entry.declaredSize = earlierFile ? entry.data.size() - 1 : quint64(1) << 62;
        }
        const QString templatePath = h.programFolder.filePath(QStringLiteral("vorlage.dot"));
        writeBytes(templatePath, wordtest::rawZip(entries));
        const QString output = h.programFolder.filePath(QStringLiteral("angebot.docx"));
        if (earlierFile)
            writeBytes(output, "alt");
        QVERIFY(!saveWordReport(*h.offer, h.desktop, builtInAutomation(h.desktop), templatePath,
                                output));
        QCOMPARE(
            h.desktop.messages,
            QStringList{"fehler:word.documents.add\n\nDie Vorlage ist zu groß oder beschädigt."});
        if (earlierFile)
            QCOMPARE(readBytes(output), QByteArray("alt"));
        else
            QVERIFY(!QFileInfo::exists(output));
    }

    void newDocumentSavedAndQuit()
    {
        CalcHarness h;
        const QString templatePath = h.programFolder.filePath(QStringLiteral("v.dot"));
        writeBytes(templatePath, "x");
        auto log = std::make_shared<FakeWord::Log>();
        const AutomationFactory factory = [log](const QString &) {
            return std::make_shared<FakeWord>(log, QString());
        };
        AutomationObjectPtr handle;
        // The fake writes no file, so a save name reports failure at the end.
        QVERIFY(!WordNewDocument(factory, h.desktop, QStringLiteral("/tmp/neu.docx"), templatePath,
                                 true, true, handle));
        QCOMPARE(log->calls, (QStringList{"visible=true", "activate()",
                                          "documents.add(" + templatePath + ", false, -, true)",
                                          "activedocument.saveas(/tmp/neu.docx)", "quit()"}));
        QVERIFY(!handle);
        QVERIFY(!WordNewDocument(factory, h.desktop, QString(), QStringLiteral("/fehlt.dot"), false,
                                 false, handle));
        QCOMPARE(
            h.desktop.messages.last(),
            QStringLiteral("Die Dokumentvorlage \"/fehlt.dot\" konnte nicht gefunden werden."));
    }
    // The offer's blocks through the built-in word processor; the copies are
    // of the worked example, as in the HTML report's test.
    void offerBlocks_data()
    {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QList<int>>("repetitions");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("paragraphs once per calculation, in order")
            << QStringList{"Haus A", "Haus B", "Haus C"} << QList<int>{0, 1, 2}
            << paragraphs({"Vorher", "\\TeilhonorarBeginn\\",
                           "\\Teil.Bezeichnung\\: \\Teil.Wiederholung\\", "\\TeilhonorarEnde\\",
                           "Nachher"})
            << QStringList{"Vorher", "Haus A: 0", "Haus B: 1", "Haus C: 2", "Nachher"};
        QTest::newRow("table rows, the totals after them")
            << QStringList{"Haus A", "Haus B"} << QList<int>{}
            << table({tableRow({"Bezeichnung", "Netto"}), tableRow({"\\TeilhonorarBeginn\\", ""}),
                      tableRow({"\\Teil.Bezeichnung\\", "\\Teil.Nettohonorar\\"}),
                      tableRow({"", "\\TeilhonorarEnde\\"}),
                      tableRow({"Summe", "\\AngebotNetto\\"})})
            << QStringList{"Bezeichnung", "Netto",       "Haus A", "26.526,78 €",
                           "Haus B",      "26.526,78 €", "Summe",  "53.053,56 €"};
        QTest::newRow("marker and placeholder split across runs")
            << QStringList{"Haus A", "Haus B"} << QList<int>{}
            << "<w:p><w:r><w:t>\\Teilhonorar</w:t></w:r><w:r><w:rPr><w:b/></w:rPr>"
               "<w:t>beginn\\</w:t></w:r></w:p><w:p><w:r><w:t>(\\Teil.</w:t></w:r><w:r><w:rPr>"
               "<w:i/></w:rPr><w:t>Bezeichnung\\)</w:t></w:r></w:p>" +
                   wordtest::paragraph("\\TeilhonorarEnde\\")
            << QStringList{"(Haus A)", "(Haus B)"};
        QTest::newRow("a calculation's values")
            << QStringList{"Haus A"} << QList<int>{}
            << paragraphs({"\\TeilhonorarBeginn\\",
                           "\\Teil.Honorartyp\\|\\Teil.Honorarzone\\|\\Teil.Honorarsatz\\|"
                           "\\Teil.anrechenbareKosten\\|\\Teil.Grundhonorar\\|"
                           "\\Teil.LPSummeEUR\\|\\Teil.Nettohonorar\\",
                           "\\TeilhonorarEnde\\"})
            << QStringList{"Gebäude|Honorarzone 3|Mittelsatz (50%)|120.000,00 €|19.803,00 €|"
                           "19.803,00 €|26.526,78 €"};
        QTest::newRow("titles that look like placeholders print as typed")
            << QStringList{"\\Bauort\\", "\\AngebotNetto\\ ^c", "\\Teil.Wiederholung\\"}
            << QList<int>{}
            << paragraphs({"\\TeilhonorarBeginn\\", "\\Teil.Bezeichnung\\", "\\TeilhonorarEnde\\"})
            << QStringList{"\\Bauort\\", "\\AngebotNetto\\ ^c", "\\Teil.Wiederholung\\"};
        QTest::newRow("the offer's totals in a template without markers")
            << QStringList{"Haus A", "Haus B", "Haus C"} << QList<int>{}
            << paragraphs({"\\AngebotNetto\\|\\AngebotMwStEUR\\|\\AngebotBrutto\\"})
            << QStringList{"79.580,34 €|15.120,26 €|94.700,60 €"};
        const QString offerRows =
            table({tableRow({"Kopf"}), tableRow({"\\AngebotBeginn\\"}),
                   tableRow({"\\TeilhonorarBeginn\\"}), tableRow({"\\Teil.Bezeichnung\\"}),
                   tableRow({"\\TeilhonorarEnde\\"}), tableRow({"\\AngebotEnde\\"})}) +
            wordtest::paragraph("Ende");
        QTest::newRow("offer block of rows, one calculation: gone")
            << QStringList{"Haus A"} << QList<int>{} << offerRows << QStringList{"Kopf", "Ende"};
        QTest::newRow("offer block of rows, two: kept, its part block repeated")
            << QStringList{"Haus A", "Haus B"} << QList<int>{} << offerRows
            << QStringList{"Kopf", "Haus A", "Haus B", "Ende"};
    }
    void offerBlocks()
    {
        QFETCH(QStringList, titles);
        QFETCH(QList<int>, repetitions);
        QFETCH(QString, body);
        QFETCH(QStringList, texts);
        CalcHarness h;
        enterOffer(h, titles, repetitions);
        const QByteArray document = builtInReport(h, writeWordTemplate(h, body));
        QCOMPARE(h.desktop.notices + h.desktop.messages, QStringList());
        QCOMPARE(wordtest::paragraphTexts(document), texts);
    }

    // Optional paragraphs and rows go when their placeholders give nothing.
    void optionalLines()
    {
        CalcHarness h;
        enterOffer(h, {"Haus A", "Haus B"}, {0, 1});
        h.sheet().edZeithonorar.setValue(0);
        const QString body =
            paragraphs({"\\Optional\\Zeithonorar \\Zeithonorar\\", "\\Optional\\Netto \\Nettohonorar\\",
                        "\\TeilhonorarBeginn\\"}) +
            table({tableRow({"\\Teil.Bezeichnung\\", "\\Optional\\"}),
                   tableRow({"\\Optional\\Wdh.", "\\Teil.Wiederholung\\"})}) +
            paragraphs({"\\TeilhonorarEnde\\"});
        QCOMPARE(wordtest::paragraphTexts(builtInReport(h, writeWordTemplate(h, body))),
                 (QStringList{"Netto 17.741,76 €", "Haus A", "", "Haus B", "", "Wdh.", "1"}));
    }

    // Table rows per VAT rate of the offer.
    void vatBlockPerRate()
    {
        CalcHarness h;
        enterOffer(h, {"Haus A", "Haus B", "Haus C"});
        h.sheet().edMwSt.setValue(7);
        const QString body =
            table({tableRow({"\\MwStBeginn\\"}),
                   tableRow({"MwSt. \\MwSt.Satz\\ von \\MwSt.Netto\\", "\\MwSt.Betrag\\"}),
                   tableRow({"\\MwStEnde\\"})});
        QCOMPARE(wordtest::paragraphTexts(builtInReport(h, writeWordTemplate(h, body))),
                 (QStringList{"MwSt. 19,00% von 53.053,56 €", "10.080,18 €",
                              "MwSt. 7,00% von 26.526,78 €", "1.856,87 €"}));
    }

    // Blocks that do not pair up: named, the word processor never started,
    // an earlier file of the report's name as it was.
    void unpairedMarkersWriteNothing_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("message");
        QTest::newRow("begin without end")
            << paragraphs({"\\TeilhonorarBeginn\\", "x"})
            << "Die Vorlage ist fehlerhaft: Zu \"\\TeilhonorarBeginn\\\" fehlt "
               "\"\\TeilhonorarEnde\\\".";
        QTest::newRow("begin in a table row, end beside the table")
            << table({tableRow({"\\TeilhonorarBeginn\\"}), tableRow({"x"})}) +
                   wordtest::paragraph("\\TeilhonorarEnde\\")
            << "Die Vorlage ist fehlerhaft: \"\\TeilhonorarBeginn\\\" und \"\\TeilhonorarEnde\\\" "
               "stehen nicht auf derselben Ebene (etwa das eine in einer Tabelle, das andere "
               "außerhalb).";
        QTest::newRow("two markers in one table row")
            << table({tableRow({"\\AngebotBeginn\\", "\\AngebotEnde\\"})})
            << "Die Vorlage ist fehlerhaft: \"\\AngebotBeginn\\\" und \"\\AngebotEnde\\\" stehen "
               "in derselben Zeile; jede Marke braucht eine Zeile (in Word einen Absatz oder "
               "eine Tabellenzeile) für sich.";
    }
    void unpairedMarkersWriteNothing()
    {
        QFETCH(QString, body);
        QFETCH(QString, message);
        WordRun run;
        enterOffer(run.h, {"Haus A", "Haus B"});
        const QString templatePath = writeWordTemplate(run.h, body);
        const QString output = run.h.programFolder.filePath(QStringLiteral("angebot.docx"));
        writeBytes(output, "alt");
        QVERIFY(!saveWordReport(*run.h.offer, run.h.desktop, run.factory(), templatePath, output));
        QCOMPARE(run.h.desktop.notices, QStringList{message});
        QVERIFY(run.h.desktop.messages.isEmpty());
        QVERIFY(run.created.isEmpty());
        QCOMPARE(readBytes(output), QByteArray("alt"));
    }

    // Word by automation only opens a file: a template without markers goes
    // as it is, one with markers as an expanded copy of its own that is gone
    // once the report is made.
    void templateTheWordProcessorOpens_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("expanded");
        QTest::newRow("no marker") << paragraphs({"\\Teil.Bezeichnung\\"}) << false;
        QTest::newRow("a block") << paragraphs({"\\TeilhonorarBeginn\\", "\\Teil.Bezeichnung\\",
                                                "\\TeilhonorarEnde\\"})
                                 << true;
    }
    void templateTheWordProcessorOpens()
    {
        QFETCH(QString, body);
        QFETCH(bool, expanded);
        WordRun run;
        writeBytes(wordTemplatePath(run.h.run), readBytes(writeWordTemplate(run.h, body)));
        QVERIFY(run.print());
        QString opened;
        for (const QString &call : std::as_const(run.log->calls)) {
            if (call.startsWith(QLatin1String("documents.add(")))
                opened = call.mid(14, call.indexOf(QLatin1String(", false")) - 14);
        }
        QCOMPARE(opened == wordTemplatePath(run.h.run), !expanded);
        if (expanded) {
            QCOMPARE(QFileInfo(opened).absolutePath() + u'/',
                     QDir::fromNativeSeparators(PrivateTempFolder()));
            QVERIFY(opened.endsWith(QLatin1String(".dotx")));
            QVERIFY(!QFileInfo::exists(opened));
        }
    }

    // With one calculation the default template gives the document it gave
    // before it had the offer's summary.
    void defaultTemplateWithOneCalculationAsBefore()
    {
        CalcHarness h;
        enterOffer(h, {"Haus A"});
        QList<wordtest::RawZipEntry> entries =
            wordtest::rawEntries(readBytes(QStringLiteral(ZOLVARIC_WORD_TEMPLATE)));
        for (wordtest::RawZipEntry &entry : entries) {
            if (entry.name == "word/document.xml") {
                const QByteArray before = withoutOfferBlocks(entry.data);
                QVERIFY(before.size() < entry.data.size());
                entry.data = before;
            }
        }
        const QString before = h.programFolder.filePath(QStringLiteral("vorher.dot"));
        writeBytes(before, wordtest::rawZip(entries));
        const QByteArray document = builtInReport(h, QStringLiteral(ZOLVARIC_WORD_TEMPLATE));
        QVERIFY(!document.isEmpty());
        QCOMPARE(document, builtInReport(h, before));
    }

    void defaultTemplateSummarisesTheOffer()
    {
        CalcHarness h;
        enterOffer(h, {"Haus A", "Haus B"});
        const QByteArray document = builtInReport(h, QStringLiteral(ZOLVARIC_WORD_TEMPLATE));
        const QStringList texts = wordtest::paragraphTexts(document);
        const qsizetype heading = texts.indexOf(QStringLiteral("5. Zusammenstellung des Angebots"));
        QVERIFY(heading > 0);
        const auto row = [](const QString &title) {
            return QStringList{title,          "Gebäude", "Honorarzone 3", "Mittelsatz (50%)",
                               "120.000,00 €", "0",       "26.526,78 €"};
        };
        const QStringList totals = {"Summe netto", "53.053,56 €",  "zzgl. MwSt.",
                                    "10.080,18 €", "Summe brutto", "63.133,74 €"};
        QCOMPARE(texts.mid(heading + 8, 20), row("Haus A") + row("Haus B") + totals);
        QVERIFY(!document.contains("\\Teil"));
        QVERIFY(!document.contains("\\Angebot"));
    }
};

ZOLVARIC_TEST_RUNNER(WordReportTest)

#include "WordReportTest.moc"
