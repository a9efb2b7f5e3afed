#include "filters/odds.h"

#include <gtest/gtest.h>

#include "filterrows.h"

namespace velmora {
namespace {

using testing::Row;

TOddsFilter Odds234(double min, double max) {
    TOddsFilter odds = TOddsFilter::Defaults();
    static_cast<TFilterValueRecord&>(odds) = testing::SameInEveryGame(2, 3, 4, min, max);
    return odds;
}

TEST(Odds, ProductOfTheRowsOddsWithInclusiveBand) {
    const TTipRow row = Row("10210210210");
    EXPECT_EQ(rowProduct(row.data(), Odds234(0, 0), 11), 82944.0);
    EXPECT_TRUE(passesOdds(row.data(), Odds234(50000, 82944), 11));
    EXPECT_TRUE(passesOdds(row.data(), Odds234(82944, 82944), 11));
    EXPECT_FALSE(passesOdds(row.data(), Odds234(82945, 10000000), 11));
    EXPECT_FALSE(passesOdds(row.data(), Odds234(1, 82943.999), 11));
}

TEST(Odds, AnInactiveFilterPassesWhateverTheBand) {
    TOddsFilter odds = Odds234(5, 4);
    odds.active = 0;
    EXPECT_TRUE(passesOdds(Row("10210210210").data(), odds, 11));
    odds.active = 1;
    EXPECT_FALSE(passesOdds(Row("10210210210").data(), odds, 11));
}

TEST(Odds, ZeroOddsMakeTheProductZero) {
    TOddsFilter odds = Odds234(0, 1e12);
    odds.values[4][0] = 0.0;  // game 5, "0"
    const TTipRow row = Row("11110111111");
    EXPECT_EQ(rowProduct(row.data(), odds, 11), 0.0);
    EXPECT_TRUE(passesOdds(row.data(), odds, 11));
    odds.minValue = 1.0;
    EXPECT_FALSE(passesOdds(row.data(), odds, 11));
}

TEST(Odds, TheTwelfthGameCountsOnlyWithTwelveGames) {
    TOddsFilter odds = TOddsFilter::Defaults();
    odds.active = 1;
    for (int g = 0; g < 11; ++g)
        odds.values[g] = {2.0, 2.0, 2.0};
    const TTipRow row = Row("111111111111");
    EXPECT_EQ(rowProduct(row.data(), odds, 11), 2048.0);
    EXPECT_EQ(rowProduct(row.data(), odds, 12), 2048.0);  // start value 1.0
    odds.values[11] = {0.0, 0.0, 0.0};
    EXPECT_EQ(rowProduct(row.data(), odds, 11), 2048.0);
    EXPECT_EQ(rowProduct(row.data(), odds, 12), 0.0);
}

}  // namespace
}  // namespace velmora
