#pragma once

#include "TableCatalog.h"

#include <QString>

#include <span>

namespace zolvaric {

class TextTable;

// A work phase of a Leistungsbild beyond the work-phase table, as the law
// names and rates it.
struct PhaseShare
{
    const char *name;
    int percent;
};

// A Leistungsbild of the editions 2013 and 2021 that the work-phase table does
// not hold: the town and landscape planning (§§ 18 to 32) and the services of
// Anlage 1, each with its fee table and its own phases.
struct AppendedKind
{
    const char *name;
    const char *feeTable; // component name of its fee table
    // What the rows are called: "LP" for Leistungsphasen, "TL" for the
    // lettered Teilleistungen of the Geotechnik.
    const char *phaseMark;
    std::span<const PhaseShare> phases;
};

// The Leistungsbilder that follow the work-phase table's kinds of work in the
// list of a table edition; none for 2009 and 2002.
std::span<const AppendedKind> appendedKinds(int tableEdition);

// One item of an edition's list of kinds of work: a column of the work-phase
// table, or an appended Leistungsbild.
struct KindOfWork
{
    QString name;
    int column = 0; // in the work-phase table; 0 for an appended kind
    const AppendedKind *appended = nullptr;
    // The paragraph of the fee table (0 for Anlage 1, or where a work-phase
    // table gives no number), and its fee table, nullptr where none exists.
    int paragraph = 0;
    const FeeTableInfo *feeTable = nullptr;

    bool exists() const { return column > 0 || appended; }
    // The rows the kind has: 9 for the work-phase table's kinds.
    int phaseCount() const;
    // "LP1\tGrundlagenermittlung", with the row 8 of the engineering
    // structures and traffic installations "LP8\tBauoberleitung"; empty
    // beyond the kind's phases.
    QString phaseCaption(int phase) const;
    // The row's mark alone: "LP8", "TL b".
    QString phaseMark(int phase) const;
    // The maximum share of a phase (from 1) in percent; 0 beyond its phases.
    double maximumShare(const TextTable &phases, int phase) const;
    // The last phase the Leistungsbild rates with a share (LP6 for the
    // Tragwerksplanung); 0 for none.
    int lastRatedPhase(const TextTable &phases) const;
    // The item of comboParagraph: "§ 35 HOAI", "Anlage 1.3.4 HOAI".
    QString paragraphItem(const TextTable &phases) const;
    BasisUnit unit() const { return feeTable ? feeTable->unit : BasisUnit::Euro; }
};

// How many kinds of work the list of a table edition holds with this
// work-phase table.
int kindCount(const TextTable &phases, int tableEdition);
// The kind at a list index; one that does not exist (!exists()) beyond the list.
KindOfWork kindOfWork(const TextTable &phases, int tableEdition, int index);

} // namespace zolvaric
