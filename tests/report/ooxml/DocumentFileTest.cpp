#include "DocxFixture.h"
#include "RunTests.h"
#include "TestFiles.h"

#include "report/ooxml/WordApplication.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace wordtest;
using namespace zolvaric;

namespace {

const QString DocumentType = QStringLiteral(
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml");
const QString MacroTemplateType =
    QStringLiteral("application/vnd.ms-word.template.macroEnabledTemplate.main+xml");
const QString MacroDocumentType =
    QStringLiteral("application/vnd.ms-word.document.macroEnabled.main+xml");

TestPackage placeholderPackage()
{
    TestPackage package;
    package.body =
        paragraph(QStringLiteral("Wert: \\A\\")) + sectionProperties({{"default", "header1"}});
    package.headers.insert(QStringLiteral("header1"), paragraph(QStringLiteral("Kopf")));
    return package;
}

// The content type [Content_Types].xml gives the main part.
QString mainContentType(const QByteArray &types)
{
    pugi::xml_document xml;
    if (!parseXml(xml, types))
        return QString();
    return QString::fromUtf8(
        xml.select_node("//Override[@PartName='/word/document.xml']/@ContentType")
            .attribute()
            .value());
}

} // namespace

// The files: templates of every kind read, documents written as new files,
// saved, or discarded; the failures a client sees.
class DocumentFileTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_opened;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QString writeTemplate(const QString &name, const QByteArray &bytes)
    {
        writeBytes(path(name), bytes);
        return path(name);
    }

    WordClient start(const QString &tempFolder, const QString &soffice = QString())
    {
        WordEnvironment environment;
        environment.tempFolder = tempFolder;
        environment.open = [this](const QString &file) { m_opened.append(file); };
        if (!soffice.isEmpty())
            environment.soffice = soffice;
        return WordClient(createWordApplication(environment));
    }

private slots:
    void init() { m_opened.clear(); }

    // A template's main part becomes a document's; the template stays as it
    // is. The word processor is handed a plain template, which it opens as a
    // new document; a file saved afterwards is a document still.
    void contentType_data()
    {
        QTest::addColumn<QString>("templateType");
        QTest::addColumn<bool>("newTemplate");
        QTest::addColumn<QString>("expected");
        QTest::newRow("template") << TemplateContentType << false << DocumentType;
        QTest::newRow("macro-enabled template") << MacroTemplateType << false << DocumentType;
        QTest::newRow("document") << DocumentType << false << DocumentType;
        QTest::newRow("macro-enabled document") << MacroDocumentType << false << MacroDocumentType;
        QTest::newRow("new template") << TemplateContentType << true << TemplateContentType;
        QTest::newRow("new macro-enabled template")
            << MacroTemplateType << true << MacroTemplateType;
    }

    void contentType()
    {
        QFETCH(QString, templateType);
        QFETCH(bool, newTemplate);
        QFETCH(QString, expected);
        TestPackage package = placeholderPackage();
        package.mainContentType = templateType;
        package.otherFiles.insert(QStringLiteral("word/media/image1.png"),
                                  QByteArray("\x89PNG\r\n\x1a\n\0\xff", 10).repeated(50));
        const QByteArray original = package.toZip();
        const QString templatePath = writeTemplate(QStringLiteral("vorlage.dot"), original);

        QTemporaryDir temp;
        WordClient word = start(temp.path());
        word.application->object(QStringLiteral("Documents"))
            ->invoke(QStringLiteral("Add"),
                     {{"Template", templatePath}, {"NewTemplate", newTemplate}});
        word.replaceEverywhere(QStringLiteral("\\A\\"), QStringLiteral("1"));
        word.application->setProperty(QStringLiteral("Visible"), true);
        word.saveAs(path(QStringLiteral("ergebnis.docx")));

        QCOMPARE(readBytes(templatePath), original);
        QCOMPARE(m_opened, QStringList{temp.filePath(QStringLiteral("Dokument1.dotx"))});
        const auto before = unzipFiles(original);
        const QList<QPair<QString, QString>> written{
            {path(QStringLiteral("ergebnis.docx")), expected},
            {m_opened.first(), TemplateContentType}};
        for (const auto &[file, type] : written) {
            const auto after = unzipFiles(readBytes(file));
            QCOMPARE(after.keys(), before.keys());
            QCOMPARE(mainContentType(after.value(QStringLiteral("[Content_Types].xml"))), type);
            QCOMPARE(paragraphTexts(after.value(QStringLiteral("word/document.xml"))),
                     QStringList{"Wert: 1"});
            // Parts nobody changed are copied as they are.
            for (const QString &part :
                 {QStringLiteral("word/media/image1.png"), QStringLiteral("word/header1.xml"),
                  QStringLiteral("word/_rels/document.xml.rels")})
                QCOMPARE(after.value(part), before.value(part));
        }
    }

