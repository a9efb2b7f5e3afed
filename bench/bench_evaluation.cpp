// Evaluation speed: win tables over whole outcome spaces, the chances and worth of a system,
// and the win determination of a million-row system.
//
//   build/bench/velmora_bench_evaluation
//
// The counter "rows_added" of the minimum-guarantee runs says how many outcomes were appended.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "evaluation/chances.h"
#include "evaluation/windetermination.h"
#include "evaluation/wintable.h"
#include "example_filters.h"
#include "model/enumeration.h"
#include "model/reduction.h"
#include "support/testplans.h"

namespace velmora {
namespace {

TRowList RandomRows(int n, std::int32_t count, unsigned seed) {
    TRowList rows(n);
    rows.Reserve(count);
    std::mt19937 random(seed);
    TTipRow row(n);
    for (std::int32_t r = 0; r < count; ++r) {
        for (int g = 0; g < n; ++g)
            row[g] = static_cast<Sign>(random() % 3);
        rows.Append(row);
    }
    return rows;
}

// A system the filters would have produced: rows drawn from the filtered full system.
TRowList FilteredSystem(int n, const TFilterSet& filters, std::int32_t count) {
    TTipPlan plan = testing::FullPlan(n);
    plan.AllToTendencyOrder(n);
    TRowList rows(n);
    AbortFlag abort;
    RunObserver observer;
    EnumerateFullSystem(plan, n, CandidateTest(filters, n), rows, abort, observer);
    ReduceToCount(rows, count, 7);
    return rows;
}

void RunTable(benchmark::State& state, int n, const TFilterSet& filters, const TRowList& system,
              const WinTableSettings& settings) {
    WinTableResult result;
    for (auto _ : state) {
        state.PauseTiming();
        TRowList rows = system;  // the minimum guarantee appends to it
        TTipPlan plan = testing::FullPlan(n);
        state.ResumeTiming();
        result = RunWinTable(plan, n, filters, settings, rows);
        benchmark::DoNotOptimize(result.patterns.data());
    }
    state.counters["outcomes"] = result.total;
    state.counters["patterns"] = static_cast<double>(result.patterns.size());
    state.counters["rows_added"] = result.rowsAdded;
}

void BM_WinTableAllOutcomes14Games10000Rows(benchmark::State& state) {
    const TRowList system = RandomRows(14, 10000, 1);
    RunTable(state, 14, TFilterSet::PassingAll(14), system, WinTableSettings{});
}
BENCHMARK(BM_WinTableAllOutcomes14Games10000Rows)->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_WinTableFiltered13Games5000Rows(benchmark::State& state) {
    const TFilterSet filters = bench::EveryKind(13);
    const TRowList system = FilteredSystem(13, filters, 5000);
    RunTable(state, 13, filters, system, WinTableSettings{});
}
BENCHMARK(BM_WinTableFiltered13Games5000Rows)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The same run with a minimum guarantee that appends outcomes while it goes on.
void BM_WinTableFiltered13GamesMinimumGuarantee(benchmark::State& state) {
    const TFilterSet filters = bench::EveryKind(13);
    const TRowList system = FilteredSystem(13, filters, 5000);
    WinTableSettings settings;
    settings.minimum = {static_cast<std::int32_t>(state.range(0)),
                        static_cast<std::int32_t>(state.range(1)),
                        static_cast<std::int32_t>(state.range(2))};
    RunTable(state, 13, filters, system, settings);
}
BENCHMARK(BM_WinTableFiltered13GamesMinimumGuarantee)
    ->Args({0, 0, 5})  // about a thousand rows added
    ->Args({0, 1, 0})  // about eleven thousand
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5);

// Everything "Gewinnchancen" computes, with the players' distribution: 14 games, every filter
// kind, 10,000 rows of the filtered system.
void BM_Chances14Games10000RowsWithPayout(benchmark::State& state) {
    const TFilterSet filters = bench::EveryKind(14);
    const TRowList rows = FilteredSystem(14, filters, 10000);
    const TTipPlan plan = testing::FullPlan(14);
    const ChanceSource source{ChanceSource::Kind::Percent, 1};
    const OutcomeModel model = *OutcomeModelOf(filters, 14, source).model;
    const PoolModel pool{*OutcomeModelOf(filters, 14, {ChanceSource::Kind::Percent, 2}).model, 1e6,
                         0.5, 0.5, PoolSettings{}.shares};
    ChancesResult result;
    for (auto _ : state) {
        result = ComputeChances(plan, 14, filters, rows, model, pool);
        benchmark::DoNotOptimize(result.payout);
    }
    state.counters["p_filtered"] = result.pFiltered;
    state.counters["payout"] = result.payout->expected;
}
BENCHMARK(BM_Chances14Games10000RowsWithPayout)->Unit(benchmark::kMillisecond)->Repetitions(5);

TResultRow ResultOfFirstRow(const TRowList& rows) {
    TResultRow result;
    for (int g = 0; g < rows.Games(); ++g)
        result.signs[g] = rows.Row(0)[g];
    return result;
}

void BM_EvaluateMillionRowsWithDetails(benchmark::State& state) {
    const TRowList rows = RandomRows(13, 1000000, 2);
    const TResultRow result = ResultOfFirstRow(rows);
    const TFilterSet filters = bench::EveryKind(13);
    for (auto _ : state) {
        const Evaluation evaluation = Evaluate(rows, result, 13, filters, true);
        benchmark::DoNotOptimize(evaluation.rowsByErrors.data());
    }
}
BENCHMARK(BM_EvaluateMillionRowsWithDetails)->Unit(benchmark::kMillisecond)->Repetitions(5);

// As above, and every detail line written out as text, as a list showing them all would.
void BM_EvaluateMillionRowsWithDetailLines(benchmark::State& state) {
    const TRowList rows = RandomRows(11, 1000000, 3);
    const TResultRow result = ResultOfFirstRow(rows);
    const TFilterSet filters = bench::EveryKind(11);
    std::size_t characters = 0;
    for (auto _ : state) {
        const Evaluation evaluation = Evaluate(rows, result, 11, filters, true);
        characters = 0;
        for (const auto& list : evaluation.rowsByErrors)
            for (std::int32_t r : list)
                characters += DetailLine(rows, r, 12).size();
        benchmark::DoNotOptimize(characters);
    }
    state.counters["characters"] = static_cast<double>(characters);
}
BENCHMARK(BM_EvaluateMillionRowsWithDetailLines)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
