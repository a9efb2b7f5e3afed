#include "filters/signchange.h"

#include <gtest/gtest.h>

#include "support/testplans.h"

namespace velmora {
namespace {

TEST(SignChangeFilter, CountsNeighbourChangesWithoutWrapAround) {
    const TRowList rows =
        testing::RowsFromStrings({"11000221111", "11111111111", "10101010101", "21111111112"});
    EXPECT_EQ(countSignChanges(rows.Row(0), 11), 3);
    EXPECT_EQ(countSignChanges(rows.Row(1), 11), 0);
    EXPECT_EQ(countSignChanges(rows.Row(2), 11), 10);
    EXPECT_EQ(countSignChanges(rows.Row(3), 11), 2);
}

TEST(SignChangeFilter, InUseDependsOnTheGameCountAndTheDecidingRange) {
    const TSignChangeFilter defaults;
    EXPECT_FALSE(defaults.inUse(11));
    EXPECT_TRUE(defaults.inUse(12));

    TSignChangeFilter alternative{3, 5, 0, 10, 1};
    EXPECT_FALSE(alternative.inUse(11));  // only the second range decides with "oder"
    alternative.min2 = 1;
    EXPECT_TRUE(alternative.inUse(11));
}

TEST(SignChangeFilter, PassesEitherRange) {
    const TSignChangeFilter filter{0, 2, 8, 10, 1};
    const TRowList rows = testing::RowsFromStrings(
        {"11111111111", "11000221111", "10101010101", "10101010111", "11111111100"});
    EXPECT_TRUE(filter.passes(rows.Row(0), 11));   // 0
    EXPECT_FALSE(filter.passes(rows.Row(1), 11));  // 3
    EXPECT_TRUE(filter.passes(rows.Row(2), 11));   // 10
    EXPECT_TRUE(filter.passes(rows.Row(3), 11));   // 8
    EXPECT_TRUE(filter.passes(rows.Row(4), 11));   // 1

    TSignChangeFilter second = filter;
    second.orSecond = 0;  // the second range is kept but not in force
    EXPECT_FALSE(second.passes(rows.Row(2), 11));

    const TSignChangeFilter empty{5, 4, 0, 10, 0};
    for (std::int32_t r = 0; r < rows.Count(); ++r)
        EXPECT_FALSE(empty.passes(rows.Row(r), 11));
}

}  // namespace
}  // namespace velmora
