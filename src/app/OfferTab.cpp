#include "OfferTab.h"

#include "base/NumberFormat.h"
#include "calc/Calculation.h"
#include "calc/Offer.h"
#include "widgets/FieldBindings.h"
#include "widgets/TextFieldEdits.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zolvaric {

namespace {

const QStringList kColumns = {QStringLiteral("Nr."),           QStringLiteral("Bezeichnung"),
                              QStringLiteral("Leistungsbild"), QStringLiteral("Honorarzone"),
                              QStringLiteral("Honorarsatz"),   QStringLiteral("Grundlage"),
                              QStringLiteral("Wiederholung"),  QStringLiteral("Nettohonorar")};

} // namespace

OfferTab::OfferTab(const Offer &offer, CalculationSheet &sheet, QWidget *parent)
    : QWidget(parent), m_offer(offer)
{
    setObjectName(QStringLiteral("tabAngebot"));
    auto *layout = new QVBoxLayout(this);
    gridAngebot = new QTableWidget(0, static_cast<int>(kColumns.size()));
    gridAngebot->setObjectName(QStringLiteral("gridAngebot"));
    gridAngebot->setHorizontalHeaderLabels(kColumns);
    gridAngebot->verticalHeader()->hide();
    gridAngebot->verticalHeader()->setDefaultSectionSize(20);
    gridAngebot->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridAngebot->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridAngebot->setSelectionMode(QAbstractItemView::SingleSelection);
    gridAngebot->setTabKeyNavigation(false);
    gridAngebot->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    gridAngebot->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    gridAngebot->setToolTip(
        QStringLiteral("Doppelklick oder Eingabetaste öffnet das Teilhonorar zur Bearbeitung"));
    connect(gridAngebot, &QTableWidget::cellActivated, this,
            [this](int row, int) { emit openRequested(row); });
    lbAngebotSummen = new QLabel;
    lbAngebotSummen->setObjectName(QStringLiteral("lbAngebotSummen"));
    lbAngebotSummen->setTextFormat(Qt::RichText);
    auto *hint = new QLabel(
        QStringLiteral("Doppelklick oder Eingabetaste öffnet ein Teilhonorar zur Bearbeitung."));
    layout->addWidget(gridAngebot, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(hint, 1, Qt::AlignTop);
    bottom->addWidget(lbAngebotSummen, 0, Qt::AlignRight);
    layout->addLayout(bottom);
    layout->addWidget(buildLetterGroup(sheet));
    refresh();
}

QWidget *OfferTab::buildLetterGroup(CalculationSheet &sheet)
{
    auto *group = new QGroupBox(QStringLiteral("Angebotsschreiben"));
    group->setObjectName(QStringLiteral("grpAngebotsschreiben"));
    auto *grid = new QGridLayout(group);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 2);
    int row = 0;
    const auto add = [&](const QString &label, QWidget *edit, int column = 0, int rows = 1) {
        auto *caption = new QLabel(label);
        caption->setBuddy(edit);
        grid->addWidget(caption, row, column, rows, 1,
                        rows > 1 ? Qt::AlignTop | Qt::AlignLeft : Qt::AlignVCenter | Qt::AlignLeft);
        grid->addWidget(edit, row, column + 1, rows, 1);
        row += rows;
    };
    add(QStringLiteral("&Angebotsnummer :"), new TextEdit(sheet.edAngebotsnummer));
    auto *date = new DateFieldEdit(sheet.edAngebotsdatum);
    date->setPlaceholderText(QStringLiteral("heute"));
    add(QStringLiteral("Angebotsdat&um :"), date);
    auto *valid = new DateFieldEdit(sheet.edAngebotGueltigBis);
    valid->setPlaceholderText(QStringLiteral("Datum + Gültigkeit des Büros"));
    add(QStringLiteral("&Gültig bis :"), valid);
    auto *salutation = new TextEdit(sheet.edAnrede);
    salutation->setPlaceholderText(QStringLiteral("Sehr geehrte Damen und Herren,"));
    add(QStringLiteral("An&rede :"), salutation);
    // The texts of several lines beside them, two rows each.
    row = 0;
    auto *scope = new TextBlockEdit(sheet.edLeistungsumfang);
    scope->setPlaceholderText(QStringLiteral("Was angeboten wird, z. B. die Leistungsphasen"));
    add(QStringLiteral("Leistungsu&mfang :"), scope, 2, 2);
    auto *terms = new TextBlockEdit(sheet.edZahlungsbedingungen);
    terms->setPlaceholderText(
        QStringLiteral("leer: die Zahlungsbedingungen des Büros, sonst nach § 15 HOAI"));
    add(QStringLiteral("&Zahlungs-\nbedingungen :"), terms, 2, 2);
    for (QPlainTextEdit *text :
         {static_cast<QPlainTextEdit *>(scope), static_cast<QPlainTextEdit *>(terms)})
        text->setMinimumHeight(2 * text->fontMetrics().lineSpacing() + 10);
    return group;
}

void OfferTab::refresh()
{
    const RegionalSettings &settings = m_offer.calculation().sheet().settings();
    const NumberFormat &amount = NumberFormat::amount();
    const int count = m_offer.count();
    gridAngebot->setRowCount(count);
    const auto cell = [this](int row, int column, const QString &text, bool right = false) {
        QTableWidgetItem *item = gridAngebot->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            gridAngebot->setItem(row, column, item);
        }
        item->setText(text);
        item->setTextAlignment(right ? Qt::AlignRight | Qt::AlignVCenter
                                     : Qt::AlignLeft | Qt::AlignVCenter);
    };
    for (int row = 0; row < count; ++row) {
        const PartSummary part = m_offer.summary(row);
        cell(row, 0, QString::number(row + 1), true);
        cell(row, 1, part.title);
        cell(row, 2, part.kind);
        cell(row, 3, part.zone);
        cell(row, 4, part.rate);
        cell(row, 5, part.basis, true);
        cell(row, 6, part.repetition == 0 ? QString() : QString::number(part.repetition), true);
        cell(row, 7, amount.format(part.net, settings), true);
    }
    const OfferTotals totals = m_offer.totals();
    QString text = QStringLiteral("<table cellspacing=\"3\">");
    const auto line = [&](const QString &label, double value, bool strong = false) {
        const QString shown = amount.format(value, settings).toHtmlEscaped();
        text += strong ? QStringLiteral("<tr><td><b>%1</b></td><td align=\"right\"><b>%2</b></td>"
                                        "</tr>")
                             .arg(label, shown)
                       : QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>")
                             .arg(label, shown);
    };
    line(QStringLiteral("Nettohonorar des Angebots :"), totals.net, true);
    for (const OfferTotals::Vat &vat : totals.byRate)
        line(QStringLiteral("MwSt. %1 :").arg(NumberFormat::percent().format(vat.rate, settings)),
             vat.amount);
    line(QStringLiteral("Bruttohonorar des Angebots :"), totals.gross, true);
    text += QStringLiteral("</table>");
    lbAngebotSummen->setText(text);
}

} // namespace zolvaric
