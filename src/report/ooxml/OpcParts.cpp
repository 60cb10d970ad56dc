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

void makeDocumentContentType(OoxmlPackage &package, const QString &mainPart)
{
    static const char *const templateTypes[] = {
        "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml",
        "application/vnd.ms-word.template.macroEnabledTemplate.main+xml"};
    const char *documentType =
        "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";

    XmlPart part(ContentTypesPart, package.read(ContentTypesPart));
    const QString partName = u'/' + mainPart;
    bool changed = false;
    for (pugi::xml_node entry : part.document().document_element().children()) {
        if (std::strcmp(entry.name(), "Override") != 0 ||
            QString::fromUtf8(entry.attribute("PartName").value())
                    .compare(partName, Qt::CaseInsensitive) != 0)
            continue;
        for (const char *templateType : templateTypes) {
            if (std::strcmp(entry.attribute("ContentType").value(), templateType) == 0) {
                entry.attribute("ContentType").set_value(documentType);
                changed = true;
            }
        }
    }
    if (changed)
        package.replace(ContentTypesPart, part.toBytes());
}

} // namespace zolvaric
