#include "SheetJson.h"

#include "calc/Calculation.h"
#include "calc/Offer.h"

#include <QJsonArray>

namespace zolvaric {

namespace {

QJsonValue fieldValue(const Field *field)
{
    if (const auto *number = dynamic_cast<const NumericField *>(field))
        return number->value();
    if (const auto *text = dynamic_cast<const TextField *>(field))
        return text->text();
    if (const auto *list = dynamic_cast<const ChoiceField *>(field))
        return QJsonObject{{QStringLiteral("index"), list->index()},
                           {QStringLiteral("text"), list->currentText()}};
    if (const auto *grid = dynamic_cast<const TableField *>(field)) {
        QJsonArray rows;
        const TextTable &table = grid->table();
        for (int r = 0; r < table.rowCount(); ++r) {
            QJsonArray cells;
            for (int c = 0; c < table.columnCount(); ++c)
                cells.append(table.cell(r, c));
            rows.append(cells);
        }
        return rows;
    }
    return QJsonValue();
}

} // namespace

QJsonObject sheetToJson(const Calculation &calculation)
{
    QJsonObject json;
    for (const Field *field : calculation.sheet().allFields())
        json.insert(QLatin1String(field->name()), fieldValue(field));

    const InterpolationTrace &t = calculation.trace();
    json.insert(QStringLiteral("trace"),
                QJsonObject{{QStringLiteral("K1"), t.K1},
                            {QStringLiteral("H1V"), t.H1V},
                            {QStringLiteral("H1B"), t.H1B},
                            {QStringLiteral("H1"), t.H1},
                            {QStringLiteral("K2"), t.K2},
                            {QStringLiteral("H2V"), t.H2V},
                            {QStringLiteral("H2B"), t.H2B},
                            {QStringLiteral("H2"), t.H2},
                            {QStringLiteral("D1"), t.D1},
                            {QStringLiteral("D2"), t.D2},
                            {QStringLiteral("D3"), t.D3},
                            {QStringLiteral("Grundhonorar"), t.Grundhonorar}});
    json.insert(QStringLiteral("warnings"), QJsonArray::fromStringList(calculation.warnings()));

    QJsonValue scored; // null: the zone was chosen by hand
    if (const QList<int> &points = calculation.zonePoints(); !points.isEmpty()) {
        QJsonArray list;
        for (int value : points)
            list.append(value);
        scored =
            QJsonObject{{QStringLiteral("points"), list},
                        {QStringLiteral("sum"), pointSum(points)},
                        {QStringLiteral("zone"), calculation.sheet().comboHonorarzone.index() + 1}};
    }
    json.insert(QStringLiteral("Bewertungspunkte"), scored);
    return json;
}

QJsonObject offerToJson(Offer &offer)
{
    QJsonArray parts;
    for (int i = 0; i < offer.count(); ++i) {
        offer.select(i);
        QJsonObject part = sheetToJson(offer.calculation());
        const PartSummary summary = offer.summary(i);
        part.insert(QStringLiteral("Bezeichnung"), summary.title);
        part.insert(QStringLiteral("Wiederholung"), summary.repetition);
        parts.append(part);
    }
    offer.select(0);
    QJsonObject json = sheetToJson(offer.calculation());
    json.insert(QStringLiteral("Teilhonorare"), parts);

    const OfferTotals totals = offer.totals();
    QJsonArray byRate;
    for (const OfferTotals::Vat &vat : totals.byRate)
        byRate.append(QJsonObject{{QStringLiteral("Satz"), vat.rate},
                                  {QStringLiteral("Betrag"), vat.amount}});
    json.insert(QStringLiteral("Angebot"),
                QJsonObject{{QStringLiteral("Nettohonorar"), totals.net},
                            {QStringLiteral("MwStEUR"), totals.vat},
                            {QStringLiteral("Bruttohonorar"), totals.gross},
                            {QStringLiteral("MwSt"), byRate}});
    return json;
}

} // namespace zolvaric
