#pragma once

#include "base/Cp1252.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <utility>

namespace zolvaric {

// An INI file in memory, with the semantics of the Windows profile routines:
// section and key names match without regard to case, blanks around keys and
// values do not count, and one pair of enclosing quotes is removed on reading.
// Writing replaces a value in place or appends the entry after the last line
// of its section, or appends the section at the end; every other line keeps
// its text and its line end, so the file keeps its bytes.
class IniDocument
{
public:
    // In the encoding the bytes show (see detectTextEncoding). CR LF, a lone
    // CR and a lone LF all end a line.
    static IniDocument fromBytes(QByteArrayView bytes);

    // In the encoding the file was read in; a Windows-1252 file that now holds
    // a character beyond it, and a UTF-16 file, become UTF-8 with a
    // byte-order mark, so one file never mixes encodings. Lines not written
    // to keep their bytes exactly, even bytes that are no valid UTF-8.
    QByteArray toBytes() const;

    // The value as read: trimmed, one pair of quotes removed; nullopt when the
    // section or key is absent.
    std::optional<QString> value(QStringView section, QStringView key) const;
    void setValue(QStringView section, QStringView key, const QString &value);
    // Deletes the key's line; an absent key changes nothing.
    void removeValue(QStringView section, QStringView key);

    // The names of the sections in the order of the file.
    QStringList sectionNames() const;
    // Deletes the first section of the name with every line up to the next
    // section; an absent section changes nothing.
    void removeSection(QStringView section);
    // Renames sections at once: the first section of each first name takes
    // the second (which may be another's name before). Each keeps its place
    // and its lines.
    void renameSections(const QList<std::pair<QString, QString>> &names);
    // The sections named stand together, in the order given, where the
    // first of them stands in the file; the others keep their order.
    void arrangeSections(const QStringList &order);
    // The lines of section from, but its header, its blank lines and the
    // entries of keys that section into has, go to the end of into; from is
    // removed. Nothing happens when either is absent.
    void mergeSection(QStringView from, QStringView into);

private:
    struct Line
    {
        QString text;
        QString end; // "\r\n", "\n", "\r" or empty for a last line without one
        // The bytes of the text as read; empty for a line written to, and
        // for every line of a UTF-16 file, which is re-encoded as a whole.
        std::optional<QByteArray> bytes;
    };
    // A header with the lines up to the next one. Each section holds its own
    // lines and finds its keys through an index, so that a file of thousands
    // of sections is read and written in time linear in its size.
    struct Section
    {
        QList<Line> lines; // the header first; none for the lines before any header
        bool removed = false;
        // Case-folded key -> line of its first entry; made at the first lookup
        // after a change of the lines.
        mutable std::optional<QHash<QString, qsizetype>> keys;
    };

    // The first section of the name, nullptr when absent.
    Section *findSection(QStringView section);
    const Section *findSection(QStringView section) const;
    static qsizetype findKey(const Section &section, QStringView key);
    // Inserts into the section; the line before gets an end if it was the
    // file's last line without one.
    static void insertLine(Section &section, qsizetype index, const QString &text);
    Section &appendSection(QStringView name);
    void indexSection(qsizetype index);
    // After sections changed names or places.
    void rebuildIndex();
    // Where an entry added to the section goes: after its last line that is
    // not blank, so that blank lines between sections stay where they are.
    static qsizetype appendPosition(const Section &section);

    // The lines before the first header come first, as a section without header.
    QList<Section> m_sections{Section{}};
    // Case-folded section name -> its sections in the order of the file.
    QHash<QString, QList<qsizetype>> m_sectionIndex;
    TextEncoding m_encoding = TextEncoding::Cp1252;
};

} // namespace zolvaric
