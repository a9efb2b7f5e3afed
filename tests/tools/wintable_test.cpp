// wintable: the system against every outcome the plan allows, and the minimum guarantee.
#include "cli_fixture.h"

namespace velmora::cli::testing {
namespace {

class WinTableTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        Ok({"generate", "--plan", kBare, "--count", "5", "--seed", "1", "--out", "five.prd"});
    }
};

// The whole full system against every outcome of the plan: each outcome is one row.
TEST_F(WinTableTest, TheFullSystemHitsEveryOutcomeOnce) {
    Ok({"generate", "--plan", kBare, "--guarantee", "0", "--out", "full.prd"});
    const Json json =
        Json::parse(Ok({"wintable", "--plan", kBare, "--rows", "full.prd", "--no-options"}).out);
    EXPECT_EQ(json.at("total"), FullSize());
    ASSERT_EQ(json.at("patterns").size(), 1u);
    EXPECT_EQ(json["patterns"][0][0], 1);
    EXPECT_EQ(json.at("percentage_texts").at(0), "100");
    EXPECT_EQ(json.at("fall_text"), "Insgesamt " + std::to_string(FullSize()) + " Fälle.");
}

// Five rows under the week's filters: the multiplicities share the outcomes out. A minimum of
// one 2nd rank win adds rows until every outcome has a 1st or 2nd rank, so those two classes
// make 100 %; the rows written are the rows after the run.
TEST_F(WinTableTest, TheMinimumGuaranteeAddsRows) {
    Json json;
    for (const char* minimum : {"0,0,0", "1,0,0"}) {
        SCOPED_TRACE(minimum);
        json = Json::parse(Ok({"wintable", "--plan", kWeek, "--rows", "five.prd", "--minimum",
                               minimum, "--out", "after.prd"})
                               .out);
        const std::int64_t total = json.at("total");
        std::int64_t sum = 0;
        for (const Json& pattern : json.at("patterns")) {
            ASSERT_EQ(pattern.size(), 6u);
            sum += pattern[5].get<std::int64_t>();
        }
        EXPECT_GT(total, 0);
        EXPECT_EQ(sum, total);
        EXPECT_EQ(json.at("rows"), 5 + json.at("rows_added").get<std::int64_t>());
        EXPECT_EQ(RowCount("after.prd"), json.at("rows").get<std::int64_t>());
    }
    EXPECT_GT(json.at("rows_added"), 0)
        << "five rows cannot give every outcome a 2nd rank, yet none was added";
    double share = 0;
    for (int rank = 0; rank < 5; ++rank)
        share += json.at("percentages").at(rank).get<double>();
    EXPECT_GE(share, 99.99);
    EXPECT_LE(share, 100.001);

    // Counts only grow by added rows: the written rows need none.
    json = Json::parse(
        Ok({"wintable", "--plan", kWeek, "--rows", "after.prd", "--minimum", "1,0,0"}).out);
    EXPECT_EQ(json.at("rows_added"), 0);
}

// Games 1, 4 and 8 have one sign only, so no outcome misses every main tip; all of them right
// leaves the main-tip row alone.
TEST_F(WinTableTest, TheMainTipsNarrowTheOutcomes) {
    Json json = Json::parse(
        Ok({"wintable", "--plan", kWeek, "--rows", "five.prd", "--main-tips", "0"}).out);
    EXPECT_EQ(json.at("total"), 0);
    EXPECT_TRUE(json.at("fall_text").is_null());
    EXPECT_EQ(json.at("patterns").size(), 0u);
    json = Json::parse(Ok({"wintable", "--plan", kWeek, "--rows", "five.prd", "--main-tips",
                           std::to_string(kWeekGames)})
                           .out);
    EXPECT_EQ(json.at("total"), 1);
}

TEST_F(WinTableTest, WrongCallsAndWeeks) {
    const std::vector<std::vector<std::string>> wrong = {{"--main-tips", "14"},
                                                         {"--minimum", "1,0"},
                                                         {"--minimum", "1,0,-1"},
                                                         {"--minimum", "1,,0"}};
    for (std::vector<std::string> options : wrong) {
        options.insert(options.begin(), {"wintable", "--plan", kWeek, "--rows", "five.prd"});
        Refused(kExitUsage, "", options);
    }
    std::filesystem::copy_file(kWeek, Path("week.ttd"));
    Refused(kExitUsage, "ist die Tippplandatei selbst",
            {"wintable", "--plan", "week.ttd", "--rows", "five.prd", "--minimum", "1,0,0", "--out",
             "week.ttd"});
    EXPECT_EQ(ReadBytes("week.ttd"), FileBytes(kWeek));

    WritePlan("untipped.ttd", {"1", "1", "1", "1", "", "1", "1", "1", "1", "1", "1", "1", "1"});
    Refused(kExitFailure, "(ohne Tipp: Spiel 5)",
            {"wintable", "--plan", "untipped.ttd", "--rows", "five.prd"});
}

}  // namespace
}  // namespace velmora::cli::testing
