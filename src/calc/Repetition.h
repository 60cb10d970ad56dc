#pragma once

#include "WorkScope.h"

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

// Which objects the reduction covers. HOAI 2013/2021 § 11 Abs. 3 names
// buildings, Ingenieurbauwerke, Verkehrsanlagen and Tragwerke, other objects
// only by Typenplanung or Serienbauten (§ 54 Abs. 3 adds the technical
// equipment); the town and landscape planning of Teil 2 has no objects and
// Anlage 1 its own rules. HOAI 2009 § 11 Abs. 2 covers every object, Abs. 4
// excepts the Flächenplanung.
enum class RepetitionRule { Applies, TypeOrSeriesOnly, None };
RepetitionRule repetitionRule(const WorkScope &scope);

// Why the kind of work takes no repetition, as the disabled field's hint
// says it; empty where it takes one.
QString noRepetitionHint(const WorkScope &scope);

// What the window shows beside the phases: "2. Wiederholung: Anteile LP1 bis
// LP6 um 50 % gemindert (§ 11 Abs. 3 HOAI 2021)", the phases ending with the
// last one the kind of work rates (lastRatedPhase), and for Innenräume and
// Freianlagen the condition; empty for the first object and where the
// edition has no reduction.
QString repetitionText(const WorkScope &scope, int repetition, int lastRatedPhase);

} // namespace zolvaric
