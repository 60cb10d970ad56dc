#include "Placeholders.h"

#include "base/CurrencyText.h"
#include "base/NumberFormat.h"
#include "calc/Calculation.h"
#include "calc/FeeRate.h"
#include "calc/Offer.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace zolvaric {

namespace {

using F = PlaceholderForm;

// The vocabulary. A row with repeat 9 stands for nine placeholders: %1 runs
// from 1 to 9 in name and source, and the positions count up from base + 1.
struct Row
{
    const char *name;
    const char *source;
    F form;
    int html;
    int word;
    int repeat = 1;
};

constexpr Row kRows[] = {
    {"StammFirma", "edStammFirma", F::Text, 1, 1},
    {"StammZusatz", "edStammZusatz", F::Text, 2, 2},
    {"StammStrasse", "edStammStrasse", F::Text, 3, 3},
    {"StammPLZ", "edStammPLZ", F::Text, 4, 4},
    {"StammOrt", "edStammOrt", F::Text, 5, 5},
    {"StammTelefon", "edStammTelefon", F::Text, 6, 6},
    {"Stammfax", "edStammFax", F::Text, 7, 7},
    {"StammEmail", "edStammEmail", F::Text, 8, 8},
    {"StammInternet", "edStammInternet", F::Text, 9, 9},
    {"Projektbez", "edProjektbez", F::Text, 10, 10},
    {"Projektnr", "edProjektnr", F::Text, 11, 11},
    {"Projektleiter", "edProjektleiter", F::Text, 12, 12},
    {"Bauvorhaben", "edBauvorhaben", F::Text, 13, 13},
    {"Bauort", "edBauort", F::Text, 14, 14},
    {"Bauherrname", "edBauherrname", F::Text, 15, 15},
    {"Bauherrstrasse", "edBauherrStrasse", F::Text, 16, 16},
    {"BauherrPLZ", "edBauherrPLZ", F::Text, 17, 17},
    {"BauherrOrt", "edBauherrOrt", F::Text, 18, 18},
    {"BauherrTelefon", "edBauherrTelefon", F::Text, 19, 19},
    {"HOAINorm", "comboHOAINorm", F::Text, 20, 33},
    {"Honorartyp", "comboHonorarparagraph", F::Text, 21, 34},
    {"Honorarzone", "comboHonorarzone", F::Text, 22, 35},
    {"Honorarsatz", "comboHonorarsatz", F::Rate, 23, 36},
    {"Honorartafel", "comboParagraph", F::Text, 24, 37},
    {"anrechenbareKosten", "edKosten", F::Costs, 25, 38},
    {"K1", "K1", F::Trace, 26, 20},
    {"H1V", "H1V", F::Trace, 27, 21},
    {"H1B", "H1B", F::Trace, 28, 22},
    {"H1", "H1", F::Trace, 29, 23},
    {"K2", "K2", F::Trace, 30, 24},
    {"H2V", "H2V", F::Trace, 31, 25},
    {"H2B", "H2B", F::Trace, 32, 26},
    {"H2", "H2", F::Trace, 33, 27},
    {"D1", "D1", F::Trace, 34, 28},
    {"D2", "D2", F::Trace, 35, 29},
    {"D3", "D3", F::Trace, 36, 30},
    {"Grundhonorar", "Grundhonorar", F::Trace, 37, 31},
    {"LP8Text", "lbLP8Text", F::Phase8, 38, 32},
    {"LP%1HOAI", "lbLP%1", F::Text, 38, 38, 9},
    {"LP%1", "edLP%1", F::Percent, 47, 47, 9},
    {"LPSumme", "edLPSumme", F::Percent, 57, 57},
    {"LP%1EUR", "edLP%1EUR", F::Amount, 57, 57, 9},
    {"LPSummeEUR", "edSummeLPEUR", F::Amount, 67, 67},
    {"ZuschlagAnrechenbareKosten", "edZuschlagAnrechenbareKosten", F::Text, 68, 68},
    {"ZuAnrKostProz", "edZuschlagAnrechenbareKostenProz", F::Percent, 69, 69},
    {"ZuschlagAnrechenbareKostenEUR", "edZuschlagAnrechenbareKostenEUR", F::Amount, 70, 70},
    {"Zeithonorar", "edZeithonorar", F::Amount, 71, 71},
    {"besondereLeistungen", "edBesondereLeistung", F::Amount, 72, 72},
    {"besondereLeistungenZeit", "edBesondereLeistungZeit", F::Amount, 73, 73},
    {"ZuProz", "edZuschlagUmbau", F::Percent, 74, 74},
    {"Umbauzuschlag", "edUmbauzuschlagEUR", F::Amount, 75, 75},
    {"NKProz", "edNebenkosten", F::Percent, 76, 76},
    {"Nebenkosten", "edNebenkostenEUR", F::Amount, 77, 78},
    {"NKZwi", "edZwi", F::Amount, 78, 77},
    {"Nettohonorar", "edNettohonorar", F::Amount, 79, 79},
    {"MwSt", "edMwSt", F::Percent, 80, 80},
    {"MwStEUR", "edMwStEUR", F::Amount, 81, 81},
    {"Bruttohonorar", "edBruttohonorar", F::Amount, 82, 82},
    // Last in both orders: the earlier steps work as they always did.
    {"Hinweise", "warnings", F::Warnings, 83, 83},
    {"HonorarsatzProzent", "edHonorarsatzProz", F::Percent, 84, 84},
    {"Bewertungspunkte", "Bewertungspunkte", F::Points, 85, 85},
    {"LP%1Bezeichnung", "lbLP%1Text", F::PhaseName, 85, 85, 9},
    {"anrechenbareKostenText", "lbKosten", F::BasisCaption, 95, 95},
    {"anrechenbareKostenKurz", "lbKosten", F::BasisName, 96, 96},
};

QList<Placeholder> expandedVocabulary()
{
    QList<Placeholder> list;
    for (const Row &row : kRows) {
        if (row.repeat == 1) {
            list.append({QLatin1Char('\\') + QLatin1String(row.name) + QLatin1Char('\\'),
                         QLatin1String(row.source), row.form, row.html, row.word});
            continue;
        }
        for (int n = 1; n <= row.repeat; ++n) {
            list.append(
                {QLatin1Char('\\') + QString::fromLatin1(row.name).arg(n) + QLatin1Char('\\'),
                 QString::fromLatin1(row.source).arg(n), row.form, row.html + n, row.word + n});
        }
    }
    return list;
}

QList<Placeholder> inOrder(ReportKind kind)
{
    QList<Placeholder> list = expandedVocabulary();
    const auto position = [kind](const Placeholder &p) {
        return kind == ReportKind::Html ? p.htmlPosition : p.wordPosition;
    };
    std::sort(list.begin(), list.end(), [&](const Placeholder &a, const Placeholder &b) {
        return position(a) < position(b);
    });
    return list;
}

double traceValue(const InterpolationTrace &t, const QString &name)
{
    const std::pair<const char *, double> values[] = {
        {"K1", t.K1}, {"H1V", t.H1V}, {"H1B", t.H1B}, {"H1", t.H1},
        {"K2", t.K2}, {"H2V", t.H2V}, {"H2B", t.H2B}, {"H2", t.H2},
        {"D1", t.D1}, {"D2", t.D2},   {"D3", t.D3},   {"Grundhonorar", t.Grundhonorar}};
    for (const auto &[key, value] : values) {
        if (name == QLatin1String(key))
            return value;
    }
    return 0;
}

QString fieldText(const Field *field)
{
    if (const auto *text = dynamic_cast<const TextField *>(field))
        return text->text();
    if (const auto *list = dynamic_cast<const ChoiceField *>(field))
        return list->currentText();
    if (const auto *number = dynamic_cast<const NumericField *>(field))
        return number->text();
    return QString();
}

double fieldValue(const Field *field)
{
    const auto *number = dynamic_cast<const NumericField *>(field);
    return number ? number->value() : 0.0;
}

// "LP8\tObjektüberwachung" becomes "8 Objektüberwachung".
QString phaseEightName(QString caption)
{
    static const QRegularExpression lp(QStringLiteral("lp"),
                                       QRegularExpression::CaseInsensitiveOption);
    caption.remove(lp);
    caption.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return caption;
}

// The trace values in the table's unit: its two keys and their distances.
bool countsTheBasis(const QString &traceName)
{
    return traceName == QLatin1String("K1") || traceName == QLatin1String("K2") ||
           traceName == QLatin1String("D1") || traceName == QLatin1String("D2");
}

// "LP5\tName" → "5 Name", "TL a\tName" → "TL a Name".
QString phaseName(QString caption)
{
    if (caption.startsWith(QLatin1String("LP")))
        caption.remove(0, 2);
    caption.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return caption;
}

} // namespace

