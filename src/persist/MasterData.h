#pragma once

#include "AtomicWrite.h"

#include <QString>

namespace zolvaric {

class CalculationSheet;

// The office's master data in section "Stammdaten" of the settings file.
void LoadStammdaten(CalculationSheet &sheet, const QString &settingsFile);
// Writes the nine keys, empty ones included, in one update.
WriteResult SaveStammdaten(const CalculationSheet &sheet, const QString &settingsFile);

} // namespace zolvaric
