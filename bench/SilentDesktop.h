#pragma once

#include "base/Desktop.h"

// A desktop that shows nothing and answers "no": benchmarks time the core only.
class SilentDesktop : public zolvaric::Desktop
{
public:
    void errorBox(const QString &) override {}
    void messageBox(const QString &) override {}
    void NotifyBox(const QString &, const QString &) override {}
    int AskBox(const QString &, const QString &, int) override { return AnswerNo; }
    int ShellOpen(const QString &, const QString &, const QString &, int) override { return 0; }
    QString clipboardText() override { return QString(); }
};
