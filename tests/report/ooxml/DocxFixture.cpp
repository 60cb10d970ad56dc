#include "DocxFixture.h"

#include "report/ooxml/WordApplication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QOperatingSystemVersion>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

#include <zip.h>

using namespace zolvaric;

namespace wordtest {

namespace {

const QString Namespaces = QStringLiteral(
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:v=\"urn:schemas-microsoft-com:vml\"");
const QString Declaration =
    QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n");

QString relationship(const QString &id, const QString &type, const QString &target)
{
    return QStringLiteral("<Relationship Id=\"%1\" Type=\"http://schemas.openxmlformats.org/"
                          "officeDocument/2006/relationships/%2\" Target=\"%3\"/>")
        .arg(id, type, target);
}

QString override(const QString &part, const QString &type)
{
    return QStringLiteral("<Override PartName=\"/word/%1\" ContentType=\"%2\"/>").arg(part, type);
}

} // namespace

QString paragraph(const QString &text, const QString &runProperties)
{
    const QString properties = runProperties.isEmpty()
                                   ? QString()
                                   : QStringLiteral("<w:rPr>%1</w:rPr>").arg(runProperties);
    return QStringLiteral("<w:p><w:r>%1<w:t xml:space=\"preserve\">%2</w:t></w:r></w:p>")
        .arg(properties, text.toHtmlEscaped());
}

QString sectionProperties(const QList<QPair<QString, QString>> &headers, bool titlePage)
{
    QString xml = QStringLiteral("<w:sectPr>");
    for (const auto &[type, part] : headers)
        xml += QStringLiteral("<w:headerReference w:type=\"%1\" r:id=\"%2\"/>").arg(type, part);
    xml += QStringLiteral("<w:pgSz w:w=\"11906\" w:h=\"16838\"/>");
    if (titlePage)
        xml += QStringLiteral("<w:titlePg/>");
    return xml + QStringLiteral("</w:sectPr>");
}

QByteArray TestPackage::toZip() const
{
    QString types = QStringLiteral(
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>");
    types += override(QStringLiteral("document.xml"), mainContentType);
    QString relationships = QStringLiteral(
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">");
    QList<QPair<QString, QByteArray>> files;
    const auto addParts = [&](const QMap<QString, QString> &parts, const char *kind,
                              const char *element) {
        for (auto part = parts.begin(); part != parts.end(); ++part) {
            const QString file = part.key() + QStringLiteral(".xml");
            types += override(file, QStringLiteral("application/vnd.openxmlformats-"
                                                   "officedocument.wordprocessingml.%1+xml")
                                        .arg(QLatin1String(kind)));
            relationships += relationship(part.key(), QLatin1String(kind), file);
            files.append({QStringLiteral("word/") + file,
                          (Declaration + QStringLiteral("<w:%1 %2>%3</w:%1>")
                                             .arg(QLatin1String(element), Namespaces, *part))
                              .toUtf8()});
        }
    };
    addParts(headers, "header", "hdr");
    addParts(footers, "footer", "ftr");
    types += QStringLiteral("</Types>");
    relationships += QStringLiteral("</Relationships>");

    files.prepend(
        {QStringLiteral("word/document.xml"),
         (Declaration +
          QStringLiteral("<w:document %1><w:body>%2</w:body></w:document>").arg(Namespaces, body))
             .toUtf8()});
    files.prepend({QStringLiteral("word/_rels/document.xml.rels"), relationships.toUtf8()});
    files.prepend({QStringLiteral("_rels/.rels"),
                   QStringLiteral("<Relationships xmlns=\"http://schemas.openxmlformats.org/"
                                  "package/2006/relationships\">%1</Relationships>")
                       .arg(relationship(QStringLiteral("rId1"), QStringLiteral("officeDocument"),
                                         QStringLiteral("word/document.xml")))
                       .toUtf8()});
    files.prepend({QStringLiteral("[Content_Types].xml"), types.toUtf8()});
    for (auto file = otherFiles.begin(); file != otherFiles.end(); ++file)
        files.append({file.key(), *file});
    return zipFiles(files);
}

QByteArray zipFiles(const QList<QPair<QString, QByteArray>> &files)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *output = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(output);
    zip_t *archive = zip_open_from_source(output, ZIP_TRUNCATE, &error);
    if (!archive)
        qFatal("cannot create a zip archive");
    for (const auto &[name, bytes] : files) {
        zip_source_t *source = zip_source_buffer(archive, bytes.constData(),
                                                 static_cast<zip_uint64_t>(bytes.size()), 0);
        if (zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0)
            qFatal("cannot add %s", qPrintable(name));
    }
    if (zip_close(archive) != 0)
        qFatal("cannot write a zip archive");
    zip_stat_t stat;
    zip_source_stat(output, &stat);
    QByteArray zipped(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
    zip_source_open(output);
    zip_source_read(output, zipped.data(), stat.size);
    zip_source_close(output);
    zip_source_free(output);
    zip_error_fini(&error);
    return zipped;
}

QMap<QString, QByteArray> unzipFiles(const QByteArray &zip)
{
    QMap<QString, QByteArray> files;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(zip.constData(), zip.size(), 0, &error);
    zip_t *archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return files;
    }
    for (zip_int64_t index = 0; index < zip_get_num_entries(archive, 0); ++index) {
        zip_stat_t stat;
        zip_stat_index(archive, index, 0, &stat);
        QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
        zip_file_t *file = zip_fopen_index(archive, index, 0);
        const zip_int64_t read = file ? zip_fread(file, bytes.data(), stat.size) : -1;
        if (file)
            zip_fclose(file);
        if (read != static_cast<zip_int64_t>(stat.size)) {
            files.clear();
            break;
        }
        files.insert(QString::fromUtf8(stat.name), bytes);
    }
    zip_discard(archive);
    return files;
}

QStringList paragraphTexts(const QByteArray &xml)
{
    QStringList done;
    QList<QString> open; // nested paragraphs
    QXmlStreamReader reader(xml);
    bool inText = false;
    while (!reader.atEnd()) {
        reader.readNext();
        const QStringView name = reader.qualifiedName();
        if (reader.isStartElement()) {
            if (name == u"w:p")
                open.append(QString());
            else if (name == u"w:t")
                inText = true;
            else if (name == u"w:tab" && !open.isEmpty())
                open.last() += u'\t';
            else if (name == u"w:br" && !open.isEmpty())
                open.last() += u'\n';
        } else if (reader.isEndElement()) {
            if (name == u"w:p" && !open.isEmpty())
                done.append(open.takeLast());
            else if (name == u"w:t")
                inText = false;
        } else if (reader.isCharacters() && inText && !open.isEmpty()) {
            open.last() += reader.text();
        }
    }
    if (reader.hasError())
        return {QStringLiteral("<XML error: %1>").arg(reader.errorString())};
    return done;
}

bool parseXml(pugi::xml_document &document, const QByteArray &xml)
{
    const pugi::xml_parse_result result =
        document.load_buffer(xml.constData(), static_cast<size_t>(xml.size()),
                             pugi::parse_default | pugi::parse_ws_pcdata);
    if (!result)
        qWarning("not well-formed: %s", result.description());
    return bool(result);
}

WordClient::WordClient(AutomationObjectPtr word) : application(std::move(word)) {}

AutomationObjectPtr WordClient::addDocument(const QString &templatePath)
{
    const QVariant document = application->object(QStringLiteral("Documents"))
                                  ->invoke(QStringLiteral("Add"), {{QString(), templatePath},
                                                                   {QString(), false},
                                                                   {QString(), QVariant()},
                                                                   {QString(), true}});
    return document.value<AutomationObjectPtr>();
}

AutomationObjectPtr WordClient::find()
{
    return application->object(QStringLiteral("Selection"))->object(QStringLiteral("Find"));
}

void WordClient::homeKey()
{
    application->object(QStringLiteral("Selection"))
        ->invoke(QStringLiteral("HomeKey"), {{QStringLiteral("Unit"), 6}});
}

void WordClient::seekView(int view)
{
    application->object(QStringLiteral("activeWindow"))
        ->object(QStringLiteral("ActivePane"))
        ->object(QStringLiteral("View"))
        ->setProperty(QStringLiteral("SeekView"), view);
}

bool WordClient::replaceAll(const QString &text, const QString &replacement)
{
    find()->invoke(QStringLiteral("ClearFormatting"));
    find()->setProperty(QStringLiteral("Text"), text);
    find()->object(QStringLiteral("Replacement"))->setProperty(QStringLiteral("Text"), replacement);
    find()->setProperty(QStringLiteral("Forward"), true);
    find()->setProperty(QStringLiteral("Wrap"), 1);
    for (const char *flag : {"Format", "MatchCase", "MatchWholeWord", "MatchWildcards",
                             "MatchSoundsLike", "MatchAllWordForms"})
        find()->setProperty(QLatin1String(flag), false);
    return find()
        ->invoke(QStringLiteral("execute"), {{QStringLiteral("FindText"), text},
                                             {QStringLiteral("ReplaceWith"), replacement},
                                             {QStringLiteral("Replace"), 2}})
        .toBool();
}

void WordClient::replaceEverywhere(const QString &text, const QString &replacement)
{
    homeKey();
    replaceAll(text, replacement);
    seekView(9);
    replaceAll(text, replacement);
    seekView(0);
}

bool WordClient::findNext(const QString &text, int wrap)
{
    find()->setProperty(QStringLiteral("Text"), text);
    find()->setProperty(QStringLiteral("Wrap"), wrap);
    return find()->invoke(QStringLiteral("Execute")).toBool();
}

QString WordClient::selectionText()
{
    return application->object(QStringLiteral("Selection"))
        ->getProperty(QStringLiteral("Text"))
        .toString();
}

void WordClient::saveAs(const QString &file)
{
    application->object(QStringLiteral("activeDocument"))
        ->invoke(QStringLiteral("saveAs"), {{QString(), file}});
}

QString findSoffice()
{
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

namespace {

bool onWindows()
{
    return QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows;
}

} // namespace

bool sofficeRequired()
{
    return qEnvironmentVariable("ZOLVARIC_REQUIRE_SOFFICE") == QLatin1String("1") && !onWindows();
}

const char *noSofficeReason()
{
    return onWindows() ? "LibreOffice for Windows (soffice.exe) is not installed; a Linux host's "
                         "soffice cannot run under Wine"
                       : "LibreOffice (soffice) is not installed";
}

QString convertWithSoffice(const QString &soffice, const QString &file, const QString &format,
                           const QString &extension, const QString &folder, QString *log)
{
    QTemporaryDir profile;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(soffice,
                  {QStringLiteral("--headless"),
                   "-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(),
                   QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"), folder,
                   file});
    const bool finished = process.waitForFinished(180000);
    *log = QString::fromLocal8Bit(process.readAll());
    const QString converted =
        QDir(folder).filePath(QFileInfo(file).completeBaseName() + u'.' + extension);
    if (!finished || process.exitCode() != 0 || !QFileInfo::exists(converted))
        return QString();
    return converted;
}

QMap<QString, QByteArray> replaceInPackage(const TestPackage &package,
                                           const QList<QPair<QString, QString>> &replacements,
                                           const QString &clipboard)
{
    QTemporaryDir dir;
    const QString templatePath = dir.filePath(QStringLiteral("vorlage.dotx"));
    QFile file(templatePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(package.toZip()) < 0)
        qFatal("cannot write the template");
    file.close();
    WordEnvironment environment;
    environment.tempFolder = dir.path();
    environment.clipboardText = [clipboard] { return clipboard; };
    WordClient word(createWordApplication(environment));
    word.application->setProperty(QStringLiteral("visible"), false);
    word.addDocument(templatePath);
    for (const auto &[text, replacement] : replacements)
        word.replaceEverywhere(text, replacement);
    const QString output = dir.filePath(QStringLiteral("ergebnis.docx"));
    word.saveAs(output);
    QFile result(output);
    return result.open(QIODevice::ReadOnly) ? unzipFiles(result.readAll())
                                            : QMap<QString, QByteArray>();
}

WordClient startWord(const QString &tempFolder)
{
    WordEnvironment environment;
    environment.tempFolder = tempFolder;
    return WordClient(createWordApplication(environment));
}

} // namespace wordtest
