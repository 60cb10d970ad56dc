#include "HtmlReport.h"

#include "Placeholders.h"
#include "ReportBusyState.h"
#include "ReportOutput.h"
#include "ReportProgress.h"
#include "TemplateBlocks.h"

#include "base/Cp1252.h"
#include "base/Desktop.h"
#include "base/Error.h"
#include "base/FileErrorText.h"
#include "base/Paths.h"
#include "base/PrivateTempFolder.h"
#include "base/ProgramRun.h"
#include "base/TextLines.h"
#include "calc/Calculation.h"
#include "calc/Offer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace zolvaric {

void ReplaceInStringList(QStringList &lines, const QString &placeholder, const QString &value)
{
    if (value == placeholder || placeholder.isEmpty())
        return;
    // Candidates start with the placeholder's first character (a backslash):
    // a fast look for it, then a case-insensitive compare of that stretch,
    // finds the same occurrences as a case-insensitive search of the line.
    const QChar first = placeholder.front();
    const qsizetype length = placeholder.size();
    const auto occurrence = [&](const QString &line, qsizetype from) {
        for (qsizetype at = line.indexOf(first, from); at >= 0 && at + length <= line.size();
             at = line.indexOf(first, at + 1)) {
            if (QStringView(line).sliced(at, length).compare(placeholder, Qt::CaseInsensitive) == 0)
                return at;
        }
        return qsizetype(-1);
    };
    for (QString &line : lines) {
        qsizetype found = occurrence(line, 0);
        if (found < 0)
            continue;
        QString result;
        qsizetype from = 0;
        while (found >= 0) {
            result += QStringView(line).sliced(from, found - from);
            result += value;
            from = found + length;
            found = occurrence(line, from);
        }
        result += QStringView(line).sliced(from);
        line = std::move(result);
    }
}

QStringList readHtmlTemplate(const QString &path)
{
    // A template is a regular file of a size an office writes: a pipe would
    // be waited for, a huge file read whole.
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || info.size() > kMaxHtmlTemplateBytes))
        throw Error(QStringLiteral("Die Vorlage ist zu groß oder beschädigt."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("Die Vorlagedatei \"%1\" kann nicht gelesen werden: %2")
                        .arg(QDir::toNativeSeparators(path), fileErrorText(file)));
    }
    QByteArray bytes = file.read(kMaxHtmlTemplateBytes + 1);
    if (bytes.size() > kMaxHtmlTemplateBytes)
        throw Error(QStringLiteral("Die Vorlage ist zu groß oder beschädigt."));
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    const QString text = decodeCp1252(bytes);
    QStringList lines;
    for (const TextLine &line : splitTextLines(text))
        lines.append(line.text.toString());
    return lines;
}

QString htmlEscaped(const QString &value)
{
    return value.toHtmlEscaped();
}

QString htmlWarnings(const QStringList &warnings)
{
    QStringList escaped;
    for (const QString &warning : warnings)
        escaped << htmlEscaped(warning);
    return escaped.join(QLatin1String("<br>"));
}

namespace {

QString htmlValue(const Placeholder &placeholder, const Calculation &calculation)
{
    if (placeholder.form == PlaceholderForm::Warnings)
        return htmlWarnings(calculation.warnings());
    return htmlEscaped(placeholderValue(placeholder, calculation));
}

// A text of several lines keeps them on the page.
QList<PlaceholderValue> escaped(QList<PlaceholderValue> values)
{
    for (PlaceholderValue &value : values)
        value.value = htmlEscaped(value.value).replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return values;
}

// The page's lines from the template's lines, whose standard placeholders are
// filled: the blocks expanded, the lines of missing phases and the marker
// lines left out, and the offer's placeholders filled in one pass, so that a
// title the user typed is never searched for them.
class BlockExpansion
{
public:
    // `optional`: per line, what its standard placeholders gave when it is an
    // optional line; nullopt for every other line.
    BlockExpansion(const Offer &offer, const QStringList &lines, const QList<bool> &dropped,
                   const QList<std::optional<OptionalContent>> &optional)
        : m_lines(lines), m_dropped(dropped), m_optional(optional)
    {
        const Calculation &calculation = offer.calculation();
        const RegionalSettings &settings = calculation.sheet().settings();
        m_totals = escaped(offerTotalPlaceholders(offer.totals(), settings) +
                           letterPlaceholders(calculation.sheet(), calculation.run().settingsFile,
                                              QDate::currentDate()));
        for (int i = 0; i < offer.count(); ++i)
            m_parts.append(escaped(partPlaceholders(offer.summary(i), settings)) + m_totals);
        const OfferTotals totals = offer.totals();
        for (qsizetype i = 0; i < totals.byRate.size(); ++i)
            m_vats.append(escaped(vatPlaceholders(totals, i, settings)) + m_totals);
    }