const QList<Placeholder> &placeholders(ReportKind kind)
{
    static const QList<Placeholder> html = inOrder(ReportKind::Html);
    static const QList<Placeholder> word = inOrder(ReportKind::Word);
    return kind == ReportKind::Html ? html : word;
}

QString placeholderValue(const Placeholder &placeholder, const Calculation &calculation)
{
    const CalculationSheet &sheet = calculation.sheet();
    const RegionalSettings &settings = sheet.settings();
    if (placeholder.form == F::Trace) {
        const double value = traceValue(calculation.trace(), placeholder.source);
        if (sheet.basisUnit() != BasisUnit::Euro && countsTheBasis(placeholder.source))
            return sheet.basisText(value);
        return formatCurrency(value, settings);
    }
    if (placeholder.form == F::BasisName)
        return CalculationSheet::basisName(sheet.basisUnit());
    if (placeholder.form == F::Warnings)
        return calculation.warnings().join(QLatin1Char('\n'));
    if (placeholder.form == F::Rate)
        return rateText(sheet);
    if (placeholder.form == F::Points) {
        const QList<int> &points = calculation.zonePoints();
        return points.isEmpty() ? QString() : QString::number(pointSum(points));
    }
    const Field *field = sheet.field(placeholder.source);
    switch (placeholder.form) {
    case F::Text:
        return fieldText(field);
    case F::Amount:
        return NumberFormat::amount().format(fieldValue(field), settings);
    case F::Percent:
        return NumberFormat::percent().format(fieldValue(field), settings);
    case F::Costs:
        return static_cast<const NumericField *>(field)->displayText();
    case F::Phase8:
        return phaseEightName(fieldText(field));
    case F::PhaseName:
        return phaseName(fieldText(field));
    case F::BasisCaption:
        return fieldText(field).remove(QLatin1String(" :"));
    case F::Trace:
    case F::Warnings:
    case F::Rate:
    case F::Points:
    case F::BasisName:
        break;
    }
    return QString();
}

