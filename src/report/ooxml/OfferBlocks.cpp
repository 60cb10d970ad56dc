#include "OfferBlocks.h"

#include "OoxmlPackage.h"
#include "OpcParts.h"
#include "ParagraphText.h"
#include "Story.h"
#include "TemplateFile.h"
#include "XmlPart.h"

#include "base/Paths.h"
#include "base/PrivateTempFolder.h"
#include "report/Automation.h"
#include "report/TemplateBlocks.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cstring>

namespace zolvaric {

namespace {

// The unit of a marker's paragraph: the table row when it stands in a cell.
pugi::xml_node markerUnit(const pugi::xml_node &paragraph, const XmlNames &word)
{
    if (!word.is(paragraph.parent(), "tc"))
        return paragraph;
    pugi::xml_node row = paragraph.parent();
    while (row && !word.is(row, "tr"))
        row = row.parent();
    return row ? row : paragraph;
}

bool isInside(const pugi::xml_node &node, const pugi::xml_node &outer)
{
    for (pugi::xml_node up = node.parent(); up; up = up.parent()) {
        if (up == outer)
            return true;
    }
    return false;
}

bool isBlank(const pugi::xml_node &node)
{
    return node.type() == pugi::node_pcdata &&
           std::strspn(node.value(), " \t\r\n") == std::strlen(node.value());
}

class Expansion
{
public:
    Expansion(XmlPart &part, QList<pugi::xml_node> units,
              const QList<QList<PlaceholderValue>> &parts,
              const QList<QList<PlaceholderValue>> &vats, const QList<PlaceholderValue> &fixed)
        : m_part(part), m_word(part.word()), m_units(std::move(units)), m_parts(parts),
          m_vats(vats), m_fixed(fixed)
    {
    }

    // The optional paragraphs (or rows) of a story: left out when their
    // placeholders give nothing from the values (the fixed ones added),
    // otherwise kept without the marker.
    void settleOptional(const pugi::xml_node &root, const QList<PlaceholderValue> &values)
    {
        QList<pugi::xml_node> paragraphs = Story(&m_part, root).paragraphs();
        if (m_word.is(root, "p"))
            paragraphs.prepend(root);
        QList<pugi::xml_node> leftOut;
        for (const pugi::xml_node &paragraph : std::as_const(paragraphs)) {
            ParagraphText text(paragraph, m_word);
            if (!holdsOptionalMarker(text.text()) ||
                std::any_of(leftOut.cbegin(), leftOut.cend(), [&](const pugi::xml_node &unit) {
                    return unit == paragraph || isInside(paragraph, unit);
                }))
                continue;
            // A row counts whole: its placeholders may stand in other cells.
            const pugi::xml_node unit = markerUnit(paragraph, m_word);
            QString unitText = text.text();
            if (unit != paragraph) {
                unitText.clear();
                const Story row(&m_part, unit);
                for (const pugi::xml_node &inRow : row.paragraphs())
                    unitText += ParagraphText(inRow, m_word).text() + QLatin1Char('\n');
            }
            if (optionalContent(unitText, values + m_fixed) == OptionalContent::Nothing) {
                leftOut.append(unit);
                continue;
            }
            QList<ParagraphText::Replacement> markers;
            const QString marker = optionalMarker();
            for (qsizetype at = text.text().indexOf(marker, 0, Qt::CaseInsensitive); at >= 0;
                 at = text.text().indexOf(marker, at + marker.size(), Qt::CaseInsensitive))
                markers.append({at, at + marker.size(), QString()});
            text.replace(markers);
        }
        for (const pugi::xml_node &unit : std::as_const(leftOut))
            unit.parent().remove_child(unit);
    }

