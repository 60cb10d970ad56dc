#include "Repetition.h"

#include <algorithm>
#include <cmath>

namespace zolvaric {

int repetitionLastPhase(int tableEdition)
{
    switch (tableEdition) {
    case 2013:
        return 6;
    case 2009:
        return 7;
    default:
        return 0;
    }
}

int repetitionReduction(int tableEdition, int repetition, int phase)
{
    if (repetition <= 0 || phase < 1 || phase > repetitionLastPhase(tableEdition))
        return 0;
    if (repetition <= 4)
        return 50;
    if (repetition <= 7)
        return 60;
    return 90;
}

int repetitionNumber(double value)
{
    // Far beyond any real series; keeps the conversion defined.
    constexpr double kMost = 100000;
    return value < 1 ? 0 : static_cast<int>(std::floor(std::min(value, kMost)));
}

RepetitionRule repetitionRule(const WorkScope &scope)
{
    if (scope.isAreaPlanning() || scope.annex)
        return RepetitionRule::None;
    if (scope.tableEdition == 2013 &&
        ((scope.paragraph == 35 && scope.kind == u"Innenräume") || scope.paragraph == 40))
        return RepetitionRule::TypeOrSeriesOnly;
    return RepetitionRule::Applies;
}

QString noRepetitionHint(const WorkScope &scope)
{
    if (scope.isAreaPlanning())
        return QStringLiteral("Die Flächenplanung (%1) kennt keine Minderung für Wiederholungen "
                              "nach § 11 Abs. 3 HOAI %2: sie plant keine Objekte.")
            .arg(scope.kind, scope.edition);
    if (scope.annex)
        return QStringLiteral("Für %1 (Anlage 1 HOAI %2) gilt die Minderung für Wiederholungen "
                              "nach § 11 Abs. 3 nicht; sie ist frei zu vereinbaren.")
            .arg(scope.kind, scope.edition);
    return QString();
}

QString repetitionText(const WorkScope &scope, int repetition, int lastRatedPhase)
{
    const int lastPhase = std::min(repetitionLastPhase(scope.tableEdition), lastRatedPhase);
    if (repetition <= 0 || lastPhase <= 0 || repetitionRule(scope) == RepetitionRule::None)
        return QString();
    QString text = QStringLiteral("%1. Wiederholung: Anteile LP1 bis LP%2 um %3 % gemindert "
                                  "(§ 11 Abs. %4 HOAI %5)")
                       .arg(repetition)
                       .arg(lastPhase)
                       .arg(repetitionReduction(scope.tableEdition, repetition, 1))
                       .arg(scope.tableEdition == 2009 ? 2 : 3)
                       .arg(scope.edition);
    if (repetitionRule(scope) == RepetitionRule::TypeOrSeriesOnly)
        text += QStringLiteral(", für %1 nur bei Typenplanung oder Serienbauten")
                    .arg(scope.paragraph == 40 ? QStringLiteral("Freianlagen")
                                               : QStringLiteral("Innenräume"));
    return text;
}

} // namespace zolvaric
