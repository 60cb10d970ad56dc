#pragma once

#include <QString>

#include <optional>

namespace zolvaric {

class Desktop;
struct ProgramRun;

// Why a report must not be written to the path: it is the report's template,
// the project file or the office's settings file (German), nullopt when it
// may. A report written over what it is made from would destroy it.
std::optional<QString> reportOutputClash(const QString &outputPath, const QString &templatePath,
                                         const ProgramRun &run);

// Why the template cannot be used, nullopt when it is a file: "Die
// Vorlagedatei "…" konnte nicht gefunden werden." for one that is not there,
// and for a folder, a pipe or a device (which would be waited for) that it
// is no ordinary file. The path as given.
std::optional<QString> unusableTemplateReason(const QString &templatePath);

// Hands a written report to the desktop's "open". Where nothing opens it,
// a message names the file and what to open it with ("einem Webbrowser"):
// the report is there, only not on screen.
void openReport(Desktop &desktop, const QString &file, const QString &openWith);

} // namespace zolvaric
