#pragma once

#include <QString>
#include <QUrl>
#include <QVariant>

namespace zolvaric {

// The largest picture or style sheet a template may bring along.
inline constexpr qint64 kMaxTemplateResource = 16 * 1024 * 1024;

// What a template's picture or style sheet may be on paper: a regular file
// below the template's folder (after resolving links), named by a relative
// path, at most kMaxTemplateResource bytes; or inline data (a "data:" URL).
// Anything else (an absolute path, "file:" or another scheme, ".." out of the
// folder, a device, a pipe, a folder, a larger file) is left out, so that a
// template received from elsewhere can neither put the user's own files into
// an offer nor make the report read without end. Returns the file's bytes,
// or an invalid QVariant for what is left out.
QVariant templateResource(const QString &templateFolder, const QUrl &name);

} // namespace zolvaric