bool namesMissingPhase(const QString &line, const Calculation &calculation)
{
    if (!line.contains(QLatin1String("Bezeichnung\\"), Qt::CaseInsensitive))
        return false;
    const CalculationSheet &sheet = calculation.sheet();
    for (const Placeholder &placeholder : placeholders(ReportKind::Html)) {
        if (placeholder.form == F::PhaseName &&
            line.contains(placeholder.text, Qt::CaseInsensitive) &&
            fieldText(sheet.field(placeholder.source)).isEmpty()) {
            return true;
        }
    }
    return false;
}

QList<PlaceholderValue> partPlaceholders(const PartSummary &part, const RegionalSettings &settings)
{
    const NumberFormat &amount = NumberFormat::amount();
    // The texts as the offer's list shows them; the fees in the formats of
    // their single-calculation counterparts (\Grundhonorar\, \LPSummeEUR\).
    return {
        {QStringLiteral("\\Teil.Bezeichnung\\"), part.title},
        {QStringLiteral("\\Teil.Honorartyp\\"), part.kind},
        {QStringLiteral("\\Teil.Honorarzone\\"), part.zone},
        {QStringLiteral("\\Teil.Honorarsatz\\"), part.rate},
        {QStringLiteral("\\Teil.anrechenbareKosten\\"), part.basis},
        {QStringLiteral("\\Teil.Grundhonorar\\"), formatCurrency(part.fullFee, settings)},
        {QStringLiteral("\\Teil.LPSummeEUR\\"), amount.format(part.offeredFee, settings)},
        {QStringLiteral("\\Teil.Wiederholung\\"), QString::number(part.repetition)},
        {QStringLiteral("\\Teil.Nettohonorar\\"), amount.format(part.net, settings)},
    };
}

QList<PlaceholderValue> offerTotalPlaceholders(const OfferTotals &totals,
                                               const RegionalSettings &settings)
{
    const NumberFormat &amount = NumberFormat::amount();
    return {
        {QStringLiteral("\\AngebotNetto\\"), amount.format(totals.net, settings)},
        {QStringLiteral("\\AngebotMwStEUR\\"), amount.format(totals.vat, settings)},
        {QStringLiteral("\\AngebotBrutto\\"), amount.format(totals.gross, settings)},
    };
}

