#include "DocxFixture.h"
#include "RunTests.h"

#include "report/ooxml/WordApplication.h"

#include <QFile>
#include <QTemporaryDir>

using namespace wordtest;
using namespace zolvaric;

Q_DECLARE_METATYPE(zolvaric::AutomationArguments)

namespace {

using HeaderReferences = QList<QPair<QString, QString>>;

// A paragraph that ends a section with the given header references.
QString sectionEnd(const QString &text, const HeaderReferences &headers, bool titlePage = false)
{
    return QStringLiteral("<w:p><w:pPr>%1</w:pPr><w:r><w:t>%2</w:t></w:r></w:p>")
        .arg(sectionProperties(headers, titlePage), text);
}

} // namespace

// The stories a client reaches: the main text and the header of the page the
// cursor is on; the selection and Execute's arguments.
class StoryTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A client with a document from the package, cursor at the start.
    WordClient open(const TestPackage &package)
    {
        const QString path = m_dir.filePath(QStringLiteral("vorlage.dotx"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(package.toZip()) < 0)
            qFatal("cannot write the template");
        file.close();
        WordEnvironment environment;
        environment.tempFolder = m_dir.path();
        WordClient word(createWordApplication(environment));
        word.addDocument(path);
        return word;
    }

    QMap<QString, QByteArray> saved(WordClient &word)
    {
        const QString path = m_dir.filePath(QStringLiteral("ergebnis.docx"));
        word.saveAs(path);
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? unzipFiles(file.readAll())
                                              : QMap<QString, QByteArray>();
    }

private slots:
    // Which header SeekView 9 reaches; every header holds "\A\ <name>" and a
    // footer does too.
    void currentPageHeader_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("cursorAt"); // text selected before seeking; empty: HomeKey
        QTest::addColumn<QStringList>("replacedIn");
        const QString end = QStringLiteral("Ende");
        QTest::newRow("default header")
            << paragraph(end) + sectionProperties({{"default", "header1"}}) << QString()
            << QStringList{"header1"};
        QTest::newRow("title page: first-page header")
            << paragraph(end) +
                   sectionProperties({{"default", "header1"}, {"first", "header2"}}, true)
            << QString() << QStringList{"header2"};
        QTest::newRow("title page without a first-page header: empty story")
            << paragraph(end) + sectionProperties({{"default", "header1"}}, true) << QString()
            << QStringList();
        QTest::newRow("first section's header at the start")
            << sectionEnd(QStringLiteral("Teil 1"), {{"default", "header1"}}) + paragraph(end) +
                   sectionProperties({{"default", "header2"}})
            << QString() << QStringList{"header1"};
        QTest::newRow("second section's own header")
            << sectionEnd(QStringLiteral("Teil 1"), {{"default", "header1"}}) + paragraph(end) +
                   sectionProperties({{"default", "header2"}})
            << end << QStringList{"header2"};
        QTest::newRow("second section inherits the header")
            << sectionEnd(QStringLiteral("Teil 1"), {{"default", "header1"}}) + paragraph(end) +
                   sectionProperties({})
            << end << QStringList{"header1"};
        QTest::newRow("no header at all")
            << paragraph(end) + sectionProperties({}) << QString() << QStringList();
    }

    void currentPageHeader()
    {
        QFETCH(QString, body);
        QFETCH(QString, cursorAt);
        QFETCH(QStringList, replacedIn);
        TestPackage package;
        package.body = body;
        const QStringList headers{"header1", "header2"};
        for (const QString &header : headers)
            package.headers.insert(header, paragraph("\\A\\ " + header));
        package.footers.insert(QStringLiteral("footer1"), paragraph(QStringLiteral("\\A\\")));

        WordClient word = open(package);
        if (!cursorAt.isEmpty())
            QVERIFY(word.findNext(cursorAt));
        word.seekView(9);
        QCOMPARE(word.replaceAll(QStringLiteral("\\a\\"), QStringLiteral("x")),
                 !replacedIn.isEmpty());
        word.seekView(0);
        const auto files = saved(word);
        for (const QString &header : headers) {
            const QString text = replacedIn.contains(header) ? "x " + header : "\\A\\ " + header;
            QCOMPARE(paragraphTexts(files.value("word/" + header + ".xml")), QStringList{text});
        }
        QCOMPARE(paragraphTexts(files.value(QStringLiteral("word/footer1.xml"))),
                 QStringList{"\\A\\"});
    }

    // The report's own sequence: main text and header get the value, the
    // footer keeps its placeholder.
    void mainTextAndHeader()
    {
        TestPackage package;
        package.body =
            paragraph(QStringLiteral("\\A\\")) + sectionProperties({{"default", "header1"}});
        package.headers.insert(QStringLiteral("header1"), paragraph(QStringLiteral("K \\A\\")));
        package.footers.insert(QStringLiteral("footer1"), paragraph(QStringLiteral("F \\A\\")));
        WordClient word = open(package);
        word.replaceEverywhere(QStringLiteral("\\A\\"), QStringLiteral("1"));
        QCOMPARE(word.application->object(QStringLiteral("ActiveWindow"))
                     ->object(QStringLiteral("ActivePane"))
                     ->object(QStringLiteral("View"))
                     ->getProperty(QStringLiteral("SeekView")),
                 QVariant(0));
        const auto files = saved(word);
        QCOMPARE(paragraphTexts(files.value(QStringLiteral("word/document.xml"))),
                 QStringList{"1"});
        QCOMPARE(paragraphTexts(files.value(QStringLiteral("word/header1.xml"))),
                 QStringList{"K 1"});
        QCOMPARE(paragraphTexts(files.value(QStringLiteral("word/footer1.xml"))),
                 QStringList{"F \\A\\"});
    }

    // Execute() without arguments selects the next occurrence and changes nothing.
    void findNextSelects()
    {
        TestPackage package;
        package.body = paragraph(QStringLiteral("eins \\A\\ zwei")) +
                       paragraph(QStringLiteral("drei \\a\\ vier")) + sectionProperties({});
        WordClient word = open(package);
        word.homeKey();
        QCOMPARE(word.selectionText(), QStringLiteral("e")); // the cursor: the next character
        QVERIFY(word.findNext(QStringLiteral("\\A\\")));
        QCOMPARE(word.selectionText(), QStringLiteral("\\A\\"));
        QVERIFY(word.findNext(QStringLiteral("\\A\\")));
        QCOMPARE(word.selectionText(), QStringLiteral("\\a\\"));
        QVERIFY(!word.findNext(QStringLiteral("\\A\\"), 0)); // stops at the end
        QVERIFY(word.findNext(QStringLiteral("\\A\\"), 1));  // wraps to the start
        QCOMPARE(word.selectionText(), QStringLiteral("\\A\\"));
        QVERIFY(!word.findNext(QStringLiteral("\\B\\")));
        QCOMPARE(word.find()->getProperty(QStringLiteral("Found")), QVariant(false));
        QCOMPARE(word.selectionText(), QStringLiteral("\\A\\")); // a failed search keeps it
        QCOMPARE(paragraphTexts(saved(word).value(QStringLiteral("word/document.xml"))),
                 (QStringList{"eins \\A\\ zwei", "drei \\a\\ vier"}));
    }

    // Execute's arguments, named or in Word's order, override the stored settings.
    void executeArguments_data()
    {
        QTest::addColumn<QString>("storedText");
        QTest::addColumn<QString>("cursorAt"); // selected first; empty: start, "<Ende>": end
        QTest::addColumn<AutomationArguments>("arguments");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QStringList>("expected");
        const QStringList unchanged{"Ab ab AB Abc", "ab"};
        const QStringList all{"x x x xc", "x"};
        QTest::newRow("named") << QString() << QString()
                               << AutomationArguments{{"FindText", "ab"},
                                                      {"ReplaceWith", "x"},
                                                      {"Replace", 2}}
                               << true << all;
        QTest::newRow("positional")
            << QString() << QString()
            << AutomationArguments{{"", "ab"},  {"", false}, {"", false}, {"", false},
                                   {"", false}, {"", false}, {"", true},  {"", 1},
                                   {"", false}, {"", "x"},   {"", 2}}
            << true << all;
        QTest::newRow("positional, some left out")
            << QString() << QString()
            << AutomationArguments{{"", "ab"},       {"", QVariant()}, {"", QVariant()},
                                   {"", QVariant()}, {"", QVariant()}, {"", QVariant()},
                                   {"", QVariant()}, {"", QVariant()}, {"", QVariant()},
                                   {"", "x"},        {"", 2}}
            << true << all;
        QTest::newRow("stored text")
            << QStringLiteral("ab") << QString()
            << AutomationArguments{{"ReplaceWith", "x"}, {"Replace", 2}} << true << all;
        QTest::newRow("named wins over the stored text")
            << QStringLiteral("zz") << QString()
            << AutomationArguments{{"findtext", "ab"}, {"replacewith", "x"}, {"replace", 2}} << true
            << all;
        QTest::newRow("match case") << QString() << QString()
                                    << AutomationArguments{{"FindText", "ab"},
                                                           {"MatchCase", true},
                                                           {"ReplaceWith", "x"},
                                                           {"Replace", 2}}
                                    << true << QStringList{"Ab x AB Abc", "x"};
        QTest::newRow("whole words") << QString() << QString()
                                     << AutomationArguments{{"FindText", "ab"},
                                                            {"MatchWholeWord", true},
                                                            {"ReplaceWith", "x"},
                                                            {"Replace", 2}}
                                     << true << QStringList{"x x x Abc", "x"};
        QTest::newRow("replace one: the next from the cursor")
            << QString() << QStringLiteral("AB")
            << AutomationArguments{{"FindText", "ab"}, {"ReplaceWith", "x"}, {"Replace", 1}} << true
            << QStringList{"Ab ab x Abc", "ab"};
        QTest::newRow("no replacement")
            << QString() << QString()
            << AutomationArguments{{"FindText", "ab"}, {"ReplaceWith", "x"}} << true << unchanged;
        QTest::newRow("without wrapping: nothing after the end")
            << QString() << QStringLiteral("<Ende>")
            << AutomationArguments{{"FindText", "ab"},
                                   {"Wrap", 0},
                                   {"ReplaceWith", "x"},
                                   {"Replace", 2}}
            << false << unchanged;
        QTest::newRow("without wrapping: inside the selection")
            << QString() << QStringLiteral("AB Abc")
            << AutomationArguments{{"FindText", "ab"},
                                   {"Wrap", 0},
                                   {"ReplaceWith", "x"},
                                   {"Replace", 2}}
            << true << QStringList{"Ab ab x xc", "ab"};
        QTest::newRow("with wrapping: the whole story") << QString() << QStringLiteral("<Ende>")
                                                        << AutomationArguments{{"FindText", "ab"},
                                                                               {"Wrap", 1},
                                                                               {"ReplaceWith", "x"},
                                                                               {"Replace", 2}}
                                                        << true << all;
    }

    void executeArguments()
    {
        QFETCH(QString, storedText);
        QFETCH(QString, cursorAt);
        QFETCH(AutomationArguments, arguments);
        QFETCH(bool, found);
        QFETCH(QStringList, expected);
        TestPackage package;
        package.body = paragraph(QStringLiteral("Ab ab AB Abc")) + paragraph(QStringLiteral("ab")) +
                       sectionProperties({});
        WordClient word = open(package);
        if (cursorAt == QStringLiteral("<Ende>")) {
            word.application->object(QStringLiteral("Selection"))
                ->invoke(QStringLiteral("EndKey"), {{QStringLiteral("Unit"), 6}});
        } else if (!cursorAt.isEmpty()) {
            word.find()->setProperty(QStringLiteral("MatchCase"), true);
            QVERIFY(word.findNext(cursorAt));
            word.find()->setProperty(QStringLiteral("MatchCase"), false);
        }
        word.find()->setProperty(QStringLiteral("Text"), storedText);
        word.find()->setProperty(QStringLiteral("Wrap"), 1);
        QCOMPARE(word.find()->invoke(QStringLiteral("Execute"), arguments).toBool(), found);
        QCOMPARE(paragraphTexts(saved(word).value(QStringLiteral("word/document.xml"))), expected);
    }
};

ZOLVARIC_TEST_RUNNER(StoryTest)

#include "StoryTest.moc"
