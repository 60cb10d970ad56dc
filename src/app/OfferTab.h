#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;

namespace zolvaric {

class CalculationSheet;
class Offer;

// The tab "Angebot": every calculation of the offer in one row, the
// offer's totals, and what the offer says as a letter (number, dates,
// salutation, scope, payment terms). A double click or Enter on a row opens
// that calculation.
class OfferTab : public QWidget
{
    Q_OBJECT

public:
    OfferTab(const Offer &offer, CalculationSheet &sheet, QWidget *parent = nullptr);

    // Rows and totals as the offer now is; cheap enough for every keystroke.
    void refresh();

signals:
    void openRequested(int index);

private:
    QWidget *buildLetterGroup(CalculationSheet &sheet);

    const Offer &m_offer;
    QTableWidget *gridAngebot = nullptr;
    QLabel *lbAngebotSummen = nullptr;
};

} // namespace zolvaric
