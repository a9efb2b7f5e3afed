#include "model/enumeration.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "model/rowcode.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using testing::PlanFromTendencies;
using testing::RowStrings;

TTipPlan InTendencyOrder(TTipPlan plan, int n) {
    plan.AllToTendencyOrder(n);
    return plan;
}

TRowList EnumerateUnfiltered(const TTipPlan& plan, int n) {
    TRowList rows(n);
    AbortFlag abort;
    RunObserver observer;
    EnumerateFullSystem(InTendencyOrder(plan, n), n, CandidateTest(TFilterSet::PassingAll(n), n),
                        rows, abort, observer);
    return rows;
}

TEST(Enumeration, ExampleOrderOfSixCandidates) {
    std::vector<std::string> games(11, "500");
    games[2] = "530";  // game 3: "1", then "0"
    games[4] = "531";  // game 5: "1", "0", "2"
    EXPECT_EQ(RowStrings(EnumerateUnfiltered(PlanFromTendencies(games), 11)),
              (std::vector<std::string>{"11111111111", "11011111111", "11110111111", "11112111111",
                                        "11010111111", "11012111111"}));
}

TEST(Enumeration, SecondTipsComeBeforeThirdTipsWithinAnOuterStep) {
    // Tendency order decides which sign is the second and which the third tip.
    std::vector<std::string> games(12, "050");
    games[0] = "135";  // main tip 2, then 0, then 1
    games[1] = "153";  // main tip 0, then 2, then 1
    EXPECT_EQ(RowStrings(EnumerateUnfiltered(PlanFromTendencies(games), 12)),
              (std::vector<std::string>{"200000000000", "000000000000", "100000000000",
                                        "220000000000", "210000000000", "020000000000",
                                        "120000000000", "010000000000", "110000000000"}));
}

TEST(Enumeration, OneSignPerGameGivesOnlyTheMainTipRow) {
    const TRowList rows =
        EnumerateUnfiltered(PlanFromTendencies(std::vector<std::string>(13, "005")), 13);
    EXPECT_EQ(RowStrings(rows), std::vector<std::string>{"2222222222222"});
}

// Every row of random plans exactly once, ordered by distance from the main-tip row.
TEST(Enumeration, CoversTheFullSystemOnceInOrderOfDistance) {
    std::mt19937 random(7);
    const char* choices[] = {"500", "530", "350", "053", "531", "135", "111", "005", "220"};
    for (int trial = 0; trial < 60; ++trial) {
        const int n = 11 + trial % 4;
        std::vector<std::string> games;
        for (int g = 0; g < n; ++g)
            games.push_back(choices[random() % 9]);
        const TTipPlan plan = InTendencyOrder(PlanFromTendencies(games), n);
        const TRowList rows = EnumerateUnfiltered(plan, n);
        ASSERT_EQ(rows.Count(), plan.FullSystemSize(n));

        const TTipRow mainTip = plan.MainTipRow(n);
        std::set<RowCode> seen;
        int lastDistance = 0;
        for (std::int32_t r = 0; r < rows.Count(); ++r) {
            const Sign* row = rows.Row(r);
            EXPECT_TRUE(seen.insert(EncodeRow(row, n)).second) << "duplicate row " << r;
            for (int g = 1; g <= n; ++g)
                EXPECT_GT(plan.Tendency(g, row[g - 1]), 0);
            const int distance = RowDistance(row, mainTip.data(), n);
            EXPECT_GE(distance, lastDistance);
            lastDistance = distance;
        }
    }
}

TEST(Enumeration, OnlyAcceptedCandidatesAreStoredAndProgressCountsThem) {
    struct Recorder : RunObserver {
        std::vector<std::int32_t> shown;
        int steps = 0;
        void ProcessEvents() override { ++steps; }
        void ShowProgress(std::int32_t number) override { shown.push_back(number); }
    } observer;
    const int n = 11;
    const TTipPlan plan =
        InTendencyOrder(PlanFromTendencies(std::vector<std::string>(n, "531")), n);
    TRowList rows(n);
    AbortFlag abort;
    std::int32_t candidates = 0;
    ForEachCandidate(
        plan, n,
        [&](const Sign* row) {
            ++candidates;
            if (row[0] == 1) {
                rows.Append(row);
                ReportRowCount(observer, rows.Count());
            }
        },
        abort, observer);
    EXPECT_EQ(candidates, 177147);
    EXPECT_EQ(rows.Count(), 59049);
    EXPECT_EQ(observer.steps, 2047);  // one per outer step: the non-empty subsets of 11 games
    ASSERT_EQ(observer.shown.size(), 5904u);
    EXPECT_EQ(observer.shown.front(), 10);
    EXPECT_EQ(observer.shown.back(), 59040);
}

TEST(Enumeration, AbortStopsBeforeTheNextOuterStep) {
    struct AbortAfter : RunObserver {
        AbortFlag& abort;
        int left;
        AbortAfter(AbortFlag& a, int steps) : abort(a), left(steps) {}
        void ProcessEvents() override {
            if (--left == 0)
                abort.Set();
        }
    };
    const int n = 12;
    const TTipPlan plan =
        InTendencyOrder(PlanFromTendencies(std::vector<std::string>(n, "531")), n);
    const TRowList all = EnumerateUnfiltered(plan, n);

    AbortFlag abort;
    AbortAfter observer(abort, 3);
    TRowList rows(n);
    const EnumerationStats stats = EnumerateFullSystem(
        plan, n, CandidateTest(TFilterSet::PassingAll(n), n), rows, abort, observer);
    EXPECT_TRUE(stats.aborted);
    // The abort set during the third outer step lets that step finish: the main-tip row
    // and three single-game steps of a second and a third tip each.
    EXPECT_EQ(rows.Count(), 7);
    for (std::int32_t r = 0; r < rows.Count(); ++r)
        EXPECT_EQ(rows.Get(r), all.Get(r));
}

}  // namespace
}  // namespace velmora
