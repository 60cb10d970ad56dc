#include "CurrencyText.h"

#include "DecimalNumber.h"

#include <cmath>

namespace zolvaric {

namespace {

QString groupedDigits(const DecimalNumber &n, const RegionalSettings &settings)
{
    const std::string integer = n.integerDigits();
    QString text;
    const auto length = integer.size();
    for (std::size_t i = 0; i < length; ++i) {
        text += QLatin1Char(integer[i]);
        const auto remaining = length - 1 - i;
        if (remaining > 0 && remaining % 3 == 0)
            text += settings.thousandsSeparator;
    }
    std::string fraction = n.fractionDigits();
    fraction.resize(2, '0');
    text += settings.decimalSeparator;
    text += QLatin1String(fraction.data(), 2);
    return text;
}

} // namespace

QString formatCurrency(double value, const RegionalSettings &settings)
{
    if (!std::isfinite(value))
        return QString::number(value);
    DecimalNumber n = DecimalNumber::fromDouble(value, 12);
    n.roundToDecimals(2);
    const QString digits = groupedDigits(n, settings);
    const QString &sign = settings.currencySymbol;
    if (!n.negative) {
        switch (settings.currencyPlacement) {
        case RegionalSettings::CurrencyPlacement::Before:
            return sign + digits;
        case RegionalSettings::CurrencyPlacement::After:
            return digits + sign;
        case RegionalSettings::CurrencyPlacement::BeforeWithBlank:
            return sign + QLatin1Char(' ') + digits;
        case RegionalSettings::CurrencyPlacement::AfterWithBlank:
            break;
        }
        return digits + QLatin1Char(' ') + sign;
    }
    const int index = settings.negativeCurrencyPattern;
    const char *pattern = kNegativeCurrencyPatterns[(index >= 0 && index < 16) ? index : 8];
    QString text;
    for (const char *p = pattern; *p; ++p) {
        if (*p == '$')
            text += sign;
        else if (*p == '1')
            text += digits;
        else
            text += QLatin1Char(*p);
    }
    return text;
}

} // namespace zolvaric
