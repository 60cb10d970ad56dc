#include "ProjectFile.h"

#include "IniAccess.h"

#include "base/Desktop.h"
#include "base/ProgramRun.h"
#include "calc/Calculation.h"
#include "calc/ProjectInputs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zolvaric {

namespace {

const QString kSection = QStringLiteral("Projektdaten");

} // namespace

QString projectStatusText(const QString &projectFile)
{
    return QStringLiteral("Aktuelle Projektdatei : \"%1\"")
        .arg(QDir::toNativeSeparators(projectFile));
}

QString savePromptText()
{
    return QStringLiteral("Das aktuelle Projekt wurde noch nicht gespeichert. Jetzt Speichern?");
}

QString savePromptCaption(const QString &applicationTitle)
{
    return applicationTitle + QStringLiteral(" - Abfrage");
}

WriteResult writeProjectFile(const Calculation &calculation, const QString &file)
{
    IniEntries entries;
    // A key not stored goes, lest an earlier save of the file speak for it.
    QStringList removed;
    for (const ProjectKey &key : projectKeys()) {
        if (const auto value = storedProjectValue(calculation, key))
            entries.append({QLatin1String(key.key), *value});
        else
            removed << QLatin1String(key.key);
    }
    return WriteIniStrings(file, kSection, entries, removed);
}

bool SaveProject(const Calculation &calculation, ProgramRun &run, Desktop &desktop,
                 const std::optional<QString> &chosenFile)
{
    if (!chosenFile)
        return false;
    const WriteResult written = writeProjectFile(calculation, *chosenFile);
    if (!written) {
        desktop.NotifyBox(
            QStringLiteral("Das Projekt konnte nicht gespeichert werden: %1").arg(written.error),
            QCoreApplication::applicationName());
        return false;
    }
    run.projectFile = *chosenFile;
    run.projectChanged = false;
    return true;
}

bool LoadProject(Calculation &calculation, ProgramRun &run, Desktop &desktop,
                 const std::optional<QString> &chosenFile)
{
    if (!chosenFile)
        return false;
    const IniReader file(*chosenFile);
    if (!file.error().isEmpty()) {
        desktop.errorBox(file.error());
        return false;
    }
    if (!file.exists() && QFileInfo::exists(*chosenFile)) {
        desktop.errorBox(QStringLiteral("Die Projektdatei \"%1\" kann nicht gelesen werden.")
                             .arg(QDir::toNativeSeparators(*chosenFile)));
        return false;
    }
    // Absent and empty values mean the file format's defaults.
    const ProjectValueLookup lookup = [&file](const ProjectKey &key) -> std::optional<QString> {
        return file.string(kSection, QLatin1String(key.key), QLatin1String(key.defaultText));
    };
    try {
        try {
            checkProjectInputs(calculation, lookup);
        } catch (const InputError &error) {
            // Which file the bad value is in, as the user may load several.
            throw InputError(QStringLiteral("Projekt \"%1\": %2")
                                 .arg(QDir::toNativeSeparators(*chosenFile), error.message()));
        }
        Calculation::ActionScope action(calculation);
        applyProjectInputs(calculation, lookup);
        recomputeProject(calculation);
    } catch (const Error &error) {
        desktop.errorBox(error.message());
        return false;
    }
    run.projectFile = *chosenFile;
    run.projectChanged = false;
    return true;
}

} // namespace zolvaric
