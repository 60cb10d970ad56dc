#pragma once

#include "base/Error.h"

#include <QString>

#include <functional>
#include <optional>
#include <span>

namespace zolvaric {

class Calculation;
class Field;
class CalculationSheet;

// The inputs a project stores, by their project-file key.
struct ProjectKey
{
    // Rate: the free rate's number, stored only while it is selected.
    // Points: the zone's evaluation points, stored only when scored.
    // Title: a calculation's title, stored only when not empty. Repetition:
    // a whole number from 0, stored only when not 0. OptionalText, Lines
    // and Date: the offer's letter data, stored only when set: a text, a
    // text of several lines (as oneLineText writes it), a date TT.MM.JJJJ.
    enum Kind { Text, Index, Number, Rate, Points, Title, Repetition, OptionalText, Lines, Date };

    const char *key;
    const char *component; // empty for the points, which no field holds
    Kind kind;
    const char *defaultText; // what a project file without the key means
};

// The keys in the order a project file holds them: the project's ten texts,
// the offer's six letter keys, the 22 of a calculation every file has, then
// the two of a fee agreement beyond the fixed rates and a zone by hand, then
// the calculation's title and repetition within an offer.
std::span<const ProjectKey> projectKeys();
// The keys of a calculation: every key but the project's texts and letter data.
std::span<const ProjectKey> calculationKeys();
bool isCalculationKey(const ProjectKey &key);
const ProjectKey *findProjectKey(QStringView key);
Field *fieldOf(const CalculationSheet &sheet, const ProjectKey &key);

// A stored value that does not fit its field.
class InputError : public Error
{
public:
    using Error::Error;
};

// The text stored under a key; nullopt leaves the field as it is. Numbers
// may use ',' or '.' as decimal separator: stored numbers carry no thousands
// separators, so a file written under other regional settings still reads.
using ProjectValueLookup = std::function<std::optional<QString>(const ProjectKey &)>;

// A value as a message quotes it: a long one shortened, so that the box
// stays on the screen.
QString quotedValue(const QString &text);

// A stored number; throws InputError "'text' ist kein gültiger Gleitkommawert".
double parseProjectNumber(const QString &text, QChar decimalSeparator);

// What a project file stores under a key: texts as they stand, indexes and
// numbers as text, the points separated by ';'; nullopt for a key not
// stored (the free rate while a fixed one is selected, points never scored).
std::optional<QString> storedProjectValue(const Calculation &calculation, const ProjectKey &key);

// Checks every value before anything is applied, so that a bad file or
// argument changes nothing: numbers, list indexes within their lists (the
// kind of work within the list of the edition given, else of the current
// one; -1 is outside, the lists are pure selection lists; points that fit the
// kind of work given, checkPoints). Throws InputError
// naming the first bad value and its key ("MwSt: '19%' ist kein gültiger
// Gleitkommawert").
void checkProjectInputs(Calculation &calculation, const ProjectValueLookup &lookup);

// Writes stored values into the sheet in the order a project load needs: the
// edition first with its edition change (the kind-of-work index refers to
// that edition's list), then the texts, the list indices (by program, firing
// nothing), the costs and shares, the surcharge text and the remaining
// numbers, each write firing its field's handler, last the points, which
// select their zone (a zone, kind or edition changed without points given
// clears the points kept). The writes run no calculation; one runs at the
// end, after the maximum shares and their sum for the kind of work. Throws
// InputError for a value that checkProjectInputs would reject, Error when
// the calculation fails.
void applyProjectInputs(Calculation &calculation, const ProjectValueLookup &lookup);

} // namespace zolvaric
