#pragma once

#include "XmlPart.h"

#include <QList>
#include <QString>

#include <pugixml.hpp>

namespace zolvaric {

// The text of one paragraph as Word's Find sees it: the characters of all its
// runs, also those inside hyperlinks, insertions, smart tags or content
// controls, each tied to the element it comes from. Markers between the runs
// (bookmarks, spelling marks) add nothing; field codes and deleted text are
// not part of it; anything else that is not text (a field mark, a picture)
// is a wordchar::Object that no match may contain. A paragraph nested inside
// a run (in a text box) is a paragraph of its own and adds nothing here.
class ParagraphText
{
public:
    ParagraphText(const pugi::xml_node &paragraph, const XmlNames &word);

    const QString &text() const { return m_text; }

    // Whether the characters [from, to) may be replaced: no object among them.
    bool isReplaceable(qsizetype from, qsizetype to) const;

    // The characters [from, to), which must not be empty, and their new text.
    struct Replacement
    {
        qsizetype from;
        qsizetype to;
        QString text;
    };

    // Replaces the ranges, which must be in order and must not overlap, as
    // replacing them one after the other from the left does, in one pass.
    // Tabs and breaks in a text become their elements. A text takes the
    // formatting of the run its range starts in; what the range covered in
    // later runs goes, and such a run is removed when nothing but its
    // properties is left. The object is stale afterwards.
    void replace(const QList<Replacement> &replacements);

    // The characters a replacement text becomes in a paragraph.
    static QString insertedText(const QString &replacement);

    // The characters read into paragraph texts so far, a paragraph mark
    // each, in all documents: the work of reading, for holding it to the
    // size of a document.
    static qint64 charactersRead();

private:
    // The characters one element adds: a w:t's text, or one character for
    // an element that stands for one.
    struct Span
    {
        pugi::xml_node node;
        qsizetype start; // in m_text
        bool text;
    };

    // A text element whose content waits: the next replacement may start in
    // the rest of the text after this one.
    struct Pending
    {
        pugi::xml_node element; // a new w:t, or the w:t the rest belongs to
        QString text;           // the element's text before the rest
        qsizetype span = -1;    // the span of the w:t the rest belongs to
        qsizetype rest = 0;     // where the rest starts in m_text
    };

    void settle(Pending &pending) const;
    void collect(const pugi::xml_node &paragraph);
    bool isContainer(const pugi::xml_node &node) const;
    void collectRun(const pugi::xml_node &run);
    void append(const pugi::xml_node &element, QChar character);
    void appendText(const pugi::xml_node &element);
    // The span holding the character at the index, and where a span ends.
    qsizetype spanAt(qsizetype index) const;
    qsizetype spanEnd(qsizetype span) const;
    bool isEmptyRun(const pugi::xml_node &run) const;

    const XmlNames &m_word;
    QString m_text;
    QList<Span> m_spans; // in order, covering m_text
};

} // namespace zolvaric
