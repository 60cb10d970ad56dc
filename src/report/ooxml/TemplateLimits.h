#pragma once

#include "report/Automation.h"

#include <QtGlobal>

namespace zolvaric {

// The most a template may hold. Word's templates stay far below; beyond
// these a file is broken or made to exhaust memory, time or the stack, and
// it is refused.
inline constexpr qint64 MaxTemplatePartBytes = 64 * 1024 * 1024; // one part, unpacked
// All parts unpacked together; the file itself cannot be larger either.
inline constexpr qint64 MaxTemplatePackageBytes = 256 * 1024 * 1024;
// A part read as XML (main text, headers, relationships): parsed, it takes
// up to 14 times its size, and every step of a report goes through it.
inline constexpr qint64 MaxXmlPartBytes = 16 * 1024 * 1024;
// Parts in the package: each costs bookkeeping however small it is.
inline constexpr int MaxTemplateParts = 10000;
// Elements nested in one XML part, the root counting as the first level.
inline constexpr int MaxXmlDepth = 256;

inline AutomationError templateTooLarge()
{
    return AutomationError(QStringLiteral("Die Vorlage ist zu groß oder beschädigt."));
}

} // namespace zolvaric
