#pragma once

#include <QString>

#include <span>

namespace zolvaric {

// One of the tables the program carries: its component name (the embedded
// text) and the override file that replaces it, relative to the program folder.
struct TableInfo
{
    const char *component;
    const char *overrideFile;
};

// What the first column of a fee table counts.
enum class BasisUnit { Euro, Hectare, Units };

// A fee table. The tables of the regulation's paragraphs are chosen by
// paragraph number alone; those of Anlage 1 have none and are named by their
// number there ("1.3.4").
struct FeeTableInfo
{
    int paragraph;     // 0 for a table of Anlage 1
    const char *annex; // "1.3.4" for a table of Anlage 1, else nullptr
    TableInfo table;
    BasisUnit unit;
    // The tables added for the planning and Anlage 1 services read their
    // first column in either decimal notation (the law writes 0.5 ha).
    bool keysInEitherNotation;
};

std::span<const FeeTableInfo> feeTables();

// The fee table of a paragraph, nullptr when there is none.
const TableInfo *feeTableForParagraph(int paragraph);
// The catalogue entry of a fee table, nullptr for a work-phase table.
const FeeTableInfo *feeTableInfo(const TableInfo &table);
// The entry whose component name is given, nullptr when there is none.
const FeeTableInfo *feeTableNamed(const char *component);

// Whether the table is one of the fee tables (else a work-phase table).
bool isFeeTable(const TableInfo &info);

// The fee table as the law numbers it: "§ 35", "Anlage 1.3.4".
QString tableReference(const FeeTableInfo &info);

// The work-phase table of a table edition (2013, 2009 or 2002), nullptr for others.
const TableInfo *workPhaseTable(int tableEdition);

} // namespace zolvaric
