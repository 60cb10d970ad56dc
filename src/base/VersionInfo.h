#pragma once

#include <QString>

#include <array>

namespace zolvaric {

// The keys of a file's version information, by index.
inline constexpr std::array<const char *, 10> kVersionInfoKeys = {
    "CompanyName",     "FileDescription",  "FileVersion", "InternalName",   "LegalCopyright",
    "LegalTradeMarks", "OriginalFileName", "ProductName", "ProductVersion", "Comments"};

// One entry of the version information that the build embeds in the program
// file; empty for a file without one, a missing entry or an index outside 0..9.
QString VersionInfoString(const QString &filePath, int index);

} // namespace zolvaric
