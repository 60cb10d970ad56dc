// One full recalculation after a change of the eligible costs, as a keystroke
// in edKosten causes it: the change handler, the fee-table load (with its
// look at the override file), the lookup, every result written as text;
// and the same in an offer of 100 calculations with its totals.
//
//   zolvaric-bench-calc                      Google Benchmark, ns per recalculation
//   zolvaric-bench-calc --callgrind-runs N   N recalculations for
//       valgrind --tool=callgrind --toggle-collect='*recalculateOnce*'

#include "BenchSession.h"

#include "base/Paths.h"
#include "base/RegionalSettings.h"
#include "calc/Calculation.h"
#include "calc/Offer.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>

#include <cstring>
#include <memory>

using namespace zolvaric;

namespace {

// Two costs in different table rows, so every run changes every result.
__attribute__((noinline)) void recalculateOnce(BenchSession &session, std::int64_t i)
{
    session.calculation->sheet().edKosten.setValue((i & 1) ? 120000.0 : 345678.9);
}

void BM_RecalculateAfterCostsChange(benchmark::State &state)
{
    BenchSession session;
    std::int64_t i = 0;
    for (auto _ : state) {
        recalculateOnce(session, i++);
        benchmark::DoNotOptimize(session.calculation->sheet().edBruttohonorar.value());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RecalculateAfterCostsChange);

// The same keystroke in one calculation of an offer of N, with the offer's
// totals after it: only the edited calculation is computed, so N = 100
// costs what N = 1 does, plus adding up the stored results.
void BM_OfferRecalculateAfterCostsChange(benchmark::State &state)
{
    BenchSession session;
    for (std::int64_t n = 1; n < state.range(0); ++n)
        session.offer->duplicate();
    session.offer->select(static_cast<int>(state.range(0) / 2));
    std::int64_t i = 0;
    for (auto _ : state) {
        recalculateOnce(session, i++);
        benchmark::DoNotOptimize(session.offer->totals().gross);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OfferRecalculateAfterCostsChange)->Arg(1)->Arg(100)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--callgrind-runs") == 0) {
        BenchSession session;
        recalculateOnce(session, 0); // warm: tables parsed, texts allocated
        const long runs = std::atol(argv[2]);
        for (long i = 1; i <= runs; ++i)
            recalculateOnce(session, i);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
