#pragma once

#include <span>

namespace zolvaric {

// One of the seventeen tables the program carries: its component name (the
// embedded text) and the override file that replaces it, relative to the
// program folder.
struct TableInfo
{
    const char *component;
    const char *overrideFile;
};

// The fee tables, chosen by paragraph number alone.
struct FeeTableInfo
{
    int paragraph;
    TableInfo table;
};

std::span<const FeeTableInfo> feeTables();

// The fee table of a paragraph, nullptr when there is none.
const TableInfo *feeTableForParagraph(int paragraph);

// Whether the table is one of the fee tables (else a work-phase table).
bool isFeeTable(const TableInfo &info);

// The work-phase table of a table edition (2013, 2009 or 2002), nullptr for others.
const TableInfo *workPhaseTable(int tableEdition);

} // namespace zolvaric
