#pragma once

#include "AtomicWrite.h"

#include <QString>

namespace zolvaric {

enum class RegistryRoot { CurrentUser };

// The registry stand-in: an INI file "registry.ini" in the user's
// configuration folder below "Quorvel-Software", one section per key path,
// one entry per value name.
QString registryFile();

// Stores a string value under the key path (e.g. "\Software\Quorvel-Software\Zolvaric").
WriteResult WriteRegString(RegistryRoot root, const QString &keyPath, const QString &name,
                           const QString &value);

} // namespace zolvaric
