#include "TemplateBlocks.h"

#include <QHash>

namespace zolvaric {

namespace {

struct MarkerText
{
    BlockMarker marker;
    const char16_t *text;
};

constexpr MarkerText kMarkers[] = {
    {{BlockKind::Part, true}, u"\\TeilhonorarBeginn\\"},
    {{BlockKind::Part, false}, u"\\TeilhonorarEnde\\"},
    {{BlockKind::Offer, true}, u"\\AngebotBeginn\\"},
    {{BlockKind::Offer, false}, u"\\AngebotEnde\\"},
    {{BlockKind::Vat, true}, u"\\MwStBeginn\\"},
    {{BlockKind::Vat, false}, u"\\MwStEnde\\"},
};

// Blocks that repeat their content for each of a list.
bool repeats(BlockKind kind)
{
    return kind == BlockKind::Part || kind == BlockKind::Vat;
}

QString markerText(const BlockMarker &marker)
{
    for (const MarkerText &known : kMarkers) {
        if (known.marker == marker)
            return QString::fromUtf16(known.text);
    }
    return QString();
}

QString partnerText(const BlockMarker &marker)
{
    return markerText({marker.kind, !marker.begin});
}

TemplateBlockError blockError(const QString &what, const MarkerUnit &unit)
{
    return TemplateBlockError(QStringLiteral("Die Vorlage ist fehlerhaft: %1%2")
                                  .arg(what, unit.place.isEmpty()
                                                 ? QStringLiteral(".")
                                                 : QStringLiteral(" (%1).").arg(unit.place)));
}

struct Open
{
    MarkerUnit unit;
    QList<TemplateBlock> inner;
};

} // namespace

QList<BlockMarker> blockMarkersIn(QStringView text)
{
    QList<BlockMarker> found;
    for (qsizetype at = text.indexOf(u'\\'); at >= 0; at = text.indexOf(u'\\', at + 1)) {
        for (const MarkerText &known : kMarkers) {
            const QStringView marker(known.text);
            if (text.sliced(at).startsWith(marker, Qt::CaseInsensitive)) {
                found.append(known.marker);
                at += marker.size() - 1;
                break;
            }
        }
    }
    return found;
}

QList<TemplateBlock> pairBlockMarkers(const QList<MarkerUnit> &units)
{
    QList<Open> open{{MarkerUnit{}, {}}}; // the bottom holds the outermost blocks
    QHash<qsizetype, BlockMarker> seen;   // by position
    for (const MarkerUnit &unit : units) {
        if (const auto other = seen.constFind(unit.position); other != seen.constEnd()) {
            throw blockError(QStringLiteral("\"%1\" und \"%2\" stehen in derselben Zeile; jede "
                                            "Marke braucht eine Zeile (in Word einen Absatz "
                                            "oder eine Tabellenzeile) für sich")
                                 .arg(markerText(*other), markerText(unit.marker)),
                             unit);
        }
        seen.insert(unit.position, unit.marker);
        const BlockMarker &marker = unit.marker;
        if (marker.begin) {
            if (repeats(marker.kind)) {
                for (qsizetype k = 1; k < open.size(); ++k) {
                    const BlockKind outer = open[k].unit.marker.kind;
                    if (outer == BlockKind::Part && marker.kind == BlockKind::Part)
                        throw blockError(
                            QStringLiteral("\"%1\" steht in einem anderen Teilhonorar-Block; "
                                           "diese Blöcke lassen sich nicht ineinander setzen")
                                .arg(markerText(marker)),
                            unit);
                    if (repeats(outer))
                        throw blockError(
                            QStringLiteral("\"%1\" steht in einem Block von \"%2\"; "
                                           "Teilhonorar- und MwSt-Blöcke lassen sich nicht "
                                           "ineinander setzen")
                                .arg(markerText(marker), markerText(open[k].unit.marker)),
                            unit);
                }
            }
            open.append({unit, {}});
            continue;
        }
        if (open.size() == 1)
            throw blockError(QStringLiteral("\"%1\" steht ohne vorangehendes \"%2\"")
                                 .arg(markerText(marker), partnerText(marker)),
                             unit);
        const Open &innermost = open.last();
        if (innermost.unit.marker.kind != marker.kind)
            throw blockError(QStringLiteral("\"%1\" schließt den Block von \"%2\" nicht ab; "
                                            "Blöcke dürfen sich nicht überschneiden")
                                 .arg(markerText(marker), markerText(innermost.unit.marker)),
                             unit);
        if (innermost.unit.parent != unit.parent)
            throw blockError(QStringLiteral("\"%1\" und \"%2\" stehen nicht auf derselben "
                                            "Ebene (etwa das eine in einer Tabelle, das andere "
                                            "außerhalb)")
                                 .arg(markerText(innermost.unit.marker), markerText(marker)),
                             unit);
        TemplateBlock block{marker.kind, innermost.unit.position, unit.position, innermost.inner};
        open.removeLast();
        open.last().inner.append(std::move(block));
    }
    if (open.size() > 1) {
        const MarkerUnit &unit = open.last().unit;
        throw blockError(QStringLiteral("Zu \"%1\" fehlt \"%2\"")
                             .arg(markerText(unit.marker), partnerText(unit.marker)),
                         unit);
    }
    return open.first().inner;
}

QList<PlaceholderMatch> findPlaceholders(QStringView text, const QList<PlaceholderValue> &values,
                                         const std::function<bool(qsizetype, qsizetype)> &accept)
{
    QList<PlaceholderMatch> matches;
    qsizetype at = text.indexOf(u'\\');
    while (at >= 0) {
        qsizetype next = at + 1;
        for (qsizetype index = 0; index < values.size(); ++index) {
            const QString &placeholder = values[index].text;
            if (!text.sliced(at).startsWith(placeholder, Qt::CaseInsensitive) ||
                (accept && !accept(at, at + placeholder.size())))
                continue;
            matches.append({at, placeholder.size(), index});
            next = at + placeholder.size();
            break;
        }
        at = text.indexOf(u'\\', next);
    }
    return matches;
}

namespace {

// Empty, or a number that is zero as the reports write numbers.
bool givesNothing(QStringView value)
{
    QString number = value.toString();
    number.remove(QChar(0x20AC)).remove(QLatin1Char('%')).remove(QLatin1Char('.'));
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    number = number.trimmed();
    if (number.isEmpty())
        return true;
    bool ok = false;
    const double parsed = number.toDouble(&ok);
    return ok && parsed == 0;
}

} // namespace

QString optionalMarker()
{
    return QStringLiteral("\\Optional\\");
}

bool holdsOptionalMarker(QStringView text)
{
    return text.contains(optionalMarker(), Qt::CaseInsensitive);
}

QString withoutOptionalMarker(const QString &text)
{
    return QString(text).remove(optionalMarker(), Qt::CaseInsensitive);
}

OptionalContent optionalContent(QStringView text, const QList<PlaceholderValue> &values)
{
    const QList<PlaceholderMatch> matches = findPlaceholders(text, values);
    if (matches.isEmpty())
        return OptionalContent::NoPlaceholder;
    for (const PlaceholderMatch &match : matches) {
        if (!givesNothing(values[match.index].value))
            return OptionalContent::Something;
    }
    return OptionalContent::Nothing;
}

OptionalContent combined(OptionalContent a, OptionalContent b)
{
    if (a == OptionalContent::Something || b == OptionalContent::Something)
        return OptionalContent::Something;
    if (a == OptionalContent::Nothing || b == OptionalContent::Nothing)
        return OptionalContent::Nothing;
    return OptionalContent::NoPlaceholder;
}

QString replacedOnce(const QString &text, const QList<PlaceholderValue> &values)
{
    const QList<PlaceholderMatch> matches = findPlaceholders(text, values);
    if (matches.isEmpty())
        return text;
    QString result;
    qsizetype from = 0;
    for (const PlaceholderMatch &match : matches) {
        result += QStringView(text).sliced(from, match.from - from);
        result += values[match.index].value;
        from = match.from + match.length;
    }
    result += QStringView(text).sliced(from);
    return result;
}

} // namespace zolvaric
