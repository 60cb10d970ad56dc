#include "LegacyConversion.h"

#include "report/Automation.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

namespace zolvaric {

namespace {

// LibreOffice starts slowly on a fresh profile.
constexpr int ConversionTimeoutMs = 180000;

AutomationError conversionFailure(const QString &path, const QString &reason)
{
    return AutomationError(
        QStringLiteral("Die Vorlage \"%1\" im alten Word-Format kann nicht umgewandelt "
                       "werden: %2")
            .arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

QByteArray convertLegacyWordFile(const QString &path, const QString &soffice)
{
    QTemporaryDir work;
    if (!work.isValid())
        throw conversionFailure(path, QStringLiteral("kein temporärer Ordner"));
    // A copy under a plain name: LibreOffice leaves lock files beside its
    // input, and odd names do not matter then.
    const QString input = work.filePath(QStringLiteral("vorlage.doc"));
    const QString output = work.filePath(QStringLiteral("out"));
    const QString profile = work.filePath(QStringLiteral("profile"));
    if (!QFile::copy(path, input) || !QDir().mkpath(output) || !QDir().mkpath(profile))
        throw conversionFailure(path, QStringLiteral("die Datei kann nicht kopiert werden"));

    QProcess process;
    process.setProgram(soffice);
    process.setArguments(
        {QStringLiteral("--headless"),
         QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
         QStringLiteral("--convert-to"), QStringLiteral("docx"), QStringLiteral("--outdir"), output,
         input});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start();
    if (!process.waitForStarted())
        throw conversionFailure(
            path, QStringLiteral("LibreOffice (%1) wurde nicht gefunden.").arg(soffice));
    if (!process.waitForFinished(ConversionTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        throw conversionFailure(path, QStringLiteral("LibreOffice antwortet nicht."));
    }
    QFile converted(QDir(output).filePath(QStringLiteral("vorlage.docx")));
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
        !converted.open(QIODevice::ReadOnly))
        throw conversionFailure(path,
                                QStringLiteral("LibreOffice meldet: %1")
                                    .arg(QString::fromLocal8Bit(process.readAll()).trimmed()));
    return converted.readAll();
}

} // namespace zolvaric
