#pragma once

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <string>

namespace zolvaric {

// Element names of one namespace as a part writes them. The parts are read
// without namespace processing, so the prefix a part binds to the namespace
// is looked up once ("w" nearly always, but any prefix is legal).
class XmlNames
{
public:
    XmlNames() = default;
    // The prefix bound to `uri` on the root element of `document`.
    XmlNames(const pugi::xml_document &document, const char *uri, const char *fallback);

    // Whether the node is the element `local` of this namespace.
    bool is(const pugi::xml_node &node, const char *local) const;
    // Whether the node is an element of this namespace.
    bool owns(const pugi::xml_node &node) const;
    // The qualified name for creating an element or attribute.
    std::string name(const char *local) const;

private:
    std::string m_prefix;
};

// The namespaces of WordprocessingML that this program reads.
namespace xmlns {
inline constexpr const char *Word = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
inline constexpr const char *Relationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
} // namespace xmlns

// One XML part of a package, parsed for editing. Text nodes consisting of
// blanks only are kept: in a w:t element such a blank is the text.
class XmlPart
{
public:
    // Throws AutomationError when the bytes are not well-formed XML, or more
    // or deeper nested than TemplateLimits.h allows.
    XmlPart(const QString &name, const QByteArray &bytes);

    const QString &name() const { return m_name; }
    pugi::xml_document &document() { return m_document; }
    const XmlNames &word() const { return m_word; }
    const XmlNames &relationships() const { return m_relationships; }

    bool changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }

    // UTF-8, without indentation, so that nothing is added to the content.
    QByteArray toBytes() const;

private:
    QString m_name;
    pugi::xml_document m_document;
    XmlNames m_word;
    XmlNames m_relationships;
    bool m_changed = false;
};

// The text of an element (all its text children); helpers for w:t.
QString elementText(const pugi::xml_node &element);
// Replaces the element's content by the text and keeps its blanks.
void setElementText(pugi::xml_node element, const QString &text);

} // namespace zolvaric
