#include "CliSession.h"

#include "base/NumberText.h"
#include "base/Paths.h"
#include "persist/MasterData.h"
#include "persist/ProjectFile.h"
#include "persist/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace zolvaric {

namespace {

// The window's program base name: the command line tool shares its office.
const QString kWindowBaseName = QStringLiteral("zolvaric");

} // namespace

std::optional<QString> parseCliOptions(const QStringList &arguments,
                                       const QStringList &valueOptions,
                                       const QStringList &flagOptions, CliOptions &options)
{
    const QStringList common = {QStringLiteral("--set"), QStringLiteral("--program-dir"),
                                QStringLiteral("--project"), QStringLiteral("--save")};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (flagOptions.contains(argument)) {
            options.flags.insert(argument);
            continue;
        }
        // "--option value" or "--option=value".
        const QString name = argument.section(QLatin1Char('='), 0, 0);
        if (!common.contains(name) && !valueOptions.contains(name))
            return QStringLiteral("Unbekannte Option: %1").arg(argument);
        QString value;
        if (argument.size() > name.size()) {
            value = argument.mid(name.size() + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return QStringLiteral("Zur Option %1 fehlt der Wert.").arg(name);
        }

        if (name == QLatin1String("--set")) {
            const qsizetype equals = value.indexOf(QLatin1Char('='));
            if (equals <= 0)
                return QStringLiteral("--set erwartet SCHLÜSSEL=WERT, nicht \"%1\".").arg(value);
            QString keyName = value.left(equals);
            int part = 1;
            if (const qsizetype colon = keyName.indexOf(QLatin1Char(':')); colon >= 0) {
                const auto number = tryParseInt(keyName.left(colon).trimmed());
                if (!number || *number < 1)
                    return QStringLiteral("--set N:SCHLÜSSEL=WERT erwartet als N die Nummer "
                                          "eines Teilhonorars ab 1, nicht \"%1\".")
                        .arg(keyName.left(colon));
                part = *number;
                keyName = keyName.mid(colon + 1);
            }
            const ProjectKey *key = findProjectKey(keyName);
            if (!key)
                return QStringLiteral("Unbekannter Schlüssel: %1").arg(keyName);
            if (part > 1 && !isCalculationKey(*key))
                return QStringLiteral("%1 gehört zum Projekt, nicht zu einem Teilhonorar; "
                                      "ohne Nummer setzen.")
                    .arg(keyName);
            options.values[part][key] = value.mid(equals + 1);
        } else if (name == QLatin1String("--program-dir")) {
            options.programDir = value;
        } else if (name == QLatin1String("--project") || name == QLatin1String("--save")) {
            // An empty name would silently mean "no project" or "no save".
            if (value.isEmpty())
                return QStringLiteral("Zur Option %1 fehlt der Dateiname.").arg(name);
            (name == QLatin1String("--project") ? options.projectFile : options.saveFile) = value;
        } else {
            options.extra[name] = value;
        }
    }
    return std::nullopt;
}

CliSession::CliSession() : m_settings(RegionalSettings::system()) {}

ExitCode CliSession::applyValues(int number, const QMap<const ProjectKey *, QString> &values)
{
    if (number > m_offer->count() + 1) {
        QTextStream(stderr) << QStringLiteral("Das Angebot hat %1 Teilhonorare; als nächstes kann "
                                              "Teilhonorar %2 angelegt werden, nicht %3.")
                                   .arg(m_offer->count())
                                   .arg(m_offer->count() + 1)
                                   .arg(number)
                            << Qt::endl;
        return kBadArguments;
    }
    if (number == m_offer->count() + 1) {
        // As the window's "Neu" after the last one.
        m_offer->select(m_offer->count() - 1);
        m_offer->add();
    } else {
        m_offer->select(number - 1);
    }
    const ProjectValueLookup lookup = [&values](const ProjectKey &key) -> std::optional<QString> {
        const auto found = values.constFind(&key);
        if (found == values.constEnd())
            return std::nullopt;
        return *found;
    };
    try {
        checkProjectInputs(*m_calculation, lookup);
    } catch (const InputError &error) {
        if (m_offer->count() == 1)
            throw;
        throw InputError(QStringLiteral("Teilhonorar %1: ").arg(number) + error.message());
    }
    applyProjectInputs(*m_calculation, lookup);
    return kDone;
}

ExitCode CliSession::prepare(const CliOptions &options)
{
    QTextStream err(stderr);
    m_run.programDir = WithBackslash(QDir::toNativeSeparators(
        options.programDir.isEmpty() ? QCoreApplication::applicationDirPath()
                                     : QDir(options.programDir).absolutePath()));
    m_calculation = std::make_unique<Calculation>(m_settings, m_run, m_desktop);
    m_offer = std::make_unique<Offer>(*m_calculation);
    // The office's master data as the window finds them; only read here.
    m_run.settingsFile = findSettingsFile(m_run.programDir, kWindowBaseName);
    if (const QString error = LoadStammdaten(m_calculation->sheet(), m_run.settingsFile);
        !error.isEmpty())
        err << "Warnung: " << error << Qt::endl;
    try {
        m_calculation->startUp();
        if (options.projectFile) {
            // Unlike the window's dialog, a name typed here may name nothing:
            // computing from defaults instead would hide the typing error.
            if (!QFileInfo::exists(*options.projectFile)) {
                err << QStringLiteral("Die Projektdatei \"%1\" gibt es nicht.")
                           .arg(QDir::toNativeSeparators(*options.projectFile))
                    << Qt::endl;
                return kFailed;
            }
            if (!LoadProject(*m_offer, m_run, m_desktop, *options.projectFile))
                return kFailed;
        }
        // Calculation 1 always: a project load's own recalculation, as ever.
        QMap<int, QMap<const ProjectKey *, QString>> values = options.values;
        values.insert(1, options.values.value(1));
        for (auto part = values.constBegin(); part != values.constEnd(); ++part) {
            if (const ExitCode code = applyValues(part.key(), part.value()); code != kDone)
                return code;
        }
        m_offer->select(0);
    } catch (const InputError &error) {
        err << error.message() << Qt::endl;
        return kBadArguments;
    } catch (const Error &error) {
        m_desktop.errorBox(error.message());
        return kFailed;
    }
    if (options.saveFile && !SaveProject(*m_offer, m_run, m_desktop, *options.saveFile))
        return kFailed;
    return kDone;
}

} // namespace zolvaric
