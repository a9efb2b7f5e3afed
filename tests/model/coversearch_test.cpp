#include "model/coversearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "model/coverstart.h"
#include "support/fakeclock.h"
#include "support/testplans.h"

namespace velmora {
namespace {

// Whether every list row lies within reach of a kept row.
bool Covers(const CoverBalls& balls, const std::vector<Id>& kept) {
    std::vector<bool> covered(static_cast<std::size_t>(balls.Count()), false);
    for (Id id : kept)
        balls.ForEachWithin(id, [&](Id near) { covered[near] = true; });
    for (Id id = 0; id < balls.Count(); ++id) {
        if (balls.Needed(id) && !covered[id])
            return false;
    }
    return true;
}

// A tip plan of 11 games with some two-sign games and two banks, thinned at random like a
// filter would.
TRowList ThinnedPlan(std::uint64_t seed, RowSpace& space) {
    constexpr int n = 11;
    std::vector<std::string> games(static_cast<std::size_t>(n), "321");
    for (int g = 0; g < 9; g += 3)
        games[static_cast<std::size_t>(g)] = "530";
    games[9] = games[10] = "500";
    const TTipPlan plan = testing::PlanFromTendencies(games);
    space = plan.FullSystemSpace(n);
    TRowList rows = testing::FullSystemOf(plan, n);
    std::mt19937_64 random(seed);
    std::vector<bool> keep(static_cast<std::size_t>(rows.Count()));
    for (auto&& k : keep)
        k = random() % 3 == 0;
    rows.KeepWhere(keep);
    return rows;
}

struct Searched {
    std::vector<Id> best;
    bool stalled;
    bool timeUp;
};

template <template <class> class Search>
Searched RunSearch(const CoverBalls& balls, double seconds, double patience, std::int64_t maxSteps,
                   double clockStep) {
    AbortFlag abort;
    RunObserver observer;
    testing::StepClock clock(clockStep);
    RunBudget budget(abort, observer, seconds, &clock);
    std::mt19937_64 random(11);
    const std::vector<Id> start = StartCover(balls, budget, random);
    Search<CoverBalls> search = [&] {
        if constexpr (std::is_same_v<Search<CoverBalls>, CoverSearch<CoverBalls>>)
            return Search<CoverBalls>(balls, start, 5, 6, budget, observer);
        else
            return Search<CoverBalls>(balls, start, 5, budget, observer);
    }();
    typename CoverSearch<CoverBalls>::Limits limits;
    limits.maxSteps = maxSteps;
    limits.patience = patience;
    search.Run(limits);
    EXPECT_LE(search.Best().size(), start.size());
    return {search.Best(), search.Stalled(), budget.TimeUp()};
}

// Both searches, with and without candidates from outside the list, end on a complete
// cover of the list rows.
TEST(CoverSearches, EndOnACompleteCoverOfTheListRows) {
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        RowSpace space;
        const TRowList rows = ThinnedPlan(seed, space);
        for (int level = 1; level <= 3; ++level) {
            for (const RowSpace* outside :
                 {static_cast<const RowSpace*>(nullptr), static_cast<const RowSpace*>(&space)}) {
                const CoverBalls balls(rows, level, outside);
                EXPECT_TRUE(Covers(balls, RunSearch<CoverSearch>(balls, 1e9, 0, 300, 1e-6).best))
                    << "seed " << seed << " level " << level;
                EXPECT_TRUE(
                    Covers(balls, RunSearch<WeightedCoverSearch>(balls, 1e9, 0, 300, 1e-6).best))
                    << "seed " << seed << " level " << level;
            }
        }
    }
}

// With a clock that moves a tenth of a second per reading, a search that has stopped improving
// gives up after its patience, long before its budget; without patience it runs until the
// budget is spent.
TEST(CoverSearches, GiveUpAfterTheirPatienceOrAtTheEndOfTheBudget) {
    RowSpace space;
    const TRowList rows = ThinnedPlan(4, space);
    const CoverBalls balls(rows, 1, nullptr);
    const auto patient = RunSearch<CoverSearch>(balls, 1e9, 0.5, 0, 0.1);
    EXPECT_TRUE(patient.stalled);
    EXPECT_FALSE(patient.timeUp);
    const auto weighted = RunSearch<WeightedCoverSearch>(balls, 1e9, 0.5, 0, 0.1);
    EXPECT_TRUE(weighted.stalled);
    const auto timed = RunSearch<CoverSearch>(balls, 0.5, 0, 0, 0.1);
    EXPECT_FALSE(timed.stalled);
    EXPECT_TRUE(timed.timeUp);
    EXPECT_TRUE(Covers(balls, timed.best));
}

}  // namespace
}  // namespace velmora
