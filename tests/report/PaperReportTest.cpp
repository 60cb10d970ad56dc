#include "OfferSheet.h"
#include "PosixFiles.h"
#include "RecordingProgress.h"
#include "ReportSheet.h"
#include "RunTests.h"
#include "TestFiles.h"

#include "base/Error.h"
#include "report/HtmlReport.h"
#include "report/paper/PaperReport.h"
#include "report/paper/PdfReport.h"
#include "report/paper/TemplateResources.h"

#include <QImage>
#include <QOperatingSystemVersion>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace zolvaric;

namespace {

// The PDF is read back with poppler's tools. They are required where the
// environment asks for them (CI), never under Wine, where no Linux tool runs.
bool popplerRequired()
{
    return qEnvironmentVariable("ZOLVARIC_REQUIRE_POPPLER") == QLatin1String("1") &&
           QOperatingSystemVersion::currentType() != QOperatingSystemVersion::Windows;
}

#define ZOLVARIC_REQUIRE_POPPLER()                                                                 \
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {                   \
        if (popplerRequired())                                                                     \
            QFAIL("poppler-utils (pdftotext, pdfinfo, pdfimages) are required but not installed"); \
        QSKIP("poppler-utils (pdftotext, pdfinfo, pdfimages) are not installed");                  \
    }

struct ToolRun
{
    QString out;
    QString err;
};

ToolRun runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        qFatal("%s did not finish", qPrintable(program));
    // Qt's currency text holds no-break spaces; the checks write plain ones.
    return {QString::fromUtf8(process.readAllStandardOutput()).replace(QChar(0xA0), u' '),
            QString::fromUtf8(process.readAllStandardError())};
}

// The text of a PDF's page (0: of all pages), as a reader's search sees it;
// a table's row on one line.
QString pdfText(const QString &pdf, int page = 0)
{
    QStringList arguments = {"-layout"};
    if (page > 0)
        arguments << "-f" << QString::number(page) << "-l" << QString::number(page);
    return runTool(QStringLiteral("pdftotext"), arguments << pdf << "-").out;
}

// The report of the template as a PDF file in the folder.
QString writePdf(CalcHarness &h, const QString &templatePath)
{
    const QString path = h.programFolder.filePath(QStringLiteral("Angebot.pdf"));
    writeBytes(path, PaperReport(*h.offer, templatePath).toPdf());
    return path;
}

QString writeTemplate(CalcHarness &h, const QByteArray &bytes)
{
    const QString path = h.programFolder.filePath(QStringLiteral("vorlage.htm"));
    writeBytes(path, bytes);
    return path;
}

// What pdfinfo names a field, "" for a field it does not list.
QString infoField(const QString &info, const QString &field)
{
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

} // namespace

class PaperReportTest : public QObject
{
    Q_OBJECT

private slots:
    // The worked example (net 26.526,78 €, VAT 5.040,09 €) as a reader's
    // search finds it in the PDF: real text, fonts with every character.
    void workedExampleInThePdf_data()
    {
        QTest::addColumn<QString>("firm");
        QTest::addColumn<QString>("expected");
        QTest::newRow("net fee") << "Planungsbüro Sonne"
                                 << "Nettohonorar 26.526,78 €";
        QTest::newRow("gross fee") << "Planungsbüro Sonne"
                                   << "Bruttohonorar 31.566,87 €";
        const QStringList phases = {"396,06 €", "1.386,21 €", "2.970,45 €",
                                    "594,09 €", "4.950,75 €", "1.980,30 €",
                                    "792,12 €", "6.336,96 €", "396,06 €"};
        for (int n = 1; n <= 9; ++n)
            QTest::addRow("phase %d", n) << "Planungsbüro Sonne" << phases[n - 1];
        QTest::newRow("office") << "Planungsbüro Sonne"
                                << "Planungsbüro Sonne";
        QTest::newRow("office beyond Latin-1") << "Pracownia Łódź & Söhne € – Maßwerk"
                                               << "Pracownia Łódź & Söhne € – Maßwerk";
    }
    void workedExampleInThePdf()
    {
        ZOLVARIC_REQUIRE_POPPLER();
        QFETCH(QString, firm);
        QFETCH(QString, expected);
        CalcHarness h;
        enterReportExample(h);
        h.sheet().edStammFirma.setText(firm);
        const QString text =
            pdfText(writePdf(h, QStringLiteral(ZOLVARIC_HTML_TEMPLATE))).simplified();
        QVERIFY2(text.contains(expected), qPrintable(text));
    }

