#include "TextLines.h"

namespace zolvaric {

QList<TextLine> splitTextLines(QStringView text)
{
    QList<TextLine> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\r') &&
               text[end] != QLatin1Char('\n'))
            ++end;
        qsizetype endLength = 0;
        if (end < text.size()) {
            const bool crLf = text[end] == QLatin1Char('\r') && end + 1 < text.size() &&
                              text[end + 1] == QLatin1Char('\n');
            endLength = crLf ? 2 : 1;
        }
        lines.append({text.sliced(start, end - start), text.sliced(end, endLength)});
        start = end + endLength;
    }
    return lines;
}

} // namespace zolvaric
