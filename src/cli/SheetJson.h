#pragma once

#include <QJsonObject>

namespace zolvaric {

class Calculation;

// Every field of the sheet by component name (numbers as their two-decimal
// value, texts as strings, lists as index and text, grids as rows of cells),
// the interpolation trace unrounded, and the warnings of the calculation.
QJsonObject sheetToJson(const Calculation &calculation);

} // namespace zolvaric
