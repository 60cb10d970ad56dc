#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace zolvaric {

// Files are Windows-1252 bytes, as they were written on the office's Windows
// systems. Written by hand because Qt only offers this code page through ICU,
// which not every Qt build carries.
QString decodeCp1252(QByteArrayView bytes);

// The Windows-1252 byte of a character, nullopt when it has none.
std::optional<char> cp1252Byte(QChar c);

// Characters without a Windows-1252 byte become '?'.
QByteArray encodeCp1252(QStringView text);

// How a text file's bytes are to be read.
enum class TextEncoding {
    Cp1252,  // as Windows writes it; also every file of plain ASCII
    Utf8,    // valid UTF-8 with non-ASCII bytes, no byte-order mark (Linux editors)
    Utf8Bom, // UTF-8 after a byte-order mark
    Utf16Le, // UTF-16 after its byte-order mark (Windows' "Unicode")
    Utf16Be,
};

// A byte-order mark decides; without one, bytes that are valid UTF-8 and not
// plain ASCII are UTF-8 (Windows-1252 text with umlauts practically never is),
// everything else Windows-1252.
TextEncoding detectTextEncoding(QByteArrayView bytes);

// The length of the byte-order mark the encoding starts with (0 for none).
qsizetype byteOrderMarkLength(TextEncoding encoding);

// The text after the byte-order mark, read in the given encoding. Bytes that
// are not valid in it become U+FFFD.
QString decodeText(QByteArrayView bytes, TextEncoding encoding);

// The text of a file in the encoding its bytes show.
QString decodeTextFile(QByteArrayView bytes);

} // namespace zolvaric