    // The document's properties, read by pdfinfo from the Info dictionary
    // the report appends: a broken cross-reference would make it complain.
    void propertiesOfThePdf_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("firm");
        QTest::addColumn<QString>("title");
        QTest::newRow("the project's name") << " Kita Regenbogen "
                                            << "2026-017"
                                            << "Planungsbüro Sonne"
                                            << "Kita Regenbogen";
        QTest::newRow("its number without a name") << ""
                                                   << "2026-017"
                                                   << "Łódź Müller €"
                                                   << "2026-017";
        QTest::newRow("neither") << ""
                                 << ""
                                 << ""
                                 << "Honorarangebot";
    }
    void propertiesOfThePdf()
    {
        ZOLVARIC_REQUIRE_POPPLER();
        QFETCH(QString, name);
        QFETCH(QString, number);
        QFETCH(QString, firm);
        QFETCH(QString, title);
        CalcHarness h;
        enterReportExample(h);
        h.sheet().edProjektbez.setText(name);
        h.sheet().edProjektnr.setText(number);
        h.sheet().edStammFirma.setText(firm);
        const ToolRun info = runTool(QStringLiteral("pdfinfo"),
                                     {writePdf(h, QStringLiteral(ZOLVARIC_HTML_TEMPLATE))});
        QVERIFY2(info.err.isEmpty(), qPrintable(info.err));
        QCOMPARE(infoField(info.out, "Title"), title);
        QCOMPARE(infoField(info.out, "Author"), firm);
        QCOMPARE(infoField(info.out, "Creator"), QStringLiteral("Zolvaric " ZOLVARIC_VERSION));
        QVERIFY2(info.out.contains(QRegularExpression("Page size:.*\\(A4\\)")),
                 qPrintable(info.out));
        QCOMPARE(infoField(info.out, "Pages"), QStringLiteral("2"));
    }

    // One table per calculation, under its heading: each page says which it
    // is of how many; a table that fits on a page is never split, one that
    // does not runs on; nothing is lost or doubled.
    void pagesNumberedTablesWhole_data()
    {
        QTest::addColumn<int>("calculations");
        QTest::addColumn<int>("rows");
        // Per page the first and the last row on it; "" where the place of a
        // break depends on the fonts.
        QTest::addColumn<QStringList>("firstRows");
        QTest::addColumn<QStringList>("lastRows");
        QTest::newRow("more than half a page each: one a page")
            << 3 << 30 << QStringList{"Haus 1 Zeile 1", "Haus 2 Zeile 1", "Haus 3 Zeile 1"}
            << QStringList{"Haus 1 Zeile 30", "Haus 2 Zeile 30", "Haus 3 Zeile 30"};
        QTest::newRow("small tables share a page")
            << 3 << 5 << QStringList{"Haus 1 Zeile 1"} << QStringList{"Haus 3 Zeile 5"};
        QTest::newRow("taller than a page: runs on")
            << 1 << 80 << QStringList{"Haus 1 Zeile 1", ""} << QStringList{"", "Haus 1 Zeile 80"};
    }
    void pagesNumberedTablesWhole()
    {
        ZOLVARIC_REQUIRE_POPPLER();
        QFETCH(int, calculations);
        QFETCH(int, rows);
        QFETCH(QStringList, firstRows);
        QFETCH(QStringList, lastRows);
        CalcHarness h;
        QStringList titles;
        for (int i = 1; i <= calculations; ++i)
            titles << QStringLiteral("Haus %1").arg(i);
        enterOffer(h, titles);
        QByteArray templateBytes = "<p>Anfang</p>\n\\TeilhonorarBeginn\\\n"
                                   "<h2>Abschnitt \\Teil.Bezeichnung\\</h2>\n<table>\n";
        for (int row = 1; row <= rows; ++row)
            templateBytes +=
                "<tr><td>\\Teil.Bezeichnung\\ Zeile " + QByteArray::number(row) + "</td></tr>\n";
        templateBytes += "</table>\n\\TeilhonorarEnde\\\n";
        const QString pdf = writePdf(h, writeTemplate(h, templateBytes));

        const int pages = static_cast<int>(firstRows.size());
        QCOMPARE(PaperReport(*h.offer, writeTemplate(h, templateBytes)).pageCount(), pages);
        const QRegularExpression label(QStringLiteral("Haus \\d+ Zeile \\d+"));
        QStringList seen;
        for (int page = 1; page <= pages; ++page) {
            const QString text = pdfText(pdf, page);
            QVERIFY2(text.contains(QStringLiteral("Seite %1 von %2").arg(page).arg(pages)),
                     qPrintable(text));
            QStringList onPage;
            for (const auto &match : label.globalMatch(text))
                onPage << match.captured();
            QVERIFY(!onPage.isEmpty());
            if (!firstRows[page - 1].isEmpty())
                QCOMPARE(onPage.first(), firstRows[page - 1]);
            if (!lastRows[page - 1].isEmpty())
                QCOMPARE(onPage.last(), lastRows[page - 1]);
            // A heading stands on the page of its table's first row.
            for (const QString &row : std::as_const(onPage)) {
                if (row.endsWith(QLatin1String(" Zeile 1")))
                    QVERIFY(text.contains("Abschnitt " + row.section(' ', 0, 1)));
            }
            seen += onPage;
        }
        QCOMPARE(seen.size(), calculations * rows);
        QCOMPARE(QSet<QString>(seen.cbegin(), seen.cend()).size(), seen.size());
    }

    // A picture with a relative path is found beside the template.
    void picturesBesideTheTemplate_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("images");
        QTest::newRow("there") << true << "bilder/logo.png" << 1;
        QTest::newRow("missing: the page without it") << false << "bilder/logo.png" << 0;
        // A picture from outside the template's folder is left out.
        QTest::newRow("out of the folder") << true << "../vorlage/bilder/logo.png" << 0;
        QTest::newRow("absolute path") << true << "{folder}/bilder/logo.png" << 0;
        // Neither read without end nor waited for.
        QTest::newRow("device") << false << "/dev/zero" << 0;
        QTest::newRow("pipe beside it") << false << "bilder/pipe.png" << 0;
    }
    void picturesBesideTheTemplate()
    {
        ZOLVARIC_REQUIRE_POPPLER();
        QFETCH(bool, present);
        QFETCH(QString, source);
        QFETCH(int, images);
        CalcHarness h;
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("vorlage"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/bilder")));
        // The template one folder down for the picture reached by "..".
        const bool up = source.startsWith(QLatin1String(".."));
        const QString templateFolder = up ? folder + QStringLiteral("/unten") : folder;
        QVERIFY(QDir().mkpath(templateFolder));
        const QString templatePath = templateFolder + QStringLiteral("/vorlage.htm");
        source.replace(QLatin1String("{folder}"), folder);
        writeBytes(templatePath,
                   "<p><img src=\"" + source.toUtf8() + "\" width=\"80\"> \\StammFirma\\</p>");
        if (present) {
            QImage logo(40, 20, QImage::Format_RGB32);
            logo.fill(QColor(0x0b, 0x5e, 0x6b));
            QVERIFY(logo.save(folder + QStringLiteral("/bilder/logo.png")));
        }
        if (source.contains(QLatin1String("pipe")) || source.startsWith(QLatin1String("/dev"))) {
            ZOLVARIC_REQUIRE_POSIX();
            QVERIFY(posixfiles::makePipe(folder + QStringLiteral("/bilder/pipe.png")));
        }
        const ToolRun list =
            runTool(QStringLiteral("pdfimages"), {"-list", writePdf(h, templatePath)});
        // A header of two lines, then one line a picture.
        QCOMPARE(list.out.trimmed().split('\n').size() - 2, images);
    }

    // A template too deep, too large or no regular file is refused before
    // its layout, with the Word templates' message; a loosely written one is
    // not taken for a deep one.
    void unsoundTemplatesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("size"); // bytes of a file of NULs instead, when above 0
        QTest::addColumn<bool>("refused");
        const auto nested = [](const char *open, const char *close, int levels) {
            return QByteArray(open).repeated(levels) + "x" + QByteArray(close).repeated(levels);
        };
        QTest::newRow("eight tables")
            << nested("<table><tr><td>", "</td></tr></table>", 8) << 0 << false;
        QTest::newRow("twenty tables")
            << nested("<table><tr><td>", "</td></tr></table>", 20) << 0 << true;
        QTest::newRow("ten thousand tables")
            << nested("<table><tr><td>", "</td></tr></table>", 10000) << 0 << true;
        QTest::newRow("a hundred thousand divs") << nested("<div>", "</div>", 100000) << 0 << true;
        QTest::newRow("paragraphs left open")
            << QByteArray("<p>Absatz").repeated(5000) << 0 << false;
        QTest::newRow("larger than any template")
            << QByteArray() << int(kMaxHtmlTemplateBytes + 1) << true;
        QTest::newRow("a pipe") << QByteArray() << -1 << true;
    }
    void unsoundTemplatesAreRefused()
    {
        QFETCH(QByteArray, page);
        QFETCH(int, size);
        QFETCH(bool, refused);
        CalcHarness h;
        const QString path = h.programFolder.filePath(QStringLiteral("vorlage.htm"));
        if (size < 0) {
            ZOLVARIC_REQUIRE_POSIX();
            QVERIFY(posixfiles::makePipe(path));
        } else if (size > 0) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(size));
        } else {
            writeBytes(path, page);
        }
        try {
            const PaperReport paper(*h.offer, path);
            QVERIFY(!refused);
            QVERIFY(paper.pageCount() >= 1);
        } catch (const Error &error) {
            QVERIFY2(refused, qPrintable(error.message()));
            QCOMPARE(error.message(), QStringLiteral("Die Vorlage ist zu groß oder beschädigt."));
        }
    }

    // A template's pictures and style sheets come from below its folder,
    // as regular files of a bounded size; nothing else is read.
    void resourcesOnlyBesideTheTemplate_data()
    {
        QTest::addColumn<QString>("name"); // {folder} for the template's folder
        QTest::addColumn<bool>("read");
        QTest::addColumn<bool>("posix");
        QTest::newRow("beside it") << "bilder/logo.png" << true << false;
        QTest::newRow("out of the folder") << "../geheim.png" << false << false;
        QTest::newRow("absolute") << "{folder}/bilder/logo.png" << false << false;
        QTest::newRow("file URL") << "file://{folder}/bilder/logo.png" << false << false;
        QTest::newRow("a folder") << "bilder" << false << false;
        QTest::newRow("too large") << "gross.png" << false << false;
        QTest::newRow("link out of the folder") << "verweis.png" << false << true;
        QTest::newRow("pipe") << "pipe.png" << false << true;
        QTest::newRow("device") << "/dev/zero" << false << true;
    }
    void resourcesOnlyBesideTheTemplate()
    {
        QFETCH(QString, name);
        QFETCH(bool, read);
        QFETCH(bool, posix);
        if (posix)
            ZOLVARIC_REQUIRE_POSIX();
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("vorlage"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/bilder")));
        writeBytes(folder + QStringLiteral("/bilder/logo.png"), "PNG");
        writeBytes(root.filePath(QStringLiteral("geheim.png")), "SECRET");
        QFile large(folder + QStringLiteral("/gross.png"));
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(kMaxTemplateResource + 1));
        large.close();
        if (posixfiles::available) {
            QVERIFY(QFile::link(root.filePath(QStringLiteral("geheim.png")),
                                folder + QStringLiteral("/verweis.png")));
            QVERIFY(posixfiles::makePipe(folder + QStringLiteral("/pipe.png")));
        }
        name.replace(QLatin1String("{folder}"), folder);
        const QVariant bytes = templateResource(folder, QUrl(name));
        QCOMPARE(bytes.isValid(), read);
        if (read)
            QCOMPARE(bytes.toByteArray(), QByteArray("PNG"));
    }

    void defaultFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("the project's name") << "Kita Regenbogen"
                                            << "2026-017"
                                            << "Kita Regenbogen.pdf";
        QTest::newRow("its number without a name") << " "
                                                   << "2026/017"
                                                   << "2026_017.pdf";
        QTest::newRow("neither") << ""
                                 << ""
                                 << "Honorarangebot.pdf";
        QTest::newRow("characters Windows refuses") << "Haus <A>: \"Nord/Süd\" \\ 1|2?*\t"
                                                    << ""
                                                    << "Haus _A__ _Nord_Süd_ _ 1_2__.pdf";
        QTest::newRow("trailing dots and spaces") << "Angebot. ."
                                                  << ""
                                                  << "Angebot.pdf";
        QTest::newRow("only dots") << "..."
                                   << ""
                                   << "Honorarangebot.pdf";
        QTest::newRow("a device's name") << "Con.2026"
                                         << ""
                                         << "Con.2026_.pdf";
        QTest::newRow("long names cut") << QString(200, u'ł') << "" << QString(120, u'ł') + ".pdf";
    }
    void defaultFileName()
    {
        QFETCH(QString, name);
        QFETCH(QString, number);
        QFETCH(QString, fileName);
        CalcHarness h;
        h.sheet().edProjektbez.setText(name);
        h.sheet().edProjektnr.setText(number);
        QCOMPARE(defaultPdfFileName(*h.offer), fileName);
    }

    // The window's "PDF speichern": what it shows and what it leaves.
    void saveFromTheWindow_data()
    {
        QTest::addColumn<QByteArray>("templateBytes"); // beside the program; empty: none
        QTest::addColumn<QString>("target");           // in the program folder; "-": cancelled
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("shown"); // the start of the message shown, "" for none
        const QByteArray page = "<p>\\Projektbez\\ \\Bruttohonorar\\</p>";
        QTest::newRow("saved") << page << "Angebot.pdf" << true << "";
        QTest::newRow("cancelled") << page << "-" << false << "";
        QTest::newRow("no template")
            << QByteArray() << "Angebot.pdf" << false << "Die Vorlagedatei \"";
        QTest::newRow("faulty template")
            << QByteArray("\\TeilhonorarBeginn\\") << "Angebot.pdf" << false
            << "Die Vorlage ist fehlerhaft: Zu \"\\TeilhonorarBeginn\\\" fehlt";
        QTest::newRow("folder missing")
            << page << "fehlt/Angebot.pdf" << false << "Die PDF-Datei \"";
        QTest::newRow("over the template")
            << page << "Zolvaric_Vorlage.htm" << false << "Die Ausgabedatei \"";
    }
    void saveFromTheWindow()
    {
        QFETCH(QByteArray, templateBytes);
        QFETCH(QString, target);
        QFETCH(bool, saved);
        QFETCH(QString, shown);
        CalcHarness h;
        enterReportExample(h);
        if (!templateBytes.isEmpty())
            writeBytes(htmlTemplatePath(h.run), templateBytes);
        const QString path = h.programFolder.filePath(target);
        const bool existed = QFileInfo::exists(path);
        const QByteArray before = readBytes(path);
        RecordingProgress progress;
        const std::optional<QString> chosen =
            target == QLatin1String("-") ? std::nullopt : std::optional(path);
        QCOMPARE(SaveHonorarPDF(*h.offer, h.run, h.desktop, progress, chosen), saved);
        const QStringList messages = h.desktop.errors + h.desktop.notices;
        QCOMPARE(messages.size(), shown.isEmpty() ? 0 : 1);
        if (!shown.isEmpty())
            QVERIFY2(messages.first().startsWith(shown), qPrintable(messages.first()));
        QCOMPARE(progress.ended, progress.begun);
        QVERIFY(!h.run.busy);
        if (saved) {
            QCOMPARE(progress.begun, 1);
            QVERIFY(readBytes(path).startsWith("%PDF-"));
        } else {
            // Whatever failed, the target is as it was.
            QCOMPARE(QFileInfo::exists(path), existed);
            QCOMPARE(readBytes(path), before);
        }
    }

    // A printer the user set up otherwise gets the layout of the PDF, and
    // the pages asked for.
    void printerGetsTheLayout_data()
    {
        QTest::addColumn<int>("fromPage");
        QTest::addColumn<int>("toPage");
        QTest::addColumn<int>("printed");
        QTest::newRow("all") << 0 << 0 << 2;
        QTest::newRow("the second") << 2 << 2 << 1;
        QTest::newRow("beyond the last") << 1 << 9 << 2;
    }
    void printerGetsTheLayout()
    {
        ZOLVARIC_REQUIRE_POPPLER();
        QFETCH(int, fromPage);
        QFETCH(int, toPage);
        QFETCH(int, printed);
        CalcHarness h;
        enterReportExample(h);
        const PaperReport paper(*h.offer, QStringLiteral(ZOLVARIC_HTML_TEMPLATE));
        QCOMPARE(paper.pageCount(), 2);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = h.programFolder.filePath(QStringLiteral("gedruckt.pdf"));
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        QVERIFY(paper.paint(printer, fromPage, toPage));
        QVERIFY(printer.pageLayout().isEquivalentTo(PaperReport::pageLayout()));
        const QString info = runTool(QStringLiteral("pdfinfo"), {path}).out;
        QCOMPARE(infoField(info, "Pages"), QString::number(printed));
        QVERIFY2(info.contains(QRegularExpression("Page size:.*\\(A4\\)")), qPrintable(info));
        QCOMPARE(pdfText(path, 1).contains(QLatin1String("Seite 1 von 2")), fromPage < 2);
    }
};

ZOLVARIC_TEST_RUNNER(PaperReportTest)

#include "PaperReportTest.moc"
