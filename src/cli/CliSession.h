#pragma once

#include "StderrDesktop.h"

#include "base/ProgramRun.h"
#include "base/RegionalSettings.h"
#include "calc/Calculation.h"
#include "calc/Offer.h"
#include "calc/ProjectInputs.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace zolvaric {

enum ExitCode { kDone = 0, kFailed = 1, kBadArguments = 2 };

// The options every command shares, and those a command adds.
struct CliOptions
{
    // --set, as given, by calculation number from 1 ("--set 2:MwSt=7").
    QMap<int, QMap<const ProjectKey *, QString>> values;
    QString programDir;
    std::optional<QString> projectFile; // never empty when given
    std::optional<QString> saveFile;
    QMap<QString, QString> extra; // the command's own options with a value
    QSet<QString> flags;          // the command's own switches
};

// Reads the arguments; the command names which options of its own it takes.
// Returns the German message of the first bad argument.
std::optional<QString> parseCliOptions(const QStringList &arguments,
                                       const QStringList &valueOptions,
                                       const QStringList &flagOptions, CliOptions &options);

// The calculation as the window has it after start-up, the office's master
// data read as the window finds them, then the project and the values given.
class CliSession
{
public:
    CliSession();

    // Returns kDone, or the exit code after the message has been printed.
    ExitCode prepare(const CliOptions &options);

    Calculation &calculation() { return *m_calculation; }
    Offer &offer() { return *m_offer; }
    ProgramRun &run() { return m_run; }
    StderrDesktop &desktop() { return m_desktop; }

private:
    // The values given for calculation `number` (from 1), which may be one
    // past the last: it is added as the window's "Neu" adds it.
    ExitCode applyValues(int number, const QMap<const ProjectKey *, QString> &values);

    RegionalSettings m_settings;
    ProgramRun m_run;
    StderrDesktop m_desktop;
    std::unique_ptr<Calculation> m_calculation;
    std::unique_ptr<Offer> m_offer;
};

} // namespace zolvaric
