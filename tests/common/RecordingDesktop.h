#pragma once

#include "base/Desktop.h"

#include <QList>
#include <QStringList>

// A desktop that records what the program would have shown and answers
// questions from a script (AnswerNo when the script is used up).
class RecordingDesktop : public zolvaric::Desktop
{
public:
    void errorBox(const QString &text) override { errors << text; }
    void messageBox(const QString &text) override { messages << text; }
    void NotifyBox(const QString &text, const QString &caption) override
    {
        notices << text;
        captions << caption;
    }
    int AskBox(const QString &text, const QString &caption, int) override
    {
        questions << text;
        captions << caption;
        return answers.isEmpty() ? AnswerNo : answers.takeFirst();
    }
    int ShellOpen(const QString &target, const QString &, const QString &, int) override
    {
        opened << target;
        return openResult;
    }

    QString clipboardText() override { return clipboard; }

    QStringList errors;
    QStringList messages;
    QStringList notices;
    QStringList questions;
    QStringList captions;
    QStringList opened;
    QList<int> answers;
    QString clipboard;
    // What the shell's "open" answers: 0 opened, 31 no program for the file.
    int openResult = 0;
};
