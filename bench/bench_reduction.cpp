// Rows kept by the fixed greedy scan and by the optimised reduction, on full systems and on
// filtered systems as a week produces them. Every result is checked against its guarantee.
//
//   build/bench/velmora_bench_reduction
//   VELMORA_REDUCTION_SECONDS=5 build/bench/velmora_bench_reduction --benchmark_filter=Full11
//
// VELMORA_REDUCTION_SECONDS is the time the local search may take per case (default 35,
// which keeps each case under a minute on two cores, with the start cover and the fixed
// scan). At the end a Markdown table of the row counts is printed.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "example_filters.h"
#include "model/enumeration.h"
#include "model/optimisedreduction.h"
#include "model/reduction.h"
#include "support/testplans.h"

namespace velmora {
namespace {

struct System {
    std::string name;
    int games;
    int level;
    // The smallest cover known for the whole code space, 0 where none is quoted.
    std::int32_t bestKnown;
    TRowList (*build)(int games);
};

TRowList FullSystem(int n) {
    return testing::FullSystemOf(testing::FullPlan(n), n);
}

// A tip plan as it is filled in: some games open, some with two signs, a few banked.
TRowList MixedPlan(int n) {
    std::vector<std::string> games(static_cast<std::size_t>(n));
    for (int g = 0; g < n; ++g)
        games[static_cast<std::size_t>(g)] = g % 5 == 4 ? "500" : g % 2 ? "530" : "531";
    return testing::FullSystemOf(testing::PlanFromTendencies(games), n);
}

// The full system under every filter kind: blocks, percentages, odds, sequences and sign
// changes.
TRowList EveryFilterKind(int n) {
    TTipPlan plan = testing::FullPlan(n);
    plan.AllToTendencyOrder(n);
    TRowList rows(n);
    AbortFlag abort;
    RunObserver observer;
    EnumerateFullSystem(plan, n, CandidateTest(bench::EveryKind(n), n), rows, abort, observer);
    return rows;
}

// A random half of the full system: no structure a filter would leave.
TRowList RandomHalf(int n) {
    TRowList full = FullSystem(n);
    std::mt19937_64 random(2024);
    std::vector<bool> keep(static_cast<std::size_t>(full.Count()));
    for (auto&& k : keep)
        k = random() % 2 == 0;
    full.KeepWhere(keep);
    return full;
}

const std::vector<System>& Systems() {
    static const std::vector<System> systems = {
        {"full", 11, 1, 0, FullSystem},
        {"full", 11, 2, 729, FullSystem},
        {"full", 11, 3, 243, FullSystem},
        {"full", 12, 2, 0, FullSystem},
        {"full", 12, 3, 657, FullSystem},
        {"full", 13, 1, 59049, FullSystem},
        {"full", 13, 2, 6561, FullSystem},
        {"full", 13, 3, 1215, FullSystem},
        {"plan with 1 to 3 signs per game", 13, 1, 0, MixedPlan},
        {"every filter kind", 13, 2, 0, EveryFilterKind},
        {"random half", 12, 2, 0, RandomHalf},
    };
    return systems;
}

double SearchSeconds() {
    const char* text = std::getenv("VELMORA_REDUCTION_SECONDS");
    return text ? std::atof(text) : 35.0;
}

struct TableRow {
    const System* system;
    std::int32_t inputRows;
    std::int32_t fixedRows;
    std::int32_t optimisedRows;
};

std::vector<TableRow>& Table() {
    static std::vector<TableRow> table;
    return table;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_Reduce(benchmark::State& state, const System* system) {
    const TRowList input = system->build(system->games);
    AbortFlag abort;
    RunObserver observer;
    OptimisedReductionOptions options;
    options.seconds = SearchSeconds();

    TRowList fixed = input;
    TRowList optimised = input;
    OptimisedReductionResult result;
    double fixedSeconds = 0;
    double optimisedSeconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        ReduceToGuarantee(fixed, system->level, abort, observer);
        fixedSeconds = SecondsSince(start);
        start = std::chrono::steady_clock::now();
        result = ReduceOptimised(optimised, system->level, abort, observer, options);
        optimisedSeconds = SecondsSince(start);
    }
    const std::int64_t uncovered = VerifyGuarantee(input, optimised, system->level);
    if (uncovered != 0 || VerifyGuarantee(input, fixed, system->level) != 0)
        state.SkipWithError("guarantee violated");

    state.counters["input_rows"] = input.Count();
    state.counters["fixed_rows"] = fixed.Count();
    state.counters["start_rows"] = result.startRows;
    state.counters["optimised_rows"] = optimised.Count();
    state.counters["best_known"] = system->bestKnown;
    state.counters["uncovered"] = static_cast<double>(uncovered);
    state.counters["fixed_s"] = fixedSeconds;
    state.counters["optimised_s"] = optimisedSeconds;
    state.counters["search_steps"] = static_cast<double>(result.iterations);
    Table().push_back({system, input.Count(), fixed.Count(), optimised.Count()});
}

void RegisterAll() {
    for (const System& system : Systems()) {
        std::string name = system.name == "full" ? "Full" : "Filtered";
        name += std::to_string(system.games) + "/k" + std::to_string(system.level);
        if (system.name != "full")
            name += "/" + system.name;
        benchmark::RegisterBenchmark(name.c_str(), BM_Reduce, &system)
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    }
}

void PrintTable() {
    if (Table().empty())
        return;
    std::printf("\n| system | games | k | input rows | fixed scan | optimised | best known |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
    for (const TableRow& row : Table()) {
        const std::string best =
            row.system->bestKnown > 0 ? std::to_string(row.system->bestKnown) : "n/a";
        std::printf("| %s | %d | %d | %d | %d | %d | %s |\n", row.system->name.c_str(),
                    row.system->games, row.system->level, row.inputRows, row.fixedRows,
                    row.optimisedRows, best.c_str());
    }
}

// Registered before main, as the BENCHMARK macro does; the table follows the last case.
// It is built first so that it outlives the exit handler.
const bool kRegistered = [] {
    RegisterAll();
    Table();
    std::atexit(PrintTable);
    return true;
}();

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
