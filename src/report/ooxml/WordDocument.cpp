#include "WordDocument.h"

#include "OpcParts.h"
#include "XmlPart.h"
#include "report/Automation.h"

#include <cstring>

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
    makeDocumentContentType(m_package, m_mainPart);
}

Story WordDocument::mainStory()
{
    XmlPart &main = part(m_mainPart);
    return Story(&main, childElement(main.document().document_element(), main.word(), "body"));
}

Story WordDocument::header(int paragraph, HeaderChoice choice)
{
    XmlPart &main = part(m_mainPart);
    const XmlNames &word = main.word();
    const Story story = mainStory();

    // A section ends with the paragraph that holds its properties; the last
    // section's properties are the body's own.
    QList<pugi::xml_node> sections;
    int current = -1;
    for (int index = 0; index < story.paragraphCount(); ++index) {
        const pugi::xml_node properties =
            childElement(childElement(story.paragraphs()[index], word, "pPr"), word, "sectPr");
        if (!properties)
            continue;
        if (current < 0 && index >= paragraph)
            current = static_cast<int>(sections.size());
        sections.append(properties);
    }
    const pugi::xml_node body = childElement(main.document().document_element(), word, "body");
    sections.append(childElement(body, word, "sectPr"));
    if (current < 0)
        current = static_cast<int>(sections.size()) - 1;

    const bool firstPage = choice == HeaderChoice::FirstPage ||
                           (choice == HeaderChoice::CurrentPage &&
                            isOn(childElement(sections[current], word, "titlePg"), word));
    const char *type = firstPage ? "first" : "default";
    const std::string typeName = word.name("type");
    const std::string idName = main.relationships().name("id");
    for (int section = current; section >= 0; --section) {
        for (const pugi::xml_node &reference : sections[section].children()) {
            if (!word.is(reference, "headerReference"))
                continue;
            const char *referenceType = reference.attribute(typeName.c_str()).as_string("default");
            if (std::strcmp(referenceType, type) != 0)
                continue;
            const QString target =
                relationshipTarget(m_package, m_mainPart,
                                   QString::fromUtf8(reference.attribute(idName.c_str()).value()));
            if (target.isEmpty() || !m_package.contains(target))
                return Story();
            XmlPart &header = part(target);
            return Story(&header, header.document().document_element());
        }
    }
    return Story();
}

bool WordDocument::hasChanges() const
{
    for (const auto &[name, part] : m_parts) {
        if (part->changed())
            return true;
    }
    return false;
}

QByteArray WordDocument::toBytes()
{
    for (const auto &[name, part] : m_parts) {
        if (part->changed()) {
            m_package.replace(part->name(), part->toBytes());
            part->setChanged(false);
        }
    }
    return m_package.toBytes();
}

} // namespace zolvaric
