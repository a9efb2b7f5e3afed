#include "model/optimisedreduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/reduction.h"
#include "support/abortat.h"
#include "support/fakeclock.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using testing::RowsFromStrings;
using testing::RowStrings;

// A step limit and no time limit, so that runs repeat exactly.
OptimisedReductionOptions StepLimit(std::int64_t steps, std::uint64_t seed = 1) {
    OptimisedReductionOptions options;
    options.seconds = 1e9;
    options.maxIterations = steps;
    options.seed = seed;
    return options;
}

struct Reduction {
    TRowList rows;
    OptimisedReductionResult result;
};

Reduction Optimised(TRowList rows, int level, const OptimisedReductionOptions& options) {
    AbortFlag abort;
    RunObserver observer;
    const OptimisedReductionResult result = ReduceOptimised(rows, level, abort, observer, options);
    return {std::move(rows), result};
}

// Pairwise, independent of the code arithmetic: the kept rows are distinct input rows in
// the order of their first occurrence, and every input row lies within `level` games of
// one of them.
void ExpectCover(const TRowList& input, const TRowList& kept, int level) {
    const int n = input.Games();
    const std::vector<std::string> inputRows = RowStrings(input);
    std::map<std::string, std::size_t> firstAt;
    for (std::size_t r = 0; r < inputRows.size(); ++r)
        firstAt.emplace(inputRows[r], r);
    std::size_t next = 0;  // the kept rows' first occurrences must rise
    for (const std::string& row : RowStrings(kept)) {
        const auto at = firstAt.find(row);
        ASSERT_NE(at, firstAt.end()) << "kept row " << row << " is not an input row";
        ASSERT_GE(at->second, next) << "kept row " << row << " out of order or twice";
        next = at->second + 1;
    }
    for (std::int32_t r = 0; r < input.Count(); ++r) {
        bool covered = false;
        for (std::int32_t k = 0; k < kept.Count() && !covered; ++k)
            covered = WithinDistance(input.Row(r), kept.Row(k), n, level);
        ASSERT_TRUE(covered) << "input row " << inputRows[r] << " lies farther than " << level;
    }
}

// Lists of every shape a reduction meets: tip plans with one to three signs per game,
// such systems thinned at random as by a filter, and rows scattered in clusters with
// repeats.
TRowList RandomList(std::mt19937_64& random, int n) {
    const int shape = static_cast<int>(random() % 3);
    if (shape < 2) {
        const char* choices[] = {"500", "050", "530", "305", "531", "153", "215"};
        std::vector<std::string> games(static_cast<std::size_t>(n));
        int size = 1;
        for (auto& game : games) {
            game = choices[random() % (size > 300 ? 2 : 7)];
            size *= static_cast<int>(
                std::count_if(game.begin(), game.end(), [](char c) { return c > '0'; }));
        }
        TRowList rows = testing::FullSystemOf(testing::PlanFromTendencies(games), n);
        if (shape == 1) {
            std::vector<bool> keep(static_cast<std::size_t>(rows.Count()));
            for (auto&& k : keep)
                k = random() % 3 != 0;
            rows.KeepWhere(keep);
        }
        return rows;
    }
    TRowList rows(n);
    TTipRow centre(n);
    const int count = 1 + static_cast<int>(random() % 250);
    for (int r = 0; r < count; ++r) {
        if (r % 50 == 0) {
            for (int g = 0; g < n; ++g)
                centre[g] = static_cast<Sign>(random() % 3);
        }
        TTipRow row = centre;
        for (int g = 0; g < n; ++g) {
            if (random() % 4 == 0)
                row[g] = static_cast<Sign>(random() % 3);
        }
        rows.Append(row);
        if (random() % 6 == 0)
            rows.Append(row);
    }
    return rows;
}

// A plan in which the first `open` games allow every sign and the others one.
TRowList OpenGamesSystem(int n, int open) {
    std::vector<std::string> games(static_cast<std::size_t>(n), "050");
    for (int g = 0; g < open; ++g)
        games[static_cast<std::size_t>(g)] = "321";
    return testing::FullSystemOf(testing::PlanFromTendencies(games), n);
}

