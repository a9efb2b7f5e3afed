// Filter speed: the generation of the full 14-game system with every filter kind in force,
// and "Filtern" (rowPassesFilters) over a list of a million rows.
//
//   build/bench/velmora_bench_filters
//
// The settings keep a realistic share of the rows (the counter "share"), so that every
// stage is reached by many rows and rejects some of them.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "example_filters.h"
#include "filters/filterset.h"
#include "filters/rowfilter.h"
#include "model/enumeration.h"
#include "support/testplans.h"

namespace velmora {
namespace {

constexpr int kGames = 14;

TFilterSet EveryKind() {
    return bench::EveryKind(kGames);
}

TTipPlan FullPlan() {
    TTipPlan plan = testing::FullPlan(kGames);
    plan.AllToTendencyOrder(kGames);
    return plan;
}

void BM_GenerateWithEveryFilter(benchmark::State& state) {
    const TTipPlan plan = FullPlan();
    const TFilterSet filters = EveryKind();
    AbortFlag abort;
    RunObserver observer;
    TRowList rows(kGames);
    for (auto _ : state) {
        rows = TRowList(kGames);
        const CandidateTest test(filters, kGames);
        EnumerateFullSystem(plan, kGames, test, rows, abort, observer);
        benchmark::DoNotOptimize(rows.Bytes().data());
    }
    state.counters["rows"] = rows.Count();
    state.counters["share"] = static_cast<double>(rows.Count()) / plan.FullSystemSize(kGames);
}
BENCHMARK(BM_GenerateWithEveryFilter)->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_FilterMillionRows(benchmark::State& state) {
    constexpr std::int32_t kRows = 1000000;
    TRowList list(kGames);
    list.Reserve(kRows);
    std::mt19937 random(11);
    TTipRow row(kGames);
    for (std::int32_t r = 0; r < kRows; ++r) {
        for (int g = 0; g < kGames; ++g)
            row[g] = static_cast<Sign>(random() % 3);
        list.Append(row);
    }
    const TFilterSet filters = EveryKind();
    std::int32_t kept = 0;
    for (auto _ : state) {
        kept = 0;
        for (std::int32_t r = 0; r < kRows; ++r)
            kept += rowPassesFilters(list.Row(r), filters, kGames);
        benchmark::DoNotOptimize(kept);
    }
    state.counters["kept"] = kept;
    state.counters["share"] = static_cast<double>(kept) / kRows;
}
BENCHMARK(BM_FilterMillionRows)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
