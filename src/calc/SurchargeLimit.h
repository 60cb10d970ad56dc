#pragma once

#include "WorkScope.h"

#include <QString>

#include <optional>

namespace zolvaric {

struct RegionalSettings;

// The note when the renovation surcharge exceeds what may be agreed for the
// edition and kind of work (rules/umbauzuschlag.json); nullopt within it and
// for editions without a limit.
std::optional<QString> surchargeLimitNote(const WorkScope &scope, double surcharge,
                                          const RegionalSettings &settings);

// The hint of the surcharge field: what applies without an agreement.
QString surchargeHint(const QString &edition);

} // namespace zolvaric
