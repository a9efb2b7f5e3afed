#include "model/tipplan.h"

#include <gtest/gtest.h>

#include "support/testplans.h"

namespace velmora {
namespace {

using testing::PlanFromTendencies;

// The signs of a game in its current order, as the "Tip" column lists the allowed ones.
std::string TipColumn(const TTipPlan& plan, int game) {
    std::string tips;
    for (const TipPair& pair : plan.Game(game).pairs)
        tips += pair.Allowed() ? SignChar(pair.sign) : ' ';
    return tips;
}

TEST(TipPlan, NewPlanHasNoTips) {
    const TTipPlan plan;
    for (int g = 1; g <= kMaxGames; ++g)
        EXPECT_EQ(plan.AllowedCount(g), 0);
    EXPECT_FALSE(plan.TipsComplete(11));
    EXPECT_EQ(plan.StatusText(11), "Es Fehlen noch Tips");
    EXPECT_EQ(plan.FullSystemSize(11), 1);
}

TEST(TipPlan, TendencySortResolvesTiesByTheFixedExchanges) {
    // Tendencies given for the signs "1", "0", "2".
    const TTipPlan plan = PlanFromTendencies({"333", "115", "042", "513", "351", "000", "221"});
    EXPECT_EQ(TipColumn(plan, 1), "102");
    EXPECT_EQ(TipColumn(plan, 2), "201");
    EXPECT_EQ(TipColumn(plan, 3), "02 ");
    EXPECT_EQ(TipColumn(plan, 4), "120");
    EXPECT_EQ(TipColumn(plan, 5), "012");
    EXPECT_EQ(TipColumn(plan, 6), "   ");
    EXPECT_EQ(TipColumn(plan, 7), "102");
}

TEST(TipPlan, SortingTwiceChangesNothing) {
    TTipPlan plan = PlanFromTendencies({"115"});
    const GameEntry once = plan.Game(1);
    plan.SortByTendency(1);
    EXPECT_EQ(plan.Game(1), once);
}

TEST(TipPlan, ArrangementsPlacePairsBySignAndKeepTendencies) {
    TTipPlan plan = PlanFromTendencies({"159"});
    plan.ToSignOrder(1);
    EXPECT_EQ(plan.Game(1).pairs[0], (TipPair{0, 5}));
    EXPECT_EQ(plan.Game(1).pairs[1], (TipPair{1, 1}));
    EXPECT_EQ(plan.Game(1).pairs[2], (TipPair{2, 9}));
    plan.ToDisplayOrder(1);
    EXPECT_EQ(plan.Game(1).pairs[0], (TipPair{1, 1}));
    EXPECT_EQ(plan.Game(1).pairs[1], (TipPair{0, 5}));
    EXPECT_EQ(plan.Game(1).pairs[2], (TipPair{2, 9}));
}

TEST(TipPlan, DerivedValuesFollowTheFirstNGames) {
    TTipPlan plan = PlanFromTendencies(std::vector<std::string>(11, "500"));
    EXPECT_TRUE(plan.TipsComplete(11));
    EXPECT_EQ(plan.FullSystemSize(11), 1);
    EXPECT_FALSE(plan.TipsComplete(12));
    plan.SetTendency(2, 0, 3);
    plan.SetTendency(3, 0, 3);
    plan.SetTendency(3, 2, 1);
    EXPECT_EQ(plan.AllowedCount(3), 3);
    EXPECT_EQ(plan.FullSystemSize(11), 6);
    EXPECT_EQ(plan.StatusText(11), "VOLLSYSTEM: 6 Reihen");
    // Games without a tip do not make the product zero.
    EXPECT_EQ(plan.FullSystemSize(14), 6);

    const TTipPlan full = testing::FullPlan(14);
    EXPECT_EQ(full.FullSystemSize(14), 4782969);
    EXPECT_EQ(full.StatusText(14), "VOLLSYSTEM: 4782969 Reihen");
}

TEST(TipPlan, NegativeTendencyIsNotATip) {
    TTipPlan plan;
    plan.SetTendency(1, 1, -3);
    EXPECT_EQ(plan.AllowedCount(1), 0);
}

TEST(TipPlan, MainTipRowTakesTheFirstPairInTendencyOrder) {
    TTipPlan plan = PlanFromTendencies(
        {"500", "150", "115", "333", "500", "500", "500", "500", "500", "500", "500"});
    EXPECT_EQ(testing::RowString(plan.MainTipRow(11).signs()), "10211111111");
}

}  // namespace
}  // namespace velmora
