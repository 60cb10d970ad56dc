#pragma once

#include "CalculationSheet.h"
#include "FeeComputation.h"
#include "FeeSelection.h"
#include "InterpolationTrace.h"
#include "TableStore.h"
#include "ZonePoints.h"

#include "base/Desktop.h"
#include "base/ProgramRun.h"

#include <QList>

#include <functional>

namespace zolvaric {

// The calculation sheet with its handlers wired to its fields, as the window
// holds it: a change of an input runs its handler, and an error inside a
// handler goes to the desktop's error box while the write that fired it
// returns normally. Operations that call the selection or computation
// directly get their errors thrown.
class Calculation
{
public:
    Calculation(const RegionalSettings &settings, ProgramRun &run, Desktop &desktop);
    Calculation(const Calculation &) = delete;
    Calculation &operator=(const Calculation &) = delete;

    CalculationSheet &sheet() { return m_sheet; }
    const CalculationSheet &sheet() const { return m_sheet; }
    const InterpolationTrace &trace() const { return m_trace; }
    FeeSelection &selection() { return m_selection; }
    FeeComputation &computation() { return m_computation; }
    TableStore &tables() { return m_tables; }
    ProgramRun &run() { return m_run; }
    const ProgramRun &run() const { return m_run; }

    // The state after the window first shows: the 2013 work-phase table, the
    // edition change for the selected edition, the project unchanged.
    void startUp();

    // The button ">>": the table's maximum shares into edLP1..edLP9.
    void cmdInitLPClick();

    // The point system of the kind of work selected; null for kinds without one.
    const PointSystem *pointSystem() const;
    // The evaluation points the zone was scored with, in the law's order of
    // the criteria; empty while the zone is chosen by hand. A choice of zone,
    // kind of work or edition by the user clears them.
    const QList<int> &zonePoints() const { return m_zonePoints; }
    // Keeps the points and selects their zone by program, firing nothing; no
    // points: none kept, the zone stays. Throws InputError for points that
    // do not fit the kind of work (checkPoints).
    void setZonePoints(const QList<int> &points);
    // The points dialog's OK: the points and their zone, then one calculation.
    void cmdHonorarzonePunkteOk(const QList<int> &points);

    // Warnings of the last calculation (shown until a calculation has none).
    const QStringList &warnings() const { return m_computation.warnings(); }

    // Told once at the end of a user action (a handler, or an ActionScope)
    // of the warnings its last calculation raised, however many runs it took.
    void setWarningListener(std::function<void(const QStringList &)> listener)
    {
        m_warningListener = std::move(listener);
    }

    // Told at the end of every user action, after the warning listener: the
    // window refreshes what depends on the calculation as a whole.
    void setActionListener(std::function<void()> listener)
    {
        m_actionListener = std::move(listener);
    }

    // Groups several field writes into one user action, e.g. a project load.
    class ActionScope
    {
    public:
        explicit ActionScope(Calculation &calculation);
        ~ActionScope();
        ActionScope(const ActionScope &) = delete;
        ActionScope &operator=(const ActionScope &) = delete;

    private:
        Calculation &m_calculation;
    };

private:
    void wireHandlers();
    // Runs a handler at the notification boundary.
    template <typename Work> void runHandler(Work &&work);
    void enterAction();
    void leaveAction();
    void collectWarnings();
    void showError(const QString &message);

    ProgramRun &m_run;
    Desktop &m_desktop;
    CalculationSheet m_sheet;
    InterpolationTrace m_trace;
    TableStore m_tables;
    FeeComputation m_computation;
    FeeSelection m_selection;

    QList<int> m_zonePoints;

    int m_actionDepth = 0;
    QStringList m_actionWarnings;
    QStringList m_actionErrors; // shown once per user action
    std::function<void(const QStringList &)> m_warningListener;
    std::function<void()> m_actionListener;
};

} // namespace zolvaric
