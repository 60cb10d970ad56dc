#pragma once

#include <QString>
#include <QtGlobal>

namespace zolvaric {

// The largest setup that is downloaded: well above any setup of the program,
// well below what would fill a temp folder by surprise.
inline constexpr qint64 kMaxSetupBytes = qint64(512) * 1024 * 1024;

struct UpdateCheckContext;
struct UpdateInfo;

// A fresh path for the setup in the private temp folder: the program's name,
// a random part and the extension of the download's file name (none when it
// has none). Empty without a private temp folder.
QString setupFilePath(const QString &programName, const QString &downloadAddress);

// Downloads the offered setup and starts it; when that fails, or when the
// offer names no SHA-256 to check the setup against, offers to open the
// download address for a manual download. Once the setup or the address is
// open, the program ends if the offer demands it. The offer's download
// address is one the check allowed (isAllowedWebAddress).
void installUpdate(const UpdateCheckContext &context, const UpdateInfo &info);

} // namespace zolvaric
