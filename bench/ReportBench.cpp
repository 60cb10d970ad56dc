// The fee offer reports: the HTML report on a 100 KB and a 1 MB template (the
// default template repeated), from reading the template to the page written;
// the word-processor report on the default template, from starting the
// built-in word processor to the document saved; the PDF of the worked
// example from the default template, from reading it to the file written
// (the whole command, `zolvaric-cli report pdf`, is to take under 100 ms);
// and the refusal of a template nesting tables 20 deep.
//
//   zolvaric-bench-report

#include "BenchSession.h"

#include "base/Error.h"
#include "base/Paths.h"
#include "base/RegionalSettings.h"
#include "calc/Calculation.h"
#include "report/AutomationServers.h"
#include "report/HtmlReport.h"
#include "report/ReportProgress.h"
#include "report/WordReport.h"
#include "report/paper/PdfReport.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <memory>

using namespace zolvaric;

namespace {

struct ReportSession : BenchSession
{
    // The default template repeated to the given size.
    QString templateOf(qint64 size)
    {
        QFile source(QStringLiteral(ZOLVARIC_HTML_TEMPLATE));
        if (!source.open(QIODevice::ReadOnly))
            qFatal("no template");
        const QByteArray one = source.readAll();
        QByteArray text;
        while (text.size() < size)
            text += one;
        const QString path = folder.filePath(QStringLiteral("vorlage.htm"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text.left(size)) != size)
            qFatal("cannot write the template");
        return path;
    }
};

void BM_HtmlReport(benchmark::State &state)
{
    ReportSession session;
    const QString templatePath = session.templateOf(state.range(0));
    const QString output = session.folder.filePath(QStringLiteral("Zolvaric.htm"));
    NoReportProgress progress;
    for (auto _ : state) {
        if (!writeHtmlReport(*session.offer, templatePath, output, progress))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_HtmlReport)->Arg(100 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMillisecond);

void BM_WordReport(benchmark::State &state)
{
    ReportSession session;
    const QString output = session.folder.filePath(QStringLiteral("Angebot.docx"));
    const AutomationFactory factory = builtInAutomation(session.desktop);
    for (auto _ : state) {
        if (!saveWordReport(*session.offer, session.desktop, factory,
                            QStringLiteral(ZOLVARIC_WORD_TEMPLATE), output))
            state.SkipWithError("report failed");
    }
}
BENCHMARK(BM_WordReport)->Unit(benchmark::kMillisecond);

void BM_PdfReport(benchmark::State &state)
{
    ReportSession session;
    const QString output = session.folder.filePath(QStringLiteral("Angebot.pdf"));
    NoReportProgress progress;
    for (auto _ : state) {
        if (!writePdfReport(*session.offer, QStringLiteral(ZOLVARIC_HTML_TEMPLATE), output,
                            progress))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_PdfReport)->Unit(benchmark::kMillisecond);

// A template of tables nested 20 deep: refused before its layout, whose time
// grows exponentially with the depth (to be under a second).
void BM_PdfReportNestedTemplate(benchmark::State &state)
{
    ReportSession session;
    const QString templatePath = session.folder.filePath(QStringLiteral("tief.htm"));
    QFile file(templatePath);
    const QByteArray page = QByteArray("<table><tr><td>").repeated(20) + "\\Nettohonorar\\" +
                            QByteArray("</td></tr></table>").repeated(20);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size())
        qFatal("cannot write the template");
    file.close();
    const QString output = session.folder.filePath(QStringLiteral("Angebot.pdf"));
    NoReportProgress progress;
    for (auto _ : state) {
        try {
            (void)writePdfReport(*session.offer, templatePath, output, progress);
            state.SkipWithError("a template nested that deep was laid out");
        } catch (const Error &) {
        }
    }
}
BENCHMARK(BM_PdfReportNestedTemplate)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char *argv[])
{
    // The PDF lays out text with Qt's fonts: a GUI application, offscreen
    // unless a platform is named.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
