#pragma once

#include "RegionalSettings.h"

#include <QString>

namespace zolvaric {

// An amount in the system's currency format with exactly two decimals and at
// most 12 significant digits: grouped thousands, the regional currency sign
// where the settings place it, negatives in the regional negative pattern.
// German settings: 1.234.567,89 € and -1.234,56 €.
QString formatCurrency(double value, const RegionalSettings &settings);

} // namespace zolvaric
