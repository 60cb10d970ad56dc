#include "ProjectFile.h"

#include "IniAccess.h"

#include "base/Desktop.h"
#include "base/NumberText.h"
#include "base/ProgramRun.h"
#include "calc/Calculation.h"
#include "calc/ProjectInputs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zolvaric {

namespace {

const QString kSection = QStringLiteral("Projektdaten");

// A field's stored form: texts as they stand, indexes and numbers as text.
QString storedValue(const CalculationSheet &sheet, const ProjectKey &key)
{
    const Field *field = fieldOf(sheet, key);
    switch (key.kind) {
    case ProjectKey::Text:
        return static_cast<const TextField *>(field)->text();
    case ProjectKey::Index:
        return QString::number(static_cast<const ChoiceField *>(field)->index());
    case ProjectKey::Number:
        return formatGeneral(static_cast<const NumericField *>(field)->value(), sheet.settings());
    }
    return QString();
}

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
    for (const ProjectKey &key : projectKeys())
        entries.append({QLatin1String(key.key), storedValue(calculation.sheet(), key)});
    return WriteIniStrings(file, kSection, entries);
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
