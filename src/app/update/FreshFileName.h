#pragma once

#include <QString>

namespace zolvaric {

// A path in the folder that nobody can guess beforehand, so nobody can have
// put anything there: the stem, a hyphen, 16 random hex digits and the
// extension, if any. Empty when the folder is.
QString freshFileName(const QString &folder, const QString &stem, const QString &extension);

} // namespace zolvaric
