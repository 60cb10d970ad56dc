#pragma once

#include "UpdateCheckContext.h"

#include <QString>

namespace zolvaric {

// An information file is a few lines; a larger answer is no such file and
// counts as no answer.
inline constexpr qint64 kMaxInfoFileBytes = 1024 * 1024;

// The newer version a server offers.
struct UpdateOffer
{
    QString version;
    QString downloadUrl;
    QString webUrl;
};

enum class UpdateResult { ServerUnreachable, NoUpdate, UpdateOffered };

// Asks the server at the address whether a version above the installed one
// is out, and fills the offer when it is. Unless quiet, and when asked to ask,
// offers the user to download and start its setup at once.
UpdateResult CheckForUpdate(const UpdateCheckContext &context, const QString &address,
                            const QString &installedVersion, bool quiet, bool ask,
                            UpdateOffer &offer);

// The check the user starts: for the program file's version, with a notice
// when the server is unreachable or the installed version is the latest.
UpdateResult runUpdateCheck(const UpdateCheckContext &context, const QString &address);

} // namespace zolvaric
