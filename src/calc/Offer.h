#pragma once

#include "ProjectInputs.h"

#include <QList>
#include <QMap>
#include <QString>

namespace zolvaric {

class Calculation;

// What the offer's list shows of one calculation, and what its totals add.
struct PartSummary
{
    QString title;
    QString kind;  // the kind of work as the list names it
    QString zone;  // "Honorarzone 3"
    QString rate;  // the rate's item
    QString basis; // the basis in its unit, "120.000,00 €", "12,50 ha"
    int repetition = 0;
    double fullFee = 0;    // the table's fee at 100 % (the trace's Grundhonorar)
    double offeredFee = 0; // edSummeLPEUR
    double net = 0;
    double vatRate = 0;
};

struct OfferTotals
{
    struct Vat
    {
        double rate;
        double amount;
        double net; // the nets at this rate added, rounded to cents
    };
    double net = 0;
    double vat = 0;
    double gross = 0;
    QList<Vat> byRate; // in the order the rates first occur
};

// A fee offer: an ordered list of one or more calculations. The window's
// calculation is the one being edited; every other is kept as the inputs a
// project file stores for it, with what it last gave. Switching stores the
// edited one and loads the chosen one into the window's calculation, so a
// change recalculates only the calculation edited.
class Offer
{
public:
    explicit Offer(Calculation &edited);

    int count() const { return static_cast<int>(m_parts.size()); }
    int current() const { return m_current; }

    PartSummary summary(int index) const;
    OfferTotals totals() const;

    // The inputs of a calculation by their project-file keys (the project's
    // own text keys excluded); absent keys hold their file defaults.
    QMap<QString, QString> inputs(int index) const;

    // The calculation at index becomes the edited one; the project stays as
    // changed or unchanged as it was. Throws InputError for
    // stored inputs that no longer fit (a changed table override), leaving the
    // edited calculation as it was.
    void select(int index);
    // A new calculation after the current one, as after start-up but with
    // its edition, kind of work and VAT rate: every phase at its maximum
    // share; it becomes the edited one. Like every change of the list, a
    // calculation that fails leaves the offer as it was and is thrown.
    void add();
    // A copy of the current calculation after it, edited from then on.
    void duplicate();
    // Removes a calculation; the last one stays. The one after it (or before
    // the last) becomes the edited one when the edited one goes.
    void remove(int index);
    // Moves a calculation to another place; the edited one stays edited.
    // Every change of the list marks the project changed.
    void move(int from, int to);
    void rename(int index, const QString &title);

    // A whole offer as a project load makes it: the first calculation (with
    // the project's texts) from its lookup, the others from their stored
    // inputs, each computed once for its summary. The caller has checked
    // every value. Throws Error when a calculation fails, with the edited
    // calculation's inputs as before and the offer unchanged.
    void load(const ProjectValueLookup &first, const QList<QMap<QString, QString>> &others);

    // Where a calculation stands in the project file last loaded or saved:
    // its number there (1: the project's own section, n: "Teilhonorar n"),
    // 0 for one added or copied since. Its file section's other lines go
    // with it when the list changed order.
    int origin(int index) const { return m_parts.at(index).origin; }
    // The file now holds the calculations in the order of the list.
    void markSaved();

    Calculation &calculation() { return m_edited; }
    const Calculation &calculation() const { return m_edited; }

    // The summary of the edited calculation as its sheet shows it.
    static PartSummary summaryOf(const Calculation &calculation);
    // The stored inputs of a calculation's sheet.
    static QMap<QString, QString> storedInputs(const Calculation &calculation);
    // Loads stored inputs into a calculation as a project load does.
    static void loadInputs(Calculation &calculation, const QMap<QString, QString> &inputs);

private:
    struct Part
    {
        QMap<QString, QString> inputs;
        PartSummary summary;
        int origin = 0;
    };
    void storeEdited();
    void markChanged();

    Calculation &m_edited;
    QList<Part> m_parts;
    int m_current = 0;
};

// The offer totals of a list of calculations: the nets added; the VAT for
// each rate of the sum of the nets at that rate, rounded to cents, added up.
OfferTotals offerTotals(const QList<PartSummary> &parts);

} // namespace zolvaric
