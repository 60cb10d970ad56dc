#pragma once

#include "FeeComputation.h"

namespace zolvaric {

// The choice of edition and kind of work: which work-phase table is loaded,
// which kinds of work and fee paragraphs the lists offer, and how the
// work-phase shares are taken from the table.
class FeeSelection
{
public:
    FeeSelection(CalculationSheet &sheet, TableStore &tables, FeeComputation &computation);

    // The work-phase table of the edition's list index (2021 and 2013 share
    // one), 0 for an index without edition.
    static int tableEditionOf(int editionIndex);

    // Loads the work-phase table of a table edition (2013, 2009, 2002) and
    // rebuilds both lists of kinds of work, then takes over the shares.
    void LoadLeistungsphasen(int tableEdition);
    // Refreshes lbLP1..lbLP9 and edLPSumme; with takeOver the table's
    // maximum shares are written into edLP1..edLP9.
    void InitLP(bool takeOver);

    void comboHOAINormChange();
    // The kind of work chosen: see kindChanged, then the calculation.
    void comboHonorarparagraphChange();
    void cmdInitLPClick();

    // After the kind of work changed from `previous`: shares that are still
    // exactly its standard shares become the new kind's standard shares (when
    // mayTakeOverShares; shares the user typed stay); a basis that now counts
    // in another unit is marked to be checked; a zone the new fee table lacks
    // becomes its highest. Then the labels and sum as InitLP shows them.
    void kindChanged(const KindOfWork &previous, bool mayTakeOverShares);
    // The kind of work the labels and shares were last set up for.
    KindOfWork shownKind() const;

private:
    bool sharesAreStandardOf(const KindOfWork &kind) const;
    CalculationSheet &m_sheet;
    TableStore &m_tables;
    FeeComputation &m_computation;
    int m_shownKind = -1; // index in comboHonorarparagraph
};

} // namespace zolvaric
