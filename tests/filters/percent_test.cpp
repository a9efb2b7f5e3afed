#include "filters/percent.h"

#include <gtest/gtest.h>

#include "filterrows.h"
#include "filters/filterset.h"

namespace velmora {
namespace {

using testing::Row;

// A filter whose mean is 50 for every row (every number is 50) and whose band either
// holds 50 or not.
TPercentFilter Fixed(bool met, bool orNext = false) {
    TPercentFilter filter;
    for (auto& game : filter.values)
        game.fill(50.0);
    filter.minValue = met ? 0.0 : 60.0;
    filter.maxValue = 100.0;
    filter.active = 1;
    filter.orNext = orNext ? 1 : 0;
    return filter;
}

TPercentFilter Off() {
    TPercentFilter filter = Fixed(true);
    filter.active = 0;
    return filter;
}

class PercentChains : public ::testing::Test {
  protected:
    bool Passes(int k, int n = 11) const {
        const TTipRow row = Row(std::string(static_cast<std::size_t>(n), '1'));
        return passesPercentFilters(row.data(), set.percent, k, n);
    }
    int Met(int n = 11) const {
        const TTipRow row = Row(std::string(static_cast<std::size_t>(n), '1'));
        return CountMetPercentChains(set.percent, n,
                                     [&](int i) { return rowMean(row.data(), set.percent[i], n); });
    }

