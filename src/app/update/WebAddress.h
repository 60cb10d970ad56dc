#pragma once

#include <QString>

namespace zolvaric {

// Whether an address from the update server may be fetched or handed to the
// desktop's open action: an https address with a host, or an http one when
// the check itself was started with an http address. Nothing else (file:,
// local paths, javascript: and the like), since the open action would run or
// show whatever it is given.
bool isAllowedWebAddress(const QString &address, const QString &checkAddress);

} // namespace zolvaric
