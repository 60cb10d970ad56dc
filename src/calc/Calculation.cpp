#include "Calculation.h"

#include "base/Error.h"

#include <QStringList>

#include <exception>

namespace zolvaric {

Calculation::Calculation(const RegionalSettings &settings, ProgramRun &run, Desktop &desktop)
    : m_run(run), m_desktop(desktop), m_sheet(settings), m_tables(settings, run.programDir),
      m_computation(m_sheet, m_trace, m_tables, run), m_selection(m_sheet, m_tables, m_computation)
{
    wireHandlers();
}

void Calculation::wireHandlers()
{
    CalculationSheet &s = m_sheet;
    // Only a change of the kind of work sets up its shares anew; every other
    // input just recalculates.
    const auto calculate = [this] { runHandler([this] { m_computation.CalcHonorar(); }); };
    for (Field *field : std::initializer_list<Field *>{
             &s.comboHonorarsatz, &s.edHonorarsatzProz, &s.comboParagraph,
             &s.edZuschlagAnrechenbareKostenProz, &s.edZeithonorar, &s.edBesondereLeistung,
             &s.edBesondereLeistungZeit, &s.edZuschlagUmbau, &s.edNebenkosten, &s.edMwSt})
        field->setChangeHandler(calculate);
    // A basis written anew has been looked at in its unit.
    s.edKosten.setChangeHandler([this, calculate] {
        m_computation.setBasisUnitToCheck(false);
        calculate();
    });
    // A zone chosen by hand, or another kind of work, leaves the points behind.
    s.comboHonorarzone.setChangeHandler([this, calculate] {
        m_zonePoints.clear();
        calculate();
    });
    s.comboHonorarparagraph.setChangeHandler([this] {
        m_zonePoints.clear();
        runHandler([this] { m_selection.comboHonorarparagraphChange(); });
    });

    for (NumericField *share : s.edLP)
        share->setChangeHandler(calculate);
    s.edLPSumme.setChangeHandler(calculate);
    s.edWiederholung.setChangeHandler(calculate);

    s.comboHOAINorm.setChangeHandler([this] {
        m_zonePoints.clear();
        runHandler([this] { m_selection.comboHOAINormChange(); });
    });

    const auto projectChange = [this] { m_run.projectChanged = true; };
    s.edZuschlagAnrechenbareKosten.setChangeHandler(projectChange);
    s.edBezeichnung.setChangeHandler(projectChange);
    for (TextField *field : s.projectTextFields)
        field->setChangeHandler(projectChange);
    for (TextField *field : s.offerDataFields)
        field->setChangeHandler(projectChange);
}

void Calculation::startUp()
{
    m_tables.setProgramDir(m_run.programDir);
    ActionScope action(*this);
    m_selection.LoadLeistungsphasen(2013);
    m_selection.comboHOAINormChange();
    m_run.projectChanged = false;
}

const PointSystem *Calculation::pointSystem() const
{
    return pointSystemFor(m_computation.currentScope());
}

void Calculation::setZonePoints(const QList<int> &points)
{
    if (!points.isEmpty()) {
        checkPoints(m_computation.currentScope(), points);
        m_sheet.comboHonorarzone.setIndex(pointSystem()->zoneOf(pointSum(points)) - 1);
    }
    m_zonePoints = points;
}

void Calculation::cmdHonorarzonePunkteOk(const QList<int> &points)
{
    runHandler([this, &points] {
        setZonePoints(points);
        m_selection.comboHonorarparagraphChange();
    });
}

void Calculation::cmdInitLPClick()
{
    runHandler([this] { m_selection.cmdInitLPClick(); });
}

template <typename Work> void Calculation::runHandler(Work &&work)
{
    enterAction();
    try {
        work();
    } catch (const Error &error) {
        showError(error.message());
    } catch (const std::exception &error) {
        showError(QString::fromLocal8Bit(error.what()));
    }
    collectWarnings();
    leaveAction();
}

void Calculation::showError(const QString &message)
{
    // The field writes of one action (an edition change, a project load)
    // fire many runs that fail alike: one box says it.
    if (m_actionErrors.contains(message))
        return;
    m_actionErrors << message;
    m_desktop.errorBox(message);
}

void Calculation::collectWarnings()
{
    // What the inputs give at the end of the action counts: the runs on
    // the way (an edition change writes its shares one by one) pass states
    // that no longer stand.
    m_actionWarnings = m_computation.warnings();
}

void Calculation::enterAction()
{
    if (m_actionDepth++ == 0) {
        m_actionWarnings.clear();
        m_actionErrors.clear();
    }
}

void Calculation::leaveAction()
{
    if (--m_actionDepth > 0)
        return;
    collectWarnings();
    if (!m_actionWarnings.isEmpty() && m_warningListener)
        m_warningListener(m_actionWarnings);
    if (m_actionListener)
        m_actionListener();
}

Calculation::ActionScope::ActionScope(Calculation &calculation) : m_calculation(calculation)
{
    m_calculation.enterAction();
}

Calculation::ActionScope::~ActionScope()
{
    m_calculation.leaveAction();
}

} // namespace zolvaric
