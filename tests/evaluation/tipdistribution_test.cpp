#include "evaluation/tipdistribution.h"

#include <gtest/gtest.h>

#include "support/testplans.h"

namespace velmora {
namespace {

TEST(TipDistribution, CountsEverySignPerGame) {
    const TRowList rows = testing::RowsFromStrings({"11111111111", "10211111111", "12011111112"});
    const TipCounts counts = TipDistribution(rows);
    EXPECT_EQ(counts[0], (std::array<std::int32_t, 3>{0, 3, 0}));
    EXPECT_EQ(counts[1], (std::array<std::int32_t, 3>{1, 1, 1}));
    EXPECT_EQ(counts[10], (std::array<std::int32_t, 3>{0, 2, 1}));
    EXPECT_EQ(counts[11], (std::array<std::int32_t, 3>{0, 0, 0}));
    EXPECT_EQ(TipDistribution(TRowList(11))[0], (std::array<std::int32_t, 3>{0, 0, 0}));
}

TEST(CoverageWarning, AllowedSignsInTendencyOrderFromSignOrder) {
    // Equal tendencies sort from sign order: 0, 1, 2 (not the display order's 1, 0, 2).
    const TTipPlan plan = testing::PlanFromTendencies({"333", "153", "500", "000"});
    const TRowList rows = testing::RowsFromStrings({"10111111111", "01111111111"});
    const auto lines = CoverageWarningLines(plan, 4, UpdateCoverage(rows));
    ASSERT_EQ(lines.size(), 4u);
    ASSERT_EQ(lines[0].size(), 3u);
    EXPECT_EQ(lines[0][0].sign, 0);
    EXPECT_EQ(lines[0][1].sign, 1);
    EXPECT_EQ(lines[0][2].sign, 2);
    EXPECT_TRUE(lines[0][0].covered);
    EXPECT_FALSE(lines[0][2].covered);
    ASSERT_EQ(lines[1].size(), 3u);
    EXPECT_EQ(lines[1][0].sign, 0);  // tendency 5
    EXPECT_EQ(lines[1][1].sign, 2);  // 3
    EXPECT_EQ(lines[1][2].sign, 1);  // 1
    EXPECT_FALSE(lines[1][1].covered);
    ASSERT_EQ(lines[2].size(), 1u);
    EXPECT_TRUE(lines[2][0].covered);
    EXPECT_TRUE(lines[3].empty());
}

}  // namespace
}  // namespace velmora
