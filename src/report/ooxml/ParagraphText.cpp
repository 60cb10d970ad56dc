#include "ParagraphText.h"

#include "WordText.h"

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

qsizetype pieceLength(const QList<RunPiece> &pieces)
{
    qsizetype length = 0;
    for (const RunPiece &piece : pieces)
        length += piece.element ? 1 : piece.text.size();
    return length;
}

} // namespace

ParagraphText::ParagraphText(const pugi::xml_node &paragraph, const XmlNames &word) : m_word(word)
{
    collect(paragraph);
}

void ParagraphText::append(const pugi::xml_node &node, QChar character, qsizetype offset)
{
    m_text += character;
    m_items.append(Item{node, offset});
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
            const QString text = elementText(child);
            for (qsizetype i = 0; i < text.size(); ++i)
                append(child, text[i], i);
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
    for (qsizetype i = from; i < to; ++i) {
        const Item &item = m_items[i];
        if (item.offset < 0 && m_text[i] == wordchar::Object)
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

qsizetype ParagraphText::replace(qsizetype from, qsizetype to, const QString &replacement)
{
    Q_ASSERT(0 <= from && from < to && to <= m_text.size());
    const Item first = m_items[from];
    const Item last = m_items[to - 1];
    pugi::xml_node run = first.node.parent();

    QList<pugi::xml_node> touched;
    for (qsizetype i = from; i < to; ++i) {
        if (touched.isEmpty() || touched.last() != m_items[i].node)
            touched.append(m_items[i].node);
    }
    const bool oneNode = touched.size() == 1;
    const QString prefix =
        first.offset > 0 ? elementText(first.node).left(first.offset) : QString();
    const QString suffix =
        last.offset >= 0 ? elementText(last.node).mid(last.offset + 1) : QString();

    QList<RunPiece> pieces = runPieces(replacement);
    const qsizetype inserted = pieceLength(pieces);
    if (!prefix.isEmpty()) {
        if (pieces.isEmpty() || pieces.first().element)
            pieces.prepend(RunPiece{});
        pieces.first().text.prepend(prefix);
    }
    if (oneNode && !suffix.isEmpty()) {
        if (pieces.isEmpty() || pieces.last().element)
            pieces.append(RunPiece{});
        pieces.last().text.append(suffix);
    }
    for (const RunPiece &piece : pieces) {
        if (piece.element) {
            pugi::xml_node element =
                run.insert_child_before(m_word.name(piece.element).c_str(), first.node);
            if (piece.breakType)
                element.append_attribute(m_word.name("type").c_str()).set_value(piece.breakType);
        } else {
            setElementText(run.insert_child_before(m_word.name("t").c_str(), first.node),
                           piece.text);
        }
    }

    for (pugi::xml_node node : touched) {
        if (!oneNode && node == last.node && !suffix.isEmpty()) {
            setElementText(node, suffix);
            continue;
        }
        pugi::xml_node parent = node.parent();
        parent.remove_child(node);
        if (parent != run && isEmptyRun(parent))
            parent.parent().remove_child(parent);
    }
    return inserted;
}

} // namespace zolvaric
