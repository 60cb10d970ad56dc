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

void applyIndex(ChoiceField &list, const ProjectKey &key, const QString &text)
{
    const auto index = tryParseInt(text);
    if (!index)
        throw InputError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text));
    // -1 is how a list without selection is stored.
    if (*index < -1 || *index >= list.items().size()) {
        throw InputError(QStringLiteral("Der Wert %1 für \"%2\" liegt außerhalb der Auswahl "
                                        "(0 bis %3).")
                             .arg(*index)
                             .arg(QLatin1String(key.key))
                             .arg(list.items().size() - 1));
    }
    list.setIndex(*index);
}

void applyValue(CalculationSheet &sheet, const ProjectKey &key, const QString &text)
{
    Field *field = fieldOf(sheet, key);
    switch (key.kind) {
    case K::Text:
        static_cast<TextField *>(field)->setText(text);
        break;
    case K::Index:
        applyIndex(*static_cast<ChoiceField *>(field), key, text);
        break;
    case K::Number: {
        const auto value = tryParseFloat(text, sheet.settings().decimalSeparator);
        if (!value)
            throw InputError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text));
        static_cast<NumericField *>(field)->setValue(*value);
        break;
    }
    }
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

Field *fieldOf(CalculationSheet &sheet, const ProjectKey &key)
{
    return sheet.field(QString::fromLatin1(key.component));
}

void applyProjectInputs(Calculation &calculation, const ProjectValueLookup &lookup)
{
    CalculationSheet &sheet = calculation.sheet();
    if (const auto edition = lookup(kKeys[kEditionKey])) {
        applyIndex(sheet.comboHOAINorm, kKeys[kEditionKey], *edition);
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
