#include "RegionalSettings.h"

namespace zolvaric {

namespace {

QString normalizeBlanks(QString text)
{
    for (QChar &c : text) {
        if (c.isSpace())
            c = QLatin1Char(' ');
    }
    return text;
}

// Reduces a currency text of Qt to the pattern shape: the sign as '$', the
// digits with their separators as one '1', every kind of blank as ' '.
QString currencyShape(const QString &currencyText, const QString &symbol, const QString &digits)
{
    QString shape = normalizeBlanks(currencyText);
    shape.replace(normalizeBlanks(digits), QStringLiteral("1"));
    if (!symbol.isEmpty())
        shape.replace(normalizeBlanks(symbol), QStringLiteral("$"));
    return shape;
}

} // namespace

RegionalSettings RegionalSettings::german()
{
    return RegionalSettings{};
}

RegionalSettings RegionalSettings::fromLocale(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return german();

    RegionalSettings s;
    const QString decimal = locale.decimalPoint();
    s.decimalSeparator = decimal.isEmpty() ? QLatin1Char('.') : decimal.front();
    s.thousandsSeparator = locale.groupSeparator();
    s.currencySymbol = locale.currencySymbol(QLocale::CurrencySymbol);

    // Qt offers no direct access to the currency layout; read it off a sample.
    const QString positive = locale.toCurrencyString(1.0, s.currencySymbol);
    int decimals = 0;
    const qsizetype point = positive.indexOf(decimal);
    if (!decimal.isEmpty() && point >= 0) {
        for (qsizetype i = point + decimal.size(); i < positive.size() && positive[i].isDigit();
             ++i)
            ++decimals;
    }
    s.currencyDecimals = decimals;

    const QString one = decimals > 0
                            ? QLatin1Char('1') + decimal + QString(decimals, QLatin1Char('0'))
                            : QStringLiteral("1");
    const QString positiveShape = currencyShape(positive, s.currencySymbol, one);
    if (positiveShape == QLatin1String("$1"))
        s.currencyPlacement = CurrencyPlacement::Before;
    else if (positiveShape == QLatin1String("1$"))
        s.currencyPlacement = CurrencyPlacement::After;
    else if (positiveShape == QLatin1String("$ 1"))
        s.currencyPlacement = CurrencyPlacement::BeforeWithBlank;
    else
        s.currencyPlacement = CurrencyPlacement::AfterWithBlank;

    const QString negative = locale.toCurrencyString(-1.0, s.currencySymbol);
    QString negativeShape = currencyShape(negative, s.currencySymbol, one);
    negativeShape.replace(locale.negativeSign(), QStringLiteral("-"));
    s.negativeCurrencyPattern = 8;
    for (std::size_t i = 0; i < kNegativeCurrencyPatterns.size(); ++i) {
        if (negativeShape == QLatin1String(kNegativeCurrencyPatterns[i])) {
            s.negativeCurrencyPattern = static_cast<int>(i);
            break;
        }
    }
    return s;
}

RegionalSettings RegionalSettings::system()
{
    return fromLocale(QLocale::system());
}

} // namespace zolvaric
