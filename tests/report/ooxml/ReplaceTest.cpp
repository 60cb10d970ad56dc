#include "DocxFixture.h"
#include "RunTests.h"

using namespace wordtest;

namespace {

const QString Value = QStringLiteral("26.526,78 €");

QString run(const QString &text, const QString &properties = QString())
{
    return QStringLiteral("<w:r>%1<w:t xml:space=\"preserve\">%2</w:t></w:r>")
        .arg(properties.isEmpty() ? QString() : QStringLiteral("<w:rPr>%1</w:rPr>").arg(properties),
             text);
}

QString para(const QString &content)
{
    return QStringLiteral("<w:p>%1</w:p>").arg(content);
}

QString documentXml(const QMap<QString, QByteArray> &files)
{
    return QString::fromUtf8(files.value(QStringLiteral("word/document.xml")));
}

} // namespace

// Replacing a placeholder in the main text: how Word stores typed text, and
// the codes of a replacement text.
class ReplaceTest : public QObject
{
    Q_OBJECT

private slots:
    void placeholderLayouts_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QStringList>("expected");
        const QString find = QStringLiteral("\\Nettohonorar\\");
        QTest::newRow("one run") << paragraph(QStringLiteral("Netto: \\Nettohonorar\\ zzgl."))
                                 << find << QStringList{"Netto: " + Value + " zzgl."};
        QTest::newRow("runs split by spelling marks and a bookmark")
            << para(run(QStringLiteral("Summe \\")) + "<w:proofErr w:type=\"spellStart\"/>" +
                    run(QStringLiteral("Netto")) +
                    "<w:bookmarkStart w:id=\"0\" w:name=\"Marke\"/>" +
                    "<w:r w:rsidR=\"00A1B2C3\"><w:t>hon</w:t></w:r><w:r><w:lastRenderedPageBreak/>"
                    "<w:t>orar</w:t></w:r><w:proofErr w:type=\"spellEnd\"/>"
                    "<w:bookmarkEnd w:id=\"0\"/>" +
                    run(QStringLiteral("\\ fertig")))
            << find << QStringList{"Summe " + Value + " fertig"};
        QTest::newRow("runs inside a hyperlink, an insertion and a smart tag")
            << para("<w:hyperlink r:id=\"rIdX\">" + run(QStringLiteral("\\Netto")) +
                    "</w:hyperlink><w:ins w:id=\"1\" w:author=\"A\">" + run(QStringLiteral("hon")) +
                    "</w:ins><w:smartTag w:uri=\"u\" w:element=\"e\">" +
                    run(QStringLiteral("orar\\")) + "</w:smartTag>")
            << find << QStringList{Value};
        QTest::newRow("table cell")
            << "<w:tbl><w:tr><w:tc>" + paragraph(QStringLiteral("Honorar")) + "</w:tc><w:tc>" +
                   para(run(QStringLiteral("\\Netto")) + run(QStringLiteral("honorar\\"))) +
                   "</w:tc></w:tr></w:tbl>" + paragraph(QString())
            << find << QStringList{"Honorar", Value, QString()};
        QTest::newRow("twice in one paragraph, once split")
            << para(run(QStringLiteral("\\Nettohonorar\\ und \\Netto")) +
                    run(QStringLiteral("honorar\\!")))
            << find << QStringList{Value + " und " + Value + "!"};
        QTest::newRow("adjacent in one text, then split across the next run")
            << para(run(QStringLiteral("\\Nettohonorar\\\\Nettohonorar\\ \\Netto")) +
                    run(QStringLiteral("honorar\\ Ende")))
            << find << QStringList{Value + Value + " " + Value + " Ende"};
        QTest::newRow("across two paragraphs: no match")
            << paragraph(QStringLiteral("\\Netto")) + paragraph(QStringLiteral("honorar\\")) << find
            << QStringList{"\\Netto", "honorar\\"};
        QTest::newRow("case ignored")
            << paragraph(QStringLiteral("\\NETTOhonorar\\")) << find << QStringList{Value};
        QTest::newRow("umlauts, case ignored")
            << paragraph(QStringLiteral("Für \\Änderung\\ vorgesehen"))
            << QStringLiteral("\\äNDERUNG\\") << QStringList{"Für " + Value + " vorgesehen"};
        QTest::newRow("deleted text between the runs")
            << para(run(QStringLiteral("\\Netto")) +
                    "<w:del w:id=\"2\" "
                    "w:author=\"A\"><w:r><w:delText>alt</w:delText></w:r></w:del>" +
                    run(QStringLiteral("honorar\\")))
            << find << QStringList{Value};
        QTest::newRow("text box paragraph is its own")
            << para(run(QStringLiteral("\\Netto")) +
                    "<w:r><w:pict><v:shape><v:textbox><w:txbxContent>" +
                    paragraph(QStringLiteral("Kasten \\Nettohonorar\\")) +
                    "</w:txbxContent></v:textbox></v:shape></w:pict></w:r>" +
                    run(QStringLiteral("honorar\\")))
            << find << QStringList{"Kasten " + Value, "\\Nettohonorar\\"};
        QTest::newRow("a field mark stops a match")
            << para(run(QStringLiteral("\\Netto")) +
                    "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>"
                    "<w:r><w:instrText> PAGE </w:instrText></w:r>"
                    "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>" +
                    run(QStringLiteral("honorar\\")))
            << find << QStringList{"\\Nettohonorar\\"};
    }

    void placeholderLayouts()
    {
        QFETCH(QString, body);
        QFETCH(QString, find);
        QFETCH(QStringList, expected);
        TestPackage package;
        package.body = body + sectionProperties({});
        const auto files = replaceInPackage(package, {{find, Value}});
        QCOMPARE(paragraphTexts(files.value(QStringLiteral("word/document.xml"))), expected);
    }

    void replacementCodes_data()
    {
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("xmlFragment"); // must occur in document.xml
        QTest::newRow("clipboard") << QStringLiteral("[^c]") << QStringLiteral("[Ablage 1]")
                                   << QStringLiteral(">[Ablage 1]<");
        QTest::newRow("tab element") << QStringLiteral("a^tb") << QStringLiteral("a\tb")
                                     << QStringLiteral("<w:t xml:space=\"preserve\">a</w:t><w:tab/>"
                                                       "<w:t xml:space=\"preserve\">b</w:t>");
        QTest::newRow("caret") << QStringLiteral("2^^3") << QStringLiteral("2^3")
                               << QStringLiteral(">2^3<");
        QTest::newRow("found text") << QStringLiteral("(^&)") << QStringLiteral("(\\Wert\\)")
                                    << QStringLiteral(">(\\Wert\\)<");
        QTest::newRow("unknown code stays")
            << QStringLiteral("^x") << QStringLiteral("^x") << QStringLiteral(">^x<");
        QTest::newRow("line break")
            << QStringLiteral("a\r\nb") << QStringLiteral("a\nb") << QStringLiteral("<w:br/>");
        QTest::newRow("markup characters escaped")
            << QStringLiteral("<b>&\"x\"") << QStringLiteral("<b>&\"x\"")
            << QStringLiteral(">&lt;b&gt;&amp;\"x\"<");
        QTest::newRow("euro and umlauts in UTF-8")
            << QStringLiteral("Größe 5 €") << QStringLiteral("Größe 5 €")
            << QStringLiteral(">Größe 5 €<");
        QTest::newRow("empty") << QString() << QString() << QStringLiteral("<w:p><w:r/></w:p>");
    }

    void replacementCodes()
    {
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        QFETCH(QString, xmlFragment);
        TestPackage package;
        package.body = paragraph(QStringLiteral("\\Wert\\")) + sectionProperties({});
        const auto files = replaceInPackage(package, {{QStringLiteral("\\Wert\\"), replacement}},
                                            QStringLiteral("Ablage 1"));
        QCOMPARE(paragraphTexts(files.value(QStringLiteral("word/document.xml"))),
                 QStringList{expected});
        QVERIFY2(documentXml(files).contains(xmlFragment), qPrintable(documentXml(files)));
    }

    // The replacement takes the formatting of the run the match starts in;
    // what is left of later runs keeps theirs.
    void formattingOfTheFirstRun()
    {
        TestPackage package;
        package.body = para(run(QStringLiteral("Netto \\Netto"),
                                QStringLiteral("<w:b/><w:color w:val=\"C00000\"/>")) +
                            run(QStringLiteral("hono")) +
                            run(QStringLiteral("rar\\ netto"), QStringLiteral("<w:i/>"))) +
                       sectionProperties({});
        const auto files = replaceInPackage(package, {{QStringLiteral("\\Nettohonorar\\"), Value}});
        pugi::xml_document xml;
        QVERIFY(parseXml(xml, files.value(QStringLiteral("word/document.xml"))));
        const pugi::xpath_node_set runs = xml.select_nodes("//w:r");
        QCOMPARE(runs.size(), size_t(2)); // the run matched entirely is gone
        const pugi::xml_node bold = runs[0].node();
        QVERIFY(bold.select_node("w:rPr/w:b"));
        QCOMPARE(bold.select_node("w:rPr/w:color/@w:val").attribute().value(),
                 std::string("C00000"));
        QCOMPARE(QString::fromUtf8(bold.child("w:t").text().get()), "Netto " + Value);
        const pugi::xml_node italic = runs[1].node();
        QVERIFY(italic.select_node("w:rPr/w:i"));
        QCOMPARE(italic.child("w:t").text().get(), std::string(" netto"));
        for (const pugi::xpath_node &text : xml.select_nodes("//w:t"))
            QCOMPARE(text.node().attribute("xml:space").value(), std::string("preserve"));
    }

    // Inserted text is not searched again, and the rest of the package stays.
    void replacementContainingTheSearchText()
    {
        TestPackage package;
        package.body = paragraph(QStringLiteral("\\A\\ \\A\\")) + sectionProperties({});
        const auto files =
            replaceInPackage(package, {{QStringLiteral("\\A\\"), QStringLiteral("x\\A\\")}});
        QCOMPARE(paragraphTexts(files.value(QStringLiteral("word/document.xml"))),
                 QStringList{"x\\A\\ x\\A\\"});
    }
};

ZOLVARIC_TEST_RUNNER(ReplaceTest)

#include "ReplaceTest.moc"