TEST(VerifyGuarantee, CountsRowsOutOfReach) {
    const TRowList list = RowsFromStrings(
        {"00000000000", "00000000001", "00000000012", "00000000212", "22222222222", "00000000001"});
    EXPECT_EQ(VerifyGuarantee(list, RowsFromStrings({"00000000000"}), 0), 5);
    EXPECT_EQ(VerifyGuarantee(list, RowsFromStrings({"00000000000"}), 1), 3);
    EXPECT_EQ(VerifyGuarantee(list, RowsFromStrings({"00000000000"}), 2), 2);
    EXPECT_EQ(VerifyGuarantee(list, RowsFromStrings({"00000000000"}), 3), 1);
    EXPECT_EQ(VerifyGuarantee(list, RowsFromStrings({"00000000000", "22222222221"}), 1), 2);
    EXPECT_EQ(VerifyGuarantee(list, TRowList(11), 3), 6);
    EXPECT_EQ(VerifyGuarantee(TRowList(11), list, 1), 0);
}

// Large enough for the breadth-first walk: the 27 kept rows differ only in the last three
// games, so a row is covered when at most `level` of its first eight games are not 0.
TEST(VerifyGuarantee, CountsRowsOutOfReachOfManyKeptRows) {
    const TRowList full = testing::FullSystemOf(testing::FullPlan(11), 11);
    TRowList kept(11);
    for (std::int32_t r = 0; r < full.Count(); ++r) {
        const Sign* row = full.Row(r);
        if (std::all_of(row, row + 8, [](Sign s) { return s == 0; }))
            kept.Append(row);
    }
    ASSERT_EQ(kept.Count(), 27);
    EXPECT_EQ(VerifyGuarantee(full, kept, 1), 177147 - 27 * (1 + 8 * 2));
    EXPECT_EQ(VerifyGuarantee(full, kept, 2), 177147 - 27 * (1 + 8 * 2 + 28 * 4));
}

TEST(ReduceOptimised, LevelZeroAndEmptyListsStayUnchanged) {
    const TRowList rows = RowsFromStrings({"11111111111", "11111111110", "11111111111"});
    EXPECT_EQ(Optimised(rows, 0, StepLimit(10)).rows, rows);
    const TRowList empty(13);
    const Reduction reduced = Optimised(empty, 2, StepLimit(10));
    EXPECT_TRUE(reduced.rows.Empty());
    EXPECT_EQ(reduced.rows.Games(), 13);
}

TEST(ReduceOptimised, SmallExamples) {
    // Three rows one game apart: any one covers the others at level 1.
    std::vector<std::string> games(11, "500");
    games[6] = "531";
    EXPECT_EQ(
        Optimised(testing::FullSystemOf(testing::PlanFromTendencies(games), 11), 1, StepLimit(10))
            .rows.Count(),
        1);
    // Repeats are one row; two rows two games apart stay both at level 1.
    EXPECT_EQ(
        RowStrings(
            Optimised(RowsFromStrings({"11111111111", "11111111111"}), 1, StepLimit(10)).rows),
        std::vector<std::string>{"11111111111"});
    EXPECT_EQ(
        Optimised(RowsFromStrings({"11111111111", "11111111100"}), 1, StepLimit(10)).rows.Count(),
        2);
    // The middle row reaches both ends; the list order is kept.
    const Reduction chain =
        Optimised(RowsFromStrings({"00000000000", "00000000011", "00000000001"}), 1, StepLimit(10));
    EXPECT_EQ(RowStrings(chain.rows), std::vector<std::string>{"00000000001"});
    EXPECT_TRUE(chain.result.provenMinimal);
}

TEST(ReduceOptimised, KeepsTheGuaranteeOnRandomLists) {
    std::mt19937_64 random(20250301);
    std::int64_t fixedRows = 0;
    std::int64_t optimisedRows = 0;
    for (int trial = 0; trial < 240; ++trial) {
        const int n = 11 + trial % 4;
        const int level = 1 + (trial / 4) % 3;
        const TRowList input = RandomList(random, n);
        const Reduction reduced = Optimised(input, level, StepLimit(1 + trial % 40, trial));
        ASSERT_EQ(VerifyGuarantee(input, reduced.rows, level), 0)
            << "trial " << trial << ", n " << n << ", level " << level;
        ASSERT_NO_FATAL_FAILURE(ExpectCover(input, reduced.rows, level)) << "trial " << trial;
        ASSERT_LE(reduced.rows.Count(), reduced.result.startRows);
        ASSERT_EQ(reduced.rows.Count(), reduced.result.keptRows);

        TRowList fixed = input;
        AbortFlag abort;
        RunObserver observer;
        ReduceToGuarantee(fixed, level, abort, observer);
        fixedRows += fixed.Count();
        optimisedRows += reduced.rows.Count();
    }
    EXPECT_LT(optimisedRows, fixedRows * 8 / 10);
}

