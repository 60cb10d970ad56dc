#pragma once

#include <QString>

namespace zolvaric {

// The path with a trailing native separator; an empty path stays empty.
QString WithBackslash(const QString &path);

} // namespace zolvaric
