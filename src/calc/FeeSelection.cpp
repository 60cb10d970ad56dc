#include "FeeSelection.h"

#include "base/Error.h"

#include <cmath>

namespace zolvaric {

FeeSelection::FeeSelection(CalculationSheet &sheet, TableStore &tables, FeeComputation &computation)
    : m_sheet(sheet), m_tables(tables), m_computation(computation)
{
}

int FeeSelection::tableEditionOf(int editionIndex)
{
    switch (editionIndex) {
    case 0:
    case 1:
        return 2013;
    case 2:
        return 2009;
    case 3:
        return 2002;
    default:
        return 0;
    }
}

void FeeSelection::LoadLeistungsphasen(int tableEdition)
{
    const TableInfo *info = workPhaseTable(tableEdition);
    if (!info)
        throw Error(QStringLiteral("Zur HOAI %1 gibt es keine Tabelle der Leistungsphasen.")
                        .arg(tableEdition));
    m_sheet.gridLeistungsphasen.setTable(m_tables.load(*info));

    const TextTable &table = m_sheet.gridLeistungsphasen.table();
    QStringList kinds;
    QStringList paragraphs;
    for (int index = 0; index < kindCount(table, tableEdition); ++index) {
        const KindOfWork kind = kindOfWork(table, tableEdition, index);
        kinds << kind.name;
        paragraphs << kind.paragraphItem(table);
    }
    m_sheet.comboHonorarparagraph.setItems(kinds, 0);
    m_sheet.comboParagraph.setItems(paragraphs, 0);
    InitLP(true);
}

void FeeSelection::InitLP(bool takeOver)
{
    CalculationSheet &s = m_sheet;
    const TextTable &table = s.gridLeistungsphasen.table();
    const KindOfWork kind = m_computation.currentKind();
    m_shownKind = s.comboHonorarparagraph.index();
    for (int n = 0; n < 9; ++n) {
        if (kind.appended)
            s.lbLP[n]->setText(QString::number(kind.maximumShare(table, n + 1)) +
                               QStringLiteral(" %"));
        else
            s.lbLP[n]->setText({table.cell(n + 1, kind.column), u" %"});
    }

    const auto writeSum = [&s] {
        double sum = 0;
        for (const NumericField *share : s.edLP)
            sum += share->value();
        s.edLPSumme.setValue(sum);
    };
    writeSum();
    if (!takeOver)
        return;
    // Every share written fires edLP1Change; the last run sees all nine.
    for (int n = 0; n < 9; ++n)
        s.edLP[n]->setValue(kind.appended ? kind.maximumShare(table, n + 1)
                                          : table.number(n + 1, kind.column));
    writeSum();
}

void FeeSelection::comboHOAINormChange()
{
    const int tableEdition = tableEditionOf(m_sheet.comboHOAINorm.index());
    if (tableEdition == 0)
        throw Error(QStringLiteral("Es ist keine HOAI-Ausgabe gewählt."));
    // The fee paragraphs shown stay those of the loaded table, so that an
    // override table with other paragraphs shows the ones it computes with.
    const BasisUnit unitBefore = m_sheet.basisUnit();
    LoadLeistungsphasen(tableEdition);
    if (m_computation.currentKind().unit() != unitBefore && m_sheet.edKosten.value() != 0)
        m_computation.setBasisUnitToCheck(true);
    m_computation.CalcHonorar();
}

void FeeSelection::comboHonorarparagraphChange()
{
    if (m_shownKind >= 0 && m_shownKind != m_sheet.comboHonorarparagraph.index())
        kindChanged(shownKind(), true);
    else
        InitLP(false);
    m_computation.CalcHonorar();
}

KindOfWork FeeSelection::shownKind() const
{
    return kindOfWork(m_sheet.gridLeistungsphasen.table(),
                      tableEditionOf(m_sheet.comboHOAINorm.index()), m_shownKind);
}

bool FeeSelection::sharesAreStandardOf(const KindOfWork &kind) const
{
    if (!kind.exists())
        return false;
    const TextTable &table = m_sheet.gridLeistungsphasen.table();
    for (int n = 0; n < 9; ++n) {
        // Both hold two decimals at most.
        if (std::abs(m_sheet.edLP[n]->value() - kind.maximumShare(table, n + 1)) > 0.0005)
            return false;
    }
    return true;
}

void FeeSelection::kindChanged(const KindOfWork &previous, bool mayTakeOverShares)
{
    CalculationSheet &s = m_sheet;
    const KindOfWork kind = m_computation.currentKind();
    const bool takeOver = mayTakeOverShares && sharesAreStandardOf(previous);
    if (previous.exists() && previous.unit() != kind.unit() && s.edKosten.value() != 0)
        m_computation.setBasisUnitToCheck(true);
    if (kind.feeTable) {
        const int zones = feeTableZones(*m_tables.load(kind.feeTable->table));
        if (zones > 0 && s.comboHonorarzone.index() >= zones)
            s.comboHonorarzone.setIndex(zones - 1);
    }
    InitLP(takeOver);
}

void FeeSelection::cmdInitLPClick()
{
    InitLP(true);
}

} // namespace zolvaric
