#include "Story.h"

#include "ParagraphText.h"
#include "WordText.h"

#include <limits>
#include <vector>

namespace zolvaric {

namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Whether the match is a word of its own; `wordBefore` tells whether a word
// character precedes it.
bool isWholeWord(const QString &text, qsizetype index, qsizetype length, bool wordBefore)
{
    return !wordBefore && (index + length == text.size() || !isWordCharacter(text[index + length]));
}

// The first match in the paragraph starting at or after `from` and ending at
// or before `limit`; -1 for none. `wordBefore` tells whether a word character
// precedes `from`: after a replacement that is the inserted text's last one.
qsizetype findIn(const ParagraphText &paragraph, const SearchOptions &options, qsizetype from,
                 qsizetype limit, bool wordBefore)
{
    const QString &text = paragraph.text();
    const qsizetype length = options.text.size();
    if (length == 0)
        return -1;
    const Qt::CaseSensitivity sensitivity =
        options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype index = text.indexOf(options.text, from, sensitivity); index >= 0;
         index = text.indexOf(options.text, index + 1, sensitivity)) {
        if (index + length > limit)
            return -1;
        if (paragraph.isReplaceable(index, index + length) &&
            (!options.matchWholeWord ||
             isWholeWord(text, index, length,
                         index == from ? wordBefore : isWordCharacter(text[index - 1]))))
            return index;
    }
    return -1;
}

bool wordBefore(const QString &text, qsizetype index)
{
    return index > 0 && isWordCharacter(text[index - 1]);
}

// Elements whose content a replacement may delete with them. A paragraph in
// there (only a broken template has one) is no paragraph of the story:
// replacing must not leave the story holding a paragraph that is gone.
bool isRunContent(const pugi::xml_node &node, const XmlNames &word)
{
    for (const char *local : {"t", "tab", "br", "cr", "noBreakHyphen", "softHyphen", "rPr"}) {
        if (word.is(node, local))
            return true;
    }
    return false;
}

// The paragraphs below the root in document order, walked without recursion:
// a template may nest its elements deeply.
QList<pugi::xml_node> collectParagraphs(const pugi::xml_node &root, const XmlNames &word)
{
    QList<pugi::xml_node> paragraphs;
    pugi::xml_node node = root.first_child();
    while (node) {
        const bool element = node.type() == pugi::node_element;
        if (element && word.is(node, "p"))
            paragraphs.append(node);
        if (element && node.first_child() && !isRunContent(node, word)) {
            node = node.first_child();
            continue;
        }
        while (!node.next_sibling() && node.parent() != root)
            node = node.parent();
        node = node.next_sibling();
    }
    return paragraphs;
}

} // namespace

struct Story::Texts
{
    std::vector<std::optional<ParagraphText>> paragraphs;
};

Story::Story(XmlPart *part, const pugi::xml_node &root)
    : m_part(part), m_texts(std::make_shared<Texts>())
{
    if (part && root)
        m_paragraphs = collectParagraphs(root, part->word());
    m_texts->paragraphs.resize(m_paragraphs.size());
}

const ParagraphText &Story::paragraphText(int paragraph) const
{
    std::optional<ParagraphText> &text = m_texts->paragraphs[paragraph];
    if (!text)
        text.emplace(m_paragraphs[paragraph], m_part->word());
    return *text;
}

qsizetype Story::replaceIn(int paragraph, const QList<ParagraphText::Replacement> &replacements)
{
    paragraphText(paragraph);
    std::optional<ParagraphText> &text = m_texts->paragraphs[paragraph];
    qsizetype inserted = 0;
    for (const ParagraphText::Replacement &replacement : replacements)
        inserted += ParagraphText::insertedText(replacement.text).size();
    text->replace(replacements);
    text.reset();
    m_part->setChanged(true);
    return inserted;
}

TextPosition Story::end() const
{
    if (m_paragraphs.isEmpty())
        return {};
    const int last = paragraphCount() - 1;
    return {last, paragraphText(last).text().size()};
}

TextPosition Story::clamp(const TextPosition &position) const
{
    if (m_paragraphs.isEmpty() || position.paragraph < 0)
        return {};
    if (position.paragraph >= paragraphCount())
        return end();
    const qsizetype length = paragraphText(position.paragraph).text().size();
    return {position.paragraph, qBound(qsizetype(0), position.offset, length)};
}

