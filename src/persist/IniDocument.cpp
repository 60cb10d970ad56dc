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

bool fitsCp1252(const QString &text)
{
    return decodeCp1252(encodeCp1252(text)) == text;
}

// The form under which names match without regard to case. Names are
// nearly always ASCII, where folding is lowering; Unicode's folding costs
// more than the rest of a lookup.
QString folded(QStringView name)
{
    QString result(name.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (const QChar c : name) {
        const char16_t unit = c.unicode();
        if (unit >= 0x80)
            return name.toString().toCaseFolded();
        *out++ = QChar(unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit);
    }
    return result;
}

} // namespace

IniDocument IniDocument::fromBytes(QByteArrayView bytes)
{
    IniDocument document;
    document.m_encoding = detectTextEncoding(bytes);
    // Each header starts a section; the lines before the first stay in the first.
    const auto append = [&document](Line line) {
        if (sectionName(line.text)) {
            document.m_sections.append(Section{});
            document.m_sections.back().lines.append(std::move(line));
            document.indexSection(document.m_sections.size() - 1);
        } else {
            document.m_sections.back().lines.append(std::move(line));
        }
    };
    if (document.m_encoding == TextEncoding::Utf16Le ||
        document.m_encoding == TextEncoding::Utf16Be) {
        const QString text = decodeText(bytes, document.m_encoding);
        for (const TextLine &line : splitTextLines(text))
            append(Line{line.text.toString(), line.end.toString(), std::nullopt});
        return document;
    }
    // Line ends are the same bytes in Windows-1252 and UTF-8, and never part
    // of a UTF-8 sequence: the lines are split on the bytes (through Latin-1,
    // one character per byte), so that each keeps its own bytes.
    const QByteArrayView body = bytes.sliced(byteOrderMarkLength(document.m_encoding));
    const QString latin1 = QString::fromLatin1(body);
    for (const TextLine &line : splitTextLines(latin1)) {
        const QByteArrayView raw = body.sliced(line.text.data() - latin1.data(), line.text.size());
        append(
            Line{decodeText(raw, document.m_encoding == TextEncoding::Cp1252 ? TextEncoding::Cp1252
                                                                             : TextEncoding::Utf8),
                 line.end.toString(), raw.toByteArray()});
    }
    return document;
}

void IniDocument::indexSection(qsizetype index)
{
    const auto name = sectionName(m_sections[index].lines.front().text);
    m_sectionIndex[folded(*name)].append(index);
}

QByteArray IniDocument::toBytes() const
{
    TextEncoding encoding = m_encoding;
    if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be)
        encoding = TextEncoding::Utf8Bom;
    if (encoding == TextEncoding::Cp1252 &&
        !std::all_of(m_sections.cbegin(), m_sections.cend(), [](const Section &section) {
            return std::all_of(section.lines.cbegin(), section.lines.cend(), [](const Line &line) {
                return line.bytes || fitsCp1252(line.text);
            });
        }))
        encoding = TextEncoding::Utf8Bom;
    // Kept bytes are only valid in the encoding they were read in.
    const bool keepBytes = encoding == m_encoding;
    QByteArray bytes =
        encoding == TextEncoding::Utf8Bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    for (const Section &section : m_sections) {
        for (const Line &line : section.lines) {
            if (keepBytes && line.bytes)
                bytes += *line.bytes;
            else if (encoding == TextEncoding::Cp1252)
                bytes += encodeCp1252(line.text);
            else
                bytes += line.text.toUtf8();
            bytes += line.end.toLatin1();
        }
    }
    return bytes;
}

const IniDocument::Section *IniDocument::findSection(QStringView section) const
{
    const auto found = m_sectionIndex.constFind(folded(section));
    return found == m_sectionIndex.constEnd() ? nullptr : &m_sections[found->front()];
}

IniDocument::Section *IniDocument::findSection(QStringView section)
{
    const auto found = m_sectionIndex.constFind(folded(section));
    return found == m_sectionIndex.constEnd() ? nullptr : &m_sections[found->front()];
}

qsizetype IniDocument::findKey(const Section &section, QStringView key)
{
    if (!section.keys) {
        QHash<QString, qsizetype> keys;
        for (qsizetype i = 1; i < section.lines.size(); ++i) {
            const auto name = keyName(section.lines[i].text);
            // The first entry of a key counts.
            if (name && !keys.contains(folded(*name)))
                keys.insert(folded(*name), i);
        }
        section.keys = std::move(keys);
    }
    return section.keys->value(folded(key), -1);
}

