#pragma once

#include "CalculationSheet.h"
#include "InterpolationTrace.h"
#include "KindsOfWork.h"
#include "TableStore.h"
#include "WorkScope.h"

#include "base/ProgramRun.h"

#include <QStringList>

#include <array>

namespace zolvaric {

// The zones a fee table knows: from zone 1 on, each with a fee in its first row.
int feeTableZones(const TextTable &table);

// Computes every result of the sheet from its inputs: the full fee by
// interpolation in the fee table, its spread over the work phases, the
// additions, incidental costs and VAT, rounded to cents where they are.
class FeeComputation
{
public:
    FeeComputation(CalculationSheet &sheet, InterpolationTrace &trace, TableStore &tables,
                   ProgramRun &run);

    // The whole calculation; throws Error when the kind of work has no valid
    // paragraph or fee table (nothing is written then).
    void CalcHonorar();

    // The full fee for all work phases; loads the fee table into gridHOAI and
    // rewrites the trace (all but Grundhonorar).
    double LookupGrundhonorar(const FeeTableInfo &feeTable, int zone, double rate, double costs);

    // Rate percent of comboHonorarsatz: 100, 75, 50, 25, edHonorarsatzProz
    // for the free rate, else 0.
    double GetHonorarsatzProzent() const;

    // The selected kind of work of the loaded work-phase table.
    KindOfWork currentKind() const { return profile().kind; }
    // The edition and kind of work selected, for the rules beyond the fee table.
    WorkScope currentScope() const { return profile().scope; }

    // Warnings of the last calculation, e.g. costs above the fee table; each
    // once, however many nested runs raised it.
    const QStringList &warnings() const { return m_warnings; }

    // The zones the fee table of the last calculation has (5 or 3).
    int zoneCount() const { return m_zoneCount; }

    // The kind of work changed to one whose basis counts in another unit
    // while a basis stood: the number stays, and a note asks to check it
    // until the basis is written again.
    void setBasisUnitToCheck(bool check) { m_basisUnitToCheck = check; }
    bool basisUnitToCheck() const { return m_basisUnitToCheck; }

    // While a project's values are written one by one, each write would run
    // the calculation on a state that never stands (and a file of thousands
    // of calculations would take thousands of runs each). Runs asked for
    // while one of these lives are left out; its owner computes once after.
    class RunsLeftOut
    {
    public:
        explicit RunsLeftOut(FeeComputation &computation) : m_computation(computation)
        {
            ++m_computation.m_runsLeftOut;
        }
        ~RunsLeftOut() { --m_computation.m_runsLeftOut; }
        RunsLeftOut(const RunsLeftOut &) = delete;
        RunsLeftOut &operator=(const RunsLeftOut &) = delete;

    private:
        FeeComputation &m_computation;
    };

private:
    // What a calculation needs of the selected kind of work, made once per
    // kind, edition and work-phase table rather than at every keystroke.
    struct KindProfile
    {
        SharedTable phases; // held, so that its address names it
        int generation = 0; // counts the kinds profiled
        int editionIndex = -1;
        int kindIndex = -1;
        KindOfWork kind;
        WorkScope scope;
        std::array<QString, 9> captions;
        std::array<double, 9> lawShares{}; // the Leistungsbild's share of each row
        int lastRatedPhase = 0;
    };
    const KindProfile &profile() const;

    void warn(const QString &warning);
    // The warnings of a free rate outside binding limits and of a renovation
    // surcharge above its limit.
    void addAgreementNotes(const WorkScope &scope, double rate);
    // The notes of shares above what the Leistungsbild rates a phase with.
    void addShareNotes(const KindProfile &shown);
    // The notes of a basis or fee below zero.
    void addNegativeNotes(const FeeTableInfo &feeTable, double costs);
    // The fee table of the kind: throws Error when it has none, or when the
    // work-phase table gives no integer paragraph.
    const FeeTableInfo &feeTableOf(const KindOfWork &kind) const;
    // The warning of a basis outside the table's keys, with what the
    // edition says of a fee there.
    QString outsideTableWarning(const FeeTableInfo &feeTable, bool above, double key) const;
    // Rows the kind of work does not have hold no share.
    void clearSharesBeyond(int phaseCount);

    CalculationSheet &m_sheet;
    InterpolationTrace &m_trace;
    TableStore &m_tables;
    ProgramRun &m_run;
    QStringList m_warnings;
    int m_runsLeftOut = 0;
    mutable KindProfile m_profile;
    int m_captionsOf = 0; // the profile generation the row captions show
    int m_zoneCount = 5;
    bool m_basisUnitToCheck = false;
};

} // namespace zolvaric