QString Story::text(const TextRange &range) const
{
    if (m_paragraphs.isEmpty())
        return QString();
    const TextPosition start = clamp(range.start);
    const TextPosition end = clamp(range.end);
    if (start >= end) {
        const QString text = paragraphText(start.paragraph).text();
        return start.offset < text.size() ? QString(text[start.offset])
                                          : QString(QChar(wordchar::ParagraphMark));
    }
    QString result;
    for (int paragraph = start.paragraph; paragraph <= end.paragraph; ++paragraph) {
        const QString text = paragraphText(paragraph).text();
        const qsizetype from = paragraph == start.paragraph ? start.offset : 0;
        const qsizetype to = paragraph == end.paragraph ? end.offset : text.size();
        result += text.mid(from, to - from);
        if (paragraph != end.paragraph)
            result += QChar(wordchar::ParagraphMark);
    }
    return result;
}

std::optional<TextRange> Story::findNext(const SearchOptions &options, const TextPosition &from,
                                         bool wrap) const
{
    const qsizetype unlimited = std::numeric_limits<qsizetype>::max();
    const TextPosition origin = clamp(from);
    const qsizetype length = options.text.size();
    for (int paragraph = origin.paragraph; paragraph < paragraphCount(); ++paragraph) {
        const qsizetype start = paragraph == origin.paragraph ? origin.offset : 0;
        const ParagraphText text = paragraphText(paragraph);
        const qsizetype index =
            findIn(text, options, start, unlimited, wordBefore(text.text(), start));
        if (index >= 0)
            return TextRange{{paragraph, index}, {paragraph, index + length}};
    }
    if (!wrap)
        return std::nullopt;
    for (int paragraph = 0; paragraph <= origin.paragraph && paragraph < paragraphCount();
         ++paragraph) {
        const qsizetype index = findIn(paragraphText(paragraph), options, 0, unlimited, false);
        if (index >= 0 && (paragraph < origin.paragraph || index < origin.offset))
            return TextRange{{paragraph, index}, {paragraph, index + length}};
    }
    return std::nullopt;
}

// All matches of a paragraph are found first and replaced in one pass: the
// paragraph is read once, however many placeholders it holds. Positions are
// those of the unchanged text; inserted text is never searched, so only the
// character before a match may differ from it.
int Story::replaceAll(const SearchOptions &options, const TextRange &range,
                      const std::function<QString(const QString &found)> &replacement)
{
    if (m_paragraphs.isEmpty())
        return 0;
    const TextPosition start = clamp(range.start);
    const TextPosition end = clamp(range.end);
    const qsizetype length = options.text.size();
    int count = 0;
    for (int paragraph = start.paragraph; paragraph <= end.paragraph; ++paragraph) {
        const ParagraphText &text = paragraphText(paragraph);
        const qsizetype limit = paragraph == end.paragraph ? end.offset : text.text().size();
        qsizetype position = paragraph == start.paragraph ? start.offset : 0;
        bool wordBeforePosition = wordBefore(text.text(), position);
        QList<ParagraphText::Replacement> replacements;
        for (;;) {
            const qsizetype index = findIn(text, options, position, limit, wordBeforePosition);
            if (index < 0)
                break;
            QString inserted = replacement(text.text().mid(index, length));
            const QString characters = ParagraphText::insertedText(inserted);
            if (!characters.isEmpty())
                wordBeforePosition = isWordCharacter(characters.back());
            else if (index != position)
                wordBeforePosition = wordBefore(text.text(), index);
            replacements.append({index, index + length, std::move(inserted)});
            position = index + length;
        }
        if (!replacements.isEmpty())
            replaceIn(paragraph, replacements);
        count += static_cast<int>(replacements.size());
    }
    return count;
}

TextRange Story::replace(const TextRange &found, const QString &replacement)
{
    Q_ASSERT(found.start.paragraph == found.end.paragraph && found.start < found.end);
    const qsizetype inserted =
        replaceIn(found.start.paragraph, {{found.start.offset, found.end.offset, replacement}});
    return {found.start, {found.start.paragraph, found.start.offset + inserted}};
}

} // namespace zolvaric
