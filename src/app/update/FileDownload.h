#pragma once

#include <QString>

#include <chrono>

namespace zolvaric {

// How long a download may go without receiving anything before it is given up.
inline constexpr std::chrono::milliseconds kDownloadIdleTimeout{30000};

// Stores the body of a fresh copy of the address, bypassing every cache, in
// the local file, which is created or overwritten. With requireSuccess the
// server's status must be 2xx; without it any complete answer counts, an
// error page included. True when every step succeeded; on false the local
// file is removed.
bool DownloadToFile(const QString &address, const QString &localFile, const QString &agentName,
                    bool requireSuccess,
                    std::chrono::milliseconds idleTimeout = kDownloadIdleTimeout);

} // namespace zolvaric
