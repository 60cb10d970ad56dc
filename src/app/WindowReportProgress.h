#pragma once

#include "report/ReportProgress.h"

#include <functional>

namespace zolvaric {

class TfrmWait;

// A report's progress in the window: the wait window's message and bar, and
// the main window's busy state.
class WindowReportProgress : public ReportProgress
{
public:
    WindowReportProgress(TfrmWait &wait, std::function<void(bool)> setBusyState)
        : m_wait(wait), m_setBusyState(std::move(setBusyState))
    {
    }

    void prepare(const QString &message, int steps) override;
    void begin() override;
    void advance() override;
    void processEvents() override;
    void end() override;

private:
    TfrmWait &m_wait;
    std::function<void(bool)> m_setBusyState;
};

} // namespace zolvaric
