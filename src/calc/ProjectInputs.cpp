#include "ProjectInputs.h"

#include "Calculation.h"
#include "FeeRate.h"
#include "KindsOfWork.h"
#include "Repetition.h"

#include "base/NumberText.h"
#include "base/TextLines.h"

#include <QDate>

#include <array>
#include <cmath>

namespace zolvaric {

namespace {

using K = ProjectKey;

constexpr std::array<ProjectKey, 42> kKeys = {{
    {"Projektbezeichnung", "edProjektbez", K::Text, ""},
    {"Projektnummer", "edProjektnr", K::Text, ""},
    {"Projektleiter", "edProjektleiter", K::Text, ""},
    {"Bauvorhaben", "edBauvorhaben", K::Text, ""},
    {"Bauort", "edBauort", K::Text, ""},
    {"Bauherr", "edBauherrname", K::Text, ""},
    {"Strasse", "edBauherrStrasse", K::Text, ""},
    {"PLZ", "edBauherrPLZ", K::Text, ""},
    {"Ort", "edBauherrOrt", K::Text, ""},
    {"Telefon", "edBauherrTelefon", K::Text, ""},
    {"Angebotsnummer", "edAngebotsnummer", K::OptionalText, ""},
    {"Angebotsdatum", "edAngebotsdatum", K::Date, ""},
    {"Angebot_gueltig_bis", "edAngebotGueltigBis", K::Date, ""},
    {"Anrede", "edAnrede", K::OptionalText, ""},
    {"Leistungsumfang", "edLeistungsumfang", K::Lines, ""},
    {"Zahlungsbedingungen", "edZahlungsbedingungen", K::Lines, ""},
    {"HOAI_nach", "comboHOAINorm", K::Index, "0"},
    {"Honorarberechnung_fuer", "comboHonorarparagraph", K::Index, "0"},
    {"Honorarzone", "comboHonorarzone", K::Index, "0"},
    {"Honorarsatz", "comboHonorarsatz", K::Index, "0"},
    {"Anrechenbare_Kosten", "edKosten", K::Number, "0"},
    {"LP1", "edLP1", K::Number, "0"},
    {"LP2", "edLP2", K::Number, "0"},
    {"LP3", "edLP3", K::Number, "0"},
    {"LP4", "edLP4", K::Number, "0"},
    {"LP5", "edLP5", K::Number, "0"},
    {"LP6", "edLP6", K::Number, "0"},
    {"LP7", "edLP7", K::Number, "0"},
    {"LP8", "edLP8", K::Number, "0"},
    {"LP9", "edLP9", K::Number, "0"},
    {"ZuschlagAnrechenbareKosten_Text", "edZuschlagAnrechenbareKosten", K::Text, ""},
    {"ZuschlagAnrechenbareKosten_Prozent", "edZuschlagAnrechenbareKostenProz", K::Number, "0"},
    {"Zeithonorar", "edZeithonorar", K::Number, "0"},
    {"Besondere_Leistung", "edBesondereLeistung", K::Number, "0"},
    {"Besondere_Leistung_Zeit", "edBesondereLeistungZeit", K::Number, "0"},
    {"Zuschlag_Umbau", "edZuschlagUmbau", K::Number, "0"},
    {"Nebenkosten", "edNebenkosten", K::Number, "0"},
    {"MwSt", "edMwSt", K::Number, "16"},
    // Without the key a free rate is the span's lowest fee, as without an
    // agreement (HOAI 2021 § 7 Abs. 1).
    {"Honorarsatz_Prozent", "edHonorarsatzProz", K::Rate, "0"},
    {"Bewertungspunkte", "", K::Points, ""},
    {"Bezeichnung", "edBezeichnung", K::Title, ""},
    {"Wiederholung", "edWiederholung", K::Repetition, "0"},
}};

constexpr std::size_t kEditionKey = 16;
constexpr std::size_t kKindKey = 17;
constexpr std::size_t kCostsKey = 20;
constexpr std::size_t kFirstShareKey = 21;
constexpr std::size_t kPointsKey = 39;

int checkedIndex(const ProjectKey &key, const QString &text, qsizetype itemCount)
{
    const auto index = tryParseInt(text);
    if (!index)
        throw InputError(QStringLiteral("%1: '%2' ist kein gültiger Integerwert")
                             .arg(QLatin1String(key.key), quotedValue(text)));
    if (*index < 0 || *index >= itemCount) {
        throw InputError(QStringLiteral("Der Wert %1 für \"%2\" liegt außerhalb der Auswahl "
                                        "(0 bis %3).")
                             .arg(*index)
                             .arg(QLatin1String(key.key))
                             .arg(itemCount - 1));
    }
    return *index;
}

// The text's error with the key in front, as every check names its key.
template <typename Check> auto namingKey(const ProjectKey &key, Check &&check)
{
    try {
        return check();
    } catch (const InputError &error) {
        throw InputError(QLatin1String(key.key) + QStringLiteral(": ") + error.message());
    }
}

// A zone the kind's fee table lacks would compute nothing.
void checkZone(const ProjectKey &key, int index, int zones)
{
    if (index >= zones) {
        throw InputError(
            QStringLiteral("%1: Der Wert %2 wählt die Honorarzone %3; die Honorartafel "
                           "dieser Leistung kennt nur die Honorarzonen 1 bis %4.")
                .arg(QLatin1String(key.key))
                .arg(index)
                .arg(index + 1)
                .arg(zones));
    }
}

// A date as the program writes it, TT.MM.JJJJ; empty for none.
QString checkedDate(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QString();
    const QDate date = QDate::fromString(trimmed, QStringLiteral("d.M.yyyy"));
    if (!date.isValid())
        throw InputError(
            QStringLiteral("'%1' ist kein gültiges Datum (TT.MM.JJJJ)").arg(quotedValue(text)));
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

int checkedRepetition(const QString &text)
{
    const auto number = tryParseInt(text.trimmed());
    if (!number || *number < 0)
        throw InputError(QStringLiteral("'%1' ist keine ganze Zahl ab 0").arg(quotedValue(text)));
    return *number;
}

void applyValue(CalculationSheet &sheet, const ProjectKey &key, const QString &text)
{
    Field *field = fieldOf(sheet, key);
    switch (key.kind) {
    case K::Repetition:
        static_cast<NumericField *>(field)->setValue(
            namingKey(key, [&] { return checkedRepetition(text); }));
        break;
    case K::Title:
    case K::Text:
    case K::OptionalText:
        static_cast<TextField *>(field)->setText(text);
        break;
    case K::Lines:
        static_cast<TextField *>(field)->setText(linesOfOneLineText(text));
        break;
    case K::Date:
        static_cast<TextField *>(field)->setText(namingKey(key, [&] { return checkedDate(text); }));
        break;
    case K::Index: {
        auto *list = static_cast<ChoiceField *>(field);
        list->setIndex(checkedIndex(key, text, list->items().size()));
        break;
    }
    case K::Number:
    case K::Rate:
        static_cast<NumericField *>(field)->setValue(
            parseProjectNumber(text, sheet.settings().decimalSeparator));
        break;
    case K::Points:
        break;
    }
}

// The number of kinds of work of an edition's work-phase table.
qsizetype kindCount(Calculation &calculation, int editionIndex)
{
    const int tableEdition = FeeSelection::tableEditionOf(editionIndex);
    const TableInfo *table = workPhaseTable(tableEdition);
    return table ? kindCount(*calculation.tables().load(*table), tableEdition) : 0;
}

// The zones of the fee table of a kind of work of an edition's list; 5 where
// it has none (the calculation says so).
int zoneCount(Calculation &calculation, int editionIndex, int kindIndex)
{
    const int tableEdition = FeeSelection::tableEditionOf(editionIndex);
    const TableInfo *table = workPhaseTable(tableEdition);
    if (!table)
        return 5;
    const KindOfWork kind = kindOfWork(*calculation.tables().load(*table), tableEdition, kindIndex);
    if (!kind.feeTable)
        return 5;
    const int zones = feeTableZones(*calculation.tables().load(kind.feeTable->table));
    return zones > 0 ? zones : 5;
}

// The scope of a kind of work of an edition's list, before either is applied.
WorkScope editionScope(Calculation &calculation, int editionIndex, int kindIndex)
{
    const int tableEdition = FeeSelection::tableEditionOf(editionIndex);
    const QString edition = calculation.sheet().comboHOAINorm.items().value(editionIndex);
    const TableInfo *table = workPhaseTable(tableEdition);
    if (!table)
        return {tableEdition, edition, 0, QString()};
    const SharedTable phases = calculation.tables().load(*table);
    return workScope(*phases, tableEdition, edition, kindIndex);
}

} // namespace

std::span<const ProjectKey> projectKeys()
{
    return kKeys;
}

std::span<const ProjectKey> calculationKeys()
{
    return std::span<const ProjectKey>(kKeys).subspan(kEditionKey);
}

bool isCalculationKey(const ProjectKey &key)
{
    const auto own = calculationKeys();
    return &key >= own.data() && &key < own.data() + own.size();
}

const ProjectKey *findProjectKey(QStringView key)
{
    for (const ProjectKey &k : kKeys) {
        if (key.compare(QString::fromLatin1(k.key), Qt::CaseInsensitive) == 0)
            return &k;
    }
    return nullptr;
}

Field *fieldOf(const CalculationSheet &sheet, const ProjectKey &key)
{
    return sheet.field(QString::fromLatin1(key.component));
}

std::optional<QString> storedProjectValue(const Calculation &calculation, const ProjectKey &key)
{
    const CalculationSheet &sheet = calculation.sheet();
    const Field *field = fieldOf(sheet, key);
    switch (key.kind) {
    case K::Text:
        return static_cast<const TextField *>(field)->text();
    case K::Index:
        return QString::number(static_cast<const ChoiceField *>(field)->index());
    case K::Rate:
        if (sheet.comboHonorarsatz.index() != kFreeRateIndex)
            return std::nullopt;
        [[fallthrough]];
    case K::Number:
        return formatGeneral(static_cast<const NumericField *>(field)->value(), sheet.settings());
    case K::Points:
        if (calculation.zonePoints().isEmpty())
            return std::nullopt;
        return pointsText(calculation.zonePoints());
    case K::Title:
    case K::OptionalText:
    case K::Date: {
        const QString &text = static_cast<const TextField *>(field)->text();
        return text.isEmpty() ? std::nullopt : std::optional(text);
    }
    case K::Lines: {
        const QString &text = static_cast<const TextField *>(field)->text();
        return text.isEmpty() ? std::nullopt : std::optional(oneLineText(text));
    }
    case K::Repetition: {
        const int repetition = repetitionNumber(static_cast<const NumericField *>(field)->value());
        return repetition == 0 ? std::nullopt : std::optional(QString::number(repetition));
    }
    }
    return std::nullopt;
}

// Far beyond any fee, cost or percentage, and far from where the
// calculation's products would overflow.
constexpr double kMostStoredNumber = 1e12;

QString quotedValue(const QString &text)
{
    constexpr qsizetype kMost = 60;
    return text.size() <= kMost ? text : text.left(kMost - 1) + QChar(u'…');
}

double parseProjectNumber(const QString &text, QChar decimalSeparator)
{
    QString regional = text;
    for (QChar &c : regional) {
        if (c == QLatin1Char('.') || c == QLatin1Char(','))
            c = decimalSeparator;
    }
    if (const auto value = tryParseFloat(regional, decimalSeparator))
        return *value;
    throw InputError(
        QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(quotedValue(text)));
}

void checkProjectInputs(Calculation &calculation, const ProjectValueLookup &lookup)
{
    CalculationSheet &sheet = calculation.sheet();
    int edition = sheet.comboHOAINorm.index();
    const auto editionText = lookup(kKeys[kEditionKey]);
    if (editionText)
        edition =
            checkedIndex(kKeys[kEditionKey], *editionText, sheet.comboHOAINorm.items().size());
    // An edition change selects the first kind of work of its list.
    int kind = editionText ? 0 : sheet.comboHonorarparagraph.index();
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        const ProjectKey &key = kKeys[i];
        const auto text = lookup(key);
        if (i == kEditionKey || !text)
            continue;
        if (key.kind == K::Number || key.kind == K::Rate) {
            namingKey(key, [&] {
                const double value = parseProjectNumber(*text, sheet.settings().decimalSeparator);
                if (std::abs(value) > kMostStoredNumber)
                    throw InputError(QStringLiteral("'%1' ist zu groß; erlaubt sind Werte bis "
                                                    "1.000.000.000.000.")
                                         .arg(quotedValue(*text)));
            });
        } else if (key.kind == K::Index) {
            const auto *list = static_cast<const ChoiceField *>(fieldOf(sheet, key));
            if (list == &sheet.comboHonorarparagraph)
                kind = checkedIndex(key, *text, kindCount(calculation, edition));
            else if (list == &sheet.comboHonorarzone)
                checkZone(key, checkedIndex(key, *text, list->items().size()),
                          zoneCount(calculation, edition, kind));
            else
                checkedIndex(key, *text, list->items().size());
        } else if (key.kind == K::Date) {
            namingKey(key, [&] { checkedDate(*text); });
        } else if (key.kind == K::Repetition) {
            namingKey(key, [&] {
                const WorkScope scope = editionScope(calculation, edition, kind);
                if (checkedRepetition(*text) > 0 && repetitionRule(scope) == RepetitionRule::None)
                    throw InputError(noRepetitionHint(scope));
            });
        } else if (key.kind == K::Points) {
            namingKey(key, [&] {
                const QList<int> points = parsePoints(*text);
                if (!points.isEmpty())
                    checkPoints(editionScope(calculation, edition, kind), points);
            });
        }
    }
}

namespace {

void writeProjectInputs(Calculation &calculation, const ProjectValueLookup &lookup)
{
    CalculationSheet &sheet = calculation.sheet();
    const auto choices = [&sheet] {
        return std::array{sheet.comboHOAINorm.index(), sheet.comboHonorarparagraph.index(),
                          sheet.comboHonorarzone.index()};
    };
    const auto before = choices();
    if (const auto edition = lookup(kKeys[kEditionKey])) {
        sheet.comboHOAINorm.setIndex(
            checkedIndex(kKeys[kEditionKey], *edition, sheet.comboHOAINorm.items().size()));
        calculation.selection().comboHOAINormChange();
    }
    bool sharesGiven = false;
    for (std::size_t i = kFirstShareKey; i < kFirstShareKey + 9; ++i)
        sharesGiven = sharesGiven || lookup(kKeys[i]).has_value();
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (i == kEditionKey)
            continue;
        const auto text = lookup(kKeys[i]);
        if (!text)
            continue;
        if (i == kKindKey) {
            // Another kind of work given alone sets up its shares, unit and
            // zone as the window's choice does; the values given after it win.
            const KindOfWork previous = calculation.computation().currentKind();
            const int previousIndex = sheet.comboHonorarparagraph.index();
            applyValue(sheet, kKeys[i], *text);
            if (sheet.comboHonorarparagraph.index() != previousIndex)
                calculation.selection().kindChanged(previous, !sharesGiven);
            continue;
        }
        applyValue(sheet, kKeys[i], *text);
        // Written anew, the basis needs no check of its unit.
        if (i == kCostsKey)
            calculation.computation().setBasisUnitToCheck(false);
    }
    if (const auto points = lookup(kKeys[kPointsKey]))
        namingKey(kKeys[kPointsKey], [&] { calculation.setZonePoints(parsePoints(*points)); });
    else if (choices() != before)
        calculation.setZonePoints({});
}

} // namespace

void applyProjectInputs(Calculation &calculation, const ProjectValueLookup &lookup)
{
    {
        const FeeComputation::RunsLeftOut runsLeftOut(calculation.computation());
        writeProjectInputs(calculation, lookup);
    }
    // The recompute that ends a load: maximum shares and sum for the
    // selected kind of work, then the one calculation.
    calculation.selection().InitLP(false);
    calculation.computation().CalcHonorar();
}

} // namespace zolvaric
