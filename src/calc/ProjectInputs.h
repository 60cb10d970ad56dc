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
    enum Kind { Text, Index, Number };

    const char *key;
    const char *component;
    Kind kind;
    const char *defaultText; // what a project file without the key means
};

// The 32 keys in the order a project file holds them.
std::span<const ProjectKey> projectKeys();
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

// A stored number; throws InputError "'text' ist kein gültiger Gleitkommawert".
double parseProjectNumber(const QString &text, QChar decimalSeparator);

// Checks every value before anything is applied, so that a bad file or
// argument changes nothing: numbers, list indexes within their lists (the
// kind of work within the list of the edition given, else of the current
// one; -1 is outside, the lists are pure selection lists). Throws InputError
// naming the first bad value and its key ("MwSt: '19%' ist kein gültiger
// Gleitkommawert").
void checkProjectInputs(Calculation &calculation, const ProjectValueLookup &lookup);

// Writes stored values into the sheet in the order a project load needs: the
// edition first with its edition change (the kind-of-work index refers to
// that edition's list), then the texts, the list indices (by program, firing
// nothing), the costs and shares, the surcharge text and the remaining
// numbers, each write firing its field's handler. Throws InputError for a
// value that checkProjectInputs would reject, Error when a calculation that
// the load runs directly fails.
void applyProjectInputs(Calculation &calculation, const ProjectValueLookup &lookup);

// The recompute that ends a load: maximum shares and sum for the selected
// kind of work, then the calculation.
void recomputeProject(Calculation &calculation);

} // namespace zolvaric
