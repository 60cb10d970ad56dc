#pragma once

#include "RegionalSettings.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace zolvaric {

// General float-to-text as project files store numbers: up to 15 significant
// digits, no trailing zeros, no thousands separators, the regional decimal
// separator; exponent form from 1E15 on and below 0.00001 (1E15, 1,5E-6).
QString formatGeneral(double x, const RegionalSettings &settings);

// Strict text-to-float: optional blanks around, an optional sign, digits with
// at most one regional decimal separator, an optional exponent. Nothing else:
// no thousands separators, no "inf" or "nan", nothing out of double range.
std::optional<double> tryParseFloat(QStringView text, QChar decimalSeparator);
// The same with either decimal separator, "0.5" or "0,5", as the law's
// tables write their keys.
std::optional<double> tryParseFloatEitherNotation(QStringView text);
// The same, throwing Error "'text' ist kein gültiger Gleitkommawert".
double parseFloat(QStringView text, const RegionalSettings &settings);

// Strict text-to-integer: optional leading blanks, an optional sign, decimal
// digits, within 32 bits.
std::optional<int> tryParseInt(QStringView text);
// The same, throwing Error "'text' ist kein gültiger Integerwert".
int parseInt(QStringView text);

// A table cell as a number in the regional notation, -1 when it is none.
double CellToFloat(QStringView text, const RegionalSettings &settings);

// Rounds half away from zero in double arithmetic: |x| x 10^d, + 0.5, truncated.
// So 2.675 gives 2.68 (267.5 is exact) but 1.005 gives 1 (100.49999...).
double RoundDecimals(int decimals, double x);

// A number as a numeric field holds it: x taken with 15 significant digits,
// then rounded half away from zero to two decimals.
struct FieldNumber
{
    QString text; // at most two decimals, empty for zero
    double value = 0;
};
FieldNumber toFieldNumber(double x, QChar decimalSeparator);

// The same rule as whole cents, when they fit a double exactly (|x| < 1e13);
// nullopt otherwise. This is the fast path of every result written.
std::optional<std::int64_t> fieldCents(double x);
// The text of a cents count: "" for 0, "12,5" for 1250, "-0,13" for -13.
QString centsText(std::int64_t cents, QChar decimalSeparator);
// The same text written into a buffer of the caller's, without allocating.
QStringView centsDigits(std::int64_t cents, QChar decimalSeparator, char16_t (&buffer)[32]);

} // namespace zolvaric
