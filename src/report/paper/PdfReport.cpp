#include "PdfReport.h"

#include "base/Desktop.h"
#include "base/Error.h"
#include "base/ProgramRun.h"
#include "calc/Offer.h"
#include "report/HtmlReport.h"
#include "report/Placeholders.h"
#include "report/ReportBusyState.h"
#include "report/ReportOutput.h"
#include "report/ReportProgress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace zolvaric {

namespace {

// The template beside the program, announced to the wait window; empty after
// the message when there is none.
QString templateBesideProgram(const ProgramRun &run, Desktop &desktop, ReportProgress &progress)
{
    progress.prepare(reportWaitMessage(), static_cast<int>(placeholders(ReportKind::Html).size()));
    const QString path = htmlTemplatePath(run);
    const auto unusable = unusableTemplateReason(path);
    if (!unusable)
        return path;
    desktop.NotifyBox(*unusable + QStringLiteral(" Vorgang wird abgebrochen."),
                      QCoreApplication::applicationName());
    return QString();
}

std::optional<PaperReport> paperReport(const Offer &offer, const QString &templatePath,
                                       Desktop &desktop, ReportProgress &progress)
{
    try {
        return PaperReport(offer, templatePath, progress);
    } catch (const Error &error) {
        desktop.errorBox(error.message());
        return std::nullopt;
    }
}

// Names Windows keeps for devices, with any extension.
bool isDeviceName(const QString &name)
{
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM\\d|LPT\\d)$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return device.match(name.section(QLatin1Char('.'), 0, 0).trimmed()).hasMatch();
}

} // namespace

WriteResult writePdfReport(const Offer &offer, const QString &templatePath,
                           const QString &outputPath, ReportProgress &progress)
{
    return writeFileAtomically(outputPath, PaperReport(offer, templatePath, progress).toPdf());
}

QString defaultPdfFileName(const Offer &offer)
{
    QString name = offerDocumentTitle(offer.calculation());
    for (QChar &c : name) {
        if (c.unicode() < 32 || QStringView(u"<>:\"/\\|?*").contains(c))
            c = QLatin1Char('_');
    }
    // Long names are cut where the folder's path still leaves room.
    constexpr qsizetype kMostCharacters = 120;
    if (name.size() > kMostCharacters)
        name.truncate(name[kMostCharacters - 1].isHighSurrogate() ? kMostCharacters - 1
                                                                  : kMostCharacters);
    // Windows drops trailing dots and spaces from a name.
    while (!name.isEmpty() && (name.back() == QLatin1Char('.') || name.back().isSpace()))
        name.chop(1);
    if (name.trimmed().isEmpty())
        name = QStringLiteral("Honorarangebot");
    if (isDeviceName(name))
        name += QLatin1Char('_');
    return name + QStringLiteral(".pdf");
}

std::optional<PaperReport> PrepareHonorarPaper(const Offer &offer, ProgramRun &run,
                                               Desktop &desktop, ReportProgress &progress)
{
    const QString templatePath = templateBesideProgram(run, desktop, progress);
    if (templatePath.isEmpty())
        return std::nullopt;
    const ReportBusyState busy(run, progress);
    return paperReport(offer, templatePath, desktop, progress);
}

bool SaveHonorarPDF(const Offer &offer, ProgramRun &run, Desktop &desktop, ReportProgress &progress,
                    const std::optional<QString> &chosenFile)
{
    if (!chosenFile)
        return false;
    const QString templatePath = templateBesideProgram(run, desktop, progress);
    if (templatePath.isEmpty())
        return false;
    if (const auto clash = reportOutputClash(*chosenFile, templatePath, run)) {
        desktop.errorBox(*clash);
        return false;
    }
    const ReportBusyState busy(run, progress);
    const std::optional<PaperReport> paper = paperReport(offer, templatePath, desktop, progress);
    if (!paper)
        return false;
    WriteResult written;
    try {
        written = writeFileAtomically(*chosenFile, paper->toPdf());
    } catch (const Error &error) {
        written = {false, error.message()};
    }
    if (!written) {
        desktop.errorBox(QStringLiteral("Die PDF-Datei \"%1\" konnte nicht gespeichert werden: %2")
                             .arg(QDir::toNativeSeparators(*chosenFile), written.error));
        return false;
    }
    return true;
}

} // namespace zolvaric
