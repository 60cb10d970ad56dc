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
Field *fieldOf(CalculationSheet &sheet, const ProjectKey &key);

// A stored value that does not fit its field.
class InputError : public Error
{
public:
    using Error::Error;
};

// The text stored under a key, in regional notation; nullopt leaves the field as it is.
using ProjectValueLookup = std::function<std::optional<QString>(const ProjectKey &)>;

// Writes stored values into the sheet in the order a project load needs: the
// edition first with its edition change (the kind-of-work index refers to
// that edition's list), then the texts, the list indices (by program, firing
// nothing), the costs and shares, the surcharge text and the remaining
// numbers, each write firing its field's handler. Throws InputError for a
// value that does not convert or an index outside its list, Error when the
// edition change fails.
void applyProjectInputs(Calculation &calculation, const ProjectValueLookup &lookup);

// The recompute that ends a load: maximum shares and sum for the selected
// kind of work, then the calculation.
void recomputeProject(Calculation &calculation);

} // namespace zolvaric
