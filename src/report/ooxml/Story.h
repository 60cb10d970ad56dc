#pragma once

#include "ParagraphText.h"
#include "XmlPart.h"

#include <QList>
#include <QString>

#include <compare>
#include <functional>
#include <memory>
#include <optional>

namespace zolvaric {

// A place in a story: a paragraph (in document order) and a character in it.
struct TextPosition
{
    int paragraph = 0;
    qsizetype offset = 0;

    friend auto operator<=>(const TextPosition &, const TextPosition &) = default;
};

// The selection: a found text, or the cursor when start equals end.
struct TextRange
{
    TextPosition start;
    TextPosition end;

    bool isCollapsed() const { return start == end; }
    friend bool operator==(const TextRange &, const TextRange &) = default;
};

// What Find looks for. The text holds Word's characters (see WordText.h).
struct SearchOptions
{
    QString text;
    bool matchCase = false;
    bool matchWholeWord = false;
};

// A story of a document: the main text or a header. Its paragraphs are all
// w:p elements below the root in document order, those in table cells and
// text boxes included. A story without a root is empty: a header that does
// not exist. Copies share the paragraphs' texts, read once and again only
// after a paragraph changed: the document changes only through its stories,
// and replacing never adds or removes a paragraph.
class Story
{
public:
    Story() = default;
    Story(XmlPart *part, const pugi::xml_node &root);

    int paragraphCount() const { return static_cast<int>(m_paragraphs.size()); }
    const QList<pugi::xml_node> &paragraphs() const { return m_paragraphs; }

    TextPosition start() const { return {}; }
    TextPosition end() const;
    // The nearest position that exists (after the text shrank).
    TextPosition clamp(const TextPosition &position) const;

    // The selected text; for a cursor the character after it, "\r" at the
    // end of a paragraph, as Word answers.
    QString text(const TextRange &range) const;

    // The next occurrence at or after `from`; with `wrap` the search goes on
    // from the start of the story up to `from`.
    std::optional<TextRange> findNext(const SearchOptions &options, const TextPosition &from,
                                      bool wrap) const;

    // Replaces every occurrence inside the range, left to right; inserted
    // text is not searched again. Returns the number of replacements.
    int replaceAll(const SearchOptions &options, const TextRange &range,
                   const std::function<QString(const QString &found)> &replacement);

    // Replaces one found range; returns the range of the inserted text.
    TextRange replace(const TextRange &found, const QString &replacement);

private:
    struct Texts;

    const ParagraphText &paragraphText(int paragraph) const;
    // Replaces in a paragraph's text, which is read again when next needed.
    qsizetype replaceIn(int paragraph, const QList<ParagraphText::Replacement> &replacements);

    XmlPart *m_part = nullptr;
    QList<pugi::xml_node> m_paragraphs;
    std::shared_ptr<Texts> m_texts;
};

} // namespace zolvaric
