#include "evaluation/wintable.h"
#include "evaluation/wintablereport.h"

#include <gtest/gtest.h>

#include <random>

#include "model/enumeration.h"
#include "support/abortat.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using testing::PlanFromTendencies;

std::vector<std::string> Week(int n, int threeSignGames) {
    std::vector<std::string> games(static_cast<std::size_t>(n), "500");
    for (int g = 0; g < threeSignGames; ++g)
        games[static_cast<std::size_t>(g)] = "531";
    return games;
}

WinTableResult RunTable(TTipPlan plan, int n, TRowList& rows, WinTableSettings settings = {},
                        TFilterSet filters = {}, WinCounting counting = WinCounting::Automatic) {
    if (filters == TFilterSet{})
        filters = TFilterSet::PassingAll(n);
    return RunWinTable(plan, n, filters, settings, rows, counting);
}

TEST(WinTable, FullSystemAgainstItselfWinsFirstRankEverywhere) {
    const TTipPlan plan = PlanFromTendencies(Week(11, 6));
    TRowList rows = testing::FullSystemOf(plan, 11);
    const WinTableResult result = RunTable(plan, 11, rows);
    EXPECT_EQ(result.total, 729);
    ASSERT_EQ(result.patterns.size(), 1u);
    // Each outcome: itself, 6 * 2 rows one game off, 15 * 4 two off, 20 * 8, 15 * 16.
    EXPECT_EQ(result.patterns[0], (TWinPattern{{1, 12, 60, 160, 240}, 729}));
    EXPECT_EQ(result.percentages, (std::array<double, 5>{100, 0, 0, 0, 0}));
    EXPECT_EQ(result.rowsAdded, 0);
}

TEST(WinTable, EmptySystemAndTheMinimumGuarantee) {
    const TTipPlan plan = PlanFromTendencies(Week(11, 3));
    TRowList empty(11);
    const WinTableResult nothing = RunTable(plan, 11, empty);
    ASSERT_EQ(nothing.patterns.size(), 1u);
    EXPECT_EQ(nothing.patterns[0], (TWinPattern{{0, 0, 0, 0, 0}, 27}));
    EXPECT_EQ(nothing.percentages, (std::array<double, 5>{}));

    // m2 = 1: the first outcome (the main-tip row) is added, then every outcome within one
    // game of an added row has its 2nd rank win.
    TRowList rows(11);
    WinTableSettings settings;
    settings.minimum = {1, 0, 0};
    const WinTableResult added = RunTable(plan, 11, rows, settings);
    EXPECT_GT(added.rowsAdded, 0);
    EXPECT_EQ(rows.Count(), added.rowsAdded);
    EXPECT_EQ(testing::RowString(rows.RowSpan(0)), "11111111111");
    // A second run adds nothing.
    EXPECT_EQ(RunTable(plan, 11, rows, settings).rowsAdded, 0);
}

TEST(WinTable, MainTipsRequired) {
    const TTipPlan plan = PlanFromTendencies(Week(12, 5));
    TRowList rows = testing::RowsFromStrings({"111111111111"});
    WinTableSettings settings;
    settings.mainTipsRequired = true;
    settings.correctMainTips = 12;
    EXPECT_EQ(RunTable(plan, 12, rows, settings).total, 1);
    settings.correctMainTips = 11;  // exactly one game off its main tip: 5 games x 2 signs
    EXPECT_EQ(RunTable(plan, 12, rows, settings).total, 10);
}

