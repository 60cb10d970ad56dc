#include "TableReader.h"

#include "base/Cp1252.h"
#include "base/TextLines.h"

namespace zolvaric {

namespace {

// A field that begins with a quote loses its enclosing quotes, and doubled
// quotes inside become single ones.
QString unquote(QStringView field)
{
    if (!field.startsWith(QLatin1Char('"')))
        return field.toString();
    QStringView inner = field.sliced(1);
    if (inner.endsWith(QLatin1Char('"')))
        inner.chop(1);
    QString text = inner.toString();
    text.replace(QLatin1String("\"\""), QLatin1String("\""));
    return text;
}

bool isBlankLine(QStringView line)
{
    for (const QChar c : line) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

} // namespace

QList<QString> splitTableLine(QStringView line)
{
    QList<QString> fields;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == QLatin1Char(';') && !quoted) {
            fields.append(unquote(line.sliced(start, i - start)));
            start = i + 1;
        }
    }
    fields.append(unquote(line.sliced(start)));
    return fields;
}

TextTable readTable(QByteArrayView bytes, const RegionalSettings &settings)
{
    const QString text = decodeTextFile(bytes);
    QList<QList<QString>> rows;
    QList<int> lineNumbers;
    int number = 0;
    for (const TextLine &line : splitTextLines(text)) {
        ++number;
        if (!isBlankLine(line.text)) {
            rows.append(splitTableLine(line.text));
            lineNumbers.append(number);
        }
    }
    return TextTable(std::move(rows), settings, std::move(lineNumbers));
}

} // namespace zolvaric
