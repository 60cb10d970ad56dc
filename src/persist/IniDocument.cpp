#include "IniDocument.h"

#include "base/Cp1252.h"
#include "base/TextLines.h"

#include <algorithm>

namespace zolvaric {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The name of a section header line, nullopt for other lines.
std::optional<QStringView> sectionName(QStringView line)
{
    line = line.trimmed();
    if (!line.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = line.indexOf(QLatin1Char(']'));
    const QStringView name = close < 0 ? line.sliced(1) : line.sliced(1, close - 1);
    return name.trimmed();
}

// The key of an entry line, nullopt for lines without '='.
std::optional<QStringView> keyName(QStringView line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    return line.left(equals).trimmed();
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool fitsCp1252(const QString &text)
{
    return decodeCp1252(encodeCp1252(text)) == text;
}

} // namespace

IniDocument IniDocument::fromBytes(QByteArrayView bytes)
{
    IniDocument document;
    document.m_encoding = detectTextEncoding(bytes);
    if (document.m_encoding == TextEncoding::Utf16Le ||
        document.m_encoding == TextEncoding::Utf16Be) {
        const QString text = decodeText(bytes, document.m_encoding);
        for (const TextLine &line : splitTextLines(text))
            document.m_lines.append(Line{line.text.toString(), line.end.toString(), std::nullopt});
        return document;
    }
    // Line ends are the same bytes in Windows-1252 and UTF-8, and never part
    // of a UTF-8 sequence: the lines are split on the bytes (through Latin-1,
    // one character per byte), so that each keeps its own bytes.
    const QByteArrayView body = bytes.sliced(byteOrderMarkLength(document.m_encoding));
    const QString latin1 = QString::fromLatin1(body);
    for (const TextLine &line : splitTextLines(latin1)) {
        const QByteArrayView raw = body.sliced(line.text.data() - latin1.data(), line.text.size());
        document.m_lines.append(
            Line{decodeText(raw, document.m_encoding == TextEncoding::Cp1252 ? TextEncoding::Cp1252
                                                                             : TextEncoding::Utf8),
                 line.end.toString(), raw.toByteArray()});
    }
    return document;
}

QByteArray IniDocument::toBytes() const
{
    TextEncoding encoding = m_encoding;
    if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be)
        encoding = TextEncoding::Utf8Bom;
    if (encoding == TextEncoding::Cp1252 &&
        !std::all_of(m_lines.cbegin(), m_lines.cend(),
                     [](const Line &line) { return line.bytes || fitsCp1252(line.text); }))
        encoding = TextEncoding::Utf8Bom;
    // Kept bytes are only valid in the encoding they were read in.
    const bool keepBytes = encoding == m_encoding;
    QByteArray bytes =
        encoding == TextEncoding::Utf8Bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    for (const Line &line : m_lines) {
        if (keepBytes && line.bytes)
            bytes += *line.bytes;
        else if (encoding == TextEncoding::Cp1252)
            bytes += encodeCp1252(line.text);
        else
            bytes += line.text.toUtf8();
        bytes += line.end.toLatin1();
    }
    return bytes;
}

qsizetype IniDocument::findSection(QStringView section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines[i].text);
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype IniDocument::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < m_lines.size() && !sectionName(m_lines[i].text))
        ++i;
    return i;
}

qsizetype IniDocument::findKey(qsizetype header, QStringView key) const
{
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto name = keyName(m_lines[i].text);
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

std::optional<QString> IniDocument::value(QStringView section, QStringView key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype line = findKey(header, key);
    if (line < 0)
        return std::nullopt;
    const QString &text = m_lines[line].text;
    QStringView value = QStringView(text).sliced(text.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (value.size() >= 2 &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value.toString();
}

void IniDocument::insertLine(qsizetype index, const QString &text)
{
    // The line before gets an end if it was the file's last line without one.
    if (index > 0 && m_lines[index - 1].end.isEmpty())
        m_lines[index - 1].end = kCrLf;
    m_lines.insert(index, Line{text, kCrLf, std::nullopt});
}

void IniDocument::removeValue(QStringView section, QStringView key)
{
    const qsizetype header = findSection(section);
    const qsizetype line = header < 0 ? -1 : findKey(header, key);
    if (line >= 0)
        m_lines.removeAt(line);
}

QStringList IniDocument::sectionNames() const
{
    QStringList names;
    for (const Line &line : m_lines) {
        if (const auto name = sectionName(line.text))
            names << name->toString();
    }
    return names;
}

void IniDocument::removeSection(QStringView section)
{
    const qsizetype header = findSection(section);
    if (header >= 0)
        m_lines.remove(header, sectionEnd(header) - header);
}

void IniDocument::setValue(QStringView section, QStringView key, const QString &value)
{
    const QString entry = key.toString() + QLatin1Char('=') + value;
    qsizetype header = findSection(section);
    if (header < 0) {
        insertLine(m_lines.size(), QLatin1Char('[') + section.toString() + QLatin1Char(']'));
        insertLine(m_lines.size(), entry);
        return;
    }
    const qsizetype line = findKey(header, key);
    if (line >= 0) {
        const QString &old = m_lines[line].text;
        // An unchanged value keeps its line as it is written.
        if (QStringView(old).sliced(old.indexOf(QLatin1Char('=')) + 1).trimmed() != value)
            m_lines[line] = Line{entry, m_lines[line].end, std::nullopt};
        return;
    }
    // After the section's last line that is not blank, so that blank lines
    // between sections stay where they are.
    qsizetype insertAt = sectionEnd(header);
    while (insertAt > header + 1 && m_lines[insertAt - 1].text.trimmed().isEmpty())
        --insertAt;
    insertLine(insertAt, entry);
}

} // namespace zolvaric
