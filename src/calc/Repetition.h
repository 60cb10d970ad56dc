#pragma once

#include <QString>

namespace zolvaric {

// § 11 Abs. 3 HOAI 2013/2021 (2009: § 11 Abs. 2): the shares of the early
// work phases of a repeated, essentially equal object are reduced.

// The last work phase whose share a repetition reduces: 6 (2013, also for
// 2021), 7 (2009); 0 where the edition has no such rule in the program (2002).
int repetitionLastPhase(int tableEdition);

// The reduction in percent of the share of a phase for the k-th repetition
// (k = 0: the first object, no reduction): 50 for the 1st to 4th, 60 for the
// 5th to 7th, 90 from the 8th on; 0 for phases beyond repetitionLastPhase.
int repetitionReduction(int tableEdition, int repetition, int phase);

// The repetition a field's number stands for: its whole part, 0 below 1.
int repetitionNumber(double value);

// What the window shows beside the phases: "2. Wiederholung: Anteile LP1 bis
// LP6 um 50 % gemindert (§ 11 Abs. 3 HOAI 2021)"; empty for the first object
// and where the edition has no reduction.
QString repetitionText(int tableEdition, int repetition, const QString &edition);

} // namespace zolvaric
