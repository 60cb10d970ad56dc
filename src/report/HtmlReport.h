#pragma once

#include "persist/AtomicWrite.h"

#include <QString>
#include <QStringList>

namespace zolvaric {

class Offer;
class Desktop;
class ReportProgress;
struct ProgramRun;

// Replaces every occurrence of the placeholder in every line, ignoring case,
// left to right without overlap; inserted text is not searched again. A value
// equal to the placeholder changes nothing.
void ReplaceInStringList(QStringList &lines, const QString &placeholder, const QString &value);

// The template as lines: read whole, ended by a NUL byte, split at CR LF,
// lone LF and lone CR, Windows-1252. Throws Error when it cannot be read, is
// no regular file or is larger than kMaxHtmlTemplateBytes.
QStringList readHtmlTemplate(const QString &path);

// The largest HTML template read; an office's stays far below.
inline constexpr qint64 kMaxHtmlTemplateBytes = 16 * 1024 * 1024;

// A value as HTML text: markup characters escaped, so that a firm name
// "Müller & Söhne <GmbH>" prints as typed.
QString htmlEscaped(const QString &value);

// The calculation's warnings as HTML: each escaped, one a line (<br>).
QString htmlWarnings(const QStringList &warnings);

// The report's page: every placeholder of the vocabulary replaced in the
// HTML order with the values of the offer's edited calculation, one progress
// step each; then the offer's blocks expanded (TemplateBlocks.h) and the
// offer's placeholders filled. Lines end in CR LF; characters beyond
// Windows-1252 become numeric character references. Throws
// TemplateBlockError when the blocks do not pair up.
QByteArray renderHtmlReport(const Offer &offer, QStringList lines, ReportProgress &progress);

// Renders the template into the output file, replacing it atomically.
// Throws Error when the template cannot be read or its blocks do not pair
// up; the file is then left as it was.
WriteResult writeHtmlReport(const Offer &offer, const QString &templatePath,
                            const QString &outputPath, ReportProgress &progress);

// Where the report goes: "Zolvaric.htm" in the program's private temp folder;
// empty when that folder cannot be made.
QString htmlReportPath();
QString htmlTemplatePath(const ProgramRun &run);

// The toolbar's HTML report: template beside the program, busy state and
// wait window while it is made, the page handed to the desktop's "open".
// Failures are shown; the busy state always ends.
bool PrintHonorarHTML(const Offer &offer, ProgramRun &run, Desktop &desktop,
                      ReportProgress &progress);

} // namespace zolvaric
