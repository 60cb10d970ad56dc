#include "CalcCommand.h"

#include "SheetBreakdown.h"
#include "SheetJson.h"
#include "StderrDesktop.h"

#include "base/Paths.h"
#include "base/RegionalSettings.h"
#include "calc/Calculation.h"
#include "calc/ProjectInputs.h"
#include "persist/MasterData.h"
#include "persist/ProjectFile.h"
#include "persist/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QMap>
#include <QTextStream>

#include <optional>

namespace zolvaric {

namespace {

constexpr int kCalculated = 0;
constexpr int kFailed = 1;
constexpr int kBadArguments = 2;

struct CalcOptions
{
    QMap<const ProjectKey *, QString> values; // as given
    bool json = false;
    QString programDir;
    QString projectFile;
    QString saveFile;
};

class ArgumentError
{
public:
    QString message;
};

CalcOptions parseOptions(const QStringList &arguments)
{
    CalcOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        // "--option value" or "--option=value".
        const auto isOption = [&argument](const char *name) {
            return argument == QLatin1String(name) ||
                   argument.startsWith(QLatin1String(name) + QLatin1Char('='));
        };
        const auto takeValue = [&](const char *name) {
            const QString prefix = QLatin1String(name) + QLatin1Char('=');
            if (argument.startsWith(prefix))
                return argument.mid(prefix.size());
            if (i + 1 >= arguments.size()) {
                throw ArgumentError{
                    QStringLiteral("Zur Option %1 fehlt der Wert.").arg(QLatin1String(name))};
            }
            return arguments[++i];
        };
        if (argument == QLatin1String("--json")) {
            options.json = true;
        } else if (isOption("--set")) {
            const QString assignment = takeValue("--set");
            const qsizetype equals = assignment.indexOf(QLatin1Char('='));
            if (equals <= 0) {
                throw ArgumentError{
                    QStringLiteral("--set erwartet SCHLÜSSEL=WERT, nicht \"%1\".").arg(assignment)};
            }
            const QString name = assignment.left(equals);
            const ProjectKey *key = findProjectKey(name);
            if (!key)
                throw ArgumentError{QStringLiteral("Unbekannter Schlüssel: %1").arg(name)};
            options.values[key] = assignment.mid(equals + 1);
        } else if (isOption("--program-dir")) {
            options.programDir = takeValue("--program-dir");
        } else if (isOption("--project")) {
            options.projectFile = takeValue("--project");
        } else if (isOption("--save")) {
            options.saveFile = takeValue("--save");
        } else {
            throw ArgumentError{QStringLiteral("Unbekannte Option: %1").arg(argument)};
        }
    }
    return options;
}

// The window's program base name: the command line tool shares its office.
const QString kWindowBaseName = QStringLiteral("zolvaric");

} // namespace

QString calcUsage()
{
    QString keys;
    for (const ProjectKey &key : projectKeys())
        keys += QStringLiteral("  %1\n").arg(QLatin1String(key.key));
    return QStringLiteral(
               "Aufruf: zolvaric-cli calc [--set SCHLÜSSEL=WERT]... [--json] [--program-dir "
               "ORDNER]\n"
               "\n"
               "Berechnet das Honorar ausgehend vom Startzustand des Programms (HOAI 2021,\n"
               "Gebäude, Leistungsanteile laut Tabelle, MwSt. 19 %%) und den gesetzten Werten.\n"
               "Zahlen dürfen Punkt oder Komma als Dezimaltrennzeichen haben.\n"
               "\n"
               "  --set SCHLÜSSEL=WERT  setzt einen Wert wie in einer Projektdatei\n"
               "  --json                gibt alle Felder als JSON-Objekt aus\n"
               "  --program-dir ORDNER  Programmordner (für eigene Tabellendateien)\n"
               "\n"
               "Schlüssel:\n%1")
        .arg(keys)
        .replace(QLatin1String("%%"), QLatin1String("%"));
}

int runCalcCommand(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        out << calcUsage();
        return kCalculated;
    }

    CalcOptions options;
    try {
        options = parseOptions(arguments);
    } catch (const ArgumentError &error) {
        err << error.message << Qt::endl;
        return kBadArguments;
    }

    const RegionalSettings settings = RegionalSettings::system();
    ProgramRun run;
    run.programDir = WithBackslash(QDir::toNativeSeparators(
        options.programDir.isEmpty() ? QCoreApplication::applicationDirPath()
                                     : QDir(options.programDir).absolutePath()));
    StderrDesktop desktop;
    Calculation calculation(settings, run, desktop);
    // The office's master data as the window finds them; only read here.
    run.settingsFile = findSettingsFile(run.programDir, kWindowBaseName);
    LoadStammdaten(calculation.sheet(), run.settingsFile);
    try {
        calculation.startUp();
        if (!options.projectFile.isEmpty() &&
            !LoadProject(calculation, run, desktop, options.projectFile))
            return kFailed;
        const ProjectValueLookup lookup =
            [&options](const ProjectKey &key) -> std::optional<QString> {
            const auto found = options.values.constFind(&key);
            if (found == options.values.constEnd())
                return std::nullopt;
            return *found;
        };
        checkProjectInputs(calculation, lookup);
        applyProjectInputs(calculation, lookup);
        recomputeProject(calculation);
    } catch (const InputError &error) {
        err << error.message() << Qt::endl;
        return kBadArguments;
    } catch (const Error &error) {
        err << "Fehler: " << error.message() << Qt::endl;
        return kFailed;
    }
    if (!options.saveFile.isEmpty() && !SaveProject(calculation, run, desktop, options.saveFile))
        return kFailed;

    for (const QString &warning : calculation.warnings())
        err << "Warnung: " << warning << Qt::endl;
    if (options.json)
        out << QJsonDocument(sheetToJson(calculation)).toJson(QJsonDocument::Indented);
    else
        out << sheetBreakdown(calculation);
    return kCalculated;
}

} // namespace zolvaric
