#pragma once

#include "TextTable.h"

#include <QString>

namespace zolvaric {

struct RegionalSettings;

// The newer fee tables read their keys in either decimal notation.
enum class TableKind { Fee, FeeKeysInEitherNotation, WorkPhases };

// An office's own table file must hold every cell the calculation reads: a
// fee table a cost key and ten fees in each row below the header, the keys
// rising; a work-phase table the shares of LP1 to LP9 and the paragraph
// number for every kind of work. Throws Error naming the file, the line and
// the column of the first cell that is missing, no number, negative, a "bis"
// fee below its "von" fee, or a key written with thousands separators (which
// the reading in either notation would take for decimals), so that nothing
// is computed from a table read wrongly.
void checkOverrideTable(const TextTable &table, TableKind kind, const QString &file,
                        const RegionalSettings &settings);

} // namespace zolvaric
