// "Gewinnchancen" as a command of the week: which model it takes from which filter, the pool
// from the week's price, and every refusal before anything is computed.
#include <gtest/gtest.h>

#include <cmath>

#include "app/workingweek.h"
#include "support/testplans.h"
#include "support/weekaccess.h"

namespace velmora {
namespace {

using testing::Arrange;
using testing::RowsFromStrings;

constexpr int kN = 11;

// Percentages per game, sign codes 0, 1, 2: game 1 has "1" at 50, "0" at 30, "2" at 20;
// every other game is certainly "1".
TPercentFilter OneOpenGame() {
    TPercentFilter filter;
    for (int g = 0; g < kN; ++g)
        filter.values[static_cast<std::size_t>(g)] = {0, 100, 0};
    filter.values[0] = {30, 50, 20};
    return filter;
}

class WorkingWeekChancesTest : public ::testing::Test {
  protected:
    WorkingWeekChancesTest() {
        Workspace& s = Arrange(week_);
        s.games = kN;
        // Game 1 allows "1" and "0", the others only "1".
        std::vector<std::string> games(kN, "900");
        games[0] = "530";
        s.plan = testing::PlanFromTendencies(games);
        s.filters = TFilterSet::PassingAll(kN);
        s.filters.percent[0] = OneOpenGame();
        s.rows = RowsFromStrings({"11111111111"});
        s.pricePerRowCents = 50;
    }

    static ChanceSettings FromPercent(int filter, int players = 0) {
        ChanceSettings settings;
        settings.source = {ChanceSource::Kind::Percent, filter};
        settings.pool.publicFilter = players;
        return settings;
    }

