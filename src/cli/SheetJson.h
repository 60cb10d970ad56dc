#pragma once

#include <QJsonObject>

namespace zolvaric {

class Calculation;
class Offer;

// Every field of the sheet by component name (numbers as their two-decimal
// value, texts as strings, lists as index and text, grids as rows of cells),
// the interpolation trace unrounded, and the warnings of the calculation.
QJsonObject sheetToJson(const Calculation &calculation);

// The first calculation as sheetToJson gives it, and "Teilhonorare" (each
// calculation so, with its title and repetition) and "Angebot" (the totals,
// the VAT by rate). Each calculation is opened in turn; the first is the
// edited one afterwards.
QJsonObject offerToJson(Offer &offer);

} // namespace zolvaric
