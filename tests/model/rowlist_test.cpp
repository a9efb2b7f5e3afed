#include "model/rowlist.h"

#include <gtest/gtest.h>

#include "model/rowcode.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using testing::RowsFromStrings;
using testing::RowStrings;

TEST(RowList, KeepsOrderThroughAppendDeleteAndKeepWhere) {
    TRowList list =
        RowsFromStrings({"1111111111111", "0000000000000", "2222222222222", "1021021021021"});
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Bytes().size(), 4u * 13u);
    list.Delete(1);
    EXPECT_EQ(RowStrings(list),
              (std::vector<std::string>{"1111111111111", "2222222222222", "1021021021021"}));
    list.KeepWhere({true, false, true});
    EXPECT_EQ(RowStrings(list), (std::vector<std::string>{"1111111111111", "1021021021021"}));
    list.Append(list.Get(0));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Get(2), list.Get(0));
    list.Clear();
    EXPECT_TRUE(list.Empty());
}

TEST(RowList, ChangingTheGameCountEmptiesTheList) {
    TRowList list = RowsFromStrings({"11111111111"});
    list.SetGames(11);
    EXPECT_EQ(list.Count(), 1);
    list.SetGames(12);
    EXPECT_TRUE(list.Empty());
}

TEST(RowDistance, CountsDifferingGames) {
    const TRowList rows = RowsFromStrings({"1111111111111", "2111111111110"});
    EXPECT_EQ(RowDistance(rows.Row(0), rows.Row(1), 13), 2);
    EXPECT_TRUE(WithinDistance(rows.Row(0), rows.Row(1), 13, 2));
    EXPECT_FALSE(WithinDistance(rows.Row(0), rows.Row(1), 13, 1));
}

TEST(RowCode, RoundTripsAndStaysBelowTheSpaceSize) {
    const TRowList rows = RowsFromStrings({"22222222222222", "00000000000000", "10210210210212"});
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        const RowCode code = EncodeRow(rows.Row(r), 14);
        EXPECT_LT(code, CodeSpaceSize(14));
        TTipRow back(14);
        DecodeRow(code, 14, back.data());
        EXPECT_EQ(back, rows.Get(r));
    }
    EXPECT_EQ(EncodeRow(rows.Row(0), 14), CodeSpaceSize(14) - 1);
}

}  // namespace
}  // namespace velmora
