#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>

namespace zolvaric {

// How long a download may go without receiving anything before it is given up.
inline constexpr std::chrono::milliseconds kDownloadIdleTimeout{30000};

// What one download may take.
struct DownloadLimits
{
    // The most body bytes stored; a body that grows beyond it, or whose
    // announced length does, fails the download at once.
    qint64 maxBytes;
    std::chrono::milliseconds idleTimeout = kDownloadIdleTimeout;
};

// Stores the body of a fresh copy of the address, bypassing every cache, in
// the local file, which is created new: a file or link already at that path
// is left alone and fails the download. With requireSuccess the server's
// status must be 2xx; without it any complete answer counts, an error page
// included. True when every step succeeded, and then sha256, when given,
// holds the SHA-256 of the bytes written, taken as they were written; on
// false the file created is removed.
bool DownloadToFile(const QString &address, const QString &localFile, const QString &agentName,
                    bool requireSuccess, DownloadLimits limits, QByteArray *sha256 = nullptr);

} // namespace zolvaric
