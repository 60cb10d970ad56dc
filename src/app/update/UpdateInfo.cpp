#include "UpdateInfo.h"

#include "base/VersionInfo.h"
#include "persist/IniAccess.h"

namespace zolvaric {

namespace {

const QString kSection = QStringLiteral("UpdateInfos");
constexpr int kInternalNameIndex = 3;

} // namespace

UpdateInfo readUpdateInfo(const QString &infoFile, const QString &programFile)
{
    const IniReader ini(infoFile);
    UpdateInfo info;
    info.version = ini.string(kSection, QStringLiteral("NewVersion"), QString());
    info.downloadUrl = ini.string(kSection, QStringLiteral("DownloadURL"), QString());
    info.webUrl = ini.string(kSection, QStringLiteral("WebURL"), QString());
    info.programName = ini.string(kSection, QStringLiteral("ProgName"), QString());
    info.sha256 = ini.string(kSection, QStringLiteral("SHA256"), QString());
    info.forceCloseApp = ReadIniBool(infoFile, kSection, QStringLiteral("ForceCloseApp"), false);
    if (info.programName.isEmpty())
        info.programName = VersionInfoString(programFile, kInternalNameIndex);
    return info;
}

} // namespace zolvaric
