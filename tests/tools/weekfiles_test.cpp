// Which files make up the week. A missing filter file restricts nothing and is not created; an
// empty filter value file, a member that cannot be read and names that fit several files refuse
// the week with a message naming the files.
#include "cli_fixture.h"
#include "support/unusualfiles.h"

namespace velmora::cli::testing {
namespace {

class WeekFilesTest : public CliTest {};

TEST_F(WeekFilesTest, MissingFilterFilesAreNotCreated) {
    Ok({"generate", "--plan", kBare, "--guarantee", "0", "--out", "bare.prd"});
    EXPECT_EQ(RowCount("bare.prd"), FullSize());
    EXPECT_EQ(Listing("bare"), std::set<std::string>{"week.ttd"});
}

TEST_F(WeekFilesTest, AnEmptyFilterValueFileRefusesTheWeek) {
    CopyWeek("empty");
    WriteBytes("empty/aktuelleWoche.bld", {});
    const CliRun run = Refused(kExitFailure, "empty/aktuelleWoche.bld",
                               {"generate", "--plan", "empty/AKTUELLEWOCHE.TTD", "--guarantee", "0",
                                "--out", "empty/out.prd"});
    EXPECT_TRUE(Contains(run.err, "leer")) << run;
    EXPECT_FALSE(Exists("empty/out.prd"));
}

#ifndef _WIN32
TEST_F(WeekFilesTest, AMemberThatCannotBeReadRefusesTheWeek) {
    for (const velmora::testing::Unusual kind : velmora::testing::kUnusualEntries) {
        SCOPED_TRACE(velmora::testing::Describe(kind));
        const std::string dir = "unusual" + std::to_string(static_cast<int>(kind));
        CopyWeek(dir);
        velmora::testing::Plant(kind, Path(dir + "/aktuellewoche.tfd"));
        const std::vector<std::string> call = {
            "generate", "--plan",        dir + "/AKTUELLEWOCHE.TTD", "--guarantee", "0",
            "--out",    dir + "/out.prd"};
        velmora::testing::AfterItReturnsWithin(std::chrono::seconds(20),
                                               [&] { return RunCli(call).exitCode; });
        Refused(kExitFailure, dir + "/aktuellewoche.tfd", call);
        EXPECT_FALSE(Exists(dir + "/out.prd"));
    }
}
#endif

// The exact name wins over one differing in case; of several such, none is picked.
TEST_F(WeekFilesTest, NamesDifferingInCase) {
    if (!NamesDifferInCase())
        GTEST_SKIP() << "names differing only in case are one file here";
    Ok({"generate", "--plan", kWeek, "--guarantee", "0", "--out", "week.prd"});
    CopyWeek("cases");
    WriteBytes("cases/AKTUELLEWOCHE.TFD", {});
    Ok({"generate", "--plan", "cases/aktuellewoche.ttd", "--guarantee", "0", "--out", "exact.prd"});
    EXPECT_EQ(RowCount("exact.prd"), RowCount("week.prd"));
    Refused(kExitFailure, "'AKTUELLEWOCHE.TFD' und 'aktuellewoche.tfd'",
            {"generate", "--plan", "cases/AKTUELLEWOCHE.TTD", "--guarantee", "0", "--out",
             "cases.prd"});
}

}  // namespace
}  // namespace velmora::cli::testing
