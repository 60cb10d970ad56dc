#pragma once

#include <QGroupBox>

class QListWidget;
class QToolButton;

namespace zolvaric {

class Desktop;
class Offer;
class TextEdit;

// Beside the calculation: the calculations of the offer with the edited one
// marked, its title, and the commands that add, copy, move and remove them.
class OfferPanel : public QGroupBox
{
    Q_OBJECT

public:
    OfferPanel(Offer &offer, Desktop &desktop, QWidget *parent = nullptr);

    // The list and the commands as the offer now is.
    void refresh();

    void selectCalculation(int index);
    void cmdTeilNeuClick();
    void cmdTeilDuplizierenClick();
    void cmdTeilHochClick();
    void cmdTeilRunterClick();
    // Asks first; the last calculation stays.
    void cmdTeilEntfernenClick();

    // The panel's inputs in keyboard order.
    QList<QWidget *> inputs() const;

signals:
    // The offer's list or its edited calculation changed.
    void offerChanged();

private:
    // Runs an offer operation; a failure (stored inputs a changed table no
    // longer takes) is shown, and the offer stays usable.
    template <typename Operation> void run(Operation &&operation);

    Offer &m_offer;
    Desktop &m_desktop;
    QListWidget *listTeilhonorare = nullptr;
    TextEdit *edBezeichnung = nullptr;
    QToolButton *cmdTeilNeu = nullptr;
    QToolButton *cmdTeilDuplizieren = nullptr;
    QToolButton *cmdTeilHoch = nullptr;
    QToolButton *cmdTeilRunter = nullptr;
    QToolButton *cmdTeilEntfernen = nullptr;
};

// "2: Haus B – Gebäude": the number, and the title or else the kind of work.
QString offerListText(int index, const QString &title, const QString &kind);

} // namespace zolvaric
