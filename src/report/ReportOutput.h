#pragma once

#include <QString>

#include <optional>

namespace zolvaric {

struct ProgramRun;

// Why a report must not be written to the path: it is the report's template,
// the project file or the office's settings file (German), nullopt when it
// may. A report written over what it is made from would destroy it.
std::optional<QString> reportOutputClash(const QString &outputPath, const QString &templatePath,
                                         const ProgramRun &run);

} // namespace zolvaric
