#include "ProjectInputs.h"

#include "Calculation.h"

#include "base/NumberText.h"

#include <array>

namespace zolvaric {

namespace {

using K = ProjectKey;

constexpr std::array<ProjectKey, 32> kKeys = {{
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
}};

constexpr std::size_t kEditionKey = 10;

int checkedIndex(const ProjectKey &key, const QString &text, qsizetype itemCount)
{
    const auto index = tryParseInt(text);
    if (!index)
        throw InputError(QStringLiteral("%1: '%2' ist kein gültiger Integerwert")
                             .arg(QLatin1String(key.key), text));
    if (*index < 0 || *index >= itemCount) {
        throw InputError(QStringLiteral("Der Wert %1 für \"%2\" liegt außerhalb der Auswahl "
                                        "(0 bis %3).")
                             .arg(*index)
                             .arg(QLatin1String(key.key))
                             .arg(itemCount - 1));
    }
    return *index;
}

void applyValue(CalculationSheet &sheet, const ProjectKey &key, const QString &text)
{
    Field *field = fieldOf(sheet, key);
    switch (key.kind) {
    case K::Text:
        static_cast<TextField *>(field)->setText(text);
        break;
    case K::Index: {
        auto *list = static_cast<ChoiceField *>(field);
        list->setIndex(checkedIndex(key, text, list->items().size()));
        break;
    }
    case K::Number:
        static_cast<NumericField *>(field)->setValue(
            parseProjectNumber(text, sheet.settings().decimalSeparator));
        break;
    }
}

// The number of kinds of work of an edition's work-phase table.
qsizetype kindCount(Calculation &calculation, int editionIndex)
{
    const TableInfo *table = workPhaseTable(FeeSelection::tableEditionOf(editionIndex));
    return table ? calculation.tables().load(*table)->columnCount() - 1 : 0;
}

} // namespace

std::span<const ProjectKey> projectKeys()
{
    return kKeys;
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

double parseProjectNumber(const QString &text, QChar decimalSeparator)
{
    QString regional = text;
    for (QChar &c : regional) {
        if (c == QLatin1Char('.') || c == QLatin1Char(','))
            c = decimalSeparator;
    }
    if (const auto value = tryParseFloat(regional, decimalSeparator))
        return *value;
    throw InputError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text));
}

void checkProjectInputs(Calculation &calculation, const ProjectValueLookup &lookup)
{
    CalculationSheet &sheet = calculation.sheet();
    int edition = sheet.comboHOAINorm.index();
    if (const auto text = lookup(kKeys[kEditionKey]))
        edition = checkedIndex(kKeys[kEditionKey], *text, sheet.comboHOAINorm.items().size());
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        const ProjectKey &key = kKeys[i];
        const auto text = lookup(key);
        if (i == kEditionKey || !text)
            continue;
        if (key.kind == K::Number) {
            try {
                parseProjectNumber(*text, sheet.settings().decimalSeparator);
            } catch (const InputError &error) {
                throw InputError(QLatin1String(key.key) + QStringLiteral(": ") + error.message());
            }
        } else if (key.kind == K::Index) {
            const auto *list = static_cast<const ChoiceField *>(fieldOf(sheet, key));
            const bool kind = list == &sheet.comboHonorarparagraph;
            checkedIndex(key, *text, kind ? kindCount(calculation, edition) : list->items().size());
        }
    }
}

void applyProjectInputs(Calculation &calculation, const ProjectValueLookup &lookup)
{
    CalculationSheet &sheet = calculation.sheet();
    if (const auto edition = lookup(kKeys[kEditionKey])) {
        sheet.comboHOAINorm.setIndex(
            checkedIndex(kKeys[kEditionKey], *edition, sheet.comboHOAINorm.items().size()));
        calculation.selection().comboHOAINormChange();
    }
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (i == kEditionKey)
            continue;
        if (const auto text = lookup(kKeys[i]))
            applyValue(sheet, kKeys[i], *text);
    }
}

void recomputeProject(Calculation &calculation)
{
    calculation.selection().InitLP(false);
    calculation.computation().CalcHonorar();
}

} // namespace zolvaric
