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

} // namespace

int main(int argc, char *argv[])
{
    return runBenchmarks(argc, argv);
}