    // Inner blocks first: a part block copies what its offer blocks left.
    void expand(const QList<TemplateBlock> &blocks)
    {
        for (const TemplateBlock &block : blocks) {
            const pugi::xml_node begin = m_units[block.begin];
            const pugi::xml_node end = m_units[block.end];
            if (block.kind == BlockKind::Offer && m_parts.size() < 2) {
                pugi::xml_node node = begin;
                while (node != end) {
                    const pugi::xml_node next = node.next_sibling();
                    node.parent().remove_child(node);
                    node = next;
                }
                removeUnit(end);
                continue;
            }
            expand(block.inner);
            const pugi::xml_node first = removeUnit(begin);
            if (block.kind == BlockKind::Part)
                repeat(first, end, m_parts);
            else if (block.kind == BlockKind::Vat)
                repeat(first, end, m_vats);
            removeUnit(end);
        }
    }

private:
    // Removes a marker's unit with the blanks after it (the rest of its line
    // in the file), and a table left without rows; returns what followed.
    pugi::xml_node removeUnit(const pugi::xml_node &unit)
    {
        pugi::xml_node parent = unit.parent();
        pugi::xml_node next = unit.next_sibling();
        if (isBlank(next)) {
            const pugi::xml_node blank = next;
            next = next.next_sibling();
            parent.remove_child(blank);
        }
        parent.remove_child(unit);
        if (m_word.is(parent, "tbl") && !parent.child(m_word.name("tr").c_str()))
            return removeUnit(parent);
        return next;
    }

    // The nodes [first, end) once per calculation (or VAT rate), before
    // `end`; each copy with its values.
    void repeat(const pugi::xml_node &first, const pugi::xml_node &end,
                const QList<QList<PlaceholderValue>> &each)
    {
        QList<pugi::xml_node> content;
        for (pugi::xml_node node = first; node && node != end; node = node.next_sibling())
            content.append(node);
        pugi::xml_node parent = end.parent();
        for (const QList<PlaceholderValue> &values : each) {
            for (const pugi::xml_node &node : std::as_const(content))
                fill(parent.insert_copy_before(node, end), values);
        }
        for (const pugi::xml_node &node : std::as_const(content))
            parent.remove_child(node);
    }

    void fill(const pugi::xml_node &copy, const QList<PlaceholderValue> &values)
    {
        settleOptional(copy, values);
        if (!copy.parent())
            return; // the copy was an optional paragraph or row that gives nothing
        QList<pugi::xml_node> paragraphs = Story(&m_part, copy).paragraphs();
        if (m_word.is(copy, "p"))
            paragraphs.prepend(copy);
        for (const pugi::xml_node &paragraph : std::as_const(paragraphs)) {
            ParagraphText text(paragraph, m_word);
            QList<ParagraphText::Replacement> replacements;
            for (const PlaceholderMatch &match :
                 findPlaceholders(text.text(), values, [&text](qsizetype from, qsizetype to) {
                     return text.isReplaceable(from, to);
                 }))
                replacements.append(
                    {match.from, match.from + match.length, values[match.index].value});
            if (!replacements.isEmpty())
                text.replace(replacements);
        }
    }

