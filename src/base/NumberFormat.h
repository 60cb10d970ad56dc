#pragma once

#include "RegionalSettings.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace zolvaric {

// A display format such as ",0..00 €;-,0.00 €" or "#,#0.#0%;-#,#0.#0%",
// compiled once. Sections are separated by ';' (positive and zero; negative).
// In a section '0' is a digit that is always shown, '#' a digit shown when
// there is one, ',' switches on thousands grouping, the first '.' is the
// decimal point and any further '.' is ignored; text between single or
// double quotes and every other character stand for themselves. Digits come
// from the value with 15 significant digits, rounded half away from zero.
class NumberFormat
{
public:
    explicit NumberFormat(QStringView pattern);

    QString format(double value, const RegionalSettings &settings) const;

    // The amount format of the result fields: 1.234,50 €.
    static const NumberFormat &amount();
    // The percent format of the share and rate fields: 19,00%.
    static const NumberFormat &percent();
    // The percent format of a sentence, with a blank as German writes it: 37,50 %.
    static const NumberFormat &percentInText();
    // The system's currency format as a pattern: ",0." + a zero per currency
    // decimal, the currency sign placed as the settings say (quoted where it
    // holds format characters), and the same with a leading minus for
    // negatives. German settings give ",0.00 €;-,0.00 €".
    static QString currencyPattern(const RegionalSettings &settings);

private:
    struct Token
    {
        enum Kind { Zero, Hash, Point, Literal } kind;
        QString text; // for literals
    };
    struct Section
    {
        std::vector<Token> tokens;
        bool grouping = false;
        int integerPlaceholders = 0;
        int minimumIntegerDigits = 0;
        int maximumDecimals = 0;
        int minimumDecimals = 0;
    };

    static Section compile(QStringView section);
    static QString render(const Section &section, double magnitude,
                          const RegionalSettings &settings);

    std::vector<Section> m_sections;
};

} // namespace zolvaric