    TFilterSet set = TFilterSet::PassingAll(11);
};

TEST_F(PercentChains, NoActiveFilterMeansNoChainAndEveryRowPasses) {
    set.RecomputeChains();
    EXPECT_EQ(set.requiredChains, 0);
    EXPECT_TRUE(Passes(0));
    EXPECT_FALSE(Passes(1));  // a raised count finds no chain to meet
}

TEST_F(PercentChains, AnAlternativeMeetsTheChainOfItsFailingFirstMember) {
    set.percent = {Fixed(false, true), Fixed(true), Off(), Off(), Off()};
    set.RecomputeChains();
    EXPECT_EQ(set.chainCount(), 1);
    EXPECT_TRUE(Passes(1));
    set.percent[1] = Fixed(false);
    EXPECT_FALSE(Passes(1));
}

TEST_F(PercentChains, InactiveFiltersAreSkippedWithinAndAfterAChain) {
    // 1 "oder" 3 with 2 off: 3 is the alternative, then 4 starts a chain of its own.
    TPercentFilter metButOff = Fixed(true);
    metButOff.active = 0;
    set.percent = {Fixed(false, true), metButOff, Fixed(true), Fixed(true), Off()};
    set.RecomputeChains();
    EXPECT_EQ(set.chainCount(), 2);
    EXPECT_EQ(Met(), 2);

    set.percent[2] = Fixed(false);  // the chain fails; filter 2's band does not help
    EXPECT_EQ(Met(), 1);

    set.percent[0] = Fixed(true, true);  // met by its first member; 3 is not counted again
    set.percent[2] = Fixed(true);
    EXPECT_EQ(Met(), 2);
    set.percent[3] = Fixed(false);
    EXPECT_EQ(Met(), 1);
}

TEST_F(PercentChains, AChainCountsOnceThroughAnyOfItsMembers) {
    set.percent = {Fixed(false, true), Fixed(false, true), Fixed(true), Fixed(true), Off()};
    EXPECT_EQ(Met(), 2);  // the third member meets the chain, the fourth filter is next
    set.percent[1] = Fixed(true, true);
    EXPECT_EQ(Met(), 2);  // the second member meets it; the third is skipped, not counted
    set.percent[1] = Fixed(false, true);
    set.percent[2] = Fixed(false);
    EXPECT_EQ(Met(), 1);
}

TEST_F(PercentChains, ALoweredRequiredCountAcceptsEitherChain) {
    set.percent = {Fixed(true), Fixed(false), Off(), Off(), Off()};
    set.RecomputeChains();
    EXPECT_EQ(set.requiredChains, 2);
    EXPECT_FALSE(Passes(2));
    EXPECT_TRUE(Passes(1));
    set.percent = {Fixed(false), Fixed(true), Off(), Off(), Off()};
    EXPECT_TRUE(Passes(1));
    EXPECT_TRUE(Passes(0));
}

TEST_F(PercentChains, ALinkedLastFilterCountsBeyondTheChainCount) {
    set.percent = {Fixed(true), Off(), Off(), Off(), Fixed(true, true)};
    set.RecomputeChains();
    EXPECT_EQ(set.chainCount(), 1);
    EXPECT_EQ(Met(), 2);
    EXPECT_TRUE(Passes(2));
    set.percent[4] = Fixed(false, true);  // not met: contributes nothing, fails nothing
    EXPECT_EQ(Met(), 1);
    EXPECT_TRUE(Passes(1));
    EXPECT_FALSE(Passes(2));
}

// The mean of every row is 50; only the bounds and the role decide.
TEST_F(PercentChains, FirstMembersUseStrictBoundsUpToTwelveGames) {
    TPercentFilter onMin = Fixed(true);
    onMin.minValue = 50.0;
    TPercentFilter onMax = Fixed(true);
    onMax.minValue = 0.0;
    onMax.maxValue = 50.0;
    for (int n = kMinGames; n <= kMaxGames; ++n) {
        const bool inclusive = n >= 13;
        set.percent = {onMin, Off(), Off(), Off(), Off()};
        EXPECT_EQ(Passes(1, n), inclusive) << n;
        set.percent = {onMax, Off(), Off(), Off(), Off()};
        EXPECT_EQ(Passes(1, n), inclusive) << n;
        // As an alternative the same band is always inclusive.
        set.percent = {Fixed(false, true), onMin, Off(), Off(), Off()};
        EXPECT_TRUE(Passes(1, n)) << n;
        set.percent = {Fixed(false, true), onMax, Off(), Off(), Off()};
        EXPECT_TRUE(Passes(1, n)) << n;
    }
}

TEST(RowMean, PicksEachGamesNumberForTheRowsSign) {
    TFilterValueRecord filter;
    for (int g = 0; g < kMaxGames; ++g)
        filter.values[g] = {10.0 * g, 1000.0, 0.5};  // "0", "1", "2"
    const TTipRow row = Row("01201201201");
    // "0" in games 1, 4, 7, 10 (0, 30, 60, 90), "1" four times, "2" three times.
    EXPECT_DOUBLE_EQ(rowMean(row.data(), filter, 11), (180.0 + 4 * 1000.0 + 1.5) / 11);
    // Game 12 counts only with 12 games.
    const TTipRow longer = Row("012012012010");
    EXPECT_DOUBLE_EQ(rowMean(longer.data(), filter, 12), (180.0 + 110.0 + 4000.0 + 1.5) / 12);
}

TEST(RowMean, SumsInGameOrderThenScalesByTheReciprocal) {
    TFilterValueRecord filter;
    filter.values[0][1] = 1e16;
    filter.values[1][1] = 1.0;  // lost: 1e16 + 1 rounds back to 1e16
    filter.values[2][1] = -1e16;
    EXPECT_EQ(rowMean(Row("11111111111").data(), filter, 11), 0.0);

    // 7/13: the extended reciprocal rounds to the quotient, a double reciprocal would
    // give 0.53846153846153855.
    TFilterValueRecord seven;
    seven.values[0][1] = 7.0;
    const double mean = rowMean(Row("1111111111111").data(), seven, 13);
    EXPECT_EQ(mean, 7.0 / 13.0);
    EXPECT_NE(mean, 7.0 * (1.0 / 13.0));

    // A band ending exactly at that quotient admits the row.
    TPercentFilters filters{};
    static_cast<TFilterValueRecord&>(filters[0]) = seven;
    filters[0].active = 1;
    filters[0].minValue = 0.0;
    filters[0].maxValue = 7.0 / 13.0;
    EXPECT_TRUE(passesPercentFilters(Row("1111111111111").data(), filters, 1, 13));
}

}  // namespace
}  // namespace velmora
