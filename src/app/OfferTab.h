#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;

namespace zolvaric {

class Offer;

// The tab "Angebot": every calculation of the offer in one row, and the
// offer's totals. A double click or Enter on a row opens that calculation.
class OfferTab : public QWidget
{
    Q_OBJECT

public:
    explicit OfferTab(const Offer &offer, QWidget *parent = nullptr);

    // Rows and totals as the offer now is; cheap enough for every keystroke.
    void refresh();

signals:
    void openRequested(int index);

private:
    const Offer &m_offer;
    QTableWidget *gridAngebot = nullptr;
    QLabel *lbAngebotSummen = nullptr;
};

} // namespace zolvaric