// Lists large enough for the code-space walk, and full systems, which start from a linear
// code: 729 rows for 11 games at level 2 is a perfect code, so no cover is smaller.
TEST(ReduceOptimised, KeepsTheGuaranteeOnLargeLists) {
    const TRowList full = testing::FullSystemOf(testing::FullPlan(11), 11);
    const Reduction perfect = Optimised(full, 2, StepLimit(20));
    EXPECT_EQ(perfect.rows.Count(), 729);
    EXPECT_TRUE(perfect.result.provenMinimal);
    EXPECT_EQ(VerifyGuarantee(full, perfect.rows, 2), 0);

    TRowList half = full;
    std::mt19937_64 random(5);
    std::vector<bool> keep(static_cast<std::size_t>(half.Count()));
    for (auto&& k : keep)
        k = random() % 2 == 0;
    half.KeepWhere(keep);
    const Reduction reduced = Optimised(half, 2, StepLimit(200));
    EXPECT_EQ(VerifyGuarantee(half, reduced.rows, 2), 0);
    TRowList fixed = half;
    AbortFlag abort;
    RunObserver observer;
    ReduceToGuarantee(fixed, 2, abort, observer);
    EXPECT_LT(reduced.rows.Count(), fixed.Count() * 65 / 100);
}

TEST(ReduceOptimised, FullSystemsOfSomeGamesKeepTheGuarantee) {
    for (int open = 3; open <= 7; ++open) {
        for (int level = 1; level <= 3; ++level) {
            const TRowList input = OpenGamesSystem(11 + open % 4, open);
            const Reduction reduced = Optimised(input, level, StepLimit(30));
            ASSERT_NO_FATAL_FAILURE(ExpectCover(input, reduced.rows, level))
                << open << " open games, level " << level;
        }
    }
    // The ternary Hamming code of four games has nine rows.
    EXPECT_EQ(Optimised(OpenGamesSystem(12, 4), 1, StepLimit(30)).rows.Count(), 9);
}

TEST(ReduceOptimised, SameSeedAndStepLimitGiveTheSameRows) {
    std::mt19937_64 random(7);
    for (int trial = 0; trial < 12; ++trial) {
        const TRowList input = RandomList(random, 11 + trial % 4);
        const int level = 1 + trial % 3;
        const TRowList first = Optimised(input, level, StepLimit(200, 42)).rows;
        EXPECT_EQ(RowStrings(Optimised(input, level, StepLimit(200, 42)).rows), RowStrings(first))
            << "trial " << trial;
    }
}

using testing::AbortAt;

// Whether "Abbruch" comes before the start, while the linear code or the greedy cover is
// built, or during the search, the rows left are a complete cover without repeats.
TEST(ReduceOptimised, AbortLeavesACompleteCover) {
    const TRowList full = testing::FullSystemOf(testing::FullPlan(11), 11);
    TRowList thinned = full;
    std::vector<bool> keep(static_cast<std::size_t>(thinned.Count()));
    for (std::size_t r = 0; r < keep.size(); ++r)
        keep[r] = r % 3 != 1;
    thinned.KeepWhere(keep);

    struct Case {
        const TRowList& input;
        int level;
        int call;  // of ProcessEvents; 0: set before the start
    };
    for (const Case& c :
         {Case{thinned, 2, 0}, Case{full, 3, 1}, Case{thinned, 2, 3}, Case{thinned, 2, 80}}) {
        TRowList rows = c.input;
        AbortFlag abort;
        if (c.call == 0)
            abort.Set();
        AbortAt observer(abort, c.call);
        const OptimisedReductionResult result =
            ReduceOptimised(rows, c.level, abort, observer, StepLimit(0));
        EXPECT_TRUE(result.aborted) << "call " << c.call;
        EXPECT_EQ(VerifyGuarantee(c.input, rows, c.level), 0) << "call " << c.call;
        const std::vector<std::string> kept = RowStrings(rows);
        EXPECT_EQ(std::set<std::string>(kept.begin(), kept.end()).size(), kept.size());
    }
}

