#include "DocxFixture.h"
#include "RunTests.h"
#include "TestFiles.h"

#include "report/ooxml/ParagraphText.h"
#include "report/ooxml/TemplateLimits.h"
#include "report/ooxml/WordApplication.h"

#include <QTemporaryDir>

using namespace wordtest;
using namespace zolvaric;

namespace {

const QString Placeholder = QStringLiteral("\\A\\");

TestPackage placeholderPackage()
{
    TestPackage package;
    package.body = paragraph("Wert: " + Placeholder) + sectionProperties({{"default", "header1"}});
    package.headers.insert(QStringLiteral("header1"), paragraph("Kopf " + Placeholder));
    return package;
}

QString repeated(const QString &text, int count)
{
    return text.repeated(count);
}

// Counts what pugixml allocates while it is installed.
struct PugiAllocations
{
    static inline qint64 bytes = 0;
    static void *allocate(size_t size)
    {
        bytes += qint64(size);
        return std::malloc(size);
    }
    static void deallocate(void *pointer) { std::free(pointer); }

    pugi::allocation_function previousAllocate = pugi::get_memory_allocation_function();
    pugi::deallocation_function previousDeallocate = pugi::get_memory_deallocation_function();
    PugiAllocations()
    {
        bytes = 0;
        pugi::set_memory_management_functions(allocate, deallocate);
    }
    ~PugiAllocations()
    {
        pugi::set_memory_management_functions(previousAllocate, previousDeallocate);
    }
};

} // namespace

// Templates built to hurt by their structure: absurd nesting, paragraphs
// where none belong, parts that cannot be read, paragraphs of countless
// placeholders. They are refused, or handled with work in proportion to
// their size.
class TemplateStructureTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QString writeTemplate(const QByteArray &bytes)
    {
        const QString file = path(QStringLiteral("vorlage.dotx"));
        writeBytes(file, bytes);
        return file;
    }

    // The message Documents.Add fails with; empty when it succeeds.
    QString addFailure(WordClient &word, const QString &templatePath)
    {
        try {
            word.addDocument(templatePath);
        } catch (const AutomationError &error) {
            return error.message();
        }
        return QString();
    }

