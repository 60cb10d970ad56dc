#include "ReportOutput.h"

#include "base/FileStamp.h"
#include "base/ProgramRun.h"

#include <QDir>
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

} // namespace zolvaric