    QStringList expand(const QList<TemplateBlock> &blocks)
    {
        expandRange(0, m_lines.size(), blocks, m_totals);
        return std::move(m_page);
    }

private:
    void expandRange(qsizetype from, qsizetype to, const QList<TemplateBlock> &blocks,
                     const QList<PlaceholderValue> &values)
    {
        for (const TemplateBlock &block : blocks) {
            copyLines(from, block.begin, values);
            if (block.kind == BlockKind::Part || block.kind == BlockKind::Vat) {
                for (const QList<PlaceholderValue> &each :
                     std::as_const(block.kind == BlockKind::Part ? m_parts : m_vats))
                    expandRange(block.begin + 1, block.end, block.inner, each);
            } else if (m_parts.size() >= 2) {
                expandRange(block.begin + 1, block.end, block.inner, values);
            }
            from = block.end + 1;
        }
        copyLines(from, to, values);
    }

    void copyLines(qsizetype from, qsizetype to, const QList<PlaceholderValue> &values)
    {
        for (qsizetype i = from; i < to; ++i) {
            if (m_dropped[i])
                continue;
            if (m_optional[i] && combined(*m_optional[i], optionalContent(m_lines[i], values)) ==
                                     OptionalContent::Nothing)
                continue;
            m_page.append(replacedOnce(m_lines[i], values));
        }
    }

    const QStringList &m_lines;
    const QList<bool> &m_dropped;
    const QList<std::optional<OptionalContent>> &m_optional;
    QList<PlaceholderValue> m_totals;       // the offer's totals and letter data
    QList<QList<PlaceholderValue>> m_parts; // each with the totals
    QList<QList<PlaceholderValue>> m_vats;  // each rate's, with the totals
    QStringList m_page;
};

} // namespace

