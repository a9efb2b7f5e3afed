// generate on the bundled week: the full system, the filters, the limits and the warnings.
#include <algorithm>

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

// With --outside the system may hold rows of the plan's full system that the filters drop;
// the guarantee still covers every filtered row, and the output counts the rows from outside.
// The same for filter, which reduces the filtered rows of a file.
TEST_F(GenerateTest, RowsOutsideTheFiltersStillGuaranteeTheFilteredRows) {
    Ok({"generate", "--plan", kWeek, "--guarantee", "0", "--out", "g0.prd"});
    Ok({"generate", "--plan", kBare, "--guarantee", "0", "--out", "full.prd"});
    const std::vector<std::string> filtered = SortedRows("g0.prd");
    const std::vector<std::string> unfiltered = SortedRows("full.prd");
    const std::vector<std::string> quick = {"--guarantee", "1",   "--optimised", "--outside",
                                            "--seconds",   "600", "--steps",     "2000",
                                            "--seed",      "3"};
    for (std::vector<std::string> call :
         {std::vector<std::string>{"generate"},
          std::vector<std::string>{"filter", "--rows", "full.prd"}}) {
        call.insert(call.end(), {"--plan", kWeek});
        call.insert(call.end(), quick.begin(), quick.end());
        call.insert(call.end(), {"--out", "out.prd"});
        const CliRun run = Ok(call);
        const std::vector<std::string> kept = SortedRows("out.prd");
        ASSERT_FALSE(kept.empty()) << run;

        std::int64_t outside = 0;
        for (const std::string& row : kept) {
            EXPECT_TRUE(std::binary_search(unfiltered.begin(), unfiltered.end(), row))
                << row << " is no row of the plan";
            outside += !std::binary_search(filtered.begin(), filtered.end(), row);
        }
        for (const std::string& row : filtered) {
            const bool covered = std::any_of(kept.begin(), kept.end(), [&](const std::string& k) {
                int differ = 0;
                for (std::size_t g = 0; g < row.size(); ++g)
                    differ += row[g] != k[g];
                return differ <= 1;
            });
            EXPECT_TRUE(covered) << row << " lost its guarantee";
        }
        std::string check = "Systemgröße: " + std::to_string(kept.size()) +
                            " Reihen\nGarantie geprüft: alle " + std::to_string(filtered.size()) +
                            " Reihen abgedeckt";
        if (outside > 0) {
            check += ", davon " + std::to_string(outside) + (outside == 1 ? " Reihe" : " Reihen") +
                     " außerhalb der Filter";
        }
        EXPECT_EQ(run.out, check + "\n") << call[0];
    }
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
    const std::string prefix = "Hinweis: Zufallsstartwert ";
    ASSERT_EQ(run.err.rfind(prefix, 0), 0u) << run;
    const std::string seed =
        run.err.substr(prefix.size(), run.err.find(' ', prefix.size()) - prefix.size());
    ASSERT_FALSE(seed.empty());
    ASSERT_TRUE(std::all_of(seed.begin(), seed.end(), [](char c) { return c >= '0' && c <= '9'; }))
        << run;
    // Ten rows drawn at random may miss a tipped sign; the warning about it may follow.
    const std::string hint = prefix + seed + " (mit --seed " + seed + " wiederholbar)\n";
    EXPECT_EQ(run.err.substr(0, hint.size()), hint);
    const std::string rest = run.err.substr(hint.size());
    EXPECT_TRUE(rest.empty() || rest.starts_with("Warnung: Nicht jedes getippte Zeichen")) << run;
    // The start value named draws the same rows again.
    Ok({"generate", "--plan", kBare, "--count", "10", "--seed", seed, "--out", "d.prd"});
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
    ASSERT_EQ(RowCount("one.prd"), 1);
    const std::string row = FirstRowText("one.prd");
    std::string expected = "Warnung: Nicht jedes getippte Zeichen kommt in den Reihen vor:\n";
    std::size_t lines = 0;
    for (std::size_t g = 0; g < kWeekSigns.size(); ++g) {
        for (const char sign : kWeekSigns[g]) {
            if (sign == row[g])
                continue;
            expected += "  Spiel " + std::to_string(g + 1) + ": Tipp " + sign + " fehlt\n";
            ++lines;
        }
    }
    std::size_t others = 0;
    for (const std::string& signs : kWeekSigns)
        others += signs.size() - 1;
    EXPECT_EQ(lines, others) << "the row holds a sign that is not tipped";
    EXPECT_EQ(run.err, expected);
}

}  // namespace
}  // namespace velmora::cli::testing
