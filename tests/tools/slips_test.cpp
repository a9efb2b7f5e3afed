// slips and distribution: the print positions and the tip counts of a row file.
#include "cli_fixture.h"

namespace velmora::cli::testing {
namespace {

// 120 rows of 11 games: rows 0-59 start with sign 0, 60-99 with 1, 100-119 with 2, and each
// further game shifts the sign by one.
class SlipsTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        std::vector<std::uint8_t> bytes;
        for (int row = 0; row < 120; ++row) {
            const int base = row < 60 ? 0 : row < 100 ? 1 : 2;
            for (int game = 0; game < 11; ++game)
                bytes.push_back(static_cast<std::uint8_t>((base + game) % 3));
        }
        WriteBytes("rows.prd", bytes);
    }
};

// Ten slips of 12: nine on the first page (9 x 12 x 11 digits), the last 12 rows on a second
// one, again from the first slip's place. Row 12 opens the second slip of the band.
TEST_F(SlipsTest, TenSlipsOnTwoPages) {
    const Json documents =
        Json::parse(Ok({"slips", "--games", "11", "--rows", "rows.prd", "--per-slip", "12"}).out)
            .at("documents");
    ASSERT_EQ(documents.size(), 2u);
    ASSERT_EQ(documents[0].size(), 1188u);
    ASSERT_EQ(documents[1].size(), 132u);
    EXPECT_EQ(documents[0][0], Json::array({150, -250, "0"}));
    EXPECT_EQ(documents[0][132], Json::array({810, -250, "0"}));
    EXPECT_EQ(documents[1][0], Json::array({150, -250, "2"}));
}

// The calibration of the program: millimetres right and down, every digit moved by them.
TEST_F(SlipsTest, TheOffsetMovesEveryDigit) {
    const std::vector<std::string> call{"slips",    "--games",    "11", "--rows",
                                        "rows.prd", "--per-slip", "12"};
    const Json nominal = Json::parse(Ok(call).out).at("documents");
    std::vector<std::string> moved = call;
    moved.insert(moved.end(), {"--offset-x", "1,5", "--offset-y", "-2"});
    const Json documents = Json::parse(Ok(moved).out).at("documents");
    ASSERT_EQ(documents.size(), nominal.size());
    for (std::size_t p = 0; p < documents.size(); ++p) {
        ASSERT_EQ(documents[p].size(), nominal[p].size());
        for (std::size_t i = 0; i < documents[p].size(); ++i) {
            EXPECT_EQ(documents[p][i][0], nominal[p][i][0].get<int>() + 15);
            EXPECT_EQ(documents[p][i][1], nominal[p][i][1].get<int>() + 20);
        }
    }
    moved.back() = "20,5";
    Refused(kExitUsage, "Der senkrechte Versatz muss eine Zahl von -20 bis 20 mm", moved);
}

TEST_F(SlipsTest, AnEmptySystemHasNoPages) {
    WriteBytes("empty.prd", {});
    const Json json =
        Json::parse(Ok({"slips", "--games", "14", "--rows", "empty.prd", "--per-slip", "6"}).out);
    EXPECT_EQ(json.at("documents").size(), 0u);
}

TEST_F(SlipsTest, WrongCallsAndFiles) {
    Refused(kExitUsage, "Die Reihenzahl je Schein muss 6, 8, 10 oder 12 sein",
            {"slips", "--games", "11", "--rows", "rows.prd", "--per-slip", "9"});
    Refused(kExitUsage, "Die Option --per-slip fehlt",
            {"slips", "--games", "11", "--rows", "rows.prd"});
    Refused(kExitFailure, "passt nicht zu 13 Spielen",
            {"slips", "--games", "13", "--rows", "rows.prd", "--per-slip", "12"});
    Refused(kExitFailure, "passt nicht zu 14 Spielen",
            {"distribution", "--games", "14", "--rows", "rows.prd"});
}

// The counts by sign code: game g (from 0) has 60 rows of sign g mod 3, 40 of the next sign
// and 20 of the one after.
TEST_F(SlipsTest, TheDistributionCountsEachSignCode) {
    const Json counts =
        Json::parse(Ok({"distribution", "--games", "11", "--rows", "rows.prd"}).out).at("counts");
    ASSERT_EQ(counts.size(), 11u);
    for (int game = 0; game < 11; ++game) {
        for (const auto& [shift, expected] : {std::pair{0, 60}, std::pair{1, 40}, std::pair{2, 20}})
            EXPECT_EQ(counts[game][(game + shift) % 3], expected) << "game " << game + 1;
    }
}

}  // namespace
}  // namespace velmora::cli::testing