QByteArray renderHtmlReport(const Offer &offer, QStringList lines, ReportProgress &progress)
{
    const Calculation &calculation = offer.calculation();
    // The blocks as the template has them, before a value could add a marker,
    // and checked before any work. The rows of phases the kind of work lacks
    // are picked before anything is filled.
    QList<MarkerUnit> units;
    QList<bool> dropped(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        for (const BlockMarker &marker : blockMarkersIn(lines[i]))
            units.append({marker, i, 0, QStringLiteral("Zeile %1").arg(i + 1)});
        dropped[i] = namesMissingPhase(lines[i], calculation);
    }
    for (const MarkerUnit &unit : std::as_const(units))
        dropped[unit.position] = true;
    const QList<TemplateBlock> blocks = pairBlockMarkers(units);
    // Optional lines: what their standard placeholders give is known now,
    // before they are replaced; their block's values come with each copy.
    QList<std::optional<OptionalContent>> optional(lines.size());
    QList<PlaceholderValue> standard;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!holdsOptionalMarker(lines[i]))
            continue;
        if (standard.isEmpty()) {
            for (const Placeholder &placeholder : placeholders(ReportKind::Html))
                standard.append({placeholder.text, placeholderValue(placeholder, calculation)});
        }
        lines[i] = withoutOptionalMarker(lines[i]);
        optional[i] = optionalContent(lines[i], standard);
    }
    // Only a line with a placeholder's first character can hold one, now or
    // after a replacement (a value goes in only where a placeholder was): the
    // passes go over those lines alone.
    const QList<Placeholder> &vocabulary = placeholders(ReportKind::Html);
    QString firstCharacters;
    for (const Placeholder &placeholder : vocabulary) {
        if (!placeholder.text.isEmpty() && !firstCharacters.contains(placeholder.text.front()))
            firstCharacters += placeholder.text.front();
    }
    QList<qsizetype> candidates;
    QStringList candidateLines;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (std::any_of(firstCharacters.cbegin(), firstCharacters.cend(),
                        [&](QChar c) { return lines[i].contains(c); })) {
            candidates.append(i);
            candidateLines.append(lines[i]);
        }
    }
    for (const Placeholder &placeholder : vocabulary) {
        ReplaceInStringList(candidateLines, placeholder.text, htmlValue(placeholder, calculation));
        progress.advance();
    }
    for (qsizetype k = 0; k < candidates.size(); ++k)
        lines[candidates[k]] = std::move(candidateLines[k]);
    lines = BlockExpansion(offer, lines, dropped, optional).expand(blocks);
    qsizetype size = 0;
    for (const QString &line : std::as_const(lines))
        size += line.size() + 2;
    QByteArray page;
    page.reserve(size);
    for (const QString &line : std::as_const(lines)) {
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line[i];
            if (const auto byte = cp1252Byte(c)) {
                page += *byte;
                continue;
            }
            // A character Windows-1252 lacks is written as a reference.
            char32_t codePoint = c.unicode();
            if (c.isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate())
                codePoint = QChar::surrogateToUcs4(c, line[++i]);
            page += "&#" + QByteArray::number(static_cast<uint>(codePoint)) + ';';
        }
        page += "\r\n";
    }
    return page;
}

WriteResult writeHtmlReport(const Offer &offer, const QString &templatePath,
                            const QString &outputPath, ReportProgress &progress)
{
    return writeFileAtomically(outputPath,
                               renderHtmlReport(offer, readHtmlTemplate(templatePath), progress));
}

QString htmlReportPath()
{
    const QString folder = PrivateTempFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("Zolvaric.htm");
}

QString htmlTemplatePath(const ProgramRun &run)
{
    return run.programDir + QStringLiteral("Zolvaric_Vorlage.htm");
}

bool PrintHonorarHTML(const Offer &offer, ProgramRun &run, Desktop &desktop,
                      ReportProgress &progress)
{
    const int steps = static_cast<int>(placeholders(ReportKind::Html).size());
    progress.prepare(reportWaitMessage(), steps);
    const QString templatePath = htmlTemplatePath(run);
    if (const auto unusable = unusableTemplateReason(templatePath)) {
        desktop.NotifyBox(*unusable + QStringLiteral(" Vorgang wird abgebrochen."),
                          QCoreApplication::applicationName());
        return false;
    }
    QStringList lines;
    try {
        lines = readHtmlTemplate(templatePath);
    } catch (const Error &error) {
        desktop.errorBox(error.message());
        return false;
    }

    QString outputPath;
    {
        const ReportBusyState busy(run, progress);
        outputPath = htmlReportPath();
        if (outputPath.isEmpty()) {
            desktop.errorBox(QStringLiteral("Für den Bericht kann im temporären Ordner \"%1\" "
                                            "kein eigener Ordner angelegt werden.")
                                 .arg(TempFolder()));
            return false;
        }
        QByteArray page;
        try {
            page = renderHtmlReport(offer, std::move(lines), progress);
        } catch (const Error &error) {
            desktop.errorBox(error.message());
            return false;
        }
        // Nobody else may enter the folder; a link there is still not followed.
        const WriteResult written = writeFileAtomically(outputPath, page, LinkPolicy::Refuse);
        if (!written) {
            desktop.errorBox(
                QStringLiteral("Der Bericht \"%1\" konnte nicht geschrieben werden: %2")
                    .arg(QDir::toNativeSeparators(outputPath), written.error));
            return false;
        }
    }
    // Opened after the wait window has gone: a message that nothing opens it
    // is then in front.
    openReport(desktop, outputPath, QStringLiteral("einem Webbrowser"));
    return true;
}

} // namespace zolvaric
