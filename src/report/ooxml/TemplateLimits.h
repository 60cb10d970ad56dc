#pragma once

namespace zolvaric {

// The most a template may hold. Word's templates stay far below; beyond
// these a file is broken or made to exhaust memory, time or the stack.

// Elements nested in one XML part, the root counting as the first level.
inline constexpr int MaxXmlDepth = 256;

} // namespace zolvaric
