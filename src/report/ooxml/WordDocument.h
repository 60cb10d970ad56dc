#pragma once

#include "OoxmlPackage.h"
#include "Story.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>
#include <optional>

namespace zolvaric {

class XmlPart;

// Which header a client asks for: that of the page the cursor is on (the
// first-page header when the section has a title page), or one by kind.
enum class HeaderChoice { CurrentPage, Primary, FirstPage };

// A Word document in OOXML, held in memory: the package and the parts that
// were parsed for editing. Only changed parts are written anew.
class WordDocument
{
public:
    // Throws AutomationError when the bytes are no Word document in OOXML;
    // `fileName` names the file in that message.
    WordDocument(QByteArray packageBytes, const QString &fileName);
    ~WordDocument();
    WordDocument(const WordDocument &) = delete;
    WordDocument &operator=(const WordDocument &) = delete;

    // Turns a template into a document (its main part's content type).
    void makeDocument();

    Story mainStory();

    // The header for the section holding the main text's paragraph. A
    // section without a header of that kind shows the previous section's;
    // an empty story when there is none at all.
    Story header(int paragraph, HeaderChoice choice);

    // Whether anything was edited since the last toBytes() or toTemplateBytes().
    bool hasChanges() const;
    // The document as a .docx file's bytes.
    QByteArray toBytes();
    // The document as a template's (.dotx) bytes, which word processors open
    // as a new document without a file name; this document stays as it is.
    QByteArray toTemplateBytes();

private:
    // A section of the main text: its last paragraph (the body's own section
    // ends after all) and its properties, with the header references that
    // count for it, its own or those of an earlier section.
    struct Section
    {
        int end;
        pugi::xml_node properties;
        pugi::xml_node defaultHeader;
        pugi::xml_node firstHeader;
    };

    XmlPart &part(const QString &name);
    // Hands the edited parts to the package.
    void storeChanges();
    const QList<Section> &sections();
    Story headerStory(const pugi::xml_node &reference);

    OoxmlPackage m_package;
    QString m_mainPart;
    std::map<QString, std::unique_ptr<XmlPart>> m_parts; // by lower-case name
    // Kept for every step of a report: replacing changes neither the
    // paragraphs nor the sections and references.
    std::optional<Story> m_mainStory;
    std::optional<QList<Section>> m_sections;
    std::map<QString, Story> m_headers; // by relationship id
};

} // namespace zolvaric
