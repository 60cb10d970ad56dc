#pragma once

#include "WorkScope.h"

#include <QString>

#include <optional>

namespace zolvaric {

struct RegionalSettings;

// The note when a phase is offered above the share its Leistungsbild rates
// it with, or at all where it rates it with none: "LP8: 32,00 % angeboten,
// das Leistungsbild hat höchstens 0 %". Where the law allows more by
// agreement (rules/leistungsanteile.json: HOAI 2021/2013 § 12 Abs. 2, § 43
// Abs. 3, § 51 Abs. 4; HOAI 2009 § 36 Abs. 1), the note names that paragraph
// and its limit instead of calling the share wrong. nullopt within the share.
// phaseMark is the row's mark, "LP8" or "TL b".
std::optional<QString> shareLimitNote(const WorkScope &scope, int phase, const QString &phaseMark,
                                      double offered, double lawShare,
                                      const RegionalSettings &settings);

} // namespace zolvaric
