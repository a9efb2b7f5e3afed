#include <gtest/gtest.h>

#include "app/rownumbers.h"

namespace velmora {
namespace {

TEST(RowNumbers, ColumnsCountFromOneAndTipsGroupTheThousands) {
    EXPECT_EQ(RowNumberText(0), "1");
    EXPECT_EQ(RowNumberText(4782968), "4782969");  // the full system of 14 games
    EXPECT_EQ(RowNumberTip(0), "Reihe 1 – Strg+G: Gehe zu Reihe …");
    EXPECT_EQ(RowNumberTip(999), "Reihe 1.000 – Strg+G: Gehe zu Reihe …");
    EXPECT_EQ(GroupedCount(0), "0");
    EXPECT_EQ(GroupedCount(100000), "100.000");
    EXPECT_EQ(GroupedCount(4782969), "4.782.969");
}

TEST(RowNumbers, GoToAsksForARowOfTheSystemAndProposesTheOneInView) {
    EXPECT_FALSE(GoToRowQuestion(0, 0));

    const auto one = GoToRowQuestion(1, 0);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->minimum, 1);
    EXPECT_EQ(one->maximum, 1);
    EXPECT_EQ(one->value, 1);

    const auto many = GoToRowQuestion(4096, 40);
    ASSERT_TRUE(many);
    EXPECT_EQ(many->maximum, 4096);
    EXPECT_EQ(many->value, 41);
    EXPECT_EQ(many->label, "Reihe (1 bis 4.096):");
    // A column that is no longer there proposes the nearest row.
    EXPECT_EQ(GoToRowQuestion(10, 50)->value, 10);
    EXPECT_EQ(GoToRowQuestion(10, -5)->value, 1);
}

TEST(RowNumbers, OnlyRowsOfTheSystemHaveAColumn) {
    EXPECT_EQ(RowColumn(1, 4096), 0);
    EXPECT_EQ(RowColumn(4096, 4096), 4095);
    EXPECT_FALSE(RowColumn(0, 4096));
    EXPECT_FALSE(RowColumn(-3, 4096));
    EXPECT_FALSE(RowColumn(4097, 4096));
    EXPECT_FALSE(RowColumn(1, 0));
    EXPECT_EQ(NoSuchRowText(5000, 4096),
              "Eine Reihe 5.000 gibt es nicht: Die Reihen sind von 1 bis 4.096 nummeriert.");
}

}  // namespace
}  // namespace velmora