std::optional<QString> IniDocument::value(QStringView section, QStringView key) const
{
    const Section *found = findSection(section);
    if (!found)
        return std::nullopt;
    const qsizetype line = findKey(*found, key);
    if (line < 0)
        return std::nullopt;
    const QString &text = found->lines[line].text;
    QStringView value = QStringView(text).sliced(text.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (value.size() >= 2 &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value.toString();
}

void IniDocument::insertLine(Section &section, qsizetype index, const QString &text)
{
    if (index > 0 && section.lines[index - 1].end.isEmpty())
        section.lines[index - 1].end = kCrLf;
    section.lines.insert(index, Line{text, kCrLf, std::nullopt});
    // The index follows the lines, that a section filled key by key is not
    // parsed again after each of them.
    if (!section.keys)
        return;
    for (qsizetype &line : *section.keys) {
        if (line >= index)
            ++line;
    }
    if (const auto name = keyName(text); name && !section.keys->contains(folded(*name)))
        section.keys->insert(folded(*name), index);
}

IniDocument::Section &IniDocument::appendSection(QStringView name)
{
    // Removed sections at the end hold no lines and are in no index.
    while (m_sections.size() > 1 && m_sections.back().removed)
        m_sections.removeLast();
    QList<Line> &before = m_sections.back().lines;
    if (!before.isEmpty() && before.back().end.isEmpty())
        before.back().end = kCrLf;
    Section section;
    section.lines.append(
        Line{QLatin1Char('[') + name.toString() + QLatin1Char(']'), kCrLf, std::nullopt});
    m_sections.append(std::move(section));
    indexSection(m_sections.size() - 1);
    return m_sections.back();
}

void IniDocument::removeValue(QStringView section, QStringView key)
{
    Section *found = findSection(section);
    const qsizetype line = found ? findKey(*found, key) : -1;
    if (line >= 0) {
        found->lines.removeAt(line);
        found->keys.reset();
    }
}

QStringList IniDocument::sectionNames() const
{
    QStringList names;
    for (qsizetype i = 1; i < m_sections.size(); ++i) {
        if (!m_sections[i].removed)
            names << sectionName(m_sections[i].lines.front().text)->toString();
    }
    return names;
}

void IniDocument::removeSection(QStringView section)
{
    const auto found = m_sectionIndex.find(folded(section));
    if (found == m_sectionIndex.end())
        return;
    // Marked, not erased, so that the index of every later section holds.
    Section &removed = m_sections[found->takeFirst()];
    if (found->isEmpty())
        m_sectionIndex.erase(found);
    removed.removed = true;
    removed.lines.clear();
    removed.keys.reset();
}

void IniDocument::setValue(QStringView section, QStringView key, const QString &value)
{
    const QString entry = key.toString() + QLatin1Char('=') + value;
    Section *found = findSection(section);
    if (!found) {
        Section &added = appendSection(section);
        insertLine(added, added.lines.size(), entry);
        return;
    }
    QList<Line> &lines = found->lines;
    const qsizetype line = findKey(*found, key);
    if (line >= 0) {
        const QString &old = lines[line].text;
        // An unchanged value keeps its line as it is written.
        if (QStringView(old).sliced(old.indexOf(QLatin1Char('=')) + 1).trimmed() != value)
            lines[line] = Line{entry, lines[line].end, std::nullopt};
        return;
    }
    insertLine(*found, appendPosition(*found), entry);
}

qsizetype IniDocument::appendPosition(const Section &section)
{
    qsizetype position = section.lines.size();
    while (position > 1 && section.lines[position - 1].text.trimmed().isEmpty())
        --position;
    return position;
}

void IniDocument::rebuildIndex()
{
    m_sectionIndex.clear();
    for (qsizetype i = 1; i < m_sections.size(); ++i) {
        Section &section = m_sections[i];
        if (section.removed)
            continue;
        indexSection(i);
        // A section that no longer ends the file must end its last line.
        const bool last = std::none_of(m_sections.cbegin() + i + 1, m_sections.cend(),
                                       [](const Section &later) { return !later.removed; });
        if (!last && section.lines.back().end.isEmpty())
            section.lines.back().end = kCrLf;
    }
}

void IniDocument::renameSections(const QList<std::pair<QString, QString>> &names)
{
    QList<std::pair<qsizetype, QString>> renamed;
    for (const auto &[from, to] : names) {
        const auto found = m_sectionIndex.constFind(folded(from));
        if (found != m_sectionIndex.constEnd())
            renamed.append({found->front(), to});
    }
    for (const auto &[index, to] : renamed) {
        Line &header = m_sections[index].lines.front();
        header = Line{QLatin1Char('[') + to + QLatin1Char(']'), header.end, std::nullopt};
    }
    rebuildIndex();
}

void IniDocument::arrangeSections(const QStringList &order)
{
    QList<qsizetype> named;
    for (const QString &name : order) {
        const auto found = m_sectionIndex.constFind(folded(name));
        if (found != m_sectionIndex.constEnd() && !named.contains(found->front()))
            named.append(found->front());
    }
    if (named.isEmpty())
        return;
    const qsizetype first = *std::min_element(named.cbegin(), named.cend());
    QList<Section> arranged;
    arranged.reserve(m_sections.size());
    for (qsizetype i = 0; i < m_sections.size(); ++i) {
        if (i == first) {
            for (const qsizetype index : named)
                arranged.append(std::move(m_sections[index]));
        }
        if (!named.contains(i))
            arranged.append(std::move(m_sections[i]));
    }
    m_sections = std::move(arranged);
    rebuildIndex();
}

void IniDocument::mergeSection(QStringView from, QStringView into)
{
    Section *source = findSection(from);
    Section *target = findSection(into);
    if (!source || !target || source == target)
        return;
    for (qsizetype i = 1; i < source->lines.size(); ++i) {
        Line line = source->lines[i];
        if (line.text.trimmed().isEmpty())
            continue;
        if (const auto key = keyName(line.text); key && findKey(*target, *key) >= 0)
            continue;
        const qsizetype at = appendPosition(*target);
        if (at > 0 && target->lines[at - 1].end.isEmpty())
            target->lines[at - 1].end = kCrLf;
        if (line.end.isEmpty())
            line.end = kCrLf;
        target->lines.insert(at, std::move(line));
        target->keys.reset();
    }
    removeSection(from);
}

} // namespace zolvaric
