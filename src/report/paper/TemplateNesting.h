#pragma once

#include <QStringView>

namespace zolvaric {

// Qt's text layout takes time exponential in the depth of nested tables,
// and its recursion ends the program on deeply nested elements: a page
// deeper than an office's template ever is is refused before its layout.
inline constexpr int kMaxTableNesting = 8;
inline constexpr int kMaxElementNesting = 100;

// Throws Error "Die Vorlage ist zu groß oder beschädigt." when the page
// nests tables or other elements deeper than the limits. Elements whose end
// tag HTML leaves out (p, li, td, tr …) and empty ones (br, img …) do not
// count, so that a page written loosely is not taken for a deep one.
void checkTemplateNesting(QStringView html);

} // namespace zolvaric
