#pragma once

#include "AtomicWrite.h"

#include <QString>

namespace zolvaric {

enum class RegistryRoot { CurrentUser };

// String values under a key path of the registry (e.g.
// "\Software\Quorvel-Software\Zolvaric"). On Windows the registry itself
// (RegistryWindows.cpp); elsewhere a stand-in (RegistryUnix.cpp): an INI file
// "registry.ini" in the user's configuration folder below
// "Quorvel-Software", one section per key path, one entry per value name.

// Stores a string value; opening the key creates every missing key on its path.
WriteResult WriteRegString(RegistryRoot root, const QString &keyPath, const QString &name,
                           const QString &value);

// The string value; empty when the key or the value is missing. The
// program itself reads nothing back; this is for checking what it wrote.
QString ReadRegString(RegistryRoot root, const QString &keyPath, const QString &name);

} // namespace zolvaric
