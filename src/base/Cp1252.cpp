#include "Cp1252.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace zolvaric {

namespace {

// Bytes 0x80..0x9F. The five bytes Windows leaves unassigned map to the C1
// control of the same value, as MultiByteToWideChar does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

std::optional<char> cp1252Byte(QChar character)
{
    const char16_t c = character.unicode();
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

QString decodeCp1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
    return text;
}

QByteArray encodeCp1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar c : text)
        *out++ = cp1252Byte(c).value_or('?');
    return bytes;
}

TextEncoding detectTextEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return TextEncoding::Utf8Bom;
    if (bytes.startsWith("\xFF\xFE"))
        return TextEncoding::Utf16Le;
    if (bytes.startsWith("\xFE\xFF"))
        return TextEncoding::Utf16Be;
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char byte) {
        return static_cast<unsigned char>(byte) < 0x80;
    });
    if (ascii)
        return TextEncoding::Cp1252;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = utf8.decode(bytes);
    return utf8.hasError() ? TextEncoding::Cp1252 : TextEncoding::Utf8;
}

qsizetype byteOrderMarkLength(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8Bom:
        return 3;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        return 2;
    case TextEncoding::Cp1252:
    case TextEncoding::Utf8:
        break;
    }
    return 0;
}

QString decodeText(QByteArrayView bytes, TextEncoding encoding)
{
    bytes = bytes.sliced(std::min(byteOrderMarkLength(encoding), bytes.size()));
    switch (encoding) {
    case TextEncoding::Cp1252:
        return decodeCp1252(bytes);
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
        return QString::fromUtf8(bytes);
    case TextEncoding::Utf16Le:
        return QStringDecoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless)
            .decode(bytes);
    case TextEncoding::Utf16Be:
        return QStringDecoder(QStringDecoder::Utf16BE, QStringDecoder::Flag::Stateless)
            .decode(bytes);
    }
    return QString();
}

QString decodeTextFile(QByteArrayView bytes)
{
    return decodeText(bytes, detectTextEncoding(bytes));
}

} // namespace zolvaric
