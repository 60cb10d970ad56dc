#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

#include <array>

namespace zolvaric {

// The sixteen patterns of a negative currency amount in Windows numbering,
// '$' standing for the currency sign and '1' for the amount's digits.
inline constexpr std::array<const char *, 16> kNegativeCurrencyPatterns = {
    "($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",  "1-$",   "1$-",
    "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};

// The user's regional number settings, in the shape the program's number
// formats need them. Taken from the system once per run; tests inject their own.
struct RegionalSettings
{
    // Where the currency sign stands in a positive amount.
    enum class CurrencyPlacement { Before = 0, After = 1, BeforeWithBlank = 2, AfterWithBlank = 3 };

    QChar decimalSeparator = QLatin1Char(',');
    QString thousandsSeparator = QStringLiteral(".");
    QString currencySymbol = QStringLiteral("\u20AC");
    CurrencyPlacement currencyPlacement = CurrencyPlacement::AfterWithBlank;
    // Pattern of a negative amount, numbered as Windows numbers them (0 to 15):
    // 1 "-€1,1", 5 "-1,1€", 8 "-1,1 €", 9 "-€ 1,1", 0 "(€1,1)" ...
    int negativeCurrencyPattern = 8;
    int currencyDecimals = 2;

    // Germany: 1.234,56 € and -1.234,56 €.
    static RegionalSettings german();
    static RegionalSettings fromLocale(const QLocale &locale);
    // The system's settings; German ones when the system has none (C/POSIX).
    static RegionalSettings system();

    friend bool operator==(const RegionalSettings &, const RegionalSettings &) = default;
};

} // namespace zolvaric
