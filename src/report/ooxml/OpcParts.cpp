#include "OpcParts.h"

#include "OoxmlPackage.h"
#include "XmlPart.h"

#include <QUrl>

#include <cstring>

namespace zolvaric {

namespace {

const QString ContentTypesPart = QStringLiteral("[Content_Types].xml");

// The relationships part of a part: "word/_rels/document.xml.rels".
QString relationshipsPart(const QString &sourcePart)
{
    const qsizetype slash = sourcePart.lastIndexOf(u'/');
    return sourcePart.left(slash + 1) + QStringLiteral("_rels/") + sourcePart.mid(slash + 1) +
           QStringLiteral(".rels");
}

// A target relative to the source part's folder (or absolute from the
// package root) as a part name without the leading slash.
QString resolveTarget(const QString &sourcePart, const QString &target)
{
    const QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    QStringList segments;
    if (!decoded.startsWith(u'/'))
        segments = sourcePart.split(u'/').mid(0, sourcePart.count(u'/'));
    for (const QString &segment : decoded.split(u'/', Qt::SkipEmptyParts)) {
        if (segment == QStringLiteral("..")) {
            if (!segments.isEmpty())
                segments.removeLast();
        } else if (segment != QStringLiteral(".")) {
            segments.append(segment);
        }
    }
    return segments.join(u'/');
}

bool endsWith(const char *text, const char *end)
{
    const size_t textLength = std::strlen(text);
    const size_t endLength = std::strlen(end);
    return textLength >= endLength && std::strcmp(text + textLength - endLength, end) == 0;
}

const char *const DocumentType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
const char *const MacroDocumentType = "application/vnd.ms-word.document.macroEnabled.main+xml";
const char *const TemplateType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml";
const char *const MacroTemplateType =
    "application/vnd.ms-word.template.macroEnabledTemplate.main+xml";

// The content type a main part of the type gets as the kind; null when it
// keeps its own. Word refuses a file whose ending does not fit its type: a
// document made from a template is a plain ".docx", as Word makes it, and a
// shown template always a plain ".dotx".
const char *typeAs(const char *type, MainPartKind kind)
{
    const auto is = [type](const char *other) { return std::strcmp(type, other) == 0; };
    if (kind == MainPartKind::Document)
        return is(TemplateType) || is(MacroTemplateType) ? DocumentType : nullptr;
    return is(DocumentType) || is(MacroDocumentType) || is(MacroTemplateType) ? TemplateType
                                                                              : nullptr;
}

// [Content_Types].xml with the main part's content type that of the kind;
// empty when nothing changes.
QByteArray contentTypesAs(const OoxmlPackage &package, const QString &mainPart, MainPartKind kind)
{
    XmlPart part(ContentTypesPart, package.read(ContentTypesPart));
    const QString partName = u'/' + mainPart;
    bool changed = false;
    for (pugi::xml_node entry : part.document().document_element().children()) {
        if (std::strcmp(entry.name(), "Override") != 0 ||
            QString::fromUtf8(entry.attribute("PartName").value())
                    .compare(partName, Qt::CaseInsensitive) != 0)
            continue;
        pugi::xml_attribute type = entry.attribute("ContentType");
        if (const char *converted = typeAs(type.value(), kind)) {
            type.set_value(converted);
            changed = true;
        }
    }
    return changed ? part.toBytes() : QByteArray();
}

} // namespace

QString mainDocumentPart(const OoxmlPackage &package)
{
    const QString relationships = QStringLiteral("_rels/.rels");
    if (!package.contains(relationships))
        return QString();
    XmlPart part(relationships, package.read(relationships));
    for (const pugi::xml_node &relationship : part.document().document_element().children()) {
        // Transitional and strict packages name the type differently but alike at the end.
        if (endsWith(relationship.attribute("Type").value(), "/officeDocument") &&
            std::strcmp(relationship.attribute("TargetMode").value(), "External") != 0)
            return resolveTarget(QString(),
                                 QString::fromUtf8(relationship.attribute("Target").value()));
    }
    return QString();
}

QString relationshipTarget(const OoxmlPackage &package, const QString &sourcePart,
                           const QString &id)
{
    const QString relationships = relationshipsPart(sourcePart);
    if (id.isEmpty() || !package.contains(relationships))
        return QString();
    XmlPart part(relationships, package.read(relationships));
    const QByteArray wanted = id.toUtf8();
    for (const pugi::xml_node &relationship : part.document().document_element().children()) {
        if (wanted != relationship.attribute("Id").value())
            continue;
        if (std::strcmp(relationship.attribute("TargetMode").value(), "External") == 0)
            return QString();
        return resolveTarget(sourcePart,
                             QString::fromUtf8(relationship.attribute("Target").value()));
    }
    return QString();
}

void setMainPartKind(OoxmlPackage &package, const QString &mainPart, MainPartKind kind)
{
    const QByteArray types = contentTypesAs(package, mainPart, kind);
    if (!types.isEmpty())
        package.replace(ContentTypesPart, types);
}

QByteArray packageBytesAs(const OoxmlPackage &package, const QString &mainPart, MainPartKind kind)
{
    const QByteArray types = contentTypesAs(package, mainPart, kind);
    return types.isEmpty() ? package.toBytes() : package.toBytesWith(ContentTypesPart, types);
}

} // namespace zolvaric
