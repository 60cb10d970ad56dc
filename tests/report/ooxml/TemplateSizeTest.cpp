#include "DocxFixture.h"
#include "RawZip.h"
#include "RunTests.h"
#include "TestFiles.h"

#include "report/ooxml/TemplateLimits.h"
#include "report/ooxml/WordApplication.h"

#include <QDir>
#include <QFile>
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

// The placeholder package with one entry changed.
QByteArray withEntry(const QByteArray &name, const std::function<void(RawZipEntry &)> &change)
{
    QList<RawZipEntry> entries = rawEntries(placeholderPackage().toZip());
    for (RawZipEntry &entry : entries) {
        if (entry.name == name)
            change(entry);
    }
    return rawZip(entries);
}

QByteArray withExtraEntries(const QList<RawZipEntry> &extra)
{
    return rawZip(rawEntries(placeholderPackage().toZip()) + extra);
}

} // namespace

// Templates beyond the size limits, or with headers lying about sizes: each
// is refused with one message before a document exists, and nothing is
// written.
class TemplateSizeTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The template's file; a size beyond its bytes is made up of zeros
    // without taking disk space.
    QString writeTemplate(const QByteArray &bytes, qint64 fileSize = 0)
    {
        const QString file = path(QStringLiteral("vorlage.dotx"));
        writeBytes(file, bytes);
        if (fileSize > 0)
            QFile::resize(file, fileSize);
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
    void oversizedPackages_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("fileSize"); // 0: the bytes as they are
        const QByteArray document = "word/document.xml";
        QTest::newRow("ZIP64 entry declaring 2^62 bytes")
            << withEntry(document,
                         [](RawZipEntry &entry) {
                             entry.zip64 = true;
                             entry.declaredSize = quint64(1) << 62;
                         })
            << qint64(0);
        QTest::newRow("deflate bomb one byte beyond the part limit")
            << withExtraEntries({{.name = "word/media/bild.bin",
                                  .data = QByteArray(MaxTemplatePartBytes + 1, '\0')}})
            << qint64(0);
        QList<RawZipEntry> parts;
        for (int i = 0; i * MaxTemplatePartBytes <= MaxTemplatePackageBytes; ++i)
            parts.append({.name = "word/media/bild" + QByteArray::number(i) + ".bin",
                          .data = "x",
                          .deflated = false,
                          .declaredSize = MaxTemplatePartBytes});
        QTest::newRow("parts within the part limit, beyond the package limit together")
            << withExtraEntries(parts) << qint64(0);
        // Well-formed, blanks making up the size.
        QTest::newRow("main text one byte beyond the XML limit")
            << withEntry(document,
                         [](RawZipEntry &entry) {
                             entry.data.insert(
                                 entry.data.indexOf("</w:body>"),
                                 QByteArray(MaxXmlPartBytes + 1 - entry.data.size(), ' '));
                         })
            << qint64(0);
        QTest::newRow("main text inflating beyond its declared size")
            << withEntry(document, [](RawZipEntry &entry) { entry.declaredSize = 100; })
            << qint64(0);
        QTest::newRow("header inflating beyond its declared size")
            << withEntry("word/header1.xml",
                         [](RawZipEntry &entry) { entry.declaredSize = entry.data.size() - 1; })
            << qint64(0);
        QTest::newRow("picture inflating beyond its declared size")
            << withExtraEntries({{.name = "word/media/bild.png",
                                  .data = QByteArray(4096, 'x'),
                                  .declaredSize = 4095}})
            << qint64(0);
        QList<RawZipEntry> many;
        for (int i = 0; i < MaxTemplateParts; ++i)
            many.append(
                {.name = "customXml/item" + QByteArray::number(i) + ".xml", .deflated = false});
        QTest::newRow("more parts than the limit") << withExtraEntries(many) << qint64(0);
        QTest::newRow("file larger than the package limit")
            << placeholderPackage().toZip() << MaxTemplatePackageBytes + 1;
    }

    void oversizedPackages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, fileSize);
        const QString templatePath = writeTemplate(bytes, fileSize);
        QTemporaryDir temp;
        WordClient word = startWord(temp.path());
        QCOMPARE(addFailure(word, templatePath),
                 QStringLiteral("Die Vorlage ist zu groß oder beschädigt."));
        word.application->setProperty(QStringLiteral("Visible"), true);
        QCOMPARE(word.application->object(QStringLiteral("Documents"))
                     ->getProperty(QStringLiteral("Count")),
                 QVariant(0));
        QCOMPARE(QDir(temp.path()).entryList(QDir::Files), QStringList());
        QFile::remove(templatePath);
    }
};

ZOLVARIC_TEST_RUNNER(TemplateSizeTest)

#include "TemplateSizeTest.moc"