TEST(WinTable, SortAndClassWalk) {
    std::vector<TWinPattern> patterns = {
        {{0, 2, 5, 0, 0}, 3}, {{0, 0, 0, 0, 0}, 1}, {{1, 0, 0, 0, 0}, 2}, {{0, 2, 7, 1, 0}, 4}};
    SortPatterns(patterns);
    EXPECT_EQ(patterns[0].counts, (std::array<std::int32_t, 5>{1, 0, 0, 0, 0}));
    EXPECT_EQ(patterns[1].counts, (std::array<std::int32_t, 5>{0, 2, 7, 1, 0}));
    EXPECT_EQ(patterns[2].counts, (std::array<std::int32_t, 5>{0, 2, 5, 0, 0}));
    // Class 0 gets 2 outcomes; class 1 the next 7; the all-zero pattern closes class 1 and
    // adds its one outcome to class 2.
    const auto percentages = ClassPercentages(patterns, 10);
    EXPECT_DOUBLE_EQ(percentages[0], 20);
    EXPECT_DOUBLE_EQ(percentages[1], 70);
    EXPECT_DOUBLE_EQ(percentages[2], 10);
    EXPECT_EQ(PercentageText(100.0 / 3.0, ','), "33,33");
    EXPECT_EQ(CasesText(729), "Insgesamt 729 Fälle.");
    EXPECT_EQ(ClassCaption(11, 4), "7er");
}

