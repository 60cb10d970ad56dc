#pragma once

#include "report/Placeholders.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class QTemporaryFile;

namespace zolvaric {

// The package of a Word template with the offer's blocks (report/TemplateBlocks.h)
// of its main text expanded: a marker paragraph, or the table row of a marker
// in a cell, is the marker's unit; a block is the paragraphs and tables, or
// the rows, between its two units, which must have the same parent. Each
// copy of a part block gets its calculation's placeholders (`parts`, one list
// each), each copy of a VAT block its rate's (`vats`), in one pass per
// paragraph, across the runs. Optional paragraphs and rows (TemplateBlocks.h)
// are settled with those values and the ones valid anywhere (`fixed`: the
// standard placeholders' and the offer's, which the word processor replaces
// later). Headers and footers are
// left as they are: blocks there are not expanded. Nothing when the main text
// holds no marker (of a block or an optional line). Throws TemplateBlockError for blocks that do not pair up,
// AutomationError for a package that is no readable Word file.
std::optional<QByteArray> expandOfferBlocks(const QByteArray &package, const QString &fileName,
                                            const QList<QList<PlaceholderValue>> &parts,
                                            const QList<QList<PlaceholderValue>> &vats = {},
                                            const QList<PlaceholderValue> &fixed = {});

// The template a word processor gets for an offer, which only knows to open
// a file and replace texts (as Word does by automation): the template's own
// path when its main text holds no marker, or one that cannot be read (the
// word processor then says why); otherwise the expanded template as a file of
// its own in the private temp folder, removed with this object.
class OfferTemplate
{
public:
    // Throws TemplateBlockError as expandOfferBlocks does, and Error when the
    // expanded template cannot be written.
    OfferTemplate(const QString &templatePath, const QList<QList<PlaceholderValue>> &parts,
                  const QList<QList<PlaceholderValue>> &vats,
                  const QList<PlaceholderValue> &fixed,
                  const QString &soffice = QStringLiteral("soffice"));
    ~OfferTemplate();
    OfferTemplate(OfferTemplate &&) noexcept;
    OfferTemplate &operator=(OfferTemplate &&) noexcept;

    const QString &path() const { return m_path; }
    // Whether the template's text (main text, headers, footers) may hold the
    // placeholder; yes for a template that could not be read. A report
    // leaves out the replacements a template cannot use, each of which takes
    // the word processor a search through the whole document.
    bool mayHold(const QString &placeholder) const;

private:
    QString m_path;
    std::optional<QString> m_text; // the template's texts, markup left out
    std::unique_ptr<QTemporaryFile> m_file;
};

} // namespace zolvaric
