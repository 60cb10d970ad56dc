#include "QtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace zolvaric {

QString QtDesktop::errorText(const QString &text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void QtDesktop::errorBox(const QString &text)
{
    QMessageBox::critical(m_mainWindow, QApplication::applicationName(), errorText(text));
}

void QtDesktop::messageBox(const QString &text)
{
    // A plain message: text, OK and the application title, no icon.
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    m_mainWindow);
    box.exec();
}

void QtDesktop::NotifyBox(const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, m_mainWindow);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
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
    box.exec();
    if (box.clickedButton() == yes)
        return AnswerYes;
    if (box.clickedButton() == no)
        return AnswerNo;
    return AnswerCancel;
}

int QtDesktop::ShellOpen(const QString &target, const QString &, const QString &, int)
{
    const QUrl url = QFileInfo::exists(target) ? QUrl::fromLocalFile(target) : QUrl(target);
    // 2 is the shell's "file not found".
    return QDesktopServices::openUrl(url) ? 0 : 2;
}

QString QtDesktop::clipboardText()
{
    return QApplication::clipboard()->text();
}

} // namespace zolvaric
