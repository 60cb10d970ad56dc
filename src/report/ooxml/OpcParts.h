#pragma once

#include <QByteArray>
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

// What the main part is, by its content type: a document, or a template
// that word processors open as a new document without a file name.
enum class MainPartKind { Document, Template };

// Gives the main part the content type of the kind in the package's
// [Content_Types].xml. A template, macro-enabled or not, becomes a plain
// document; a macro-enabled document stays one. Every kind of Word main part
// becomes a plain template, whose file may then end in ".dotx".
void setMainPartKind(OoxmlPackage &package, const QString &mainPart, MainPartKind kind);
// The package's bytes as they would be after setMainPartKind; the package itself
// stays as it is.
QByteArray packageBytesAs(const OoxmlPackage &package, const QString &mainPart, MainPartKind kind);

} // namespace zolvaric
