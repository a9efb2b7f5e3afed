// Filter speed: the generation of the full 14-game system with every filter kind in force,
// and "Filtern" (rowPassesFilters) over a list of a million rows.
//
//   build/bench/velmora_bench_filters
//
// The settings keep a realistic share of the rows (the counter "share"), so that every
// stage is reached by many rows and rejects some of them.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "filters/filterset.h"
#include "filters/rowfilter.h"
#include "model/enumeration.h"
#include "support/testplans.h"

namespace velmora {
namespace {

constexpr int kGames = 14;

TBlockFilter Block(Sign sign, int firstGame, int lastGame, int minHits, int maxHits, int maxRun,
                   bool orNext) {
    TBlockFilter block;
    for (int g = firstGame; g <= lastGame; ++g)
        block.SetMarked(g, sign, true);
    block.minHits = static_cast<std::uint8_t>(minHits);
    block.maxHits = static_cast<std::uint8_t>(maxHits);
    block.maxRun = static_cast<std::uint8_t>(maxRun);
    block.orNext = orNext ? 1 : 0;
    return block;
}

TSequenceRule Sequence(const std::string& pattern, int minCount, int maxCount, bool orNext) {
    TSequenceRule rule;
    for (std::size_t j = 0; j < pattern.size(); ++j)
        rule.pattern[j] =
            pattern[j] == '*' ? kAnySign : static_cast<std::uint8_t>(pattern[j] - '0');
    rule.length = static_cast<std::uint8_t>(pattern.size());
    rule.minCount = static_cast<std::uint8_t>(minCount);
    rule.maxCount = static_cast<std::uint8_t>(maxCount);
    rule.orNext = orNext ? 1 : 0;
    return rule;
}

// Expected percentages per game for "1", "0", "2", varied from game to game.
TPercentFilter Percentages(int seed, double min, double max, bool orNext) {
    TPercentFilter filter;
    std::mt19937 random(static_cast<unsigned>(seed));
    for (auto& game : filter.values) {
        const double one = 30 + static_cast<int>(random() % 31);
        const double zero = 15 + static_cast<int>(random() % 21);
        game[1] = one;
        game[0] = zero;
        game[2] = 100 - one - zero;
    }
    filter.minValue = min;
    filter.maxValue = max;
    filter.active = 1;
    filter.orNext = orNext ? 1 : 0;
    return filter;
}

TFilterSet EveryKind() {
    TFilterSet f = TFilterSet::PassingAll(kGames);
    f.blocks = {Block(1, 1, 14, 4, 8, 3, true), Block(2, 1, 14, 4, 8, 3, false),
                Block(0, 1, 7, 1, 4, 2, false)};
    f.percent = {Percentages(1, 31, 36, false), Percentages(2, 31, 36, true),
                 Percentages(3, 31, 36, false), Percentages(4, 30, 37, false),
                 Percentages(5, 31, 36, false)};
    f.RecomputeChains();
    f.requiredChains = 3;  // of 4
    f.odds = TOddsFilter::Defaults();
    for (int g = 0; g < kMaxGames; ++g)
        f.odds.values[g] = {3.1 + 0.05 * g, 1.9 + 0.03 * g, 3.6 - 0.04 * g};  // "0", "1", "2"
    f.odds.minValue = 6.0e5;
    f.odds.maxValue = 8.0e6;
    f.odds.active = 1;
    f.sequences = {Sequence("111", 0, 1, false), Sequence("22", 0, 2, true),
                   Sequence("00", 0, 2, false), Sequence("1*1", 0, 4, false)};
    f.signChange = {7, 11, 0, 13, 0};
    return f;
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
