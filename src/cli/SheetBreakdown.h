#pragma once

#include <QString>

namespace zolvaric {

class Calculation;
class Offer;

// The calculation as a readable German breakdown, laid out like the
// calculation tab: basis, basic fee and the calculation's warnings, work
// phases, additions, net, VAT, gross.
QString sheetBreakdown(const Calculation &calculation);

// One calculation: its breakdown. Several: each one's breakdown under its
// number and title, then the offer's list and totals. Each calculation is
// opened in turn; the first is the edited one afterwards.
QString offerBreakdown(Offer &offer);

} // namespace zolvaric