private slots:
    // Nesting is walked without recursion; beyond the limit a part is refused.
    void deepNesting_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("refused");
        const int absurd = 100000;
        const QString placeholder = paragraph(Placeholder);
        QTest::newRow("elements around the paragraphs")
            << repeated("<w:customXml>", absurd) + placeholder + repeated("</w:customXml>", absurd)
            << true;
        QTest::newRow("containers inside a paragraph")
            << "<w:p>" + repeated("<w:hyperlink>", absurd) + "<w:r><w:t>" + Placeholder +
                   "</w:t></w:r>" + repeated("</w:hyperlink>", absurd) + "</w:p>"
            << true;
        QTest::newRow("elements inside the replaced text")
            << "<w:p><w:r><w:t>" + Placeholder + repeated("<x>", absurd) +
                   repeated("</x>", absurd) + "</w:t></w:r></w:p>"
            << true;
        // w:document and w:body, the wrappers, then w:p, w:r and w:t.
        const int wrappers = MaxXmlDepth - 5;
        QTest::newRow("at the limit") << repeated("<w:customXml>", wrappers) + placeholder +
                                             repeated("</w:customXml>", wrappers)
                                      << false;
        QTest::newRow("one level beyond the limit")
            << repeated("<w:customXml>", wrappers + 1) + placeholder +
                   repeated("</w:customXml>", wrappers + 1)
            << true;
    }

    void deepNesting()
    {
        QFETCH(QString, body);
        QFETCH(bool, refused);
        TestPackage package;
        package.body = body + sectionProperties({});
        const QString templatePath = writeTemplate(package.toZip());
        WordClient word = startWord(m_dir.path());
        const QString failure = addFailure(word, templatePath);
        if (refused) {
            QCOMPARE(failure, QStringLiteral("Der Teil \"word/document.xml\" des Dokuments ist zu "
                                             "tief verschachtelt (mehr als %1 Ebenen).")
                                  .arg(MaxXmlDepth));
            return;
        }
        QCOMPARE(failure, QString());
        word.replaceEverywhere(Placeholder, QStringLiteral("ersetzt"));
        word.saveAs(path(QStringLiteral("ergebnis.docx")));
        QCOMPARE(paragraphTexts(unzipFiles(readBytes(path(QStringLiteral("ergebnis.docx"))))
                                    .value(QStringLiteral("word/document.xml"))),
                 QStringList{"ersetzt"});
    }

    // A paragraph inside a text element (only a broken template has one) goes
    // with that text when it is replaced: it is no paragraph of the story, to
    // be replaced in after it is gone.
    void paragraphInsideText()
    {
        const QString inner =
            "<w:p>" + repeated("<w:r><w:t>" + Placeholder + "</w:t></w:r>", 3000) + "</w:p>";
        TestPackage package;
        package.body = repeated(paragraph(QStringLiteral("Text")), 500) + "<w:p><w:r><w:t>" +
                       Placeholder + inner + "</w:t></w:r></w:p>" + sectionProperties({});
        WordClient word = startWord(m_dir.path());
        word.addDocument(writeTemplate(package.toZip()));
        word.replaceEverywhere(Placeholder, QStringLiteral("1"));
        word.saveAs(path(QStringLiteral("ergebnis.docx")));
        QCOMPARE(paragraphTexts(unzipFiles(readBytes(path(QStringLiteral("ergebnis.docx"))))
                                    .value(QStringLiteral("word/document.xml"))),
                 QStringList(500, QStringLiteral("Text")) + QStringList{"1"});
    }

    // A header that cannot be read fails each step that reaches it, as it
    // did before; the main text is still filled and the document saved.
    void unreadableHeader_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("message");
        QTest::newRow("not well-formed") << QStringLiteral("<w:p>") << QStringLiteral("fehlerhaft");
        QTest::newRow("nested too deeply")
            << repeated("<w:customXml>", MaxXmlDepth) + paragraph(Placeholder) +
                   repeated("</w:customXml>", MaxXmlDepth)
            << QStringLiteral("zu tief verschachtelt");
    }

    void unreadableHeader()
    {
        QFETCH(QString, header);
        QFETCH(QString, message);
        TestPackage package = placeholderPackage();
        package.headers[QStringLiteral("header1")] = header;
        const QByteArray original = package.toZip();
        WordClient word = startWord(m_dir.path());
        word.addDocument(writeTemplate(original));
        word.homeKey();
        QVERIFY(word.replaceAll(Placeholder, QStringLiteral("1")));
        word.seekView(9);
        try {
            word.replaceAll(Placeholder, QStringLiteral("1"));
            QFAIL("header read");
        } catch (const AutomationError &error) {
            QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        }
        word.seekView(0);
        word.saveAs(path(QStringLiteral("ergebnis.docx")));
        const auto files = unzipFiles(readBytes(path(QStringLiteral("ergebnis.docx"))));
        QCOMPARE(paragraphTexts(files.value(QStringLiteral("word/document.xml"))),
                 QStringList{"Wert: 1"});
        QCOMPARE(files.value(QStringLiteral("word/header1.xml")),
                 unzipFiles(original).value(QStringLiteral("word/header1.xml")));
    }

    // Thousands of placeholders in one text element: each costs a new text
    // element, but the text is copied once, not once per placeholder (which
    // allocated 49 MB here).
    void manyPlaceholdersInOneText()
    {
        const int count = 4000;
        const QString text = repeated(Placeholder + u' ', count);
        TestPackage package;
        package.body = paragraph(text) + sectionProperties({});
        const QString templatePath = writeTemplate(package.toZip());
        WordClient word = startWord(m_dir.path());
        word.addDocument(templatePath);
        qint64 allocated = 0;
        {
            const PugiAllocations counting;
            word.replaceAll(Placeholder, QStringLiteral("1"));
            allocated = PugiAllocations::bytes;
        }
        QVERIFY2(allocated < 32 * text.size(), qPrintable(QString::number(allocated)));
        word.saveAs(path(QStringLiteral("ergebnis.docx")));
        QCOMPARE(paragraphTexts(unzipFiles(readBytes(path(QStringLiteral("ergebnis.docx"))))
                                    .value(QStringLiteral("word/document.xml"))),
                 QStringList{repeated(QStringLiteral("1 "), count)});
    }

    // A report reads each paragraph once, and again only after it changed,
    // however many steps it takes and however its text is laid out (the 82
    // steps took 45 s for a paragraph of 1 MB).
    void readingHeldToTheTemplate_data()
    {
        QTest::addColumn<QString>("body");
        const QString text = QStringLiteral("Lorem ipsum dolor sit amet. ");
        QTest::newRow("a long paragraph") << paragraph(text.repeated(20000) + Placeholder);
        QTest::newRow("a paragraph of many runs")
            << "<w:p>" +
                   repeated("<w:r><w:t xml:space=\"preserve\">" + text + "</w:t></w:r>", 5000) +
                   "<w:r><w:t>" + Placeholder + "</w:t></w:r></w:p>";
        QTest::newRow("many paragraphs")
            << repeated(paragraph(text), 5000) + paragraph(Placeholder);
    }

    void readingHeldToTheTemplate()
    {
        QFETCH(QString, body);
        TestPackage package = placeholderPackage();
        package.body = body + sectionProperties({{"default", "header1"}});
        const QByteArray zip = package.toZip();
        qint64 size = 0;
        for (const char *part : {"word/document.xml", "word/header1.xml"}) {
            for (const QString &paragraphText :
                 paragraphTexts(unzipFiles(zip).value(QLatin1String(part))))
                size += paragraphText.size() + 1;
        }
        WordClient word = startWord(m_dir.path());
        word.addDocument(writeTemplate(zip));
        const qint64 before = ParagraphText::charactersRead();
        for (int step = 0; step < 81; ++step)
            word.replaceEverywhere(QStringLiteral("\\Fehlt%1\\").arg(step), QStringLiteral("x"));
        word.replaceEverywhere(Placeholder, QStringLiteral("Wert"));
        const qint64 read = ParagraphText::charactersRead() - before;
        QVERIFY2(read < 3 * size, qPrintable(QStringLiteral("%1 of %2").arg(read).arg(size)));
    }
};

ZOLVARIC_TEST_RUNNER(TemplateStructureTest)

#include "TemplateStructureTest.moc"
