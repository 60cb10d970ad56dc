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

// Windows-1252, or UTF-8 when the bytes start with a UTF-8 byte-order mark
// (which is then dropped).
QString decodeTextFile(QByteArrayView bytes);

} // namespace zolvaric
