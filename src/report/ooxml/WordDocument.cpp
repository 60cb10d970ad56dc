#include "WordDocument.h"

#include "OpcParts.h"
#include "XmlPart.h"
#include "report/Automation.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace zolvaric {

namespace {

pugi::xml_node childElement(const pugi::xml_node &node, const XmlNames &names, const char *local)
{
    for (const pugi::xml_node &child : node.children()) {
        if (child.type() == pugi::node_element && names.is(child, local))
            return child;
    }
    return {};
}

// An on/off property: present and not switched off by its value.
bool isOn(const pugi::xml_node &property, const XmlNames &word)
{
    if (!property)
        return false;
    const char *value = property.attribute(word.name("val").c_str()).value();
    return std::strcmp(value, "0") != 0 && std::strcmp(value, "false") != 0 &&
           std::strcmp(value, "off") != 0;
}

} // namespace

WordDocument::WordDocument(QByteArray packageBytes, const QString &fileName)
    : m_package(std::move(packageBytes), fileName)
{
    m_mainPart = mainDocumentPart(m_package);
    if (m_mainPart.isEmpty())
        m_mainPart = QStringLiteral("word/document.xml");
    if (!m_package.contains(m_mainPart))
        throw AutomationError(
            QStringLiteral("Die Datei \"%1\" enthält keinen Word-Dokumenttext (%2).")
                .arg(fileName, m_mainPart));
    XmlPart &main = part(m_mainPart);
    if (!childElement(main.document().document_element(), main.word(), "body"))
        throw AutomationError(
            QStringLiteral("Der Dokumenttext der Datei \"%1\" ist leer oder kein Word-Text.")
                .arg(fileName));
}

WordDocument::~WordDocument() = default;

XmlPart &WordDocument::part(const QString &name)
{
    const QString key = name.toLower();
    auto found = m_parts.find(key);
    // Entered only once parsed: a part that fails leaves no empty entry behind.
    if (found == m_parts.end())
        found = m_parts.emplace(key, std::make_unique<XmlPart>(name, m_package.read(name))).first;
    return *found->second;
}

void WordDocument::makeDocument()
{
    setMainPartKind(m_package, m_mainPart, MainPartKind::Document);
}

Story WordDocument::mainStory()
{
    if (!m_mainStory) {
        XmlPart &main = part(m_mainPart);
        m_mainStory.emplace(&main,
                            childElement(main.document().document_element(), main.word(), "body"));
    }
    return *m_mainStory;
}

// A section ends with the paragraph that holds its properties; the last
// section's properties are the body's own.
const QList<WordDocument::Section> &WordDocument::sections()
{
    if (m_sections)
        return *m_sections;
    XmlPart &main = part(m_mainPart);
    const XmlNames &word = main.word();
    const std::string typeName = word.name("type");
    const Story story = mainStory();
    QList<Section> sections;
    const auto add = [&](int end, const pugi::xml_node &properties) {
        Section section{end, properties, {}, {}};
        if (!sections.isEmpty()) {
            section.defaultHeader = sections.last().defaultHeader;
            section.firstHeader = sections.last().firstHeader;
        }
        // A section without a header of a kind shows the previous section's.
        bool ownDefault = false;
        bool ownFirst = false;
        for (const pugi::xml_node &reference : properties.children()) {
            if (!word.is(reference, "headerReference"))
                continue;
            const char *type = reference.attribute(typeName.c_str()).as_string("default");
            if (std::strcmp(type, "default") == 0 && !ownDefault) {
                section.defaultHeader = reference;
                ownDefault = true;
            } else if (std::strcmp(type, "first") == 0 && !ownFirst) {
                section.firstHeader = reference;
                ownFirst = true;
            }
        }
        sections.append(section);
    };
    for (int index = 0; index < story.paragraphCount(); ++index) {
        const pugi::xml_node properties =
            childElement(childElement(story.paragraphs()[index], word, "pPr"), word, "sectPr");
        if (properties)
            add(index, properties);
    }
    const pugi::xml_node body = childElement(main.document().document_element(), word, "body");
    add(std::numeric_limits<int>::max(), childElement(body, word, "sectPr"));
    m_sections = std::move(sections);
    return *m_sections;
}

Story WordDocument::header(int paragraph, HeaderChoice choice)
{
    const QList<Section> &sections = this->sections();
    const XmlNames &word = part(m_mainPart).word();
    // The section holding the paragraph: the first that ends at or after it.
    const Section &current = *std::partition_point(
        sections.cbegin(), sections.cend(),
        [paragraph](const Section &section) { return section.end < paragraph; });
    const bool firstPage = choice == HeaderChoice::FirstPage ||
                           (choice == HeaderChoice::CurrentPage &&
                            isOn(childElement(current.properties, word, "titlePg"), word));
    return headerStory(firstPage ? current.firstHeader : current.defaultHeader);
}

Story WordDocument::headerStory(const pugi::xml_node &reference)
{
    if (!reference)
        return Story();
    XmlPart &main = part(m_mainPart);
    const QString id =
        QString::fromUtf8(reference.attribute(main.relationships().name("id").c_str()).value());
    auto found = m_headers.find(id);
    if (found == m_headers.end()) {
        const QString target = relationshipTarget(m_package, m_mainPart, id);
        Story story;
        if (!target.isEmpty() && m_package.contains(target)) {
            XmlPart &header = part(target);
            story = Story(&header, header.document().document_element());
        }
        found = m_headers.emplace(id, std::move(story)).first;
    }
    return found->second;
}

bool WordDocument::hasChanges() const
{
    for (const auto &[name, part] : m_parts) {
        if (part->changed())
            return true;
    }
    return false;
}

void WordDocument::storeChanges()
{
    for (const auto &[name, part] : m_parts) {
        if (part->changed()) {
            m_package.replace(part->name(), part->toBytes());
            part->setChanged(false);
        }
    }
}

QByteArray WordDocument::toBytes()
{
    storeChanges();
    return m_package.toBytes();
}

QByteArray WordDocument::toTemplateBytes()
{
    storeChanges();
    return packageBytesAs(m_package, m_mainPart, MainPartKind::Template);
}

} // namespace zolvaric
