// Exporting and importing a million rows as text, file included, in each written form.
//
//   build/bench/velmora_bench_rowtext
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/rowtext.h"
#include "support/testplans.h"

namespace velmora {
namespace {

constexpr int kGames = 13;
constexpr int kRows = 1000000;

const TRowList& MillionRows() {
    static const TRowList rows = testing::RandomRows(kGames, kRows, 11);
    return rows;
}

RowTextOptions Form(std::int64_t index) {
    switch (index) {
        case 0:
            return {RowTextFormat::Plain, '0', false, {}};
        case 1:
            return {RowTextFormat::Plain, 'X', true, {}};
        case 2:
            return {RowTextFormat::Csv, '0', false, {}};
        default:
            return {RowTextFormat::ELine, 'X', false, "Stryktipset"};
    }
}

std::string ScratchFile() {
    return (std::filesystem::temp_directory_path() / "velmora-bench-rowtext.txt").string();
}

void BM_ExportMillionRows(benchmark::State& state) {
    const TRowList& rows = MillionRows();
    const RowTextOptions options = Form(state.range(0));
    for (auto _ : state) {
        const ExportOutcome outcome = ExportRows(ScratchFile(), rows, options);
        if (!outcome.ok())
            state.SkipWithError(outcome.error.c_str());
    }
    std::filesystem::remove(ScratchFile());
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_ImportMillionRows(benchmark::State& state) {
    if (!ExportRows(ScratchFile(), MillionRows(), Form(state.range(0))).ok()) {
        state.SkipWithError("Die Testdatei ließ sich nicht schreiben.");
        return;
    }
    for (auto _ : state) {
        const RowTextContent content = ReadRowTextFile(ScratchFile(), kGames);
        if (content.rows.Count() != kRows)
            state.SkipWithError(content.error.c_str());
    }
    std::filesystem::remove(ScratchFile());
    state.SetItemsProcessed(state.iterations() * kRows);
}

// 0 plain "102…", 1 plain with blanks and X, 2 CSV, 3 E-lines.
BENCHMARK(BM_ExportMillionRows)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportMillionRows)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
