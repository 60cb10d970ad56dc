#include "ReportCommand.h"

#include "CliSession.h"

#include "report/AutomationServers.h"
#include "report/HtmlReport.h"
#include "report/ReportProgress.h"
#include "report/WordReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace zolvaric {

namespace {

QString reportUsage()
{
    return QStringLiteral(
        "Aufruf: zolvaric-cli report html|doc [--project DATEI.prj] [--set SCHLÜSSEL=WERT]...\n"
        "                         [--template DATEI] [--program-dir ORDNER] --output DATEI\n"
        "\n"
        "Schreibt das Honorarangebot als HTML-Seite (html) oder als Word-Dokument im\n"
        "Format .docx (doc). Ohne --template wird die Vorlage im Programmordner benutzt\n"
        "(Zolvaric_Vorlage.htm bzw. Zolvaric_Vorlage.dot).\n");
}

int htmlReport(CliSession &session, const QString &templatePath, const QString &output)
{
    NoReportProgress progress;
    const WriteResult written =
        writeHtmlReport(session.calculation(), templatePath, output, progress);
    if (!written) {
        QTextStream(stderr) << QStringLiteral(
                                   "Der Bericht \"%1\" konnte nicht geschrieben werden: %2")
                                   .arg(QDir::toNativeSeparators(output), written.error)
                            << Qt::endl;
        return kFailed;
    }
    return kDone;
}

int wordReport(CliSession &session, const QString &templatePath, const QString &output)
{
    const bool saved = saveWordReport(session.calculation(), session.desktop(),
                                      builtInAutomation(session.desktop()), templatePath,
                                      QFileInfo(output).absoluteFilePath());
    return saved ? kDone : kFailed;
}

} // namespace

int runReportCommand(const QStringList &arguments)
{
    QTextStream err(stderr);
    if (arguments.isEmpty() || arguments.contains(QLatin1String("--help")) ||
        arguments.contains(QLatin1String("-h"))) {
        QTextStream(stdout) << reportUsage();
        return arguments.isEmpty() ? kBadArguments : kDone;
    }
    const QString kind = arguments.first();
    if (kind != QLatin1String("html") && kind != QLatin1String("doc")) {
        err << QStringLiteral("Unbekannte Berichtsart: %1 (html oder doc)").arg(kind) << Qt::endl;
        return kBadArguments;
    }
    CliOptions options;
    const QStringList own = {QStringLiteral("--template"), QStringLiteral("--output")};
    if (const auto error = parseCliOptions(arguments.mid(1), own, {}, options)) {
        err << *error << Qt::endl;
        return kBadArguments;
    }
    const QString output = options.extra.value(QStringLiteral("--output"));
    if (output.isEmpty()) {
        err << "Die Ausgabedatei fehlt (--output DATEI)." << Qt::endl;
        return kBadArguments;
    }
    CliSession session;
    if (const ExitCode code = session.prepare(options); code != kDone)
        return code;

    const bool html = kind == QLatin1String("html");
    QString templatePath = options.extra.value(QStringLiteral("--template"));
    if (templatePath.isEmpty())
        templatePath = html ? htmlTemplatePath(session.run()) : wordTemplatePath(session.run());
    if (!QFileInfo(templatePath).isFile()) {
        err << QStringLiteral("Die Vorlagedatei \"%1\" konnte nicht gefunden werden.")
                   .arg(QDir::toNativeSeparators(templatePath))
            << Qt::endl;
        return kFailed;
    }
    try {
        return html ? htmlReport(session, templatePath, output)
                    : wordReport(session, templatePath, output);
    } catch (const Error &error) {
        err << "Fehler: " << error.message() << Qt::endl;
        return kFailed;
    }
}

} // namespace zolvaric
