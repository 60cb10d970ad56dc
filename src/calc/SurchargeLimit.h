#pragma once

#include "WorkScope.h"

#include <QString>

#include <optional>

namespace zolvaric {

struct RegionalSettings;

// The note when the renovation surcharge exceeds what may be agreed for the
// edition and kind of work (rules/umbauzuschlag.json: HOAI 2021 and 2013 § 36,
// § 40 Abs. 6, § 44 Abs. 6, § 48 Abs. 6, § 52 Abs. 4, § 56 Abs. 5 at average
// difficulty; Anlage 1 Nr. 1.2.3 Abs. 3, 1.2.4 Abs. 4, 1.2.5 Abs. 4; HOAI
// 2009 § 35 Abs. 1), or a surcharge where the kind has none; nullopt within
// the limit and for editions without a limit.
std::optional<QString> surchargeLimitNote(const WorkScope &scope, double surcharge,
                                          const RegionalSettings &settings);

// Whether the kind of work has a renovation surcharge at all: the
// Flächenplanung has none (HOAI 2021 § 6 Abs. 2 Satz 3 rates it for Teile 3
// and 4 and Anlage 1 Nr. 1.2, HOAI 2013 § 6 Abs. 2 for Teile 3 and 4).
bool hasRenovationSurcharge(const WorkScope &scope);
// Why the surcharge field is disabled; empty where the kind has a surcharge.
QString noSurchargeHint(const WorkScope &scope);

// The hint of the surcharge field: what applies without an agreement (HOAI
// 2021 and 2013 § 6 Abs. 2, HOAI 2009 § 35 Abs. 1).
QString surchargeHint(const QString &edition);

} // namespace zolvaric