TEST(ReduceOptimised, ShowsEachImprovementAndStopsOnTime) {
    TRowList rows = OpenGamesSystem(12, 9);
    std::mt19937_64 random(3);
    std::vector<bool> keep(static_cast<std::size_t>(rows.Count()));
    for (auto&& k : keep)
        k = random() % 4 != 0;
    rows.KeepWhere(keep);

    AbortFlag abort;
    AbortAt observer(abort, -1);
    OptimisedReductionOptions options;
    options.seconds = 0.2;
    const OptimisedReductionResult result = ReduceOptimised(rows, 1, abort, observer, options);
    EXPECT_TRUE(result.timeUp);
    EXPECT_FALSE(result.aborted);
    ASSERT_FALSE(observer.shown.empty());
    EXPECT_EQ(observer.shown.front(), result.startRows);
    EXPECT_EQ(observer.shown.back(), rows.Count());
    EXPECT_TRUE(std::is_sorted(observer.shown.rbegin(), observer.shown.rend()));
    EXPECT_EQ(std::adjacent_find(observer.shown.begin(), observer.shown.end()),
              observer.shown.end());
}

// With rows from outside, the kept rows are the list's own in the order of their first
// occurrence, then rows of the space that are not in the list; the guarantee is checked
// against the list only.
void ExpectCoverWithOutside(const TRowList& input, const TRowList& kept, int level,
                            const RowSpace& space, std::int32_t outsideRows) {
    ASSERT_EQ(VerifyGuarantee(input, kept, level), 0);
    const std::vector<std::string> inputRows = RowStrings(input);
    const std::set<std::string> listed(inputRows.begin(), inputRows.end());
    const std::vector<std::string> keptRows = RowStrings(kept);
    ASSERT_EQ(std::set<std::string>(keptRows.begin(), keptRows.end()).size(), keptRows.size());
    const auto firstOutside =
        std::find_if(keptRows.begin(), keptRows.end(),
                     [&](const std::string& row) { return !listed.count(row); });
    EXPECT_EQ(keptRows.end() - firstOutside, outsideRows);
    EXPECT_TRUE(std::none_of(firstOutside, keptRows.end(),
                             [&](const std::string& row) { return listed.count(row) > 0; }));
    TRowList own(input.Games());
    for (std::int32_t r = 0; r < kept.Count(); ++r) {
        ASSERT_TRUE(space.Contains(EncodeRow(kept.Row(r), kept.Games())));
        if (r < firstOutside - keptRows.begin())
            own.Append(kept.Row(r));
    }
    // The list's own kept rows keep their order, as without rows from outside.
    std::size_t next = 0;
    for (const std::string& row : RowStrings(own)) {
        const auto at =
            std::find(inputRows.begin() + static_cast<std::ptrdiff_t>(next), inputRows.end(), row);
        ASSERT_NE(at, inputRows.end()) << row << " out of order";
        next = static_cast<std::size_t>(at - inputRows.begin()) + 1;
    }
}

// The space a list's tip plan spans, widened at random by signs no row takes.
RowSpace WidenedSpace(const TRowList& rows, std::mt19937_64& random) {
    RowSpace space{rows.Games(), {}};
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        for (int g = 0; g < rows.Games(); ++g)
            space.signs[g] |= static_cast<std::uint8_t>(1u << rows.Row(r)[g]);
    }
    for (int g = 0; g < rows.Games(); ++g) {
        if (random() % 3 == 0)
            space.signs[g] |= static_cast<std::uint8_t>(1u << random() % 3);
    }
    return space;
}

