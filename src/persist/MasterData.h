#pragma once

#include "AtomicWrite.h"

#include <QString>

namespace zolvaric {

class CalculationSheet;
class Desktop;

// The office's master data in section "Stammdaten" of the settings file.
// Returns why a settings file that is there could not be read (empty when it
// was read or is absent); the fields are then empty.
QString LoadStammdaten(CalculationSheet &sheet, const QString &settingsFile);
// Writes the nine keys, empty ones included, and the office's letter data
// (Steuernummer … Zahlungsbedingungen) where set, in one update.
WriteResult SaveStammdaten(const CalculationSheet &sheet, const QString &settingsFile);

// The save when the window closes: a failure is said, with its reason, so
// that the user knows the edits did not reach the file.
bool saveStammdatenAtClose(const CalculationSheet &sheet, const QString &settingsFile,
                           Desktop &desktop);

} // namespace zolvaric
