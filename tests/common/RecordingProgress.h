#pragma once

#include "report/ReportProgress.h"

// Counts what a report does with its busy state and wait window.
class RecordingProgress : public zolvaric::ReportProgress
{
public:
    void prepare(const QString &text, int count) override
    {
        message = text;
        steps = count;
    }
    void begin() override { ++begun; }
    void advance() override { ++advanced; }
    void processEvents() override { ++processed; }
    void end() override { ++ended; }

    QString message;
    int steps = 0;
    int begun = 0;
    int advanced = 0;
    int processed = 0;
    int ended = 0;
};
