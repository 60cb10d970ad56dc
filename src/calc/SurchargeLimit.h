#pragma once

#include "WorkScope.h"

#include <QString>

#include <optional>

namespace zolvaric {

struct RegionalSettings;

// The note when the renovation surcharge exceeds what may be agreed for the
// edition and kind of work (rules/umbauzuschlag.json: HOAI 2021 and 2013 § 36,
// § 40 Abs. 6, § 44 Abs. 6, § 48 Abs. 6, § 52 Abs. 4, § 56 Abs. 5 at average
// difficulty; HOAI 2009 § 35 Abs. 1); nullopt within it and for editions
// without a limit.
std::optional<QString> surchargeLimitNote(const WorkScope &scope, double surcharge,
                                          const RegionalSettings &settings);

// The hint of the surcharge field: what applies without an agreement (HOAI
// 2021 and 2013 § 6 Abs. 2, HOAI 2009 § 35 Abs. 1).
QString surchargeHint(const QString &edition);

} // namespace zolvaric
