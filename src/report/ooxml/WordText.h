#pragma once

#include <QString>

#include <functional>

namespace zolvaric {

// The characters that stand for what is not plain text in a run, as Word's
// own Find and Selection.Text use them.
namespace wordchar {
inline constexpr char16_t Tab = u'\t';
inline constexpr char16_t LineBreak = 11;
inline constexpr char16_t PageBreak = 12;
inline constexpr char16_t ParagraphMark = u'\r';
inline constexpr char16_t ColumnBreak = 14;
inline constexpr char16_t NonBreakingHyphen = 30;
inline constexpr char16_t OptionalHyphen = 31;
inline constexpr char16_t NonBreakingSpace = 0xA0;
// A field mark, a picture, a note reference ...: never part of a match.
inline constexpr char16_t Object = 0xFFFC;
} // namespace wordchar

// A search text with Word's special codes ("^t", "^^", "^l" ...) turned into
// the characters above.
QString searchTextFromCodes(const QString &text);

// A replacement text with Word's special codes turned into characters, and
// "^&" into the found text, "^c" into the clipboard's text (asked only when
// used). An unknown code stays as it is written: values from the user's data
// should not stop a report.
QString replacementFromCodes(const QString &text, const QString &found,
                             const std::function<QString()> &clipboardText);

} // namespace zolvaric
