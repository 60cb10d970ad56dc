#pragma once

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
// agreement to it; nullopt otherwise.
std::optional<QString> rateLimitWarning(const QString &edition, double rate);

// The rate as an offer names it: the fixed rate's item, or "frei vereinbart
// (37,50 % der Spanne)".
QString rateText(const CalculationSheet &sheet);

} // namespace zolvaric
