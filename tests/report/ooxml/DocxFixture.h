#pragma once

#include "report/Automation.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

#include <pugixml.hpp>

// Small Word documents built in memory, and a client that drives the word
// processor as the report routine does.
// Skips the test when LibreOffice is missing, unless the environment asks for it.
#define ZOLVARIC_REQUIRE_SOFFICE(soffice)                                                          \
    const QString soffice = wordtest::findSoffice();                                               \
    if (soffice.isEmpty()) {                                                                       \
        if (wordtest::sofficeRequired())                                                           \
            QFAIL("LibreOffice (soffice) is required but not installed");                          \
        QSKIP(wordtest::noSofficeReason());                                                        \
    }

namespace wordtest {

// A paragraph of one run; the run properties are inner XML of w:rPr.
QString paragraph(const QString &text, const QString &runProperties = QString());
// Section properties: header references as {type, part base name}.
QString sectionProperties(const QList<QPair<QString, QString>> &headers, bool titlePage = false);

// A package: the inner XML of w:body, and headers and footers by part base
// name ("header1") with the inner XML of w:hdr / w:ftr. A part's
// relationship id is its base name.
struct TestPackage
{
    QString body;
    QMap<QString, QString> headers;
    QMap<QString, QString> footers;
    QMap<QString, QByteArray> otherFiles; // by zip name, without relationships
    QString mainContentType =
        QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml."
                       "document.main+xml");

    QByteArray toZip() const;
};

inline const QString TemplateContentType = QStringLiteral(
    "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml");

QByteArray zipFiles(const QList<QPair<QString, QByteArray>> &files);
// The files of a zip archive by name; empty when it cannot be read.
QMap<QString, QByteArray> unzipFiles(const QByteArray &zip);

// Each w:p's text in document order: w:t as it is, w:tab as "\t", w:br as
// "\n"; a paragraph nested in a text box is a paragraph of its own.
QStringList paragraphTexts(const QByteArray &xml);

// Parses XML for XPath checks; fails the test when it is not well-formed.
bool parseXml(pugi::xml_document &document, const QByteArray &xml);

// Adds a document from the package, replaces every pair in the main text and
// the first page's header as a report does, saves it and returns its files.
QMap<QString, QByteArray> replaceInPackage(const TestPackage &package,
                                           const QList<QPair<QString, QString>> &replacements,
                                           const QString &clipboard = QString());

// LibreOffice's program; empty when it is not installed.
QString findSoffice();
// Whether the environment asks for LibreOffice (ZOLVARIC_REQUIRE_SOFFICE=1). Not on
// Windows: the suites run there under Wine too, where the host's soffice cannot run.
bool sofficeRequired();
const char *noSofficeReason();

// Converts a file with LibreOffice ("txt:Text", "html", "doc") into the
// folder, with a private profile; returns the converted file's path, or an
// empty string with LibreOffice's output in `log`.
QString convertWithSoffice(const QString &soffice, const QString &file, const QString &format,
                           const QString &extension, const QString &folder, QString *log);

// The word processor as the report routine drives it, by member names.
class WordClient
{
public:
    explicit WordClient(zolvaric::AutomationObjectPtr word);

    zolvaric::AutomationObjectPtr application;

    zolvaric::AutomationObjectPtr addDocument(const QString &templatePath);
    // Replace-all in the main text, then in the current page's header.
    void replaceEverywhere(const QString &find, const QString &replacement);
    // Replace-all in the current story with the find settings a report sets.
    bool replaceAll(const QString &find, const QString &replacement);
    // Execute() without arguments: selects the next occurrence.
    bool findNext(const QString &find, int wrap = 1);
    void homeKey();
    void seekView(int view);
    QString selectionText();
    void saveAs(const QString &file);
    zolvaric::AutomationObjectPtr find();
};

// The built-in word processor with nothing but its temp folder set.
WordClient startWord(const QString &tempFolder);

} // namespace wordtest
