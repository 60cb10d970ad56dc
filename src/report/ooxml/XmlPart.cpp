#include "XmlPart.h"

#include "TemplateLimits.h"
#include "report/Automation.h"

#include <cstring>

namespace zolvaric {

namespace {

// Whether elements below `root` (the first level) nest deeper than `limit`.
// Walked without recursion, however deep the part.
bool nestedDeeperThan(const pugi::xml_node &root, int limit)
{
    pugi::xml_node node = root;
    int depth = 1;
    for (;;) {
        if (depth > limit && node.type() == pugi::node_element)
            return true;
        if (node.first_child()) {
            node = node.first_child();
            ++depth;
            continue;
        }
        while (node != root && !node.next_sibling()) {
            node = node.parent();
            --depth;
        }
        if (node == root)
            return false;
        node = node.next_sibling();
    }
}

} // namespace

XmlNames::XmlNames(const pugi::xml_document &document, const char *uri, const char *fallback)
    : m_prefix(fallback)
{
    for (const pugi::xml_attribute &attribute : document.document_element().attributes()) {
        if (std::strcmp(attribute.value(), uri) != 0)
            continue;
        const char *name = attribute.name();
        if (std::strcmp(name, "xmlns") == 0) {
            m_prefix.clear();
            return;
        }
        if (std::strncmp(name, "xmlns:", 6) == 0) {
            m_prefix = name + 6;
            return;
        }
    }
}

bool XmlNames::is(const pugi::xml_node &node, const char *local) const
{
    const char *name = node.name();
    if (!m_prefix.empty()) {
        if (std::strncmp(name, m_prefix.c_str(), m_prefix.size()) != 0 ||
            name[m_prefix.size()] != ':')
            return false;
        name += m_prefix.size() + 1;
    }
    return std::strcmp(name, local) == 0;
}

bool XmlNames::owns(const pugi::xml_node &node) const
{
    const char *name = node.name();
    if (m_prefix.empty())
        return std::strchr(name, ':') == nullptr;
    return std::strncmp(name, m_prefix.c_str(), m_prefix.size()) == 0 &&
           name[m_prefix.size()] == ':';
}

std::string XmlNames::name(const char *local) const
{
    return m_prefix.empty() ? std::string(local) : m_prefix + ':' + local;
}

XmlPart::XmlPart(const QString &name, const QByteArray &bytes) : m_name(name)
{
    if (bytes.size() > MaxXmlPartBytes)
        throw templateTooLarge();
    const unsigned options = pugi::parse_default | pugi::parse_declaration | pugi::parse_pi |
                             pugi::parse_comments | pugi::parse_ws_pcdata;
    const pugi::xml_parse_result result =
        m_document.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()), options);
    if (!result || !m_document.document_element())
        throw AutomationError(QStringLiteral("Der Teil \"%1\" des Dokuments ist fehlerhaft (%2).")
                                  .arg(name, QString::fromUtf8(result.description())));
    // Removing an element frees its content recursively inside pugixml, where
    // absurd nesting would overflow the stack; this program's own walks do
    // without recursion.
    if (nestedDeeperThan(m_document.document_element(), MaxXmlDepth))
        throw AutomationError(QStringLiteral("Der Teil \"%1\" des Dokuments ist zu tief "
                                             "verschachtelt (mehr als %2 Ebenen).")
                                  .arg(name)
                                  .arg(MaxXmlDepth));
    // The part is written in UTF-8 whatever it was read in; the declaration must say so.
    const pugi::xml_node declaration = m_document.first_child();
    if (declaration.type() == pugi::node_declaration && declaration.attribute("encoding"))
        declaration.attribute("encoding").set_value("UTF-8");
    m_word = XmlNames(m_document, xmlns::Word, "w");
    m_relationships = XmlNames(m_document, xmlns::Relationships, "r");
}

QByteArray XmlPart::toBytes() const
{
    struct Writer : pugi::xml_writer
    {
        QByteArray bytes;
        void write(const void *data, size_t size) override
        {
            bytes.append(static_cast<const char *>(data), static_cast<qsizetype>(size));
        }
    } writer;
    m_document.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return writer.bytes;
}

QString elementText(const pugi::xml_node &element)
{
    QString text;
    for (const pugi::xml_node &child : element.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text += QString::fromUtf8(child.value());
    }
    return text;
}

void setElementText(pugi::xml_node element, const QString &text)
{
    while (element.first_child())
        element.remove_child(element.first_child());
    element.append_child(pugi::node_pcdata).set_value(text.toUtf8().constData());
    pugi::xml_attribute space = element.attribute("xml:space");
    if (!space)
        space = element.append_attribute("xml:space");
    space.set_value("preserve");
}

} // namespace zolvaric
