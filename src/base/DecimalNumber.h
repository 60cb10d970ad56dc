#pragma once

#include <string>

namespace zolvaric {

// A double as decimal digits: |value| = 0.d1d2d3... x 10^pointPosition.
// Every text form of a number is built from this, so that all of them round
// the same decimal digits the same way.
struct DecimalNumber
{
    bool negative = false;
    std::string digits; // no leading or trailing zeros; empty means zero
    int pointPosition = 0;

    bool isZero() const { return digits.empty(); }

    // x rounded to the given number of significant digits (1..17), correctly
    // rounded from the exact binary value. x must be finite.
    static DecimalNumber fromDouble(double x, int significantDigits);

    // Rounds half away from zero to the given number of decimals.
    void roundToDecimals(int decimals);

    // The digits before the decimal point, at least "0".
    std::string integerDigits() const;
    // The digits after the decimal point, without trailing zeros.
    std::string fractionDigits() const;
};

} // namespace zolvaric
