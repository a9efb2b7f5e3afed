// reduce and info: row files without a week.
#include "cli_fixture.h"

namespace velmora::cli::testing {
namespace {

class ReduceInfoTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        Ok({"generate", "--plan", kBare, "--guarantee", "0", "--out", "full.prd"});
    }
};

// Reducing the saved full system gives what generate gives in one go, also in place.
TEST_F(ReduceInfoTest, ReduceGivesWhatGenerateGives) {
    Ok({"generate", "--plan", kBare, "--guarantee", "2", "--out", "g2.prd"});
    std::filesystem::copy_file(Path("full.prd"), Path("inplace.prd"));
    Ok({"reduce", "--games", "13", "--rows", "inplace.prd", "--guarantee", "2", "--out",
        "inplace.prd"});
    const CliRun run = Ok(
        {"reduce", "--games", "13", "--rows", "full.prd", "--guarantee", "2", "--out", "r2.prd"});
    EXPECT_TRUE(Contains(run.out, "Systemgröße: " + std::to_string(RowCount("r2.prd")) + " Reihen"))
        << run;
    EXPECT_EQ(ReadBytes("r2.prd"), ReadBytes("g2.prd"));
    EXPECT_EQ(ReadBytes("inplace.prd"), ReadBytes("g2.prd"));
}

// In the full system each allowed sign of a game stands in an equal share of the rows.
TEST_F(ReduceInfoTest, InfoCountsTheSignsOfEachGame) {
    const Json json =
        Json::parse(Ok({"info", "--games", "13", "--rows", "full.prd", "--json"}).out);
    EXPECT_EQ(json.at("games"), kWeekGames);
    EXPECT_EQ(json.at("rows"), FullSize());
    ASSERT_EQ(json.at("signs").size(), kWeekSigns.size());
    for (std::size_t g = 0; g < kWeekSigns.size(); ++g) {
        const Json& entry = json["signs"][g];
        EXPECT_EQ(entry.at("game"), g + 1);
        for (const char sign : {'1', '0', '2'}) {
            const bool tipped = kWeekSigns[g].find(sign) != std::string::npos;
            const std::int64_t expected =
                tipped ? FullSize() / static_cast<std::int64_t>(kWeekSigns[g].size()) : 0;
            EXPECT_EQ(entry.at(std::string(1, sign)), expected) << "game " << g + 1 << ", " << sign;
        }
    }

    const CliRun text = Ok({"info", "--games", "13", "--rows", "full.prd"});
    EXPECT_TRUE(Contains(text.out, "Reihen: " + std::to_string(FullSize()))) << text;
}

}  // namespace
}  // namespace velmora::cli::testing