// The table over the code space and the row-by-row count agree in every respect,
// the rows the minimum guarantee adds included.
TEST(WinTable, CodeSpaceTableMatchesRowByRowCounting) {
    std::mt19937_64 random(4711);
    const char* choices[] = {"500", "530", "531", "135", "050", "305"};
    // Hundreds of cases, mostly 11 games: the table spans all 3^N points, so 13 games
    // cost nine times as much and come in every twentieth case.
    for (int trial = 0; trial < 300; ++trial) {
        const int n = trial % 20 == 0 ? 13 : trial % 4 == 0 ? 12 : 11;
        std::vector<std::string> games;
        int size = 1;
        for (int g = 0; g < n; ++g) {
            games.push_back(choices[random() % (size > 300 ? 1 : 6)]);
            size *= static_cast<int>(std::count_if(games.back().begin(), games.back().end(),
                                                   [](char c) { return c > '0'; }));
        }
        const TTipPlan plan = PlanFromTendencies(games);
        TRowList rows(n);
        const int count = static_cast<int>(random() % 40);
        for (int r = 0; r < count; ++r) {
            TTipRow row(n);
            for (int g = 0; g < n; ++g)
                row[g] = random() % 4 ? 1 : static_cast<Sign>(random() % 3);
            rows.Append(row);
        }
        WinTableSettings settings;
        settings.minimum = {static_cast<int>(random() % 3), static_cast<int>(random() % 4),
                            static_cast<int>(random() % 5)};
        settings.mainTipsRequired = random() % 4 == 0;
        settings.correctMainTips = n - static_cast<int>(random() % 3);

        TRowList tableRows = rows, plainRows = rows;
        const WinTableResult table =
            RunTable(plan, n, tableRows, settings, {}, WinCounting::CodeSpaceTable);
        const WinTableResult plain =
            RunTable(plan, n, plainRows, settings, {}, WinCounting::RowByRow);
        ASSERT_EQ(table.patterns, plain.patterns) << "trial " << trial;
        ASSERT_EQ(table.total, plain.total);
        ASSERT_EQ(table.percentages, plain.percentages);
        ASSERT_EQ(table.rowsAdded, plain.rowsAdded);
        ASSERT_EQ(tableRows, plainRows);
    }
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// 3^11 outcomes: progress comes every 16384 of them, as whole percentages that only grow,
// ending at 100, and the result is the same as without anyone listening.
TEST(WinTable, ProgressOfAStoppableRun) {
    TTipPlan plan = PlanFromTendencies(Week(11, 11));
    TRowList rows(11);
    rows.Append(plan.MainTipRow(11));
    TRowList sameRows = rows;
    AbortFlag abort;
    testing::AbortAt observer(abort, -1);  // never
    const WinTableResult watched =
        RunWinTable(plan, 11, TFilterSet::PassingAll(11), {}, rows, abort, observer);
    const WinTableResult plain = RunTable(PlanFromTendencies(Week(11, 11)), 11, sameRows);
    EXPECT_FALSE(watched.aborted);
    EXPECT_EQ(watched.total, 177147);
    EXPECT_EQ(watched.patterns, plain.patterns);
    EXPECT_EQ(watched.percentages, plain.percentages);
    ASSERT_GE(observer.shown.size(), 10u);
    EXPECT_EQ(observer.shown.front(), 0);
    EXPECT_EQ(observer.shown.back(), 100);
    for (std::size_t i = 1; i < observer.shown.size(); ++i)
        EXPECT_LT(observer.shown[i - 1], observer.shown[i]);
    EXPECT_FALSE(IsLongWinTable(plan, 11));
    EXPECT_FALSE(IsLongWinTable(PlanFromTendencies(Week(13, 12)), 13));  // 531,441 outcomes
    EXPECT_TRUE(IsLongWinTable(PlanFromTendencies(Week(14, 13)), 14));   // 1,594,323
}

// Aborted midway while the minimum guarantee is adding rows: the rows and the plan are as
// before, and the result says so and holds nothing. Both ways of counting.
TEST(WinTable, AnAbortedRunChangesNothing) {
    for (const WinCounting counting : {WinCounting::RowByRow, WinCounting::CodeSpaceTable}) {
        // Not in tendency order, which a run would establish.
        std::vector<std::string> games = Week(11, 11);
        games[0] = "153";
        TTipPlan plan = PlanFromTendencies(games);
        const TTipPlan planBefore = plan;
        TRowList rows(11);
        rows.Append(plan.MainTipRow(11));
        const TRowList rowsBefore = rows;
        WinTableSettings settings;
        settings.minimum = {1, 0, 0};
        AbortFlag abort;
        // Stops at the second check and notes how many rows the run had added by then.
        struct Watcher : testing::AbortAt {
            const TRowList& rows;
            std::int32_t rowsAtAbort = 0;
            Watcher(AbortFlag& a, const TRowList& r) : AbortAt(a, 2), rows(r) {}
            void ProcessEvents() override {
                AbortAt::ProcessEvents();
                rowsAtAbort = rows.Count();
            }
        } observer(abort, rows);
        const WinTableResult result = RunWinTable(plan, 11, TFilterSet::PassingAll(11), settings,
                                                  rows, abort, observer, counting);
        EXPECT_GT(observer.rowsAtAbort, 1);  // the guarantee was adding rows
        EXPECT_TRUE(result.aborted);
        EXPECT_EQ(result.total, 0);
        EXPECT_EQ(result.rowsAdded, 0);
        EXPECT_TRUE(result.patterns.empty());
        EXPECT_EQ(rows, rowsBefore);
        EXPECT_EQ(plan, planBefore);
        ASSERT_FALSE(observer.shown.empty());
        EXPECT_LT(observer.shown.back(), 100);
    }
}

TEST(WinTable, ProgressText) {
    EXPECT_EQ(WinTableProgressText(37), "Berechnung läuft: 37 % … (Esc bricht ab)");
}

TEST(WinTableReport, OneDetailLinePerPatternAndTheSummary) {
    WinTableResult result;
    result.patterns = {{{1, 2, 3, 4, 5}, 500}, {{0, 3, 1, 0, 0}, 200}, {{0, 0, 4, 0, 0}, 29}};
    result.total = 729;
    result.percentages = {100, 0, 0, 0, 0};
    WinTableReport report(MakeWinTableView(11, result, ','));
    ASSERT_TRUE(report.Printable());
    const std::vector<ReportBand> bands = report.Bands();
    ASSERT_EQ(bands.size(), 5u);
    EXPECT_EQ(bands[0].fields[0].text, "11er");
    EXPECT_EQ(bands[0].fields[5].text, "Zahl der Fälle");
    EXPECT_EQ(bands[1].fields[5].text, "500 von 729");
    EXPECT_EQ(bands[3].fields[5].text, "29 von 729");
    EXPECT_DOUBLE_EQ(bands[2].fields[4].left, 105.8);
    const ReportBand& summary = bands[4];
    EXPECT_EQ(summary.fields[0].text, "Höchste mögliche Gewinnklasse in Prozent");
    EXPECT_EQ(summary.fields[1].text, "11er");
    EXPECT_EQ(summary.fields[2].text, "100%");
    EXPECT_EQ(summary.fields[10].text, "0%");
    EXPECT_DOUBLE_EQ(summary.fields[9].top, 38.1);

    EXPECT_FALSE(WinTableReport(MakeWinTableView(11, WinTableResult{}, ',')).Printable());
}

}  // namespace
}  // namespace velmora
