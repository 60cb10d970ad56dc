#include "NumberFormat.h"

#include "DecimalNumber.h"

#include <cmath>

namespace zolvaric {

namespace {

// Splits at ';' outside quotes.
std::vector<QStringView> splitSections(QStringView pattern)
{
    std::vector<QStringView> sections;
    QChar quote;
    qsizetype start = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections.push_back(pattern.sliced(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(pattern.sliced(start));
    return sections;
}

DecimalNumber rounded(double magnitude, int decimals)
{
    DecimalNumber n = DecimalNumber::fromDouble(magnitude, 15);
    n.roundToDecimals(decimals);
    return n;
}

} // namespace

NumberFormat::NumberFormat(QStringView pattern)
{
    for (const QStringView section : splitSections(pattern)) {
        m_sections.push_back(compile(section));
        if (m_sections.size() == 2)
            break;
    }
}

NumberFormat::Section NumberFormat::compile(QStringView text)
{
    Section s;
    bool afterPoint = false;
    bool seenIntegerZero = false;
    auto addLiteral = [&s](QStringView literal) {
        if (!s.tokens.empty() && s.tokens.back().kind == Token::Literal)
            s.tokens.back().text += literal;
        else
            s.tokens.push_back({Token::Literal, literal.toString()});
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            const bool zero = c == QLatin1Char('0');
            s.tokens.push_back({zero ? Token::Zero : Token::Hash, {}});
            if (afterPoint) {
                ++s.maximumDecimals;
                if (zero)
                    s.minimumDecimals = s.maximumDecimals;
            } else {
                ++s.integerPlaceholders;
                seenIntegerZero = seenIntegerZero || zero;
                if (seenIntegerZero)
                    ++s.minimumIntegerDigits;
            }
        } else if (c == QLatin1Char('.')) {
            if (!afterPoint)
                s.tokens.push_back({Token::Point, {}});
            afterPoint = true;
        } else if (c == QLatin1Char(',')) {
            s.grouping = true;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = text.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? text.size() : end;
            addLiteral(text.sliced(i + 1, stop - i - 1));
            i = stop;
        } else {
            addLiteral(text.sliced(i, 1));
        }
    }
    return s;
}

QString NumberFormat::format(double value, const RegionalSettings &settings) const
{
    if (!std::isfinite(value))
        return QString::number(value);
    const double magnitude = std::fabs(value);
    // A value that rounds to zero is not negative.
    const bool negative = value < 0 && !rounded(magnitude, m_sections[0].maximumDecimals).isZero();
    if (negative && m_sections.size() > 1)
        return render(m_sections[1], magnitude, settings);
    QString text = render(m_sections[0], magnitude, settings);
    if (negative)
        text.prepend(QLatin1Char('-'));
    return text;
}

QString NumberFormat::render(const Section &section, double magnitude,
                             const RegionalSettings &settings)
{
    const DecimalNumber n = rounded(magnitude, section.maximumDecimals);
    std::string integer = n.integerDigits();
    if (integer == "0")
        integer.clear();
    if (static_cast<int>(integer.size()) < section.minimumIntegerDigits)
        integer.insert(0, static_cast<std::size_t>(section.minimumIntegerDigits) - integer.size(),
                       '0');
    std::string fraction = n.fractionDigits();
    if (static_cast<int>(fraction.size()) < section.minimumDecimals)
        fraction.append(static_cast<std::size_t>(section.minimumDecimals) - fraction.size(), '0');

    const int length = static_cast<int>(integer.size());
    QString out;
    auto emitDigit = [&](int position) {
        out += QLatin1Char(integer[static_cast<std::size_t>(position)]);
        const int remaining = length - 1 - position;
        if (section.grouping && remaining > 0 && remaining % 3 == 0)
            out += settings.thousandsSeparator;
    };
    int integerSlot = 0;
    int decimalSlot = 0;
    bool integerDone = section.integerPlaceholders == 0;
    for (const Token &token : section.tokens) {
        switch (token.kind) {
        case Token::Literal:
            out += token.text;
            break;
        case Token::Zero:
        case Token::Hash:
            if (integerSlot < section.integerPlaceholders) {
                const int first = length - section.integerPlaceholders;
                if (integerSlot == 0) {
                    for (int p = 0; p < first; ++p)
                        emitDigit(p);
                }
                const int position = first + integerSlot;
                if (position >= 0)
                    emitDigit(position);
                ++integerSlot;
                integerDone = integerSlot == section.integerPlaceholders;
            } else {
                if (decimalSlot < static_cast<int>(fraction.size()))
                    out += QLatin1Char(fraction[static_cast<std::size_t>(decimalSlot)]);
                ++decimalSlot;
            }
            break;
        case Token::Point:
            if (!integerDone) {
                for (int p = 0; p < length; ++p)
                    emitDigit(p);
                integerDone = true;
            }
            if (!fraction.empty())
                out += settings.decimalSeparator;
            break;
        }
    }
    return out;
}

const NumberFormat &NumberFormat::amount()
{
    static const NumberFormat format(u",0..00 \u20AC;-,0.00 \u20AC");
    return format;
}

const NumberFormat &NumberFormat::percent()
{
    static const NumberFormat format(u"#,#0.#0%;-#,#0.#0%");
    return format;
}

const NumberFormat &NumberFormat::percentInText()
{
    static const NumberFormat format(u"#,#0.00 %;-#,#0.00 %");
    return format;
}

QString NumberFormat::currencyPattern(const RegionalSettings &settings)
{
    QString sign = settings.currencySymbol;
    static const QString formatCharacters = QStringLiteral("0#.,;'\"");
    bool needsQuotes = false;
    for (const QChar c : sign)
        needsQuotes = needsQuotes || formatCharacters.contains(c);
    if (needsQuotes) {
        const QChar quote = sign.contains(QLatin1Char('"')) ? QLatin1Char('\'') : QLatin1Char('"');
        sign = quote + sign + quote;
    }
    const QString number =
        QStringLiteral(",0.") + QString(settings.currencyDecimals, QLatin1Char('0'));
    QString positive;
    switch (settings.currencyPlacement) {
    case RegionalSettings::CurrencyPlacement::Before:
        positive = sign + number;
        break;
    case RegionalSettings::CurrencyPlacement::After:
        positive = number + sign;
        break;
    case RegionalSettings::CurrencyPlacement::BeforeWithBlank:
        positive = sign + QLatin1Char(' ') + number;
        break;
    case RegionalSettings::CurrencyPlacement::AfterWithBlank:
        positive = number + QLatin1Char(' ') + sign;
        break;
    }
    return positive + QLatin1String(";-") + positive;
}

} // namespace zolvaric