TEST(ReduceOptimised, KeepsTheGuaranteeWithRowsFromOutside) {
    std::mt19937_64 random(20261210);
    std::int64_t within = 0;
    std::int64_t outside = 0;
    for (int trial = 0; trial < 200; ++trial) {
        const int n = 11 + trial % 4;
        const int level = 1 + (trial / 4) % 3;
        const TRowList input = RandomList(random, n);
        const RowSpace space = WidenedSpace(input, random);
        OptimisedReductionOptions options = StepLimit(1 + trial % 40, trial);
        const Reduction own = Optimised(input, level, options);
        ASSERT_NO_FATAL_FAILURE(ExpectCover(input, own.rows, level)) << "trial " << trial;
        EXPECT_EQ(own.result.outsideRows, 0);
        options.outside = &space;
        const Reduction wide = Optimised(input, level, options);
        ASSERT_NO_FATAL_FAILURE(
            ExpectCoverWithOutside(input, wide.rows, level, space, wide.result.outsideRows))
            << "trial " << trial << ", n " << n << ", level " << level;
        within += own.rows.Count();
        outside += wide.rows.Count();
    }
    EXPECT_LE(outside, within);
}

// A week as the default sign-change range leaves it: the structured code fitted to the
// list keeps nearly all its rows inside; with rows from outside the code applies whole.
TEST(ReduceOptimised, FitsTheCodeToAFilteredFullSystem) {
    TFilterSet filters = TFilterSet::PassingAll(11);
    filters.signChange.max1 = filters.signChange.max2 = 8;
    const TTipPlan plan = testing::FullPlan(11);
    const TRowList week = testing::SystemOf(plan, 11, filters);
    ASSERT_LT(week.Count(), 177147 * 9 / 10);
    const Reduction within = Optimised(week, 2, StepLimit(2000));
    EXPECT_EQ(VerifyGuarantee(week, within.rows, 2), 0);
    EXPECT_LE(within.rows.Count(), 729 * 11 / 10);
    EXPECT_EQ(within.result.outsideRows, 0);

    const RowSpace space = plan.FullSystemSpace(11);
    OptimisedReductionOptions options = StepLimit(2000);
    options.outside = &space;
    const Reduction wide = Optimised(week, 2, options);
    EXPECT_EQ(VerifyGuarantee(week, wide.rows, 2), 0);
    EXPECT_LE(wide.rows.Count(), 729);
}

// The budget covers the start: with a clock that moves a whole second per reading and a
// budget of three, a run over a large list is over after a few readings, with a complete
// cover, and the time left it shows falls to 0.
TEST(ReduceOptimised, TheBudgetCoversTheStartAndTheTimeLeftIsShown) {
    struct TimeLeft : RunObserver {
        std::vector<double> shown;
        void ShowTimeLeft(double seconds) override { shown.push_back(seconds); }
    };
    TRowList rows = OpenGamesSystem(13, 12);
    std::mt19937_64 random(5);
    std::vector<bool> keep(static_cast<std::size_t>(rows.Count()));
    for (auto&& k : keep)
        k = random() % 5 != 0;
    rows.KeepWhere(keep);
    const TRowList input = rows;

    testing::StepClock clock(1.0);
    OptimisedReductionOptions options;
    options.seconds = 3;
    options.clock = &clock;
    AbortFlag abort;
    TimeLeft observer;
    const OptimisedReductionResult result = ReduceOptimised(rows, 3, abort, observer, options);
    EXPECT_TRUE(result.timeUp);
    EXPECT_LE(clock.Readings(), 12);
    EXPECT_EQ(VerifyGuarantee(input, rows, 3), 0);
    ASSERT_FALSE(observer.shown.empty());
    EXPECT_TRUE(std::is_sorted(observer.shown.rbegin(), observer.shown.rend()));
    EXPECT_EQ(observer.shown.back(), 0.0);
}

// A small system stops once the search has not improved for the patience, long before a
// generous budget is spent; a step limit runs all its steps whatever the clock says.
TEST(ReduceOptimised, StopsEarlyWhenTheSearchNoLongerImproves) {
    const TRowList rows = OpenGamesSystem(11, 7);
    testing::StepClock clock(0.5);
    OptimisedReductionOptions options;
    options.seconds = 1000;
    options.clock = &clock;
    const Reduction early = Optimised(rows, 1, options);
    EXPECT_TRUE(early.result.stalled);
    EXPECT_FALSE(early.result.timeUp);
    EXPECT_LT(clock.Readings(), 2 * 250 / 0.5 + 100);

    options.maxIterations = 5000;
    const Reduction stepped = Optimised(rows, 1, options);
    EXPECT_FALSE(stepped.result.stalled);
    EXPECT_EQ(stepped.result.iterations, 5000);
}

}  // namespace
}  // namespace velmora
