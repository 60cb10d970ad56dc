#include "Offer.h"

#include "Calculation.h"
#include "FeeRate.h"
#include "Repetition.h"

#include "base/NumberText.h"

#include <algorithm>
#include <utility>

namespace zolvaric {

Offer::Offer(Calculation &edited) : m_edited(edited)
{
    m_parts.append(Part{});
}

void Offer::markSaved()
{
    for (int i = 0; i < count(); ++i)
        m_parts[i].origin = i + 1;
}

PartSummary Offer::summaryOf(const Calculation &calculation)
{
    const CalculationSheet &s = calculation.sheet();
    PartSummary summary;
    summary.title = s.edBezeichnung.text();
    summary.kind = s.comboHonorarparagraph.currentText();
    summary.zone = s.comboHonorarzone.currentText();
    summary.rate = rateText(s);
    summary.basis = s.edKosten.displayText();
    summary.repetition = repetitionNumber(s.edWiederholung.value());
    summary.fullFee = calculation.trace().Grundhonorar;
    summary.offeredFee = s.edSummeLPEUR.value();
    summary.net = s.edNettohonorar.value();
    summary.vatRate = s.edMwSt.value();
    return summary;
}

QMap<QString, QString> Offer::storedInputs(const Calculation &calculation)
{
    QMap<QString, QString> inputs;
    for (const ProjectKey &key : calculationKeys()) {
        if (const auto value = storedProjectValue(calculation, key))
            inputs.insert(QLatin1String(key.key), *value);
    }
    return inputs;
}

namespace {

ProjectValueLookup storedLookup(const QMap<QString, QString> &inputs)
{
    return [&inputs](const ProjectKey &key) -> std::optional<QString> {
        // Only the calculation's keys: the project's texts stay as they are.
        if (!isCalculationKey(key))
            return std::nullopt;
        return inputs.value(QLatin1String(key.key), QLatin1String(key.defaultText));
    };
}

// Inputs checked before, as a file's are at its load.
void applyCheckedInputs(Calculation &calculation, const QMap<QString, QString> &inputs)
{
    Calculation::ActionScope action(calculation);
    applyProjectInputs(calculation, storedLookup(inputs));
}

} // namespace

void Offer::loadInputs(Calculation &calculation, const QMap<QString, QString> &inputs)
{
    checkProjectInputs(calculation, storedLookup(inputs));
    applyCheckedInputs(calculation, inputs);
}

PartSummary Offer::summary(int index) const
{
    return index == m_current ? summaryOf(m_edited) : m_parts.at(index).summary;
}

OfferTotals Offer::totals() const
{
    QList<PartSummary> parts;
    for (int i = 0; i < count(); ++i)
        parts << summary(i);
    return offerTotals(parts);
}

QMap<QString, QString> Offer::inputs(int index) const
{
    return index == m_current ? storedInputs(m_edited) : m_parts.at(index).inputs;
}

void Offer::storeEdited()
{
    Part &edited = m_parts[m_current];
    edited.inputs = storedInputs(m_edited);
    edited.summary = summaryOf(m_edited);
}

void Offer::select(int index)
{
    if (index == m_current || index < 0 || index >= count())
        return;
    // Looking at another calculation changes nothing of the project.
    const bool changed = m_edited.run().projectChanged;
    const Part before{storedInputs(m_edited), summaryOf(m_edited), m_parts.at(m_current).origin};
    try {
        loadInputs(m_edited, m_parts.at(index).inputs);
    } catch (...) {
        loadInputs(m_edited, before.inputs);
        m_edited.run().projectChanged = changed;
        throw;
    }
    m_parts[m_current] = before;
    m_current = index;
    m_edited.run().projectChanged = changed;
}

void Offer::markChanged()
{
    m_edited.run().projectChanged = true;
}

void Offer::add()
{
    storeEdited();
    QMap<QString, QString> fresh;
    const QMap<QString, QString> &from = m_parts.at(m_current).inputs;
    for (const char *key : {"HOAI_nach", "Honorarberechnung_fuer", "MwSt"})
        fresh.insert(QLatin1String(key), from.value(QLatin1String(key)));
    // Everything else as after start-up, where only the rate is not the
    // file's default.
    fresh.insert(QStringLiteral("Honorarsatz"), QString::number(kStartRateIndex));
    m_parts.insert(m_current + 1, {fresh, {}});
    const int added = m_current + 1;
    try {
        loadInputs(m_edited, fresh);
    } catch (...) {
        m_parts.removeAt(added);
        loadInputs(m_edited, m_parts.at(m_current).inputs);
        throw;
    }
    // As after start-up: every phase offered at its maximum share.
    m_edited.cmdInitLPClick();
    m_current = added;
    markChanged();
}

void Offer::duplicate()
{
    storeEdited();
    Part copy = m_parts.at(m_current);
    // The file section's other lines stay with the original.
    copy.origin = 0;
    m_parts.insert(m_current + 1, copy);
    ++m_current;
    markChanged();
}

void Offer::remove(int index)
{
    if (count() == 1 || index < 0 || index >= count())
        return;
    if (index != m_current) {
        m_parts.removeAt(index);
        if (index < m_current)
            --m_current;
        markChanged();
        return;
    }
    const int next = index + 1 < count() ? index + 1 : index - 1;
    const QMap<QString, QString> removed = storedInputs(m_edited);
    // A removal that fails changes nothing, the project's flag included.
    const bool changed = m_edited.run().projectChanged;
    try {
        loadInputs(m_edited, m_parts.at(next).inputs);
    } catch (...) {
        loadInputs(m_edited, removed);
        m_edited.run().projectChanged = changed;
        throw;
    }
    m_parts.removeAt(index);
    m_current = next > index ? index : next;
    markChanged();
}

void Offer::move(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= count() || to >= count())
        return;
    storeEdited();
    const int edited = m_current;
    m_parts.move(from, to);
    if (edited == from)
        m_current = to;
    else if (from < edited && to >= edited)
        --m_current;
    else if (from > edited && to <= edited)
        ++m_current;
    markChanged();
}

