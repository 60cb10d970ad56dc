#include "WindowReportProgress.h"

#include "unitWait.h"

#include <QApplication>

namespace zolvaric {

void WindowReportProgress::prepare(const QString &message, int steps)
{
    m_wait.setMessage(message);
    m_wait.setMaximum(steps);
    m_wait.resetBar();
}

void WindowReportProgress::begin()
{
    m_setBusyState(true);
    m_wait.show();
    QApplication::processEvents();
}

void WindowReportProgress::advance()
{
    m_wait.step();
}

void WindowReportProgress::processEvents()
{
    QApplication::processEvents();
}

void WindowReportProgress::end()
{
    m_wait.close();
    m_setBusyState(false);
}

} // namespace zolvaric
