#include "OfferPanel.h"

#include "widgets/FieldBindings.h"

#include "base/Desktop.h"
#include "base/Error.h"
#include "calc/Calculation.h"
#include "calc/Offer.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QToolButton>

namespace zolvaric {

namespace {

QToolButton *command(const QString &name, const QString &text, const QString &tip)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    return button;
}

} // namespace

QString offerListText(int index, const QString &title, const QString &kind)
{
    return QStringLiteral("%1: %2").arg(index + 1).arg(title.isEmpty() ? kind : title);
}

OfferPanel::OfferPanel(Offer &offer, Desktop &desktop, QWidget *parent)
    : QGroupBox(parent), m_offer(offer), m_desktop(desktop)
{
    setObjectName(QStringLiteral("grpTeilhonorare"));
    setFlat(true);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(3);
    auto *heading = new QLabel(QStringLiteral("&Teilhonorare des Angebots"));
    QFont font = heading->font();
    font.setUnderline(true);
    heading->setFont(font);
    listTeilhonorare = new QListWidget;
    listTeilhonorare->setObjectName(QStringLiteral("listTeilhonorare"));
    listTeilhonorare->setToolTip(QStringLiteral("Das gewählte Teilhonorar wird rechts berechnet"));
    listTeilhonorare->setMinimumHeight(72);
    listTeilhonorare->setMaximumHeight(110);
    heading->setBuddy(listTeilhonorare);
    auto *titleLabel = new QLabel(QStringLiteral("&Bezeichnung :"));
    edBezeichnung = new TextEdit(m_offer.calculation().sheet().edBezeichnung);
    edBezeichnung->setMaximumWidth(240);
    edBezeichnung->setPlaceholderText(QStringLiteral("z. B. Haus A – Gebäude"));
    titleLabel->setBuddy(edBezeichnung);
    cmdTeilNeu = command(QStringLiteral("cmdTeilNeu"), QStringLiteral("&Neu"),
                         QStringLiteral("Neues Teilhonorar mit HOAI-Norm, Leistungsbild und MwSt. "
                                        "des gewählten anlegen"));
    cmdTeilDuplizieren = command(QStringLiteral("cmdTeilDuplizieren"), QStringLiteral("&Kopieren"),
                                 QStringLiteral("Das gewählte Teilhonorar kopieren"));
    cmdTeilHoch = command(QStringLiteral("cmdTeilHoch"), QStringLiteral("▲"),
                          QStringLiteral("Nach oben schieben (Strg+Umschalt+Bild auf)"));
    cmdTeilRunter = command(QStringLiteral("cmdTeilRunter"), QStringLiteral("▼"),
                            QStringLiteral("Nach unten schieben (Strg+Umschalt+Bild ab)"));
    cmdTeilEntfernen =
        command(QStringLiteral("cmdTeilEntfernen"), QStringLiteral("Ent&fernen"),
                QStringLiteral("Das gewählte Teilhonorar aus dem Angebot entfernen"));
    cmdTeilHoch->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_PageUp));
    cmdTeilRunter->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_PageDown));

    grid->addWidget(heading, 0, 0, 1, 2);
    grid->addWidget(listTeilhonorare, 1, 0, 1, 2);
    grid->addWidget(titleLabel, 2, 0);
    grid->addWidget(edBezeichnung, 2, 1);
    auto *commands = new QHBoxLayout;
    commands->setContentsMargins(0, 0, 0, 0);
    for (QToolButton *button :
         {cmdTeilNeu, cmdTeilDuplizieren, cmdTeilHoch, cmdTeilRunter, cmdTeilEntfernen})
        commands->addWidget(button);
    commands->addStretch(1);
    grid->addLayout(commands, 3, 0, 1, 2);

    connect(listTeilhonorare, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            selectCalculation(row);
    });
    connect(edBezeichnung, &QLineEdit::textEdited, this, [this] {
        refresh();
        emit offerChanged();
    });
    connect(cmdTeilNeu, &QToolButton::clicked, this, &OfferPanel::cmdTeilNeuClick);
    connect(cmdTeilDuplizieren, &QToolButton::clicked, this, &OfferPanel::cmdTeilDuplizierenClick);
    connect(cmdTeilHoch, &QToolButton::clicked, this, &OfferPanel::cmdTeilHochClick);
    connect(cmdTeilRunter, &QToolButton::clicked, this, &OfferPanel::cmdTeilRunterClick);
    connect(cmdTeilEntfernen, &QToolButton::clicked, this, &OfferPanel::cmdTeilEntfernenClick);
    refresh();
}

QList<QWidget *> OfferPanel::inputs() const
{
    return {listTeilhonorare, edBezeichnung, cmdTeilNeu,      cmdTeilDuplizieren,
            cmdTeilHoch,      cmdTeilRunter, cmdTeilEntfernen};
}

void OfferPanel::refresh()
{
    const QSignalBlocker blocker(listTeilhonorare);
    const int count = m_offer.count();
    while (listTeilhonorare->count() > count)
        delete listTeilhonorare->takeItem(listTeilhonorare->count() - 1);
    for (int i = 0; i < count; ++i) {
        const PartSummary part = m_offer.summary(i);
        const QString text = offerListText(i, part.title, part.kind);
        if (i < listTeilhonorare->count())
            listTeilhonorare->item(i)->setText(text);
        else
            listTeilhonorare->addItem(text);
    }
    listTeilhonorare->setCurrentRow(m_offer.current());
    cmdTeilHoch->setEnabled(m_offer.current() > 0);
    cmdTeilRunter->setEnabled(m_offer.current() + 1 < count);
    cmdTeilEntfernen->setEnabled(count > 1);
}

template <typename Operation> void OfferPanel::run(Operation &&operation)
{
    try {
        operation();
    } catch (const Error &error) {
        m_desktop.errorBox(error.message());
    }
    refresh();
    emit offerChanged();
}

void OfferPanel::selectCalculation(int index)
{
    if (index != m_offer.current())
        run([&] { m_offer.select(index); });
}

void OfferPanel::cmdTeilNeuClick()
{
    run([&] { m_offer.add(); });
    edBezeichnung->setFocus();
}

void OfferPanel::cmdTeilDuplizierenClick()
{
    run([&] { m_offer.duplicate(); });
    edBezeichnung->setFocus();
}

void OfferPanel::cmdTeilHochClick()
{
    const int current = m_offer.current();
    if (current > 0)
        run([&] { m_offer.move(current, current - 1); });
}

void OfferPanel::cmdTeilRunterClick()
{
    const int current = m_offer.current();
    if (current + 1 < m_offer.count())
        run([&] { m_offer.move(current, current + 1); });
}

void OfferPanel::cmdTeilEntfernenClick()
{
    if (m_offer.count() <= 1)
        return;
    const int current = m_offer.current();
    const QString name = listTeilhonorare->item(current)->text();
    const int answer = m_desktop.AskBox(
        QStringLiteral("Soll das Teilhonorar \"%1\" aus dem Angebot entfernt werden?").arg(name),
        QApplication::applicationName() + QStringLiteral(" - Abfrage"), Desktop::YesNoButtons);
    if (answer == Desktop::AnswerYes)
        run([&] { m_offer.remove(current); });
}

} // namespace zolvaric
