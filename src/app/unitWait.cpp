#include "unitWait.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace zolvaric {

TfrmWait::TfrmWait(QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Dialog)
{
    setObjectName(QStringLiteral("frmWait"));
    setFixedSize(452, 70);
    setModal(false);
    setStyleSheet(QStringLiteral("QDialog { background: rgb(240, 251, 255); }"));

    auto *panel = new QFrame(this);
    panel->setFrameShape(QFrame::Box);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 4, 6, 4);
    lbWaittext = new QLabel(QStringLiteral("Bitte warten..."), panel);
    lbWaittext->setObjectName(QStringLiteral("lbWaittext"));
    lbWaittext->setAlignment(Qt::AlignCenter);
    lbWaittext->setWordWrap(true);
    QFont bold = lbWaittext->font();
    bold.setBold(true);
    lbWaittext->setFont(bold);
    progressBar1 = new QProgressBar(panel);
    progressBar1->setObjectName(QStringLiteral("progressBar1"));
    progressBar1->setFixedHeight(17);
    progressBar1->setTextVisible(false);
    progressBar1->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: teal; }"));
    layout->addWidget(lbWaittext, 1);
    layout->addWidget(progressBar1);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);
}

void TfrmWait::setMessage(const QString &text)
{
    // The message starts with a carriage return: its first line stays blank.
    lbWaittext->setText(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

void TfrmWait::setMaximum(int steps)
{
    progressBar1->setMaximum(steps);
}

void TfrmWait::resetBar()
{
    progressBar1->setValue(0);
}

void TfrmWait::step()
{
    progressBar1->setValue(std::min(progressBar1->value() + 1, progressBar1->maximum()));
}

int TfrmWait::position() const
{
    return progressBar1->value();
}

void TfrmWait::showEvent(QShowEvent *event)
{
    setWindowTitle(QApplication::applicationName());
    if (const QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // Shown again after a message box stepped it aside: the cursor it set
    // is still in place.
    if (!m_holdsCursor)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    m_holdsCursor = true;
    QDialog::showEvent(event);
}

void TfrmWait::closeEvent(QCloseEvent *event)
{
    if (m_holdsCursor)
        QApplication::restoreOverrideCursor();
    m_holdsCursor = false;
    event->accept();
}

} // namespace zolvaric
