#pragma once

#include "Placeholders.h"

#include "base/Error.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <functional>

namespace zolvaric {

// The blocks of a report template. A part block (\TeilhonorarBeginn\ …
// \TeilhonorarEnde\) repeats what stands between its markers once per
// calculation of the offer; an offer block (\AngebotBeginn\ … \AngebotEnde\)
// keeps it only for an offer of two or more calculations; a VAT block
// (\MwStBeginn\ … \MwStEnde\) repeats it once per VAT rate of the offer. The
// unit that holds a marker (a line, a paragraph, a table row) goes.
enum class BlockKind { Part, Offer, Vat };

struct BlockMarker
{
    BlockKind kind;
    bool begin;

    friend bool operator==(const BlockMarker &, const BlockMarker &) = default;
};

// The template's blocks do not pair up. Not an AutomationError: the word
// processor is never asked, the report stops.
class TemplateBlockError : public Error
{
public:
    using Error::Error;
};

// The markers a text holds, in order, matched without regard to case.
QList<BlockMarker> blockMarkersIn(QStringView text);

// A marker in the unit at `position` (increasing in document order).
struct MarkerUnit
{
    BlockMarker marker;
    qsizetype position;
    std::size_t parent = 0; // a block's two units must have the same parent
    QString place;          // where it stands, for the message ("Zeile 12"); may be empty
};

struct TemplateBlock
{
    BlockKind kind;
    qsizetype begin; // the positions of its marker units
    qsizetype end;
    QList<TemplateBlock> inner;
};

// Pairs the markers, given in document order, into nested blocks. Throws
// TemplateBlockError for a marker without its partner, blocks that cross, a
// part block inside another, a pair with different parents, and a unit with
// more than one marker.
QList<TemplateBlock> pairBlockMarkers(const QList<MarkerUnit> &units);

// A placeholder found in a text: [from, from + length), values[index].
struct PlaceholderMatch
{
    qsizetype from;
    qsizetype length;
    qsizetype index;
};

// The occurrences of the placeholders in the text, left to right without
// overlap, ignoring case; `accept` may turn a stretch down (one holding a
// picture), the search then goes on at its next character.
QList<PlaceholderMatch>
findPlaceholders(QStringView text, const QList<PlaceholderValue> &values,
                 const std::function<bool(qsizetype from, qsizetype to)> &accept = {});

// The text with every placeholder replaced by its value in one pass: a value
// that looks like a placeholder stays as it is.
QString replacedOnce(const QString &text, const QList<PlaceholderValue> &values);

// An optional line of a template holds \Optional\ (any case): it is left out
// when every placeholder it holds gives nothing (an empty text, or a number
// that is zero: "0,00 €", "0,00%", "0"); otherwise it stays without the
// marker. A line holding no placeholder stays. HTML: the template's line;
// Word: the paragraph, or the table row of a marker in a cell.
bool holdsOptionalMarker(QStringView text);
QString withoutOptionalMarker(const QString &text);
QString optionalMarker();

// What the placeholders of an optional line give, from the values given.
enum class OptionalContent { NoPlaceholder, Nothing, Something };
OptionalContent optionalContent(QStringView text, const QList<PlaceholderValue> &values);
// Two looks at one line (its standard placeholders, then its block's).
OptionalContent combined(OptionalContent a, OptionalContent b);

} // namespace zolvaric
