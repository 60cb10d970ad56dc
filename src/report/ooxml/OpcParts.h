#pragma once

#include <QString>

namespace zolvaric {

class OoxmlPackage;

// The package's main document part, as its relationships name it
// ("word/document.xml"); empty when there is none.
QString mainDocumentPart(const OoxmlPackage &package);

// The part a relationship of `sourcePart` points to; empty for an unknown
// id or an external target.
QString relationshipTarget(const OoxmlPackage &package, const QString &sourcePart,
                           const QString &id);

// Gives the main part of a template the content type of a document, in the
// package's [Content_Types].xml; nothing changes for a document.
void makeDocumentContentType(OoxmlPackage &package, const QString &mainPart);

} // namespace zolvaric
