#include "ParagraphText.h"

#include "WordText.h"

#include <algorithm>
#include <atomic>
#include <string_view>

namespace zolvaric {

namespace {

// A piece of run content: text, or an element that stands for one character.
struct RunPiece
{
    QString text;
    const char *element = nullptr;
    const char *breakType = nullptr;
};

bool isXmlCharacter(const QString &text, qsizetype i)
{
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 < text.size() && text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i > 0 && text[i - 1].isHighSurrogate();
    return c.unicode() >= 0x20 && c.unicode() != 0xFFFE && c.unicode() != 0xFFFF;
}

// The run content for a replacement text. A paragraph mark, a carriage
// return or a line feed becomes a line break: a replacement never splits the
// paragraph. Characters XML cannot carry are dropped.
QList<RunPiece> runPieces(const QString &text)
{
    QList<RunPiece> pieces;
    auto addElement = [&pieces](const char *element, const char *breakType = nullptr) {
        pieces.append(RunPiece{QString(), element, breakType});
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        switch (text[i].unicode()) {
        case wordchar::Tab:
            addElement("tab");
            break;
        case u'\r':
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            addElement("br");
            break;
        case u'\n':
        case wordchar::LineBreak:
            addElement("br");
            break;
        case wordchar::PageBreak:
            addElement("br", "page");
            break;
        case wordchar::ColumnBreak:
            addElement("br", "column");
            break;
        case wordchar::NonBreakingHyphen:
            addElement("noBreakHyphen");
            break;
        case wordchar::OptionalHyphen:
            addElement("softHyphen");
            break;
        default:
            if (!isXmlCharacter(text, i))
                break;
            if (pieces.isEmpty() || pieces.last().element)
                pieces.append(RunPiece{});
            pieces.last().text += text[i];
        }
    }
    return pieces;
}

// The character an element piece reads back as.
QChar pieceCharacter(const RunPiece &piece)
{
    const std::string_view element = piece.element;
    if (element == "tab")
        return wordchar::Tab;
    if (element == "noBreakHyphen")
        return wordchar::NonBreakingHyphen;
    if (element == "softHyphen")
        return wordchar::OptionalHyphen;
    const std::string_view type = piece.breakType ? piece.breakType : "";
    return type == "page"     ? wordchar::PageBreak
           : type == "column" ? wordchar::ColumnBreak
                              : wordchar::LineBreak;
}

// Read by all paragraph texts so far.
std::atomic<qint64> totalRead{0};

} // namespace

ParagraphText::ParagraphText(const pugi::xml_node &paragraph, const XmlNames &word) : m_word(word)
{
    collect(paragraph);
    totalRead += m_text.size() + 1;
}

qint64 ParagraphText::charactersRead()
{
    return totalRead;
}

void ParagraphText::append(const pugi::xml_node &element, QChar character)
{
    m_spans.append(Span{element, m_text.size(), false});
    m_text += character;
}

void ParagraphText::appendText(const pugi::xml_node &element)
{
    const QString text = elementText(element);
    if (text.isEmpty())
        return;
    m_spans.append(Span{element, m_text.size(), true});
    m_text += text;
}

qsizetype ParagraphText::spanAt(qsizetype index) const
{
    const auto after = std::upper_bound(
        m_spans.cbegin(), m_spans.cend(), index,
        [](qsizetype position, const Span &span) { return position < span.start; });
    return (after - m_spans.cbegin()) - 1;
}

qsizetype ParagraphText::spanEnd(qsizetype span) const
{
    return span + 1 < m_spans.size() ? m_spans[span + 1].start : m_text.size();
}

bool ParagraphText::isContainer(const pugi::xml_node &node) const
{
    for (const char *local : {"hyperlink", "ins", "moveTo", "smartTag", "customXml", "sdt",
                              "sdtContent", "fldSimple", "dir", "bdo"}) {
        if (m_word.is(node, local))
            return true;
    }
    return false;
}

// Depth first through the containers, without recursion: a template may nest
// them deeply.
void ParagraphText::collect(const pugi::xml_node &paragraph)
{
    pugi::xml_node child = paragraph.first_child();
    while (child) {
        if (child.type() == pugi::node_element) {
            if (m_word.is(child, "r")) {
                collectRun(child);
            } else if (isContainer(child)) {
                if (child.first_child()) {
                    child = child.first_child();
                    continue;
                }
            } else if (!m_word.is(child, "pPr") && !m_word.is(child, "sdtPr") &&
                       !m_word.is(child, "sdtEndPr") && !m_word.is(child, "del") &&
                       !m_word.is(child, "moveFrom") && child.first_child() &&
                       !m_word.owns(child)) {
                // Content of another vocabulary (a formula, alternative content).
                append(child, wordchar::Object);
            }
            // Everything else is a marker between the runs (bookmark, spelling
            // mark, comment range) or deleted text.
        }
        while (!child.next_sibling() && child.parent() != paragraph)
            child = child.parent();
        child = child.next_sibling();
    }
}

void ParagraphText::collectRun(const pugi::xml_node &run)
{
    for (const pugi::xml_node &child : run.children()) {
        if (child.type() != pugi::node_element || m_word.is(child, "rPr") ||
            m_word.is(child, "lastRenderedPageBreak") || m_word.is(child, "instrText") ||
            m_word.is(child, "delText") || m_word.is(child, "delInstrText"))
            continue;
        if (m_word.is(child, "t")) {
            appendText(child);
        } else if (m_word.is(child, "tab")) {
            append(child, wordchar::Tab);
        } else if (m_word.is(child, "br")) {
            const std::string_view type = child.attribute(m_word.name("type").c_str()).value();
            append(child, type == "page"     ? wordchar::PageBreak
                          : type == "column" ? wordchar::ColumnBreak
                                             : wordchar::LineBreak);
        } else if (m_word.is(child, "cr")) {
            append(child, wordchar::LineBreak);
        } else if (m_word.is(child, "noBreakHyphen")) {
            append(child, wordchar::NonBreakingHyphen);
        } else if (m_word.is(child, "softHyphen")) {
            append(child, wordchar::OptionalHyphen);
        } else {
            append(child, wordchar::Object);
        }
    }
}

bool ParagraphText::isReplaceable(qsizetype from, qsizetype to) const
{
    for (qsizetype span = spanAt(from); span < m_spans.size() && m_spans[span].start < to; ++span) {
        if (!m_spans[span].text && m_text[m_spans[span].start] == wordchar::Object)
            return false;
    }
    return true;
}

bool ParagraphText::isEmptyRun(const pugi::xml_node &run) const
{
    for (const pugi::xml_node &child : run.children()) {
        if (child.type() == pugi::node_element && !m_word.is(child, "rPr"))
            return false;
    }
    return true;
}

QString ParagraphText::insertedText(const QString &replacement)
{
    QString characters;
    for (const RunPiece &piece : runPieces(replacement))
        characters += piece.element ? QString(pieceCharacter(piece)) : piece.text;
    return characters;
}

void ParagraphText::settle(Pending &pending) const
{
    const qsizetype end = spanEnd(pending.span);
    pending.text += QStringView(m_text).mid(pending.rest, end - pending.rest);
    setElementText(pending.element, pending.text);
    pending = Pending();
}

// Each replacement as replacing it alone would do it, with one difference:
// the text element that holds the rest of a text after a replacement gets its
// content only when the next replacement does not start in that rest. Many
// replacements in one long text thus copy it once, not once each.
void ParagraphText::replace(const QList<Replacement> &replacements)
{
    Pending pending;
    qsizetype previousEnd = 0;
    for (const Replacement &replacement : replacements) {
        const qsizetype from = replacement.from;
        const qsizetype to = replacement.to;
        Q_ASSERT(previousEnd <= from && from < to && to <= m_text.size());
        previousEnd = to;
        const qsizetype firstSpan = spanAt(from);
        const qsizetype lastSpan = spanAt(to - 1);
        const Span &first = m_spans[firstSpan];
        const Span &last = m_spans[lastSpan];
        const bool inPending = pending.element && firstSpan == pending.span;
        if (pending.element && !inPending)
            settle(pending);
        const pugi::xml_node firstNode = inPending ? pending.element : first.node;
        pugi::xml_node run = firstNode.parent();

        QList<pugi::xml_node> touched;
        for (qsizetype span = firstSpan; span <= lastSpan; ++span)
            touched.append(m_spans[span].node);
        touched.first() = firstNode;
        const bool oneNode = firstSpan == lastSpan;
        QString prefix;
        if (inPending) {
            prefix = std::move(pending.text);
            prefix += QStringView(m_text).mid(pending.rest, from - pending.rest);
        } else if (first.text && from > first.start) {
            prefix = m_text.mid(first.start, from - first.start);
        }
        const bool suffix = last.text && to < spanEnd(lastSpan);

        QList<RunPiece> pieces = runPieces(replacement.text);
        if (!prefix.isEmpty()) {
            if (pieces.isEmpty() || pieces.first().element)
                pieces.prepend(RunPiece{});
            prefix += pieces.first().text;
            pieces.first().text = std::move(prefix);
        }
        Pending next;
        if (suffix) {
            next.span = lastSpan;
            next.rest = to;
        }
        if (oneNode && suffix && (pieces.isEmpty() || pieces.last().element))
            pieces.append(RunPiece{});
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            RunPiece &piece = pieces[i];
            if (piece.element) {
                pugi::xml_node element =
                    run.insert_child_before(m_word.name(piece.element).c_str(), firstNode);
                if (piece.breakType)
                    element.append_attribute(m_word.name("type").c_str())
                        .set_value(piece.breakType);
                continue;
            }
            const pugi::xml_node text =
                run.insert_child_before(m_word.name("t").c_str(), firstNode);
            if (oneNode && suffix && i == pieces.size() - 1) {
                // Holds this piece and the rest of the text.
                next.element = text;
                next.text = std::move(piece.text);
            } else {
                setElementText(text, piece.text);
            }
        }

        for (pugi::xml_node node : std::as_const(touched)) {
            if (!oneNode && node == last.node && suffix) {
                next.element = node; // keeps its attributes, holds the rest alone
                continue;
            }
            pugi::xml_node parent = node.parent();
            parent.remove_child(node);
            if (parent != run && isEmptyRun(parent))
                parent.parent().remove_child(parent);
        }
        pending = std::move(next);
    }
    if (pending.element)
        settle(pending);
}

} // namespace zolvaric
