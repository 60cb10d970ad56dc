#pragma once

#include "base/Desktop.h"

class QWidget;

namespace zolvaric {

// The desktop of a Qt program: message boxes, the clipboard, and the
// desktop's "open" (the system's shell, never a shell command line).
class QtDesktop : public Desktop
{
public:
    // Boxes are owned by this window when it is set.
    void setMainWindow(QWidget *window) { m_mainWindow = window; }

    // The text of the generic error box: a period is added when the text's
    // last character sorts after it.
    static QString errorText(const QString &text);

    void errorBox(const QString &text) override;
    void messageBox(const QString &text) override;
    void NotifyBox(const QString &text, const QString &caption) override;
    int AskBox(const QString &text, const QString &caption, int buttons) override;
    int ShellOpen(const QString &target, const QString &parameters, const QString &workingFolder,
                  int showMode) override;
    QString clipboardText() override;

private:
    QWidget *m_mainWindow = nullptr;
};

} // namespace zolvaric
