#pragma once

#include <QString>

#include <chrono>

namespace zolvaric {

// How long the probe waits for a server's answer.
inline constexpr std::chrono::milliseconds kProbeTimeout{15000};

// Whether a server answers for the address: true for the status 200, and for
// 401, where it stands but wants credentials; false for every other status,
// for no answer within the time and for network errors.
bool ProbeUrl(const QString &address, const QString &agentName,
              std::chrono::milliseconds timeout = kProbeTimeout);

} // namespace zolvaric
