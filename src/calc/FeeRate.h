#pragma once

#include "WorkScope.h"

#include <QString>

#include <optional>

namespace zolvaric {

class CalculationSheet;

// comboHonorarsatz: the five fixed rates, then the rate agreed freely as a
// position within the span, held by edHonorarsatzProz.
inline constexpr int kFreeRateIndex = 5;
// The rate selected at start-up: "Mindest-/Basissatz (0%)".
inline constexpr int kStartRateIndex = 4;

// The percentage of a fixed rate (100, 75, 50, 25, else 0); nullopt for the
// free rate.
std::optional<double> fixedRatePercent(int rateIndex);

// The warning for a free rate outside the span where the edition bound the
// agreement to it; nullopt otherwise, and for the services of Anlage 1 of
// 2013, whose fees the edition did not bind (HOAI 2013 § 3 Abs. 1 Satz 2).
std::optional<QString> rateLimitWarning(const WorkScope &scope, double rate);

// What the edition says of a fee for a basis outside its tables: HOAI 2021
// § 7 Abs. 1 (the agreement in Textform decides), HOAI 2013 and 2009 § 7
// Abs. 2 (free to agree), HOAI 2013 § 3 Abs. 1 Satz 2 for Anlage 1.
QString outsideTableConsequence(const WorkScope &scope);

// The rate as an offer names it: the fixed rate's item, or "frei vereinbart
// (37,50 % der Spanne)".
QString rateText(const CalculationSheet &sheet);

} // namespace zolvaric
