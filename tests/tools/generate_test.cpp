// generate on the bundled week: the full system, the filters, the limits and the warnings.
#include <regex>

#include "cli_fixture.h"

namespace velmora::cli::testing {
namespace {

class GenerateTest : public CliTest {};

TEST_F(GenerateTest, WithoutFilterFilesThePlanAloneGivesTheFullSystem) {
    const CliRun run = Ok({"generate", "--plan", kBare, "--guarantee", "0", "--out", "full.prd"});
    EXPECT_TRUE(Contains(run.out, "Systemgröße: " + std::to_string(FullSize()) + " Reihen")) << run;
    EXPECT_EQ(RowCount("full.prd"), FullSize());
    EXPECT_EQ(run.err, "") << "the full system covers every tip, no warning expected";
}

TEST_F(GenerateTest, TheWeeksFiltersTakeRowsAwayAndAGuaranteeReducesTheRest) {
    CliRun run = Ok({"generate", "--plan", kWeek, "--guarantee", "0", "--out", "g0.prd"});
    const std::int64_t filtered = RowCount("g0.prd");
    EXPECT_GT(filtered, 0);
    EXPECT_LT(filtered, FullSize());
    EXPECT_TRUE(Contains(run.out, "Systemgröße: " + std::to_string(filtered) + " Reihen")) << run;

    run = Ok({"generate", "--plan", kWeek, "--guarantee", "1", "--out", "g1.prd"});
    const std::int64_t reduced = RowCount("g1.prd");
    EXPECT_GT(reduced, 0);
    EXPECT_LT(reduced, filtered);
    EXPECT_TRUE(Contains(run.out, "Systemgröße: " + std::to_string(reduced) + " Reihen")) << run;
}

// The optimised reduction keeps the guarantee, checked by the program itself, with fewer rows
// than the fixed scan; the same seed and step limit give the same rows however busy the
// machine is (the time limit is far beyond what the steps take).
TEST_F(GenerateTest, OptimisedKeepsTheGuaranteeWithFewerRowsAndRepeats) {
    Ok({"generate", "--plan", kWeek, "--guarantee", "0", "--out", "g0.prd"});
    Ok({"generate", "--plan", kWeek, "--guarantee", "1", "--out", "g1.prd"});
    const std::int64_t filtered = RowCount("g0.prd");
    for (const char* name : {"opt_a.prd", "opt_b.prd"}) {
        const CliRun run =
            Ok({"generate", "--plan", kWeek, "--guarantee", "1", "--optimised", "--seconds", "600",
                "--steps", "20000", "--seed", "7", "--out", name});
        EXPECT_TRUE(Contains(
            run.out, "Garantie geprüft: alle " + std::to_string(filtered) + " Reihen abgedeckt"))
            << run;
    }
    const std::int64_t optimised = RowCount("opt_a.prd");
    EXPECT_GT(optimised, 0);
    EXPECT_LT(optimised, RowCount("g1.prd"));
    EXPECT_EQ(ReadBytes("opt_a.prd"), ReadBytes("opt_b.prd"))
        << "the same seed must give the same rows";
}

TEST_F(GenerateTest, TheSeedDecidesTheRowsDrawn) {
    const std::vector<std::pair<std::string, std::string>> draws = {
        {"a.prd", "42"}, {"b.prd", "42"}, {"c.prd", "43"}};
    for (const auto& [name, seed] : draws) {
        Ok({"generate", "--plan", kBare, "--count", "100", "--seed", seed, "--out", name});
        EXPECT_EQ(RowCount(name), 100);
    }
    EXPECT_EQ(ReadBytes("a.prd"), ReadBytes("b.prd"));
    EXPECT_NE(ReadBytes("a.prd"), ReadBytes("c.prd"));
}

TEST_F(GenerateTest, WithoutASeedTheClockDrawsAndIsNamed) {
    const CliRun run = Ok({"generate", "--plan", kBare, "--count", "10", "--out", "c.prd"});
    std::smatch named;
    ASSERT_TRUE(std::regex_search(
        run.err, named,
        std::regex("Hinweis: Zufallsstartwert ([0-9]+) \\(mit --seed ([0-9]+) wiederholbar\\)")))
        << run;
    EXPECT_EQ(named[1].str(), named[2].str());
    // The start value named draws the same rows again.
    Ok({"generate", "--plan", kBare, "--count", "10", "--seed", named[1].str(), "--out", "d.prd"});
    EXPECT_EQ(ReadBytes("c.prd"), ReadBytes("d.prd"));
}

TEST_F(GenerateTest, ACountBeyondTheFullSystemKeepsItWhole) {
    const CliRun run = Ok({"generate", "--plan", kBare, "--count", std::to_string(FullSize() + 1),
                           "--out", "beyond.prd"});
    EXPECT_TRUE(Contains(run.err, "Warnung: Vorgegebene Zahl ist größer als Vollsystem")) << run;
    EXPECT_EQ(RowCount("beyond.prd"), FullSize());
}

// One row holds one sign per game: every other tipped sign is reported missing.
TEST_F(GenerateTest, OneRowMissesEveryOtherTippedSign) {
    const CliRun run =
        Ok({"generate", "--plan", kBare, "--count", "1", "--seed", "5", "--out", "one.prd"});
    EXPECT_EQ(RowCount("one.prd"), 1);
    std::size_t expected = 0;
    for (const std::string& signs : kWeekSigns)
        expected += signs.size() - 1;
    const std::regex missing("Spiel [0-9]+: Tipp [102] fehlt");
    const auto reported = std::distance(
        std::sregex_iterator(run.err.begin(), run.err.end(), missing), std::sregex_iterator());
    EXPECT_EQ(static_cast<std::size_t>(reported), expected) << run;
}

}  // namespace
}  // namespace velmora::cli::testing
