#pragma once

#include "ReportProgress.h"

#include "base/ProgramRun.h"

namespace zolvaric {

// The busy state of a report from its start to its end, however it ends:
// Busy set, controls disabled and the wait window shown while it lives.
class ReportBusyState
{
public:
    ReportBusyState(ProgramRun &run, ReportProgress &progress) : m_run(run), m_progress(progress)
    {
        m_run.busy = true;
        m_progress.begin();
    }
    ~ReportBusyState()
    {
        m_progress.end();
        m_run.busy = false;
    }
    ReportBusyState(const ReportBusyState &) = delete;
    ReportBusyState &operator=(const ReportBusyState &) = delete;

private:
    ProgramRun &m_run;
    ReportProgress &m_progress;
};

} // namespace zolvaric
