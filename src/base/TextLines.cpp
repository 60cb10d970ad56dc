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

QString oneLineText(QStringView text)
{
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            continue; // CR LF is one line end
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            line += QStringLiteral("\\n");
        else if (c == QLatin1Char('\\'))
            line += QStringLiteral("\\\\");
        else
            line += c;
    }
    return line;
}

QString linesOfOneLineText(QStringView line)
{
    QString text;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar next = i + 1 < line.size() ? line[i + 1] : QChar();
        if (line[i] == QLatin1Char('\\') && next == QLatin1Char('n')) {
            text += QLatin1Char('\n');
            ++i;
        } else if (line[i] == QLatin1Char('\\') && next == QLatin1Char('\\')) {
            text += QLatin1Char('\\');
            ++i;
        } else {
            text += line[i];
        }
    }
    return text;
}

} // namespace zolvaric
