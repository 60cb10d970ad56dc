#include "VersionPacking.h"

namespace zolvaric {

namespace {

constexpr int kFieldCount = 4;
constexpr int kFieldBits = 16;

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isSign(QChar c)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The leading integer of the text from the position on: its low 16 bits and
// the position of the first character that does not belong to it. Working
// modulo 2^16 throughout keeps the low bits exact however long the number.
struct LeadingInteger
{
    quint16 lowBits = 0;
    qsizetype end = 0;
};

LeadingInteger readInteger(const QString &text, qsizetype position)
{
    LeadingInteger result;
    const bool negative = text.at(position) == QLatin1Char('-');
    if (isSign(text.at(position)))
        ++position;
    while (position < text.size() && isDigit(text.at(position))) {
        const auto digit = static_cast<quint16>(text.at(position).unicode() - u'0');
        result.lowBits = static_cast<quint16>(result.lowBits * 10U + digit);
        ++position;
    }
    if (negative)
        result.lowBits = static_cast<quint16>(0U - result.lowBits);
    result.end = position;
    return result;
}

} // namespace

quint64 PackVersion(const QString &text)
{
    quint64 packed = 0;
    qsizetype position = 0;
    for (int field = 0; field < kFieldCount; ++field) {
        while (position < text.size() && isBlank(text.at(position)))
            ++position;
        if (position == text.size())
            break;
        const int shift = (kFieldCount - 1 - field) * kFieldBits;
        const QChar first = text.at(position);
        if (!isSign(first) && !isDigit(first)) {
            ++position;
            continue;
        }
        const LeadingInteger number = readInteger(text, position);
        packed |= quint64(number.lowBits) << shift;
        if (number.end == text.size())
            break;
        // The character that ended the number is the separator and goes with it.
        position = number.end + 1;
    }
    return packed;
}

bool IsNewerVersion(const QString &offered, const QString &installed)
{
    return static_cast<qint64>(PackVersion(offered)) > static_cast<qint64>(PackVersion(installed));
}

} // namespace zolvaric
