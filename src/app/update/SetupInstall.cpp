#include "SetupInstall.h"

#include "FileDownload.h"
#include "FreshFileName.h"
#include "UpdateCheckContext.h"
#include "UpdateInfo.h"

#include "base/Desktop.h"
#include "base/Paths.h"
#include "base/PrivateTempFolder.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace zolvaric {

namespace {

constexpr int kShowNormal = 1;

// ShellOpen's codes: 0 or above 32 mean it is open.
bool isOpen(int shellResult)
{
    return shellResult == 0 || shellResult > 32;
}

// The name comes from the server: only its last part counts, so that the
// file stays in its folder.
QString safeFileName(QString name)
{
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("Setup");
    return name;
}

bool isSha256Hex(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{64}$"));
    return hex.match(text).hasMatch();
}

// Only a setup whose checksum the offer names is fetched, and only one that
// matches it is kept. To the user a missing checksum is a failed download
// like a wrong one, with the manual download as the way out. The bytes are
// hashed as they are written; the file is not opened for writing again, and
// in the private folder nobody else can swap it before it is started.
bool downloadSetup(const UpdateCheckContext &context, const UpdateInfo &info,
                   const QString &setupFile)
{
    const QString expected = info.sha256.trimmed();
    QByteArray written;
    if (!isSha256Hex(expected) || setupFile.isEmpty() ||
        !DownloadToFile(info.downloadUrl, setupFile, context.programFileName, true,
                        {kMaxSetupBytes}, &written))
        return false;
    if (written == QByteArray::fromHex(expected.toLatin1()))
        return true;
    DeleteFileRetry(setupFile);
    return false;
}

void endProgram(const UpdateCheckContext &context, const UpdateInfo &info)
{
    if (info.forceCloseApp && context.endProgram)
        context.endProgram();
}

} // namespace

QString setupFilePath(const QString &programName, const QString &downloadAddress)
{
    // The extension stays, as the desktop's open action picks the handler by it.
    const QString suffix = QFileInfo(QUrl(downloadAddress.trimmed()).fileName()).suffix();
    return freshFileName(PrivateTempFolder(), safeFileName(programName), suffix);
}

void installUpdate(const UpdateCheckContext &context, const UpdateInfo &info)
{
    Desktop &desktop = context.desktop;
    const QString setupFile = setupFilePath(info.programName, info.downloadUrl);
    if (downloadSetup(context, info, setupFile)) {
        // The opened setup needs its file, and the desktop may open it only
        // after this returns; it stays in the private temp folder.
        if (isOpen(desktop.ShellOpen(setupFile, QString(), QString(), kShowNormal)))
            endProgram(context, info);
        else
            DeleteFileRetry(setupFile);
        return;
    }
    const int answer = desktop.AskBox(
        QStringLiteral(
            "Fehler beim Download der Setupdatei. Wollen Sie die Datei manuell downloaden?"),
        QStringLiteral("Downloadfehler"), Desktop::YesNoButtons);
    if (answer == Desktop::AnswerYes &&
        isOpen(desktop.ShellOpen(info.downloadUrl, QString(), QString(), kShowNormal)))
        endProgram(context, info);
}

} // namespace zolvaric
