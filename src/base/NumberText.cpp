#include "NumberText.h"

#include "DecimalNumber.h"
#include "Error.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zolvaric {

namespace {

QString fromAscii(const std::string &s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

} // namespace

QString formatGeneral(double x, const RegionalSettings &settings)
{
    const DecimalNumber n = DecimalNumber::fromDouble(x, 15);
    if (n.isZero())
        return QStringLiteral("0");
    QString text;
    if (n.negative)
        text += QLatin1Char('-');
    const bool exponentForm = n.pointPosition > 15 || n.pointPosition < -4;
    if (exponentForm) {
        text += QLatin1Char(n.digits.front());
        if (n.digits.size() > 1) {
            text += settings.decimalSeparator;
            text += fromAscii(n.digits.substr(1));
        }
        text += QLatin1Char('E');
        text += QString::number(n.pointPosition - 1);
        return text;
    }
    text += fromAscii(n.integerDigits());
    const std::string fraction = n.fractionDigits();
    if (!fraction.empty()) {
        text += settings.decimalSeparator;
        text += fromAscii(fraction);
    }
    return text;
}

std::optional<double> tryParseFloat(QStringView text, QChar decimalSeparator)
{
    text = trimBlanks(text);
    char buffer[400];
    if (text.isEmpty() || text.size() >= qsizetype(sizeof buffer))
        return std::nullopt;
    std::size_t length = 0;
    qsizetype i = 0;
    if (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')) {
        if (text[i] == QLatin1Char('-'))
            buffer[length++] = '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool seenSeparator = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            buffer[length++] = static_cast<char>(c.unicode());
            ++mantissaDigits;
        } else if (c == decimalSeparator && !seenSeparator) {
            buffer[length++] = '.';
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        buffer[length++] = 'e';
        ++i;
        if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            buffer[length++] = static_cast<char>(text[i++].unicode());
        int exponentDigits = 0;
        for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
            buffer[length++] = static_cast<char>(text[i].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(buffer, buffer + length, value);
    if (result.ec != std::errc() || result.ptr != buffer + length)
        return std::nullopt;
    return value;
}

std::optional<double> tryParseFloatEitherNotation(QStringView text)
{
    if (const auto value = tryParseFloat(text, QLatin1Char('.')))
        return value;
    return tryParseFloat(text, QLatin1Char(','));
}

double parseFloat(QStringView text, const RegionalSettings &settings)
{
    if (const auto value = tryParseFloat(text, settings.decimalSeparator))
        return *value;
    throw Error(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text));
}

std::optional<int> tryParseInt(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    if (text.isEmpty())
        return std::nullopt;
    bool negative = false;
    if (text.front() == QLatin1Char('+') || text.front() == QLatin1Char('-')) {
        negative = text.front() == QLatin1Char('-');
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    long long magnitude = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        magnitude = magnitude * 10 + (c.unicode() - '0');
        if (magnitude > 2147483648LL)
            return std::nullopt;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

int parseInt(QStringView text)
{
    if (const auto value = tryParseInt(text))
        return *value;
    throw Error(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text));
}

double CellToFloat(QStringView text, const RegionalSettings &settings)
{
    return tryParseFloat(text, settings.decimalSeparator).value_or(-1.0);
}

double RoundDecimals(int decimals, double x)
{
    // Powers of ten up to 1e22 are exact doubles; the table spares pow().
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const bool negative = x < 0;
    const double scale =
        (decimals >= 0 && decimals <= 22) ? kPowersOfTen[decimals] : std::pow(10.0, decimals);
    double t = std::fabs(x) * scale;
    t = t + 0.5;
    t = std::trunc(t);
    double r = t / scale;
    if (negative)
        r = r * -1;
    return r;
}

std::optional<std::int64_t> fieldCents(double x)
{
    const double magnitude = std::fabs(x);
    if (!(magnitude < 1e13))
        return std::nullopt;
    const double t = magnitude * 100.0;
    const double whole = std::floor(t);
    const double fraction = t - whole;
    // Taking 15 significant digits first moves x by at most 5e-14 of its
    // size; only a fraction that close to one half can round the other way.
    const double tolerance = t * 1e-13 + 1e-9;
    std::int64_t cents = static_cast<std::int64_t>(whole);
    if (std::fabs(fraction - 0.5) <= tolerance) {
        DecimalNumber n = DecimalNumber::fromDouble(magnitude, 15);
        n.roundToDecimals(2);
        cents = 0;
        const std::string integer = n.integerDigits();
        std::string fraction2 = n.fractionDigits();
        fraction2.resize(2, '0');
        for (const char c : integer + fraction2)
            cents = cents * 10 + (c - '0');
    } else if (fraction > 0.5) {
        ++cents;
    }
    return x < 0 ? -cents : cents;
}

QStringView centsDigits(std::int64_t cents, QChar decimalSeparator, char16_t (&buffer)[32])
{
    if (cents == 0)
        return {};
    char16_t *end = buffer + 32;
    char16_t *p = end;
    std::uint64_t magnitude =
        cents < 0 ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    const auto fraction = static_cast<unsigned>(magnitude % 100);
    magnitude /= 100;
    if (fraction != 0) {
        if (fraction % 10 != 0)
            *--p = static_cast<char16_t>(u'0' + fraction % 10);
        *--p = static_cast<char16_t>(u'0' + fraction / 10);
        *--p = decimalSeparator.unicode();
    }
    do {
        *--p = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (cents < 0)
        *--p = u'-';
    return QStringView(p, end - p);
}

QString centsText(std::int64_t cents, QChar decimalSeparator)
{
    char16_t buffer[32];
    const QStringView digits = centsDigits(cents, decimalSeparator, buffer);
    return digits.isEmpty() ? QString() : digits.toString();
}

FieldNumber toFieldNumber(double x, QChar decimalSeparator)
{
    if (const auto cents = fieldCents(x))
        return {centsText(*cents, decimalSeparator), static_cast<double>(*cents) / 100.0};
    if (!std::isfinite(x))
        throw Error(QStringLiteral("Ungültige Gleitkommaoperation"));
    DecimalNumber n = DecimalNumber::fromDouble(x, 15);
    n.roundToDecimals(2);
    QString text;
    if (n.negative)
        text += QLatin1Char('-');
    text += fromAscii(n.integerDigits());
    const std::string fraction = n.fractionDigits();
    if (!fraction.empty())
        text += decimalSeparator + fromAscii(fraction);
    return {text, tryParseFloat(text, decimalSeparator).value_or(0.0)};
}

} // namespace zolvaric
