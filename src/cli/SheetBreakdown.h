#pragma once

#include <QString>

namespace zolvaric {

class Calculation;

// The calculation as a readable German breakdown, laid out like the
// calculation tab: basis, basic fee and the calculation's warnings, work
// phases, additions, net, VAT, gross.
QString sheetBreakdown(const Calculation &calculation);

} // namespace zolvaric
