#include "DecimalNumber.h"

#include <charconv>
#include <cmath>

namespace zolvaric {

namespace {

void stripTrailingZeros(DecimalNumber &n)
{
    const auto last = n.digits.find_last_not_of('0');
    n.digits.erase(last == std::string::npos ? 0 : last + 1);
    if (n.digits.empty()) {
        n.negative = false;
        n.pointPosition = 0;
    }
}

} // namespace

DecimalNumber DecimalNumber::fromDouble(double x, int significantDigits)
{
    DecimalNumber n;
    if (x == 0.0)
        return n;
    n.negative = x < 0;
    char buffer[64];
    // Scientific form "d.ddddde+XX" holds exactly the digits we want.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                                      std::chars_format::scientific, significantDigits - 1);
    const char *p = buffer;
    n.digits.reserve(static_cast<std::size_t>(significantDigits));
    for (; p != result.ptr && *p != 'e'; ++p) {
        if (*p != '.')
            n.digits.push_back(*p);
    }
    // to_chars writes no terminating NUL: the exponent ends at result.ptr.
    int exponent = 0;
    const char *exponentStart = p + 1 + (p[1] == '+' ? 1 : 0);
    std::from_chars(exponentStart, result.ptr, exponent);
    n.pointPosition = exponent + 1;
    stripTrailingZeros(n);
    return n;
}

void DecimalNumber::roundToDecimals(int decimals)
{
    const int keep = pointPosition + decimals;
    if (keep >= static_cast<int>(digits.size()))
        return;
    if (keep < 0) {
        digits.clear();
        stripTrailingZeros(*this);
        return;
    }
    const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            digits.insert(digits.begin(), '1');
            ++pointPosition;
        }
    }
    stripTrailingZeros(*this);
}

std::string DecimalNumber::integerDigits() const
{
    if (pointPosition <= 0 || digits.empty())
        return "0";
    std::string result = digits.substr(0, static_cast<std::size_t>(pointPosition));
    result.append(static_cast<std::size_t>(pointPosition) - result.size(), '0');
    return result;
}

std::string DecimalNumber::fractionDigits() const
{
    if (static_cast<int>(digits.size()) <= pointPosition)
        return {};
    if (pointPosition >= 0)
        return digits.substr(static_cast<std::size_t>(pointPosition));
    return std::string(static_cast<std::size_t>(-pointPosition), '0') + digits;
}

} // namespace zolvaric