    WorkingWeek week_{""};
};

TEST_F(WorkingWeekChancesTest, TakesTheChosenFilterAsTheOutcomeModel) {
    const ChancesOutcome outcome = week_.ComputeChances(FromPercent(1));
    ASSERT_TRUE(outcome.result) << outcome.problem;
    EXPECT_TRUE(outcome.problem.empty());
    const ChancesResult& r = *outcome.result;
    // The plan holds game 1 on "1" and "0": 50 % + 30 %; nothing filters.
    EXPECT_NEAR(r.pPlan, 0.8, 1e-12);
    EXPECT_NEAR(r.pFiltered, 0.8, 1e-12);
    // The one row is right when game 1 ends "1", one error away otherwise.
    EXPECT_NEAR(r.all.best[0], 0.5, 1e-12);
    EXPECT_NEAR(r.all.best[1], 0.5, 1e-12);
    EXPECT_NEAR(r.all.best[kNothingWon], 0.0, 1e-12);
    // Given the result lies in the filtered system, "1" has 50 of 80.
    ASSERT_TRUE(r.filtered);
    EXPECT_NEAR(r.filtered->best[0], 0.625, 1e-12);
    EXPECT_NEAR(r.filtered->best[1], 0.375, 1e-12);
    EXPECT_FALSE(r.payout);
    EXPECT_EQ(outcome.games, kN);
    EXPECT_EQ(outcome.rows, 1);
    EXPECT_EQ(outcome.pricePerRowCents, 50);

    // The odds filter is another source: every odds 2 makes every sign a third.
    Workspace& s = Arrange(week_);
    for (auto& game : s.filters.odds.values)
        game.fill(2.0);
    const ChancesOutcome odds = week_.ComputeChances(ChanceSettings{});
    ASSERT_TRUE(odds.result) << odds.problem;
    EXPECT_NEAR(odds.result->pPlan, std::pow(1.0 / 3, kN - 1) * 2.0 / 3, 1e-15);
}

TEST_F(WorkingWeekChancesTest, PaysFromThePoolAtTheWeeksPricePerRow) {
    // The players all tip the row of the system: each win is shared with all of them.
    Workspace& s = Arrange(week_);
    TPercentFilter players;
    for (auto& game : players.values)
        game = {0, 1, 0};
    s.filters.percent[1] = players;
    ChanceSettings settings = FromPercent(1, 2);
    settings.pool.stakes = 1000;  // 2000 rows at 0,50 €
    settings.pool.rate = 0.5;     // a pool of 500 €
    settings.pool.shares = {0.4, 0.2, 0.2, 0.2, 0.0};

    const ChancesOutcome outcome = week_.ComputeChances(settings);
    ASSERT_TRUE(outcome.result) << outcome.problem;
    ASSERT_TRUE(outcome.result->payout);
    const Payout& payout = *outcome.result->payout;
    EXPECT_NEAR(payout.byClass[0], 0.5 * 500 * 0.4 / 2001, 1e-12);
    EXPECT_NEAR(payout.byClass[1], 0.5 * 500 * 0.2 / 2001, 1e-12);
    EXPECT_NEAR(payout.expected, 150.0 / 2001, 1e-12);
    EXPECT_DOUBLE_EQ(payout.stake, 0.5);

    // The price is the week's: at 2 € the stakes are 500 rows.
    s.pricePerRowCents = 200;
    const ChancesOutcome dearer = week_.ComputeChances(settings);
    ASSERT_TRUE(dearer.result && dearer.result->payout);
    EXPECT_NEAR(dearer.result->payout->expected, 150.0 / 501, 1e-12);
    EXPECT_DOUBLE_EQ(dearer.result->payout->stake, 2.0);
    EXPECT_EQ(dearer.pricePerRowCents, 200);
}

TEST_F(WorkingWeekChancesTest, AnEmptySystemWinsNothingForCertain) {
    Arrange(week_).rows.Clear();
    ChanceSettings settings = FromPercent(1, 1);
    const ChancesOutcome outcome = week_.ComputeChances(settings);
    ASSERT_TRUE(outcome.result) << outcome.problem;
    const ChancesResult& r = *outcome.result;
    EXPECT_DOUBLE_EQ(r.all.best[kNothingWon], 1.0);
    for (int e = 0; e < kWinClasses; ++e) {
        EXPECT_EQ(r.all.best[static_cast<std::size_t>(e)], 0.0);
        EXPECT_EQ(r.all.expectedRows[static_cast<std::size_t>(e)], 0.0);
    }
    ASSERT_TRUE(r.payout);
    EXPECT_EQ(r.payout->expected, 0.0);
    EXPECT_EQ(r.payout->stake, 0.0);
    EXPECT_EQ(outcome.rows, 0);
}

TEST_F(WorkingWeekChancesTest, RefusesWithTheReasonAndNoResult) {
    auto refusal = [&](const ChanceSettings& settings) {
        const ChancesOutcome outcome = week_.ComputeChances(settings);
        EXPECT_FALSE(outcome.result);
        EXPECT_EQ(outcome.problem.rfind(std::string(kNoChances) + "\n", 0), 0u) << outcome.problem;
        return outcome.problem;
    };
    // A percentage filter holding zeros gives no probabilities, neither as the source nor as
    // the players' tips.
    EXPECT_NE(refusal(FromPercent(3)).find("Spiel 1 in Prozentfilter 3"), std::string::npos);
    const std::string players = refusal(FromPercent(1, 4));
    EXPECT_NE(players.find("Tippverhalten der Spieler"), std::string::npos);
    EXPECT_NE(players.find("Prozentfilter 4"), std::string::npos);
    // A filter number outside 1 to 5.
    refusal(FromPercent(6));
    refusal(FromPercent(1, 6));

    // A pool that cannot pay.
    ChanceSettings bad = FromPercent(1, 1);
    bad.pool.rate = 1.5;
    EXPECT_NE(refusal(bad).find("Ausschüttungsquote"), std::string::npos);
    bad = FromPercent(1, 1);
    bad.pool.shares = {0.5, 0.5, 0.5, 0, 0};
    EXPECT_NE(refusal(bad).find("mehr als 100 %"), std::string::npos);

    // Without a price per row the players' rows cannot be counted; without a pool the price
    // does not matter.
    Workspace& s = Arrange(week_);
    s.pricePerRowCents = 0;
    EXPECT_NE(refusal(FromPercent(1, 1)).find("Preis pro Reihe"), std::string::npos);
    EXPECT_TRUE(week_.ComputeChances(FromPercent(1)).result);
    s.pricePerRowCents = 50;

    // Rows of another game count, and a plan with a game without tips.
    s.rows = RowsFromStrings({"111111111111"});
    EXPECT_NE(refusal(FromPercent(1)).find("Die Reihen haben 12 Spiele"), std::string::npos);
    s.rows = RowsFromStrings({"11111111111"});
    s.plan.SetTendency(5, 1, 0);
    EXPECT_NE(refusal(FromPercent(1)).find("Im Tippplan fehlen noch Tips"), std::string::npos);
}

}  // namespace
}  // namespace velmora
