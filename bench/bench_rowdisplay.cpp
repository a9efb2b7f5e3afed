// "Tippreihen anzeigen" on a million-row system: the time until the display is painted and
// the memory it takes beyond the system itself (counter "extra_MB", from the resident set).
//
//   QT_QPA_PLATFORM=offscreen build/bench/velmora_bench_rowdisplay
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <fstream>
#include <random>
#include <string>

#include "app/forms/programwindows.h"
#include "app/forms/rowtablemodel.h"
#include "app/forms/systemform.h"
#include "support/fakeports.h"
#include "support/weekaccess.h"

namespace velmora {
namespace {

double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024.0;
        }
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

TRowList RandomRows(int n, std::int32_t count) {
    TRowList rows(n);
    rows.Reserve(count);
    std::mt19937 random(5);
    TTipRow row(n);
    for (std::int32_t r = 0; r < count; ++r) {
        for (int g = 0; g < n; ++g)
            row[g] = static_cast<Sign>(random() % 3);
        rows.Append(row);
    }
    return rows;
}

void BM_ShowMillionRows(benchmark::State& state) {
    constexpr int kGames = 14;
    testing::FakeUiPorts ports;
    WorkingWeek week("/nonexistent/");
    week.SetGameCount(kGames);
    const std::unique_ptr<ProgramWindows> windows = CreateProgramWindows(week, ports);
    Tsystemform& window = *windows->main;
    window.show();
    QApplication::processEvents();
    testing::Arrange(week).rows = RandomRows(kGames, 1000000);

    double extra = 0;
    for (auto _ : state) {
        state.PauseTiming();
        testing::Arrange(week).rowsShown = false;
        testing::Arranged(week);
        QApplication::processEvents();
        const double before = ResidentMegabytes();
        state.ResumeTiming();

        window.Button2Click();
        QApplication::processEvents();  // lays out and paints the display

        state.PauseTiming();
        extra = ResidentMegabytes() - before;
        state.ResumeTiming();
    }
    state.counters["columns"] = window.RowModel().columnCount();
    state.counters["extra_MB"] = extra;
}
BENCHMARK(BM_ShowMillionRows)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
