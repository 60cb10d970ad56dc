#include "ReportOutput.h"

#include "base/Desktop.h"
#include "base/FileStamp.h"
#include "base/ProgramRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QPair>

namespace zolvaric {

std::optional<QString> reportOutputClash(const QString &outputPath, const QString &templatePath,
                                         const ProgramRun &run)
{
    const QList<QPair<QString, QString>> inputs = {
        {run.projectFile, QStringLiteral("die Projektdatei")},
        {templatePath, QStringLiteral("die Vorlage")},
        {run.settingsFile, QStringLiteral("die Einstellungsdatei")},
    };
    for (const auto &[input, what] : inputs) {
        if (isSameFile(outputPath, input))
            return QStringLiteral("Die Ausgabedatei \"%1\" ist %2 des Berichts; sie wird nicht "
                                  "überschrieben.")
                .arg(QDir::toNativeSeparators(outputPath), what);
    }
    return std::nullopt;
}

void openReport(Desktop &desktop, const QString &file, const QString &openWith)
{
    if (desktop.ShellOpen(file, QString(), QString(), 1) == 0)
        return;
    desktop.NotifyBox(QStringLiteral("Das Honorarangebot wurde als „%1“ gespeichert, konnte aber "
                                     "nicht geöffnet werden. Bitte öffnen Sie die Datei mit %2.")
                          .arg(QDir::toNativeSeparators(file), openWith),
                      QCoreApplication::applicationName());
}

std::optional<QString> unusableTemplateReason(const QString &templatePath)
{
    const QFileInfo info(templatePath);
    if (info.isFile())
        return std::nullopt;
    if (info.exists())
        return QStringLiteral("Die Vorlagedatei \"%1\" ist keine gewöhnliche Datei (sondern z. B. "
                              "ein Ordner, ein Gerät oder eine Pipe).")
            .arg(templatePath);
    return QStringLiteral("Die Vorlagedatei \"%1\" konnte nicht gefunden werden.")
        .arg(templatePath);
}

} // namespace zolvaric