    // Becoming visible writes each document not shown yet as a new file
    // "DokumentN.dotx" in the temp folder and opens it, once.
    void visibleWritesNewFiles_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty folder")
            << QStringList() << QStringList{"Dokument1.dotx", "Dokument2.dotx"};
        QTest::newRow("names taken") << QStringList{"Dokument1.dotx", "Dokument3.dotx"}
                                     << QStringList{"Dokument2.dotx", "Dokument4.dotx"};
    }

    void visibleWritesNewFiles()
    {
        QFETCH(QStringList, present);
        QFETCH(QStringList, expected);
        QTemporaryDir temp;
        for (const QString &name : present)
            writeBytes(temp.filePath(name), "belegt");
        const QString templatePath =
            writeTemplate(QStringLiteral("vorlage.dotx"), placeholderPackage().toZip());

        WordClient word = start(temp.path());
        word.application->setProperty(QStringLiteral("visible"), false);
        QCOMPARE(word.application->getProperty(QStringLiteral("Visible")), QVariant(false));
        for (const QString &value : {QStringLiteral("eins"), QStringLiteral("zwei")}) {
            word.addDocument(templatePath);
            word.replaceEverywhere(QStringLiteral("\\A\\"), value);
            word.application->setProperty(QStringLiteral("visible"), true);
            QCOMPARE(word.application->getProperty(QStringLiteral("Visible")), QVariant(true));
            word.application->setProperty(QStringLiteral("visible"), false);
        }
        QStringList expectedPaths;
        for (const QString &name : expected)
            expectedPaths.append(temp.filePath(name));
        QCOMPARE(m_opened, expectedPaths);
        QCOMPARE(
            paragraphTexts(
                unzipFiles(readBytes(expectedPaths[0])).value(QStringLiteral("word/document.xml"))),
            QStringList{"Wert: eins"});
        QCOMPARE(
            paragraphTexts(
                unzipFiles(readBytes(expectedPaths[1])).value(QStringLiteral("word/document.xml"))),
            QStringList{"Wert: zwei"});
        for (const QString &name : present)
            QCOMPARE(readBytes(temp.filePath(name)), QByteArray("belegt"));
    }

    // Made visible before its document exists (Visible, Activate, then
    // Documents.Add): the document is shown in its final state when the
    // caller lets go of the word processor, unless it quit.
    void documentAddedWhileVisible_data()
    {
        QTest::addColumn<bool>("quit");
        QTest::newRow("let go") << false;
        QTest::newRow("quit") << true;
    }
    void documentAddedWhileVisible()
    {
        QFETCH(bool, quit);
        QTemporaryDir temp;
        const QString templatePath =
            writeTemplate(QStringLiteral("vorlage.dotx"), placeholderPackage().toZip());
        {
            WordClient word = start(temp.path());
            word.application->setProperty(QStringLiteral("Visible"), true);
            word.application->invoke(QStringLiteral("Activate"));
            word.addDocument(templatePath);
            word.replaceEverywhere(QStringLiteral("\\A\\"), QStringLiteral("fertig"));
            QCOMPARE(m_opened, QStringList());
            if (quit)
                word.application->invoke(QStringLiteral("Quit"));
        }
        if (quit) {
            QCOMPARE(m_opened, QStringList());
            return;
        }
        const QString shown = temp.filePath(QStringLiteral("Dokument1.dotx"));
        QCOMPARE(m_opened, QStringList{shown});
        QCOMPARE(paragraphTexts(unzipFiles(readBytes(shown)).value("word/document.xml")),
                 QStringList{"Wert: fertig"});
    }

    void saveAsSaveAndQuit()
    {
        QTemporaryDir temp;
        const QString templatePath =
            writeTemplate(QStringLiteral("vorlage.dotx"), placeholderPackage().toZip());
        const QString target = path(QStringLiteral("angebot.docx"));
        writeBytes(target, "alt");
        WordClient word = start(temp.path());
        word.addDocument(templatePath);
        const AutomationObjectPtr document =
            word.application->object(QStringLiteral("ActiveDocument"));
        QCOMPARE(document->getProperty(QStringLiteral("Name")), QVariant("Dokument1"));
        QVERIFY_THROWS_EXCEPTION(AutomationError, document->invoke(QStringLiteral("save")));

        document->invoke(QStringLiteral("SaveAs"), {{"FileName", target}});
        QCOMPARE(document->getProperty(QStringLiteral("Name")), QVariant("angebot.docx"));
        QCOMPARE(paragraphTexts(unzipFiles(readBytes(target)).value("word/document.xml")),
                 QStringList{"Wert: \\A\\"});
        word.replaceEverywhere(QStringLiteral("\\A\\"), QStringLiteral("neu"));
        document->invoke(QStringLiteral("save"));
        QCOMPARE(paragraphTexts(unzipFiles(readBytes(target)).value("word/document.xml")),
                 QStringList{"Wert: neu"});
        // An up-to-date saved document is shown as its own file.
        word.application->setProperty(QStringLiteral("Visible"), true);
        QCOMPARE(m_opened, QStringList{target});

        word.addDocument(templatePath);
        word.replaceEverywhere(QStringLiteral("\\A\\"), QStringLiteral("verworfen"));
        word.application->invoke(QStringLiteral("quit"));
        QCOMPARE(QDir(temp.path()).entryList(QDir::Files), QStringList());
        QCOMPARE(m_opened, QStringList{target});
        QVERIFY_THROWS_EXCEPTION(AutomationError,
                                 word.application->getProperty(QStringLiteral("Visible")));
        QVERIFY_THROWS_EXCEPTION(AutomationError, document->invoke(QStringLiteral("Save")));
    }

    // A failed save names the file and the reason; the document keeps no file.
    void saveFailures_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        const QString missing = path(QStringLiteral("fehlt"));
        QTest::newRow("folder missing") << missing + QStringLiteral("/angebot.docx")
                                        << QStringLiteral("Der Ordner \"%1\" existiert nicht.")
                                               .arg(QDir::toNativeSeparators(missing));
        QTest::newRow("a folder of that name")
            << m_dir.path()
            << QStringLiteral("\"%1\" ist ein Ordner.").arg(QDir::toNativeSeparators(m_dir.path()));
    }

    void saveFailures()
    {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        const QString templatePath =
            writeTemplate(QStringLiteral("vorlage.dotx"), placeholderPackage().toZip());
        WordClient word = start(m_dir.path());
        const AutomationObjectPtr document = word.addDocument(templatePath);
        try {
            word.saveAs(target);
            QFAIL("saved");
        } catch (const AutomationError &error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Das Dokument \"%1\" konnte nicht gespeichert werden: %2")
                         .arg(QDir::toNativeSeparators(target), reason));
        }
        QCOMPARE(document->getProperty(QStringLiteral("Name")), QVariant("Dokument1"));
    }

    void badTemplates_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file
        QTest::addColumn<QString>("message");
        const QByteArray good = placeholderPackage().toZip();
        QTest::newRow("missing") << QByteArray() << QStringLiteral("nicht gefunden");
        QTest::newRow("plain text")
            << QByteArray("Sehr geehrte Damen und Herren") << QStringLiteral("keine Word-Datei");
        QTest::newRow("truncated zip")
            << good.left(good.size() / 2) << QStringLiteral("beschädigt");
        QTest::newRow("zip without a document")
            << zipFiles({{"[Content_Types].xml", "<Types/>"}, {"word/styles.xml", "<x/>"}})
            << QStringLiteral("keinen Word-Dokumenttext");
        QTest::newRow("document not well-formed")
            << zipFiles({{"[Content_Types].xml", "<Types/>"}, {"word/document.xml", "<w:document"}})
            << QStringLiteral("fehlerhaft");
        QTest::newRow("legacy file without LibreOffice")
            << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(504, '\0')
            << QStringLiteral("LibreOffice");
    }

    void badTemplates()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString templatePath = path(QStringLiteral("kaputt.dot"));
        QFile::remove(templatePath);
        if (!bytes.isEmpty())
            writeBytes(templatePath, bytes);
        WordClient word = start(m_dir.path(), path(QStringLiteral("kein/soffice")));
        try {
            word.addDocument(templatePath);
            QFAIL("no error");
        } catch (const AutomationError &error) {
            QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        }
        if (!bytes.isEmpty())
            QCOMPARE(readBytes(templatePath), bytes);
        QCOMPARE(word.application->object(QStringLiteral("Documents"))
                     ->getProperty(QStringLiteral("Count")),
                 QVariant(0));
    }

    // Members a client may get wrong: each fails with AutomationError.
    void misuse_data()
    {
        QTest::addColumn<QByteArray>("step");
        for (const char *name :
             {"unknown application member", "unknown selection member", "unknown find member",
              "active document without a document", "selection without a document",
              "window without a document", "HomeKey by line", "footer view", "wildcards",
              "backwards", "replace code 3", "closed document"})
            QTest::newRow(name) << QByteArray(name);
    }

    void misuse()
    {
        const QString templatePath =
            writeTemplate(QStringLiteral("vorlage.dotx"), placeholderPackage().toZip());
        WordClient word = start(m_dir.path());
        QFETCH(QByteArray, step);
        const auto app = word.application;
        if (step.endsWith("without a document")) {
            const QString member = step.startsWith("active")      ? QStringLiteral("ActiveDocument")
                                   : step.startsWith("selection") ? QStringLiteral("Selection")
                                                                  : QStringLiteral("ActiveWindow");
            QVERIFY_THROWS_EXCEPTION(AutomationError, app->getProperty(member));
            return;
        }
        const AutomationObjectPtr document = word.addDocument(templatePath);
        if (step == "unknown application member")
            QVERIFY_THROWS_EXCEPTION(AutomationError,
                                     app->getProperty(QStringLiteral("Dokuments")));
        else if (step == "unknown selection member")
            QVERIFY_THROWS_EXCEPTION(
                AutomationError,
                app->object(QStringLiteral("Selection"))->invoke(QStringLiteral("TypeParagraphs")));
        else if (step == "unknown find member")
            QVERIFY_THROWS_EXCEPTION(AutomationError,
                                     word.find()->setProperty(QStringLiteral("Txt"), "x"));
        else if (step == "HomeKey by line")
            QVERIFY_THROWS_EXCEPTION(AutomationError,
                                     app->object(QStringLiteral("Selection"))
                                         ->invoke(QStringLiteral("HomeKey"), {{"Unit", 5}}));
        else if (step == "footer view")
            QVERIFY_THROWS_EXCEPTION(AutomationError, word.seekView(10));
        else if (step == "wildcards")
            QVERIFY_THROWS_EXCEPTION(
                AutomationError,
                word.find()->invoke(QStringLiteral("Execute"),
                                    {{"FindText", "a"}, {"MatchWildcards", true}}));
        else if (step == "backwards")
            QVERIFY_THROWS_EXCEPTION(AutomationError,
                                     word.find()->invoke(QStringLiteral("Execute"),
                                                         {{"FindText", "a"}, {"Forward", false}}));
        else if (step == "replace code 3")
            QVERIFY_THROWS_EXCEPTION(AutomationError,
                                     word.find()->invoke(QStringLiteral("Execute"),
                                                         {{"FindText", "a"}, {"Replace", 3}}));
        else if (step == "closed document") {
            const AutomationObjectPtr selection = app->object(QStringLiteral("Selection"));
            document->invoke(QStringLiteral("Close"));
            QVERIFY_THROWS_EXCEPTION(AutomationError,
                                     selection->getProperty(QStringLiteral("Text")));
            QVERIFY_THROWS_EXCEPTION(AutomationError,
                                     app->getProperty(QStringLiteral("Selection")));
        } else
            QFAIL("unknown step");
    }

    // A legacy binary template is converted once per file version.
    void legacyTemplate()
    {
        ZOLVARIC_REQUIRE_SOFFICE(soffice);
        const QString docx =
            writeTemplate(QStringLiteral("alt.docx"), placeholderPackage().toZip());
        QString log;
        const QString legacy =
            convertWithSoffice(soffice, docx, QStringLiteral("doc"), QStringLiteral("doc"),
                               path(QStringLiteral("alt")), &log);
        QVERIFY2(!legacy.isEmpty(), qPrintable(log));
        const QString templatePath = path(QStringLiteral("alt/Vorlage.dot"));
        QVERIFY(QFile::rename(legacy, templatePath));
        const QByteArray original = readBytes(templatePath);
        QVERIFY(original.startsWith("\xD0\xCF\x11\xE0"));

        WordClient word = start(m_dir.path(), soffice);
        word.addDocument(templatePath);
        word.replaceEverywhere(QStringLiteral("\\A\\"), QStringLiteral("umgewandelt"));
        word.saveAs(path(QStringLiteral("umgewandelt.docx")));
        const auto files = unzipFiles(readBytes(path(QStringLiteral("umgewandelt.docx"))));
        QVERIFY(paragraphTexts(files.value(QStringLiteral("word/document.xml")))
                    .contains(QStringLiteral("Wert: umgewandelt")));
        QCOMPARE(readBytes(templatePath), original);

        // The conversion is kept: no LibreOffice needed for the same file again ...
        WordClient again = start(m_dir.path(), path(QStringLiteral("kein/soffice")));
        again.addDocument(templatePath);
        QVERIFY(again.findNext(QStringLiteral("\\A\\")));
        // ... but for a changed one.
        QFile file(templatePath);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
        file.close();
        QVERIFY_THROWS_EXCEPTION(AutomationError, again.addDocument(templatePath));
    }
};

ZOLVARIC_TEST_RUNNER(DocumentFileTest)

#include "DocumentFileTest.moc"