QList<PlaceholderValue> vatPlaceholders(const OfferTotals &totals, qsizetype rate,
                                        const RegionalSettings &settings)
{
    const OfferTotals::Vat &vat = totals.byRate.at(rate);
    return {
        {QStringLiteral("\\MwSt.Satz\\"), NumberFormat::percent().format(vat.rate, settings)},
        {QStringLiteral("\\MwSt.Netto\\"), NumberFormat::amount().format(vat.net, settings)},
        {QStringLiteral("\\MwSt.Betrag\\"), NumberFormat::amount().format(vat.amount, settings)},
    };
}

QString defaultPaymentTerms()
{
    return QStringLiteral(
        "Abschlagszahlungen können für erbrachte Leistungen entsprechend § 632a BGB verlangt "
        "werden (§ 15 Satz 2 HOAI). Das Honorar wird nach Abnahme der Leistungen und Übergabe "
        "einer prüffähigen Schlussrechnung fällig (§ 15 Satz 1 HOAI, § 650g Abs. 4 BGB).");
}

QList<PlaceholderValue> letterPlaceholders(const CalculationSheet &sheet,
                                           const QString &settingsFile, const QDate &today)
{
    const QString dateFormat = QStringLiteral("dd.MM.yyyy");
    const auto dateOf = [&](const TextField &field) {
        return QDate::fromString(field.text(), dateFormat);
    };
    const QDate issued =
        dateOf(sheet.edAngebotsdatum).isValid() ? dateOf(sheet.edAngebotsdatum) : today;
    QDate validUntil = dateOf(sheet.edAngebotGueltigBis);
    if (!validUntil.isValid()) {
        bool ok = false;
        const int weeks = sheet.edStammGueltigkeitWochen.text().trimmed().toInt(&ok);
        validUntil = issued.addDays(7 * (ok && weeks > 0 && weeks <= 520 ? weeks : 4));
    }
    const auto orElse = [](const QString &text, const QString &fallback) {
        return text.trimmed().isEmpty() ? fallback : text;
    };
    QList<PlaceholderValue> values = {
        {QStringLiteral("\\Angebotsnummer\\"), sheet.edAngebotsnummer.text()},
        {QStringLiteral("\\Angebotsdatum\\"), issued.toString(dateFormat)},
        {QStringLiteral("\\AngebotGueltigBis\\"), validUntil.toString(dateFormat)},
        {QStringLiteral("\\Anrede\\"),
         orElse(sheet.edAnrede.text(), QStringLiteral("Sehr geehrte Damen und Herren,"))},
        {QStringLiteral("\\Leistungsumfang\\"), sheet.edLeistungsumfang.text()},
        {QStringLiteral("\\Zahlungsbedingungen\\"),
         orElse(sheet.edZahlungsbedingungen.text(),
                orElse(sheet.edStammZahlungsbedingungen.text(), defaultPaymentTerms()))},
    };
    const std::pair<const char *, const TextField *> office[] = {
        {"Steuernummer", &sheet.edStammSteuernummer},
        {"UStIdNr", &sheet.edStammUStIdNr},
        {"IBAN", &sheet.edStammIBAN},
        {"BIC", &sheet.edStammBIC},
        {"Bank", &sheet.edStammBank},
        {"Kammer", &sheet.edStammKammer},
        {"Ansprechpartner", &sheet.edStammAnsprechpartner},
        {"Unterzeichner", &sheet.edStammUnterzeichner},
        {"Unterzeichner_Funktion", &sheet.edStammUnterzeichnerFunktion},
        {"Logo", &sheet.edStammLogo},
        {"Angebot_Gueltigkeit_Wochen", &sheet.edStammGueltigkeitWochen},
        {"Zahlungsbedingungen", &sheet.edStammZahlungsbedingungen},
    };
    for (const auto &[key, field] : office) {
        QString value = field->text();
        if (field == &sheet.edStammLogo && !value.trimmed().isEmpty())
            value = QDir::toNativeSeparators(
                QFileInfo(settingsFile).dir().absoluteFilePath(QDir::fromNativeSeparators(value)));
        values.append({QStringLiteral("\\Stamm%1\\").arg(QLatin1String(key)), value});
    }
    return values;
}

} // namespace zolvaric
