#include "app/tipplanfile.h"

#include <gtest/gtest.h>

#include "support/tempdir.h"
#include "support/testplans.h"

namespace velmora {
namespace {

class TipPlanFile : public testing::TempDirTest {};

TipPlanStream Records(int n) {
    return TipPlanStream(static_cast<std::size_t>(n), GameRecord::Blank());
}

TEST_F(TipPlanFile, LoadPlacesPairsBySignIntoDisplayOrder) {
    TipPlanStream records = Records(12);
    records[0].SetPair(0, {2, 7});
    records[0].SetPair(1, {0, 4});
    records[0].SetPair(2, {1, 1});
    TTipPlan plan;
    EXPECT_EQ(LoadTipPlan(records, plan), 12);
    EXPECT_EQ(plan.Game(1).pairs[0], (TipPair{1, 1}));
    EXPECT_EQ(plan.Game(1).pairs[1], (TipPair{0, 4}));
    EXPECT_EQ(plan.Game(1).pairs[2], (TipPair{2, 7}));
}

TEST_F(TipPlanFile, WritesPairsInHeldOrderAndKeepsReservedBytes) {
    TipPlanStream records = Records(13);
    records[0].bytes[5] = 0xAB;
    records[0].bytes[83] = 0x7F;
    TTipPlan plan;
    LoadTipPlan(records, plan);
    plan.SetTendency(1, 1, 2);
    plan.SetTendency(1, 0, 1);
    SyncTipPlan(records, plan);
    const std::vector<std::uint8_t> pairs(records[0].bytes.begin() + 77,
                                          records[0].bytes.begin() + 83);
    EXPECT_EQ(pairs, (std::vector<std::uint8_t>{0x01, 0x02, 0x00, 0x01, 0x02, 0x00}));

    ASSERT_EQ(WriteTipPlanFile(Path("week1.ttd"), records), "");
    const std::vector<std::uint8_t> bytes = ReadBytes("week1.ttd");
    ASSERT_EQ(bytes.size(), 13u * 84u);
    EXPECT_EQ(bytes[5], 0xAB);
    EXPECT_EQ(bytes[83], 0x7F);

    const TipPlanFileContent back = ReadTipPlanFile(Path("week1.ttd"));
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_EQ(back.records, records);
    TTipPlan reloaded;
    EXPECT_EQ(LoadTipPlan(back.records, reloaded), 13);
    EXPECT_EQ(reloaded.Tendency(1, 1), 2);
    EXPECT_EQ(reloaded.Tendency(1, 0), 1);
    EXPECT_EQ(reloaded.FullSystemSize(13), 2);
}

TEST_F(TipPlanFile, RefusesDamagedOrForeignFiles) {
    auto bytesOf = [](const TipPlanStream& records) {
        std::vector<std::uint8_t> bytes;
        for (const auto& r : records)
            bytes.insert(bytes.end(), r.bytes.begin(), r.bytes.end());
        return bytes;
    };
    std::vector<std::uint8_t> good = bytesOf(Records(11));
    EXPECT_TRUE(ParseTipPlan(good).ok());

    std::vector<std::uint8_t> cut = good;
    cut.pop_back();
    EXPECT_NE(ParseTipPlan(cut).error.find("kein Vielfaches von 84"), std::string::npos);
    EXPECT_NE(ParseTipPlan(bytesOf(Records(10))).error.find("11 bis 14"), std::string::npos);
    EXPECT_NE(ParseTipPlan(bytesOf(Records(15))).error.find("11 bis 14"), std::string::npos);
    EXPECT_FALSE(ParseTipPlan({}).ok());

    TipPlanStream twice = Records(11);
    twice[4].SetPair(2, {0, 3});  // sign 0 twice, sign 2 missing
    EXPECT_NE(ParseTipPlan(bytesOf(twice)).error.find("Spiel 5"), std::string::npos);
    TipPlanStream foreign = Records(11);
    foreign[10].SetPair(1, {7, 3});
    EXPECT_NE(ParseTipPlan(bytesOf(foreign)).error.find("Spiel 11"), std::string::npos);

    EXPECT_FALSE(ReadTipPlanFile(Path("missing.ttd")).ok());
}

TEST_F(TipPlanFile, ResizingKeepsRecordsAndAddsBlankOnes) {
    TipPlanStream records = Records(14);
    records[12].SetPair(0, {1, 5});
    ResizeTipPlanStream(records, 11);
    EXPECT_EQ(records.size(), 11u);
    ResizeTipPlanStream(records, 14);
    EXPECT_EQ(records[12], GameRecord::Blank());
}

}  // namespace
}  // namespace velmora
