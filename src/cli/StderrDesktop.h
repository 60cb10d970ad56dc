#pragma once

#include "base/Desktop.h"

#include <QSet>
#include <QTextStream>

namespace zolvaric {

// Without a window, messages are lines on standard error, each once, and
// questions are answered "no": the command line tool never waits for a user.
class StderrDesktop : public Desktop
{
public:
    void errorBox(const QString &text) override { print(QStringLiteral("Fehler: ") + text); }
    void messageBox(const QString &text) override { print(text); }
    void NotifyBox(const QString &text, const QString &) override { print(text); }
    int AskBox(const QString &text, const QString &, int) override
    {
        print(text);
        return AnswerNo;
    }
    int ShellOpen(const QString &, const QString &, const QString &, int) override { return 0; }
    QString clipboardText() override { return QString(); }

private:
    // A run that meets one fault at several steps (start-up, load, each
    // calculation) says it once.
    void print(const QString &text)
    {
        if (m_printed.contains(text))
            return;
        m_printed.insert(text);
        QTextStream(stderr) << text << Qt::endl;
    }

    QSet<QString> m_printed;
};

} // namespace zolvaric
