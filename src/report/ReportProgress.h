#pragma once

#include <QString>

namespace zolvaric {

// The busy state and wait window a report runs under; the window provides
// them, the command line tool does without.
class ReportProgress
{
public:
    virtual ~ReportProgress() = default;

    // The wait window's message and number of steps, before it is shown.
    virtual void prepare(const QString &message, int steps) = 0;
    // Controls disabled, wait window shown and drawn.
    virtual void begin() = 0;
    virtual void advance() = 0;
    // Lets the window repaint between two steps.
    virtual void processEvents() = 0;
    // Wait window closed, controls enabled again.
    virtual void end() = 0;
};

// For reports without a window.
class NoReportProgress : public ReportProgress
{
public:
    void prepare(const QString &, int) override {}
    void begin() override {}
    void advance() override {}
    void processEvents() override {}
    void end() override {}
};

// The wait window's message while a report is made.
inline QString reportWaitMessage()
{
    return QStringLiteral("\rDie Druckvorschau wird erzeugt. Bitte warten Sie ...");
}

} // namespace zolvaric
