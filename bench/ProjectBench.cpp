// Project save and load of the worked example: the whole file written
// atomically, and read, checked and recomputed.
//
//   zolvaric-bench-project

#include "BenchSession.h"

#include "base/Paths.h"
#include "base/RegionalSettings.h"
#include "calc/Calculation.h"
#include "persist/ProjectFile.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

using namespace zolvaric;

namespace {

struct ProjectSession : BenchSession
{
    QString file = folder.filePath(QStringLiteral("projekt.prj"));
};

void BM_ProjectSave(benchmark::State &state)
{
    ProjectSession session;
    for (auto _ : state) {
        if (!SaveProject(*session.offer, session.run, session.desktop, session.file))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_ProjectSave)->Unit(benchmark::kMicrosecond);

void BM_ProjectLoad(benchmark::State &state)
{
    ProjectSession session;
    SaveProject(*session.offer, session.run, session.desktop, session.file);
    for (auto _ : state) {
        if (!LoadProject(*session.offer, session.run, session.desktop, session.file))
            state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_ProjectLoad)->Unit(benchmark::kMicrosecond);

// A project of as many calculations as the argument, each in its own section.
QByteArray offerOfSections(int count)
{
    QByteArray bytes = "[Projektdaten]\r\nProjektbezeichnung=Siedlung\r\nHOAI_nach=0\r\n"
                       "Honorarzone=2\r\nHonorarsatz=2\r\nAnrechenbare_Kosten=450000\r\n"
                       "Bezeichnung=Haus 1\r\n";
    for (int n = 2; n <= count; ++n) {
        bytes += "[Teilhonorar " + QByteArray::number(n) + "]\r\nHOAI_nach=0\r\nHonorarzone=2\r\n";
        bytes += "Anrechenbare_Kosten=" + QByteArray::number(100000 + n) + "\r\nBezeichnung=Haus " +
                 QByteArray::number(n) + "\r\nWiederholung=0\r\n";
    }
    return bytes;
}

bool writeOfferOfSections(const QString &path, int sections)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(offerOfSections(sections)) >= 0 &&
           file.flush();
}

// Each key read from the file's index, not by scanning the file: the time
// grows with the number of sections, not with its square.
void BM_ProjectLoadSections(benchmark::State &state)
{
    ProjectSession session;
    if (!writeOfferOfSections(session.file, int(state.range(0))))
        state.SkipWithError("project not written");
    for (auto _ : state) {
        if (!LoadProject(*session.offer, session.run, session.desktop, session.file))
            state.SkipWithError("load failed");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ProjectLoadSections)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The offer saved again over its file: every key found in its section's index
// and kept in place.
void BM_ProjectSaveSections(benchmark::State &state)
{
    ProjectSession session;
    if (!writeOfferOfSections(session.file, int(state.range(0))))
        state.SkipWithError("project not written");
    if (!LoadProject(*session.offer, session.run, session.desktop, session.file) ||
        !SaveProject(*session.offer, session.run, session.desktop, session.file))
        state.SkipWithError("load failed");
    for (auto _ : state) {
        if (!SaveProject(*session.offer, session.run, session.desktop, session.file))
            state.SkipWithError("save failed");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ProjectSaveSections)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char *argv[])
{
    return runBenchmarks(argc, argv);
}
