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

QString repetitionText(int tableEdition, int repetition, const QString &edition)
{
    const int lastPhase = repetitionLastPhase(tableEdition);
    if (repetition <= 0 || lastPhase == 0)
        return QString();
    return QStringLiteral("%1. Wiederholung: Anteile LP1 bis LP%2 um %3 % gemindert (§ 11 Abs. %4 "
                          "HOAI %5)")
        .arg(repetition)
        .arg(lastPhase)
        .arg(repetitionReduction(tableEdition, repetition, 1))
        .arg(tableEdition == 2009 ? 2 : 3)
        .arg(edition);
}

} // namespace zolvaric
