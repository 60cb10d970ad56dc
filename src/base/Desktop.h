#pragma once

#include <QString>

namespace zolvaric {

// What the core needs from the desktop it runs on: message boxes, questions
// and the shell's "open". The window implements it with Qt, the command line
// tool with standard error, tests with a scripted fake.
class Desktop
{
public:
    // Button sets and answers carry the platform's standard codes.
    enum Buttons { OkButton = 0, YesNoCancelButtons = 3, YesNoButtons = 4 };
    enum Answer { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

    virtual ~Desktop() = default;

    // The application's generic error box: an error no operation handled.
    virtual void errorBox(const QString &text) = 0;
    // A plain message window with an OK button, captioned with the application title.
    virtual void messageBox(const QString &text) = 0;
    // A message with one OK button, modal, in the foreground.
    virtual void NotifyBox(const QString &text, const QString &caption) = 0;
    // A question; returns the code of the pressed button.
    virtual int AskBox(const QString &text, const QString &caption, int buttons) = 0;
    // Opens a file, program or address with the desktop's default action;
    // 0 on success, else an error code below 32.
    virtual int ShellOpen(const QString &target, const QString &parameters,
                          const QString &workingFolder, int showMode) = 0;
    // The text on the clipboard, for a replacement that inserts it.
    virtual QString clipboardText() = 0;
};

} // namespace zolvaric
