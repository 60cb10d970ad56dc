#pragma once

#include "TextTable.h"

#include <QByteArrayView>

namespace zolvaric {

// Reads a semicolon-separated table text (Windows-1252, or UTF-8 with a
// byte-order mark). A line ends at CR LF, a lone CR or a lone LF; blank lines
// are skipped, so a stray empty line cannot turn into a row of -1 keys. A
// field may be quoted: inside quotes ';' belongs to the field, and a doubled
// quote stands for one.
TextTable readTable(QByteArrayView bytes, const RegionalSettings &settings);

// Splits one line into its fields.
QList<QString> splitTableLine(QStringView line);

} // namespace zolvaric
