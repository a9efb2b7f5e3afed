// Generation speed: the enumeration of full systems and the guarantee reduction, with the
// literal reduction beside the fast one on the sizes where the literal one is bearable.
//
//   build/bench/velmora_bench --benchmark_filter=Enumerate
//
// Run the enumeration alone to read its peak resident memory (the counter PeakRSS_MB is
// the peak of the whole process so far).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <map>
#include <string>
#include <vector>

#include "model/enumeration.h"
#include "model/reduction.h"
#include "support/literal_reduction.h"
#include "support/testplans.h"

namespace velmora {
namespace {

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// n games of which `free` allow all three signs, the others one sign.
TTipPlan Plan(int n, int free) {
    std::vector<std::string> games(static_cast<std::size_t>(n), "300");
    for (int g = 0; g < free; ++g)
        games[static_cast<std::size_t>(g)] = "321";
    TTipPlan plan = testing::PlanFromTendencies(games);
    plan.AllToTendencyOrder(n);
    return plan;
}

TRowList Enumerate(int n, int free) {
    TRowList rows(n);
    AbortFlag abort;
    RunObserver observer;
    EnumerateFullSystem(Plan(n, free), n, CandidateTest(TFilterSet::PassingAll(n), n), rows, abort,
                        observer);
    return rows;
}

const TRowList& CachedFullSystem(int n, int free) {
    static std::map<std::pair<int, int>, TRowList> cache;
    auto [it, added] = cache.try_emplace({n, free}, n);
    if (added)
        it->second = Enumerate(n, free);
    return it->second;
}

void BM_Enumerate(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const TTipPlan plan = Plan(n, n);
    const CandidateTest test(TFilterSet::PassingAll(n), n);
    AbortFlag abort;
    RunObserver observer;
    TRowList rows(n);
    for (auto _ : state) {
        rows = TRowList(n);  // a fresh list each time, as a new run starts with
        EnumerateFullSystem(plan, n, test, rows, abort, observer);
        benchmark::DoNotOptimize(rows.Bytes().data());
    }
    state.counters["rows"] = rows.Count();
    state.counters["PeakRSS_MB"] = PeakResidentMegabytes();
}
BENCHMARK(BM_Enumerate)->DenseRange(11, 14)->Unit(benchmark::kMillisecond);

void BM_ReduceToGuarantee(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const int level = static_cast<int>(state.range(1));
    const TRowList& full = CachedFullSystem(n, n);
    AbortFlag abort;
    RunObserver observer;
    TRowList rows(n);
    for (auto _ : state) {
        rows = full;
        ReduceToGuarantee(rows, level, abort, observer);
    }
    state.counters["kept"] = rows.Count();
}
BENCHMARK(BM_ReduceToGuarantee)
    ->ArgsProduct({{11, 12, 13, 14}, {1, 2, 3}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

// The same reductions on 3^10 (11 games, one of them fixed) and 3^11, fast and literal.
template <bool kLiteral>
void BM_ReduceSmall(benchmark::State& state) {
    const int free = static_cast<int>(state.range(0));
    const int level = static_cast<int>(state.range(1));
    const TRowList& full = CachedFullSystem(11, free);
    AbortFlag abort;
    RunObserver observer;
    TRowList rows(11);
    for (auto _ : state) {
        rows = full;
        if constexpr (kLiteral) {
            literal::ReduceToGuarantee(rows, level, abort, observer);
        } else {
            ReduceToGuarantee(rows, level, abort, observer);
        }
    }
    state.counters["kept"] = rows.Count();
}
BENCHMARK(BM_ReduceSmall<false>)
    ->Name("BM_ReduceFast11")
    ->ArgsProduct({{10, 11}, {1, 2, 3}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(BM_ReduceSmall<true>)
    ->Name("BM_ReduceLiteral11")
    ->ArgsProduct({{10, 11}, {1, 2, 3}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
