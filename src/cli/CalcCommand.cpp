#include "CalcCommand.h"

#include "SheetBreakdown.h"
#include "SheetJson.h"
#include "StderrDesktop.h"

#include "base/NumberText.h"
#include "base/Paths.h"
#include "base/RegionalSettings.h"
#include "calc/Calculation.h"
#include "calc/ProjectInputs.h"

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
    QMap<const ProjectKey *, QString> values; // regional notation
    bool json = false;
    QString programDir;
};

class ArgumentError
{
public:
    QString message;
};

// Numbers on the command line take '.' or ',' as decimal separator.
QString toRegionalNumber(const QString &text, QChar decimalSeparator)
{
    QString regional = text;
    for (QChar &c : regional) {
        if (c == QLatin1Char('.') || c == QLatin1Char(','))
            c = decimalSeparator;
    }
    return regional;
}

QString checkedValue(const ProjectKey &key, const QString &text, const RegionalSettings &settings)
{
    switch (key.kind) {
    case ProjectKey::Text:
        return text;
    case ProjectKey::Index: {
        const auto index = tryParseInt(text);
        if (!index)
            throw ArgumentError{QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text)};
        if (*index < 0) {
            throw ArgumentError{
                QStringLiteral("Der Wert %1 für \"%2\" liegt außerhalb der Auswahl.")
                    .arg(text, QLatin1String(key.key))};
        }
        return text;
    }
    case ProjectKey::Number: {
        const QString regional = toRegionalNumber(text, settings.decimalSeparator);
        if (!tryParseFloat(regional, settings.decimalSeparator))
            throw ArgumentError{QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text)};
        return regional;
    }
    }
    return text;
}

CalcOptions parseOptions(const QStringList &arguments, const RegionalSettings &settings)
{
    CalcOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const auto takeValue = [&](const QString &option) {
            const QString prefix = option + QLatin1Char('=');
            if (argument.startsWith(prefix))
                return argument.mid(prefix.size());
            if (i + 1 >= arguments.size())
                throw ArgumentError{QStringLiteral("Zur Option %1 fehlt der Wert.").arg(option)};
            return arguments[++i];
        };
        if (argument == QLatin1String("--json")) {
            options.json = true;
        } else if (argument == QLatin1String("--set") ||
                   argument.startsWith(QLatin1String("--set="))) {
            const QString assignment = takeValue(QStringLiteral("--set"));
            const qsizetype equals = assignment.indexOf(QLatin1Char('='));
            if (equals <= 0) {
                throw ArgumentError{
                    QStringLiteral("--set erwartet SCHLÜSSEL=WERT, nicht \"%1\".").arg(assignment)};
            }
            const QString name = assignment.left(equals);
            const ProjectKey *key = findProjectKey(name);
            if (!key)
                throw ArgumentError{QStringLiteral("Unbekannter Schlüssel: %1").arg(name)};
            options.values[key] = checkedValue(*key, assignment.mid(equals + 1), settings);
        } else if (argument == QLatin1String("--program-dir") ||
                   argument.startsWith(QLatin1String("--program-dir="))) {
            options.programDir = takeValue(QStringLiteral("--program-dir"));
        } else {
            throw ArgumentError{QStringLiteral("Unbekannte Option: %1").arg(argument)};
        }
    }
    return options;
}

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

    const RegionalSettings settings = RegionalSettings::system();
    CalcOptions options;
    try {
        options = parseOptions(arguments, settings);
    } catch (const ArgumentError &error) {
        err << error.message << Qt::endl;
        return kBadArguments;
    }

    ProgramRun run;
    run.programDir =
        WithBackslash(options.programDir.isEmpty() ? QCoreApplication::applicationDirPath()
                                                   : QDir(options.programDir).absolutePath());
    StderrDesktop desktop;
    Calculation calculation(settings, run, desktop);
    try {
        calculation.startUp();
        applyProjectInputs(calculation,
                           [&options](const ProjectKey &key) -> std::optional<QString> {
                               const auto found = options.values.constFind(&key);
                               if (found == options.values.constEnd())
                                   return std::nullopt;
                               return *found;
                           });
        recomputeProject(calculation);
    } catch (const InputError &error) {
        err << error.message() << Qt::endl;
        return kBadArguments;
    } catch (const Error &error) {
        err << "Fehler: " << error.message() << Qt::endl;
        return kFailed;
    }

    for (const QString &warning : calculation.warnings())
        err << "Warnung: " << warning << Qt::endl;
    if (options.json)
        out << QJsonDocument(sheetToJson(calculation)).toJson(QJsonDocument::Indented);
    else
        out << sheetBreakdown(calculation);
    return kCalculated;
}

} // namespace zolvaric
