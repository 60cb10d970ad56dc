#include "ReportCommand.h"

#include "CliSession.h"

#include "base/FileErrorText.h"
#include "base/PrivateTempFolder.h"
#include "report/AutomationServers.h"
#include "report/HtmlReport.h"
#include "report/ReportOutput.h"
#include "report/ReportProgress.h"
#include "report/WordReport.h"
#include "report/paper/PdfReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

namespace zolvaric {

namespace {

QString reportUsage()
{
    return QStringLiteral(
        "Aufruf: zolvaric-cli report html|doc|pdf [--project DATEI.prj] [--set SCHLÜSSEL=WERT]...\n"
        "                                         [--template DATEI] [--program-dir ORDNER]\n"
        "                                         --output DATEI\n"
        "\n"
        "Schreibt das Honorarangebot als HTML-Seite (html), als Word-Dokument im\n"
        "Format .docx (doc) oder als PDF-Datei im Format A4 (pdf, aus der HTML-Vorlage,\n"
        "mit Seitenzahlen). Ohne --template wird die Vorlage im Programmordner benutzt\n"
        "(Zolvaric_Vorlage.htm für html und pdf, Zolvaric_Vorlage.dot für doc).\n"
        "--output - schreibt den Bericht auf die Standardausgabe.\n");
}

const QString kStandardOutput = QStringLiteral("-");

void printWriteFailure(const QString &output, const QString &reason)
{
    QTextStream(stderr) << QStringLiteral("Der Bericht \"%1\" konnte nicht geschrieben werden: %2")
                               .arg(QDir::toNativeSeparators(output), reason)
                        << Qt::endl;
}

int toStandardOutput(const QByteArray &bytes)
{
    // Standard output passes the report's bytes unchanged (main() made it so).
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() ||
        !out.flush()) {
        QTextStream(stderr) << QStringLiteral("Der Bericht konnte nicht auf die Standardausgabe "
                                              "geschrieben werden: %1")
                                   .arg(fileErrorText(out))
                            << Qt::endl;
        return kFailed;
    }
    return kDone;
}

int htmlReport(CliSession &session, const QString &templatePath, const QString &output)
{
    NoReportProgress progress;
    if (output == kStandardOutput)
        return toStandardOutput(
            renderHtmlReport(session.offer(), readHtmlTemplate(templatePath), progress));
    const WriteResult written = writeHtmlReport(session.offer(), templatePath, output, progress);
    if (!written) {
        printWriteFailure(output, written.error);
        return kFailed;
    }
    return kDone;
}

int pdfReport(CliSession &session, const QString &templatePath, const QString &output)
{
    NoReportProgress progress;
    if (output == kStandardOutput)
        return toStandardOutput(PaperReport(session.offer(), templatePath, progress).toPdf());
    const WriteResult written = writePdfReport(session.offer(), templatePath, output, progress);
    if (!written) {
        printWriteFailure(output, written.error);
        return kFailed;
    }
    return kDone;
}

bool saveWordReportTo(CliSession &session, const QString &templatePath, const QString &output)
{
    return saveWordReport(session.offer(), session.desktop(), desktopAutomation(session.desktop()),
                          templatePath, QFileInfo(output).absoluteFilePath());
}

int wordReport(CliSession &session, const QString &templatePath, const QString &output)
{
    if (output != kStandardOutput)
        return saveWordReportTo(session, templatePath, output) ? kDone : kFailed;
    // The document is a zip file: made in a folder of its own in the private
    // folder, then passed on. Not over a QTemporaryFile: that keeps its file
    // open, and Windows replaces no open file.
    const QString folder = PrivateTempFolder();
    if (folder.isEmpty()) {
        printWriteFailure(QStringLiteral("Bericht.docx"),
                          QStringLiteral("Im Temp-Ordner lässt sich kein eigener Ordner anlegen."));
        return kFailed;
    }
    QTemporaryDir work(folder + QStringLiteral("BerichtXXXXXX"));
    const QString path = work.filePath(QStringLiteral("Bericht.docx"));
    if (!work.isValid()) {
        printWriteFailure(folder + QStringLiteral("Bericht.docx"), work.errorString());
        return kFailed;
    }
    if (!saveWordReportTo(session, templatePath, path))
        return kFailed;
    QFile document(path);
    if (!document.open(QIODevice::ReadOnly)) {
        printWriteFailure(path, fileErrorText(document));
        return kFailed;
    }
    return toStandardOutput(document.readAll());
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
    const bool html = kind == QLatin1String("html");
    const bool pdf = kind == QLatin1String("pdf");
    if (!html && !pdf && kind != QLatin1String("doc")) {
        err << QStringLiteral("Unbekannte Berichtsart: %1 (html, doc oder pdf)").arg(kind)
            << Qt::endl;
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

    QString templatePath = options.extra.value(QStringLiteral("--template"));
    if (templatePath.isEmpty())
        templatePath =
            html || pdf ? htmlTemplatePath(session.run()) : wordTemplatePath(session.run());
    if (const auto unusable = unusableTemplateReason(QDir::toNativeSeparators(templatePath))) {
        err << *unusable << Qt::endl;
        return kFailed;
    }
    // A report written over its own project file, template or the office's
    // settings would destroy what it is made from.
    if (const auto clash = reportOutputClash(output, templatePath, session.run())) {
        err << *clash << Qt::endl;
        return kBadArguments;
    }
    try {
        if (pdf)
            return pdfReport(session, templatePath, output);
        return html ? htmlReport(session, templatePath, output)
                    : wordReport(session, templatePath, output);
    } catch (const Error &error) {
        session.desktop().errorBox(error.message());
        return kFailed;
    }
}

} // namespace zolvaric
