#include "QtDesktop.h"

#include "ShellOpen.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace zolvaric {

namespace {

// A box raised while a report runs would open behind the wait window, which
// stays on top: such windows step aside while the box shows, and the arrow
// replaces the wait cursor, so the user sees the box and can answer it.
int execInFront(QMessageBox &box)
{
    QList<QPointer<QWidget>> aside;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != &box && window->isVisible() &&
            window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            aside << window;
            window->hide();
        }
    }
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    // Modality is set as the box shows: raised and activated right after.
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
    const int result = box.exec();
    QApplication::restoreOverrideCursor();
    for (const QPointer<QWidget> &window : aside) {
        if (window)
            window->show();
    }
    return result;
}

} // namespace

QString QtDesktop::errorText(const QString &text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void QtDesktop::errorBox(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), errorText(text),
                    QMessageBox::Ok, m_mainWindow);
    execInFront(box);
}

void QtDesktop::messageBox(const QString &text)
{
    // A plain message: text, OK and the application title, no icon.
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    m_mainWindow);
    execInFront(box);
}

void QtDesktop::NotifyBox(const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, m_mainWindow);
    box.setWindowModality(Qt::ApplicationModal);
    execInFront(box);
}

int QtDesktop::AskBox(const QString &text, const QString &caption, int buttons)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::NoButton, nullptr);
    QAbstractButton *yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QAbstractButton *no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    if (buttons == YesNoCancelButtons)
        box.setEscapeButton(box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole));
    else
        box.setEscapeButton(no);
    box.setDefaultButton(static_cast<QPushButton *>(yes));
    box.setWindowModality(Qt::ApplicationModal);
    execInFront(box);
    if (box.clickedButton() == yes)
        return AnswerYes;
    if (box.clickedButton() == no)
        return AnswerNo;
    return AnswerCancel;
}

int QtDesktop::ShellOpen(const QString &target, const QString &parameters,
                         const QString &workingFolder, int showMode)
{
    return shellOpen(target, parameters, workingFolder, showMode, m_mainWindow);
}

QString QtDesktop::clipboardText()
{
    return QApplication::clipboard()->text();
}

} // namespace zolvaric
