#include "Fields.h"

#include "base/NumberFormat.h"
#include "base/NumberText.h"

#include <algorithm>

namespace zolvaric {

NumericField::NumericField(const char *name, Access access, const NumberFormat &displayFormat,
                           const RegionalSettings &settings)
    : Field(name, access), m_format(&displayFormat), m_settings(settings)
{
}

void NumericField::setValue(double x)
{
    if (const auto cents = fieldCents(x)) {
        if (m_canonical && *cents == m_cents)
            return;
        // Every result of every calculation passes here: the digits go into
        // the field's own text where it has room, without allocating.
        char16_t buffer[32];
        const QStringView digits = centsDigits(*cents, m_settings.decimalSeparator, buffer);
        m_canonical = true;
        m_cents = *cents;
        if (digits == m_text)
            return;
        if (m_text.isDetached() && m_text.capacity() >= digits.size() && !digits.isEmpty()) {
            m_text.resize(digits.size());
            std::copy(digits.begin(), digits.end(), m_text.begin());
        } else {
            m_text = digits.toString();
        }
        m_value = static_cast<double>(*cents) / 100.0;
        changed();
        return;
    }
    FieldNumber number = toFieldNumber(x, m_settings.decimalSeparator);
    assign(std::move(number.text), number.value, false, 0);
}

void NumericField::setText(const QString &text)
{
    const double value = tryParseFloat(text, m_settings.decimalSeparator).value_or(0.0);
    assign(text, value, false, 0);
}

void NumericField::assign(QString text, double value, bool canonical, std::int64_t cents)
{
    m_canonical = canonical;
    m_cents = cents;
    if (text == m_text)
        return;
    m_text = std::move(text);
    m_value = value;
    changed();
}

QString NumericField::displayText() const
{
    return m_format->format(m_value, m_settings);
}

void NumericField::setDisplayFormat(const NumberFormat &format)
{
    if (&format == m_format)
        return;
    m_format = &format;
    viewChanged();
}

void TextField::setText(std::initializer_list<QStringView> parts)
{
    qsizetype size = 0;
    for (const QStringView part : parts)
        size += part.size();
    if (size == m_text.size()) {
        qsizetype position = 0;
        bool equal = true;
        for (const QStringView part : parts) {
            if (QStringView(m_text).sliced(position, part.size()) != part) {
                equal = false;
                break;
            }
            position += part.size();
        }
        if (equal)
            return;
    }
    QString text;
    text.reserve(size);
    for (const QStringView part : parts)
        text.append(part);
    m_text = std::move(text);
    changed();
}

ChoiceField::ChoiceField(const char *name, Access access, QStringList items, int index)
    : Field(name, access), m_items(std::move(items))
{
    m_index = validIndex(index);
}

QString ChoiceField::currentText() const
{
    return m_index >= 0 ? m_items[m_index] : QString();
}

int ChoiceField::validIndex(int index) const
{
    return (index >= 0 && index < m_items.size()) ? index : -1;
}

void ChoiceField::setItems(const QStringList &items, int index)
{
    m_items = items;
    m_index = validIndex(index);
    viewChanged();
}

void ChoiceField::setIndex(int index)
{
    const int newIndex = validIndex(index);
    if (newIndex == m_index)
        return;
    m_index = newIndex;
    viewChanged();
}

void ChoiceField::select(int index)
{
    const int newIndex = validIndex(index);
    if (newIndex == m_index)
        return;
    m_index = newIndex;
    changed();
}

} // namespace zolvaric
