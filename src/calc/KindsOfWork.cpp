#include "KindsOfWork.h"

#include "TextTable.h"

#include "base/NumberText.h"

#include <array>

namespace zolvaric {

namespace {

// The phases and their shares as §§ 18, 19, 23 to 27 and Anlage 1 Nr. 1.1.1,
// 1.2.2, 1.3.3, 1.4.4 and 1.4.7 of the HOAI 2021 (and 2013) rate them.
constexpr std::array<PhaseShare, 3> kUrbanLandUse = {{
    {"Vorentwurf für die frühzeitigen Beteiligungen", 60},
    {"Entwurf zur öffentlichen Auslegung", 30},
    {"Plan zur Beschlussfassung", 10},
}};
constexpr std::array<PhaseShare, 4> kLandscapePlan = {{
    {"Klären der Aufgabenstellung und Ermitteln des Leistungsumfangs", 3},
    {"Ermitteln der Planungsgrundlagen", 37},
    {"Vorläufige Fassung", 50},
    {"Abgestimmte Fassung", 10},
}};
constexpr std::array<PhaseShare, 4> kAccompanyingPlan = {{
    {"Klären der Aufgabenstellung und Ermitteln des Leistungsumfangs", 3},
    {"Ermitteln und Bewerten der Planungsgrundlagen", 37},
    {"Vorläufige Fassung", 50},
    {"Abgestimmte Fassung", 10},
}};
constexpr std::array<PhaseShare, 4> kMaintenancePlan = {{
    {"Zusammenstellen der Ausgangsbedingungen", 3},
    {"Ermitteln der Planungsgrundlagen", 37},
    {"Vorläufige Fassung", 50},
    {"Abgestimmte Fassung", 10},
}};
constexpr std::array<PhaseShare, 4> kEnvironmentalStudy = {{
    {"Klären der Aufgabenstellung und Ermitteln des Leistungsumfangs", 3},
    {"Grundlagenermittlung", 37},
    {"Vorläufige Fassung", 50},
    {"Abgestimmte Fassung", 10},
}};
constexpr std::array<PhaseShare, 7> kBuildingPhysics = {{
    {"Grundlagenermittlung", 3},
    {"Mitwirken bei der Vorplanung", 20},
    {"Mitwirken bei der Entwurfsplanung", 40},
    {"Mitwirken bei der Genehmigungsplanung", 6},
    {"Mitwirken bei der Ausführungsplanung", 27},
    {"Mitwirken bei der Vorbereitung der Vergabe", 2},
    {"Mitwirken bei der Vergabe", 2},
}};
constexpr std::array<PhaseShare, 3> kGeotechnics = {{
    {"Grundlagenermittlung und Erkundungskonzept", 15},
    {"Beschreiben der Baugrund- und Grundwasserverhältnisse", 35},
    {"Beurteilung der Baugrund- und Grundwasserverhältnisse, Empfehlungen, Hinweise, Angaben "
     "zur Bemessung der Gründung",
     50},
}};
constexpr std::array<PhaseShare, 4> kPlanningSurvey = {{
    {"Grundlagenermittlung", 5},
    {"Geodätischer Raumbezug", 20},
    {"Vermessungstechnische Grundlagen", 65},
    {"Digitales Geländemodell", 10},
}};
// LPH 4 is rated 45 to 62 % for buildings (Anlage 1 Nr. 1.4.7 Abs. 4); the
// standard share is offered, the office types the other.
constexpr std::array<PhaseShare, 5> kConstructionSurvey = {{
    {"Baugeometrische Beratung", 2},
    {"Absteckungsunterlagen", 5},
    {"Bauvorbereitende Vermessung", 16},
    {"Bauausführungsvermessung", 62},
    {"Vermessungstechnische Überwachung der Bauausführung", 15},
}};

// In list order after the work-phase table's seven kinds: stored indexes keep
// their meaning.
const std::array<AppendedKind, 14> kAppended2013 = {{
    {"Flächennutzungsplan", "storeHonorartafel_HOAI2013_20", "LP", kUrbanLandUse},
    {"Bebauungsplan", "storeHonorartafel_HOAI2013_21", "LP", kUrbanLandUse},
    {"Landschaftsplan", "storeHonorartafel_HOAI2013_28", "LP", kLandscapePlan},
    {"Grünordnungsplan", "storeHonorartafel_HOAI2013_29", "LP", kLandscapePlan},
    {"Landschaftsrahmenplan", "storeHonorartafel_HOAI2013_30", "LP", kLandscapePlan},
    {"Landschaftspflegerischer Begleitplan", "storeHonorartafel_HOAI2013_31", "LP",
     kAccompanyingPlan},
    {"Pflege- und Entwicklungsplan", "storeHonorartafel_HOAI2013_32", "LP", kMaintenancePlan},
    {"Umweltverträglichkeitsstudie", "storeHonorartafel_HOAI2013_A1_1", "LP", kEnvironmentalStudy},
    {"Bauphysik: Wärmeschutz und Energiebilanzierung", "storeHonorartafel_HOAI2013_A1_2a", "LP",
     kBuildingPhysics},
    {"Bauphysik: Bauakustik", "storeHonorartafel_HOAI2013_A1_2b", "LP", kBuildingPhysics},
    {"Bauphysik: Raumakustik", "storeHonorartafel_HOAI2013_A1_2c", "LP", kBuildingPhysics},
    {"Geotechnik", "storeHonorartafel_HOAI2013_A1_3", "TL", kGeotechnics},
    {"Planungsbegleitende Vermessung", "storeHonorartafel_HOAI2013_A1_4a", "LP", kPlanningSurvey},
    {"Bauvermessung", "storeHonorartafel_HOAI2013_A1_4b", "LP", kConstructionSurvey},
}};

const char *const kPhaseNames[9] = {
    "Grundlagenermittlung",       "Vorplanung",         "Entwurfsplanung",
    "Genehmigungsplanung",        "Ausführungsplanung", "Vorbereitung der Vergabe",
    "Mitwirkung bei der Vergabe", "Objektüberwachung",  "Objektbetreuung u. Dokumentation"};

constexpr int kParagraphRow = 10;

} // namespace

std::span<const AppendedKind> appendedKinds(int tableEdition)
{
    if (tableEdition == 2013)
        return kAppended2013;
    return {};
}

int KindOfWork::phaseCount() const
{
    if (appended)
        return static_cast<int>(appended->phases.size());
    return column > 0 ? 9 : 0;
}

QString KindOfWork::phaseCaption(int phase) const
{
    if (phase < 1 || phase > phaseCount())
        return QString();
    if (appended) {
        const QString name = QString::fromUtf8(appended->phases[phase - 1].name);
        if (QLatin1String(appended->phaseMark) == QLatin1String("TL"))
            return QStringLiteral("TL %1\t%2").arg(QChar(u'a' + phase - 1)).arg(name);
        return QStringLiteral("LP%1\t%2").arg(phase).arg(name);
    }
    // Engineering structures and traffic installations call row 8 by the
    // name their Leistungsbild gives it.
    if (phase == 8 && (paragraph == 44 || paragraph == 48))
        return QStringLiteral("LP8\tBauoberleitung");
    return QStringLiteral("LP%1\t%2").arg(phase).arg(QString::fromUtf8(kPhaseNames[phase - 1]));
}

QString KindOfWork::phaseMark(int phase) const
{
    const QString caption = phaseCaption(phase);
    return caption.left(caption.indexOf(QLatin1Char('\t')));
}

int KindOfWork::lastRatedPhase(const TextTable &phases) const
{
    for (int phase = phaseCount(); phase > 0; --phase) {
        if (maximumShare(phases, phase) > 0)
            return phase;
    }
    return 0;
}

double KindOfWork::maximumShare(const TextTable &phases, int phase) const
{
    if (phase < 1 || phase > phaseCount())
        return 0;
    if (appended)
        return appended->phases[phase - 1].percent;
    return phases.number(phase, column);
}

QString KindOfWork::paragraphItem(const TextTable &phases) const
{
    if (appended && feeTable)
        return tableReference(*feeTable) + QStringLiteral(" HOAI");
    return QStringLiteral("§ ") + phases.cell(kParagraphRow, column) + QStringLiteral(" HOAI");
}

int kindCount(const TextTable &phases, int tableEdition)
{
    return phases.columnCount() - 1 + static_cast<int>(appendedKinds(tableEdition).size());
}

KindOfWork kindOfWork(const TextTable &phases, int tableEdition, int index)
{
    KindOfWork kind;
    const int columns = phases.columnCount() - 1;
    if (index < 0 || index >= kindCount(phases, tableEdition))
        return kind;
    if (index < columns) {
        kind.column = index + 1;
        kind.name = phases.cell(0, kind.column);
        kind.paragraph = tryParseInt(phases.cell(kParagraphRow, kind.column)).value_or(0);
        if (const TableInfo *table = feeTableForParagraph(kind.paragraph))
            kind.feeTable = feeTableInfo(*table);
        return kind;
    }
    kind.appended = &appendedKinds(tableEdition)[static_cast<std::size_t>(index - columns)];
    kind.name = QString::fromUtf8(kind.appended->name);
    kind.feeTable = feeTableNamed(kind.appended->feeTable);
    kind.paragraph = kind.feeTable ? kind.feeTable->paragraph : 0;
    return kind;
}

} // namespace zolvaric
