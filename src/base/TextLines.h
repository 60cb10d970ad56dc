#pragma once

#include <QList>
#include <QStringView>

namespace zolvaric {

// One line of a text and the line end that closed it ("\r\n", "\n", "\r",
// or empty for a last line without one).
struct TextLine
{
    QStringView text;
    QStringView end;
};

// The lines of a text as files written on any system have them: CR LF, a
// lone LF and a lone CR all end a line. A line end at the very end starts no
// further line. The views point into the text.
QList<TextLine> splitTextLines(QStringView text);

} // namespace zolvaric
