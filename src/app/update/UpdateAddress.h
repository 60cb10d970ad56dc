#pragma once

#include <QString>

namespace zolvaric {

// The address of this program's update information file: the configured
// base address and "<program name in lower case>.update".
QString updateAddress();

} // namespace zolvaric
