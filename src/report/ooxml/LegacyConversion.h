#pragma once

#include <QByteArray>
#include <QString>

namespace zolvaric {

// Converts a legacy binary Word file to .docx with LibreOffice and returns
// the result's bytes. LibreOffice runs headless with a fresh private profile,
// so that it neither meets a running instance nor touches the user's
// settings. Throws AutomationError when soffice is missing or fails.
QByteArray convertLegacyWordFile(const QString &path, const QString &soffice);

} // namespace zolvaric
