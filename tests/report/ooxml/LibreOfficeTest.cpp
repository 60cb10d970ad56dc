#include "DocxFixture.h"
#include "RunTests.h"
#include "TestFiles.h"

#include "report/ooxml/WordApplication.h"

#include <QRegularExpression>
#include <QTemporaryDir>

using namespace wordtest;
using namespace zolvaric;

namespace {

const QRegularExpression Placeholder(QStringLiteral(R"(\\[A-Za-z0-9]+\\)"));

QString run(const QString &text, const QString &properties = QString())
{
    return QStringLiteral("<w:r><w:rPr>%1</w:rPr><w:t xml:space=\"preserve\">%2</w:t></w:r>")
        .arg(properties, text);
}

} // namespace

// What LibreOffice makes of a written document, the template it is shown as
// and the file saved: every value, no placeholder.
class LibreOfficeTest : public QObject
{
    Q_OBJECT

private slots:
    void replacedDocumentReadsBack()
    {
        ZOLVARIC_REQUIRE_SOFFICE(soffice);
        TestPackage package;
        package.body =
            QStringLiteral("<w:p>") + run(QStringLiteral("Angebot für \\Bau")) +
            "<w:proofErr w:type=\"spellStart\"/>" + run(QStringLiteral("herr"), "<w:b/>") +
            "<w:proofErr w:type=\"spellEnd\"/>" + run(QStringLiteral("name\\")) + "</w:p>" +
            "<w:tbl><w:tblPr><w:tblW w:w=\"5000\" w:type=\"dxa\"/></w:tblPr><w:tblGrid>"
            "<w:gridCol w:w=\"2500\"/><w:gridCol w:w=\"2500\"/></w:tblGrid><w:tr><w:tc>" +
            paragraph(QStringLiteral("Netto")) + "</w:tc><w:tc><w:p>" +
            run(QStringLiteral("\\Netto")) + run(QStringLiteral("honorar\\")) +
            "</w:p></w:tc></w:tr></w:tbl>" + paragraph(QStringLiteral("Tab:\\Tab\\")) +
            sectionProperties({{"default", "header1"}});
        package.headers.insert(QStringLiteral("header1"),
                               QStringLiteral("<w:p>") + run(QStringLiteral("\\Stamm")) +
                                   run(QStringLiteral("Firma\\"), "<w:i/>") + "</w:p>");
        const QList<QPair<QString, QString>> values{{"\\Bauherrname\\", "Müller & Söhne <GmbH>"},
                                                    {"\\Nettohonorar\\", "26.526,78 €"},
                                                    {"\\Tab\\", "links^trechts"},
                                                    {"\\StammFirma\\", "Planungsbüro Groß"}};

        QTemporaryDir dir;
        const QString templatePath = dir.filePath(QStringLiteral("vorlage.dotx"));
        writeBytes(templatePath, package.toZip());
        QStringList shown;
        WordEnvironment environment;
        environment.tempFolder = dir.path();
        environment.open = [&shown](const QString &file) { shown.append(file); };
        WordClient word(createWordApplication(environment));
        word.addDocument(templatePath);
        for (const auto &[text, value] : values)
            word.replaceEverywhere(text, value);
        word.application->setProperty(QStringLiteral("Visible"), true);
        const QString output = dir.filePath(QStringLiteral("angebot.docx"));
        word.saveAs(output);
        QCOMPARE(shown.size(), 1);

        QString log;
        const QString text = convertWithSoffice(soffice, shown.first(), QStringLiteral("txt:Text"),
                                                QStringLiteral("txt"), dir.path(), &log);
        QVERIFY2(!text.isEmpty(), qPrintable(log));
        const QString plain = QString::fromUtf8(readBytes(text));
        QVERIFY2(plain.contains(QStringLiteral("Angebot für Müller & Söhne <GmbH>")),
                 qPrintable(plain));
        QVERIFY2(plain.contains(QStringLiteral("26.526,78 €")), qPrintable(plain));
        QVERIFY2(plain.contains(QStringLiteral("Tab:links\trechts")), qPrintable(plain));
        QVERIFY2(!plain.contains(Placeholder), qPrintable(plain));

        // The plain text leaves the header out; the web page has it.
        const QString html = convertWithSoffice(soffice, output, QStringLiteral("html"),
                                                QStringLiteral("html"), dir.path(), &log);
        QVERIFY2(!html.isEmpty(), qPrintable(log));
        const QString page = QString::fromUtf8(readBytes(html));
        QVERIFY2(page.contains(QStringLiteral("Planungsbüro Groß")) ||
                     page.contains(QStringLiteral("Planungsb&uuml;ro Gro&szlig;")),
                 qPrintable(page));
        QVERIFY2(!page.contains(Placeholder), qPrintable(page));
    }
};

ZOLVARIC_TEST_RUNNER(LibreOfficeTest)

#include "LibreOfficeTest.moc"
