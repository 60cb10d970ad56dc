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

    // Replaces the characters [from, to), which must not be empty, by the
    // text (tabs and breaks become their elements). The text takes the
    // formatting of the run the range starts in; what the range covered in
    // later runs goes, and such a run is removed when nothing but its
    // properties is left. Returns the length of the inserted text in this
    // paragraph's characters; the object is stale afterwards.
    qsizetype replace(qsizetype from, qsizetype to, const QString &replacement);

private:
    struct Item
    {
        pugi::xml_node node;
        qsizetype offset; // in a w:t's text; -1 for an element that is one character
    };

    void collect(const pugi::xml_node &paragraph);
    bool isContainer(const pugi::xml_node &node) const;
    void collectRun(const pugi::xml_node &run);
    void append(const pugi::xml_node &node, QChar character, qsizetype offset = -1);
    bool isEmptyRun(const pugi::xml_node &run) const;

    const XmlNames &m_word;
    QString m_text;
    QList<Item> m_items; // one per character of m_text
};

} // namespace zolvaric