void Offer::rename(int index, const QString &title)
{
    if (index == m_current) {
        m_edited.sheet().edBezeichnung.setText(title);
        return;
    }
    if (index < 0 || index >= count())
        return;
    Part &part = m_parts[index];
    if (part.summary.title != title)
        markChanged();
    part.summary.title = title;
    if (title.isEmpty())
        part.inputs.remove(QStringLiteral("Bezeichnung"));
    else
        part.inputs.insert(QStringLiteral("Bezeichnung"), title);
}

void Offer::load(const ProjectValueLookup &first, const QList<QMap<QString, QString>> &others)
{
    const QMap<QString, QString> before = storedInputs(m_edited);
    QList<Part> parts{Part{{}, {}, 1}};
    // Every calculation of the file is computed once: each table file is
    // looked at once for all of them.
    const TableStore::Batch batch(m_edited.tables());
    try {
        for (const QMap<QString, QString> &inputs : others) {
            applyCheckedInputs(m_edited, inputs);
            parts.append({storedInputs(m_edited), summaryOf(m_edited), int(parts.size()) + 1});
        }
        Calculation::ActionScope action(m_edited);
        applyProjectInputs(m_edited, first);
    } catch (const Error &) {
        loadInputs(m_edited, before);
        throw;
    }
    m_parts = std::move(parts);
    m_current = 0;
}

OfferTotals offerTotals(const QList<PartSummary> &parts)
{
    OfferTotals totals;
    QList<std::pair<double, double>> netByRate;
    double net = 0;
    for (const PartSummary &part : parts) {
        net += part.net;
        auto at = std::find_if(netByRate.begin(), netByRate.end(),
                               [&](const auto &entry) { return entry.first == part.vatRate; });
        if (at == netByRate.end())
            netByRate.append({part.vatRate, part.net});
        else
            at->second += part.net;
    }
    totals.net = RoundDecimals(2, net);
    double vat = 0;
    for (const auto &[rate, sum] : netByRate) {
        const double amount = RoundDecimals(2, rate * RoundDecimals(2, sum) / 100);
        totals.byRate.append({rate, amount, RoundDecimals(2, sum)});
        vat += amount;
    }
    totals.vat = RoundDecimals(2, vat);
    totals.gross = RoundDecimals(2, totals.net + totals.vat);
    return totals;
}

} // namespace zolvaric
