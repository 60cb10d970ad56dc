#pragma once

#include <QByteArray>
#include <QString>

namespace zolvaric {

// The bytes of an OOXML package for a template file: a zip file as it is,
// whatever its extension; a legacy binary Word file converted with
// LibreOffice (`soffice`) once per file version and program run. Throws
// AutomationError when the file is missing, unreadable, of another kind, or
// cannot be converted. The file itself is never changed.
QByteArray readTemplatePackage(const QString &path, const QString &soffice);

} // namespace zolvaric