    XmlPart &m_part;
    const XmlNames &m_word;
    QList<pugi::xml_node> m_units; // by position
    const QList<QList<PlaceholderValue>> &m_parts;
    const QList<QList<PlaceholderValue>> &m_vats;
    const QList<PlaceholderValue> &m_fixed;
};

} // namespace

namespace {

// The texts of every XML part of the document (main text, headers, footers,
// notes) with the markup taken out, so that a placeholder split over runs
// reads as one.
QString documentTexts(const QByteArray &bytes, const QString &fileName)
{
    static const QRegularExpression markup(QStringLiteral("<[^>]*>"));
    const OoxmlPackage package(bytes, fileName);
    QString texts;
    for (const QString &name : package.partNames()) {
        if (name.startsWith(QLatin1String("word/"), Qt::CaseInsensitive) &&
            name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
            texts += QString::fromUtf8(package.read(name)).remove(markup) + QLatin1Char('\n');
    }
    return texts;
}

} // namespace

std::optional<QByteArray> expandOfferBlocks(const QByteArray &bytes, const QString &fileName,
                                            const QList<QList<PlaceholderValue>> &parts,
                                            const QList<QList<PlaceholderValue>> &vats,
                                            const QList<PlaceholderValue> &fixed)
{
    OoxmlPackage package(bytes, fileName);
    QString mainPart = mainDocumentPart(package);
    if (mainPart.isEmpty())
        mainPart = QStringLiteral("word/document.xml");
    if (!package.contains(mainPart))
        return std::nullopt;
    XmlPart part(mainPart, package.read(mainPart));
    const XmlNames &word = part.word();
    pugi::xml_node body;
    for (const pugi::xml_node &child : part.document().document_element().children()) {
        if (word.is(child, "body"))
            body = child;
    }
    if (!body)
        return std::nullopt;

    QList<MarkerUnit> units;
    QList<pugi::xml_node> nodes;
    QHash<size_t, qsizetype> positions; // by node
    const Story story(&part, body);
    bool optional = false;
    for (const pugi::xml_node &paragraph : story.paragraphs()) {
        const QString text = ParagraphText(paragraph, word).text();
        optional = optional || holdsOptionalMarker(text);
        const QList<BlockMarker> markers = blockMarkersIn(text);
        if (markers.isEmpty())
            continue;
        const pugi::xml_node unit = markerUnit(paragraph, word);
        auto position = positions.constFind(unit.hash_value());
        if (position == positions.constEnd()) {
            position = positions.insert(unit.hash_value(), nodes.size());
            nodes.append(unit);
        }
        for (const BlockMarker &marker : markers)
            units.append({marker, *position, unit.parent().hash_value(), QString()});
    }
    if (units.isEmpty() && !optional)
        return std::nullopt;
    const QList<TemplateBlock> blocks = pairBlockMarkers(units);
    Expansion expansion(part, std::move(nodes), parts, vats, fixed);
    expansion.expand(blocks);
    // What stands outside the blocks, with the values valid anywhere.
    expansion.settleOptional(body, {});
    package.replace(mainPart, part.toBytes());
    return packageBytesAs(package, mainPart, MainPartKind::Template);
}

OfferTemplate::OfferTemplate(const QString &templatePath,
                             const QList<QList<PlaceholderValue>> &parts,
                             const QList<QList<PlaceholderValue>> &vats,
                             const QList<PlaceholderValue> &fixed, const QString &soffice)
    : m_path(templatePath)
{
    std::optional<QByteArray> expanded;
    try {
        const QByteArray package = readTemplatePackage(templatePath, soffice);
        m_text = documentTexts(package, QDir::toNativeSeparators(templatePath));
        expanded =
            expandOfferBlocks(package, QDir::toNativeSeparators(templatePath), parts, vats, fixed);
    } catch (const AutomationError &) {
        // The word processor reads the template itself and says what is wrong.
        return;
    }
    if (!expanded)
        return;
    const QString folder = PrivateTempFolder();
    auto file = std::make_unique<QTemporaryFile>(folder + QStringLiteral("AngebotXXXXXX.dotx"));
    if (folder.isEmpty() || !file->open() || file->write(*expanded) != expanded->size() ||
        !file->flush())
        throw Error(QStringLiteral("Die Vorlage für das Angebot kann im temporären Ordner \"%1\" "
                                   "nicht abgelegt werden.")
                        .arg(QDir::toNativeSeparators(TempFolder())));
    // Closed, so that a word processor on Windows may open it.
    file->close();
    m_path = QDir::toNativeSeparators(file->fileName());
    m_file = std::move(file);
}

bool OfferTemplate::mayHold(const QString &placeholder) const
{
    return !m_text || m_text->contains(placeholder);
}

OfferTemplate::~OfferTemplate() = default;
OfferTemplate::OfferTemplate(OfferTemplate &&) noexcept = default;
OfferTemplate &OfferTemplate::operator=(OfferTemplate &&) noexcept = default;

} // namespace zolvaric
