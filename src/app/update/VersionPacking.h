#pragma once

#include <QString>
#include <QtGlobal>

namespace zolvaric {

// A dotted version text as one number, four 16-bit fields, the first number
// in the top bits; missing numbers count 0, numbers past the fourth are
// ignored and each number keeps only its low 16 bits. Blanks before a number
// are skipped; a character that cannot start a number counts 0 for its field.
quint64 PackVersion(const QString &text);

// Whether the offered version is above the installed one. The packed values
// compare as signed numbers, so a first number of 32768 or more (or below 0)
// sorts below every ordinary version.
bool IsNewerVersion(const QString &offered, const QString &installed);

} // namespace zolvaric
