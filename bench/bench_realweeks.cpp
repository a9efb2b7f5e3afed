// The optimised guarantee on systems as a week produces them: every sign tipped in every
// game under the default sign-change range, and the bundled week; each within the filtered
// rows and with rows outside the filters. Every result is checked against its guarantee.
//
//   build/bench/velmora_bench_realweeks
//   VELMORA_REDUCTION_SECONDS=5 build/bench/velmora_bench_realweeks --benchmark_filter=Week12
//
// VELMORA_REDUCTION_SECONDS is the budget of each run, start included (default 25). At the
// end a Markdown table of the row counts is printed.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/fileset.h"
#include "app/tipplanfile.h"
#include "filters/rowfilter.h"
#include "model/optimisedreduction.h"
#include "support/testplans.h"

namespace velmora {
namespace {

struct Week {
    TRowList rows;
    RowSpace space;
};

Week DefaultRangeWeek(int n) {
    const TTipPlan plan = testing::FullPlan(n);
    return {testing::SystemOf(plan, n, TFilterSet{}), plan.FullSystemSpace(n)};
}

Week BundledWeek(int) {
    const WeekFiles files = ReadWeekFiles(std::string(VELMORA_DATA_DIR) + "/AKTUELLEWOCHE.TTD");
    TTipPlan plan;
    const int n = LoadTipPlan(files.records, plan);
    return {testing::SystemOf(plan, n, FiltersOf(files, n)), plan.FullSystemSpace(n)};
}

struct Case {
    std::string name;
    int games;  // 0: the bundled week's own
    int level;
    bool outside;
    Week (*build)(int games);
};

double Budget() {
    const char* text = std::getenv("VELMORA_REDUCTION_SECONDS");
    return text ? std::atof(text) : 25.0;
}

struct Measured {
    std::int32_t input = 0, kept = 0, outside = 0;
    double seconds = 0;
    bool stalled = false;
};

std::map<std::string, std::map<bool, Measured>>& Table() {
    static std::map<std::string, std::map<bool, Measured>> table;
    return table;
}

void BM_RealWeek(benchmark::State& state, const Case* c) {
    const Week week = c->build(c->games);
    AbortFlag abort;
    RunObserver observer;
    OptimisedReductionOptions options;
    options.seconds = Budget();
    if (c->outside)
        options.outside = &week.space;
    TRowList kept = week.rows;
    OptimisedReductionResult result;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        result = ReduceOptimised(kept, c->level, abort, observer, options);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const std::int64_t uncovered = VerifyGuarantee(week.rows, kept, c->level);
    if (uncovered != 0)
        state.SkipWithError("guarantee violated");
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["input_rows"] = week.rows.Count();
    state.counters["start_rows"] = result.startRows;
    state.counters["kept_rows"] = kept.Count();
    state.counters["outside_rows"] = result.outsideRows;
    state.counters["uncovered"] = static_cast<double>(uncovered);
    state.counters["seconds"] = seconds;
    state.counters["stalled"] = result.stalled;
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
    Table()[c->name + " | " + std::to_string(c->level)][c->outside] = {
        week.rows.Count(), kept.Count(), result.outsideRows, seconds, result.stalled};
}

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = [] {
        std::vector<Case> all;
        for (int n : {12, 13, 14}) {
            for (int k = 1; k <= 3; ++k) {
                for (bool outside : {false, true}) {
                    all.push_back({std::to_string(n) + " games, all three signs", n, k, outside,
                                   DefaultRangeWeek});
                }
            }
        }
        for (bool outside : {false, true})
            all.push_back({"bundled week", 0, 1, outside, BundledWeek});
        return all;
    }();
    return cases;
}

void RegisterAll() {
    for (const Case& c : Cases()) {
        std::string name = c.games > 0 ? "Week" + std::to_string(c.games) : std::string("Bundled");
        name += "/k" + std::to_string(c.level) + (c.outside ? "/outside" : "/within");
        benchmark::RegisterBenchmark(name.c_str(), BM_RealWeek, &c)
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    }
}

std::string Cell(const std::map<bool, Measured>& row, bool outside) {
    const auto at = row.find(outside);
    if (at == row.end())
        return "–";
    const Measured& m = at->second;
    std::string text = std::to_string(m.kept);
    if (outside)
        text += " (" + std::to_string(m.outside) + " outside)";
    char time[32];
    std::snprintf(time, sizeof time, ", %.1f s%s", m.seconds, m.stalled ? " stalled" : "");
    return text + time;
}

void PrintTable() {
    if (Table().empty())
        return;
    std::printf("\n| system | k | rows | within the filtered rows | with rows outside |\n");
    std::printf("|---|---:|---:|---:|---:|\n");
    for (const auto& [name, row] : Table()) {
        std::printf("| %s | %d | %s | %s |\n", name.c_str(), row.begin()->second.input,
                    Cell(row, false).c_str(), Cell(row, true).c_str());
    }
}

const bool kRegistered = [] {
    RegisterAll();
    Table();
    std::atexit(PrintTable);
    return true;
}();

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
