#include "UpdateCheck.h"

#include "FileDownload.h"
#include "FreshFileName.h"
#include "SetupInstall.h"
#include "UpdateInfo.h"
#include "UrlProbe.h"
#include "VersionPacking.h"
#include "WebAddress.h"

#include "base/Desktop.h"
#include "base/Paths.h"
#include "base/PrivateTempFolder.h"
#include "base/VersionInfo.h"

namespace zolvaric {

namespace {

constexpr int kFileVersionIndex = 2;

QString offerQuestion(const UpdateInfo &info)
{
    return QStringLiteral("Es liegt ein Update der Version ") + info.version +
           QStringLiteral(" für ") + info.programName +
           QStringLiteral(" vor. Sie können nun das Update downloaden und installieren. Hierzu "
                          "muss das Hauptprogramm geschlossen werden. Speichern Sie ggf. vorher "
                          "Ihre Daten. Wollen Sie das Update nun downloaden und installieren?");
}

// The server's address, or none when it may not be fetched or opened.
QString usableAddress(const QString &address, const QString &checkAddress)
{
    return isAllowedWebAddress(address, checkAddress) ? address.trimmed() : QString();
}

} // namespace

UpdateResult CheckForUpdate(const UpdateCheckContext &context, const QString &address,
                            const QString &installedVersion, bool quiet, bool ask,
                            UpdateOffer &offer)
{
    offer = UpdateOffer();
    if (!ProbeUrl(address, context.applicationTitle, context.probeTimeout))
        return UpdateResult::ServerUnreachable;

    const QString infoFile =
        freshFileName(PrivateTempFolder(), QStringLiteral("update"), QStringLiteral("ini"));
    if (!DownloadToFile(address, infoFile, context.programFileName, false, {kMaxInfoFileBytes}))
        return UpdateResult::ServerUnreachable;
    UpdateInfo info = readUpdateInfo(infoFile, context.programFile);
    DeleteFileRetry(infoFile);
    // From here on only addresses the open action may be given: a download
    // address that is none offers nothing, like a missing one.
    info.downloadUrl = usableAddress(info.downloadUrl, address);
    info.webUrl = usableAddress(info.webUrl, address);
    if (info.version.isEmpty() || info.downloadUrl.isEmpty() ||
        !IsNewerVersion(info.version, installedVersion))
        return UpdateResult::NoUpdate;

    offer = UpdateOffer{info.version, info.downloadUrl, info.webUrl};
    if (quiet || !ask)
        return UpdateResult::UpdateOffered;
    const int answer = context.desktop.AskBox(
        offerQuestion(info), QStringLiteral("Update verfügbar"), Desktop::YesNoButtons);
    if (answer == Desktop::AnswerYes)
        installUpdate(context, info);
    return UpdateResult::UpdateOffered;
}

UpdateResult runUpdateCheck(const UpdateCheckContext &context, const QString &address)
{
    UpdateOffer offer;
    const UpdateResult result =
        CheckForUpdate(context, address, VersionInfoString(context.programFile, kFileVersionIndex),
                       false, true, offer);
    switch (result) {
    case UpdateResult::ServerUnreachable:
        context.desktop.NotifyBox(QStringLiteral("Der Update-Server ist nicht erreichbar."),
                                  context.applicationTitle);
        break;
    case UpdateResult::NoUpdate:
        context.desktop.NotifyBox(QStringLiteral("Sie haben die aktuellste Version installiert."),
                                  context.applicationTitle);
        break;
    case UpdateResult::UpdateOffered:
        break;
    }
    return result;
}

} // namespace zolvaric
