// filter and eliminate: the rows of a row file under the week's filters.
#include "cli_fixture.h"

namespace velmora::cli::testing {
namespace {

class FilterTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        Ok({"generate", "--plan", kBare, "--guarantee", "0", "--out", "full.prd"});
    }
};

TEST_F(FilterTest, FilteringTheFullSystemGivesWhatGenerateBuilds) {
    Ok({"generate", "--plan", kWeek, "--guarantee", "0", "--out", "g0.prd"});
    const CliRun run = Ok(
        {"filter", "--plan", kWeek, "--rows", "full.prd", "--guarantee", "0", "--out", "f0.prd"});
    EXPECT_TRUE(Contains(run.out, "Systemgröße: " + std::to_string(RowCount("f0.prd")) + " Reihen"))
        << run;
    EXPECT_EQ(SortedRows("f0.prd"), SortedRows("g0.prd"));

    // Filtering keeps the order of the rows, so the order-dependent reduction agrees too.
    Ok({"generate", "--plan", kWeek, "--guarantee", "1", "--out", "g1.prd"});
    Ok({"filter", "--plan", kWeek, "--rows", "full.prd", "--guarantee", "1", "--out", "f1.prd"});
    EXPECT_EQ(ReadBytes("f1.prd"), ReadBytes("g1.prd"));
}

TEST_F(FilterTest, TheOptimisedReductionOfTheFilteredRowsIsChecked) {
    Ok({"filter", "--plan", kWeek, "--rows", "full.prd", "--guarantee", "0", "--out", "f0.prd"});
    const CliRun run = Ok({"filter", "--plan", kWeek, "--rows", "full.prd", "--guarantee", "1",
                           "--optimised", "--seconds", "1", "--out", "fo.prd"});
    EXPECT_TRUE(Contains(run.out, "Garantie geprüft: alle " + std::to_string(RowCount("f0.prd")) +
                                      " Reihen abgedeckt"))
        << run;
}

// eliminate keeps exactly the rows filter drops: together they are the full system.
TEST_F(FilterTest, FilterAndEliminateSplitTheRows) {
    Ok({"filter", "--plan", kWeek, "--rows", "full.prd", "--guarantee", "0", "--out", "f0.prd"});
    const CliRun run = Ok({"eliminate", "--plan", kWeek, "--rows", "full.prd", "--out", "e.prd"});
    const std::int64_t kept = RowCount("f0.prd");
    const std::int64_t dropped = RowCount("e.prd");
    EXPECT_TRUE(Contains(run.out, "Systemgröße: " + std::to_string(dropped) + " Reihen")) << run;
    EXPECT_GT(kept, 0);
    EXPECT_GT(dropped, 0);
    std::vector<std::string> both = SortedRows("f0.prd");
    const std::vector<std::string> eliminated = SortedRows("e.prd");
    both.insert(both.end(), eliminated.begin(), eliminated.end());
    std::sort(both.begin(), both.end());
    EXPECT_EQ(both, SortedRows("full.prd"));

    // Rows that passed pass again, also written over their own file; eliminating them leaves
    // nothing.
    Ok({"filter", "--plan", kWeek, "--rows", "f0.prd", "--guarantee", "0", "--out", "f0.prd"});
    EXPECT_EQ(RowCount("f0.prd"), kept);
    Ok({"eliminate", "--plan", kWeek, "--rows", "f0.prd", "--out", "none.prd"});
    EXPECT_EQ(RowCount("none.prd"), 0);
}

// The bundled percentage filter lets every row through; with its minimum raised to 60 it bites.
// --required 0 then lets its rows through again: the same rows as the week whose filter value
// file holds the odds record alone.
TEST_F(FilterTest, RequiredZeroChainsIgnoresThePercentageChains) {
    const std::vector<std::uint8_t> values = FileBytes(WeekFile("bld"));
    ASSERT_GE(values.size(), 700u);
    CopyWeek("strict");
    CopyWeek("odds_only");
    const std::string bld = WeekFile("bld").filename().string();
    std::vector<std::uint8_t> strict = values;
    const std::uint8_t sixty[8] = {0, 0, 0, 0, 0, 0, 0x4e, 0x40};  // 60.0, little-endian
    std::copy(std::begin(sixty), std::end(sixty), strict.begin() + 692);
    WriteBytes("strict/" + bld, strict);
    WriteBytes("odds_only/" + bld, std::vector<std::uint8_t>(values.begin(), values.begin() + 356));
    const std::string plan = std::filesystem::path(kWeek).filename().string();

    Ok({"filter", "--plan", "strict/" + plan, "--rows", "full.prd", "--guarantee", "0", "--out",
        "s.prd"});
    Ok({"filter", "--plan", "strict/" + plan, "--rows", "full.prd", "--guarantee", "0",
        "--required", "0", "--out", "r0.prd"});
    Ok({"generate", "--plan", "strict/" + plan, "--guarantee", "0", "--required", "0", "--out",
        "gr0.prd"});
    Ok({"filter", "--plan", "odds_only/" + plan, "--rows", "full.prd", "--guarantee", "0", "--out",
        "o0.prd"});
    EXPECT_LT(RowCount("s.prd"), RowCount("r0.prd"));
    EXPECT_EQ(RowCount("gr0.prd"), RowCount("r0.prd"));
    EXPECT_EQ(SortedRows("r0.prd"), SortedRows("o0.prd"));
}

TEST_F(FilterTest, ARandomCutDrawsFromTheFilteredRowsOnly) {
    Ok({"filter", "--plan", kWeek, "--rows", "full.prd", "--guarantee", "0", "--out", "f0.prd"});
    Ok({"filter", "--plan", kWeek, "--rows", "full.prd", "--count", "10", "--seed", "7", "--out",
        "c10.prd"});
    EXPECT_EQ(RowCount("c10.prd"), 10);
    const std::vector<std::string> passing = SortedRows("f0.prd");
    for (const std::string& row : SortedRows("c10.prd")) {
        EXPECT_TRUE(std::binary_search(passing.begin(), passing.end(), row))
            << "filter --count drew the row " << row << ", which fails the filters";
    }
}

}  // namespace
}  // namespace velmora::cli::testing
