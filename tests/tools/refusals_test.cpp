// Files that cannot be used: exit 1 with a German message naming what is wrong, and nothing
// written; and the files of the week, which rows are never written over.
#include "cli_fixture.h"

namespace velmora::cli::testing {
namespace {

class RefusalTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        Ok({"generate", "--plan", kBare, "--guarantee", "0", "--out", "full.prd"});
    }
};

TEST_F(RefusalTest, AMissingPlan) {
    Refused(kExitFailure, "Die Datei 'missing.ttd' kann nicht geöffnet werden",
            {"generate", "--plan", "missing.ttd", "--guarantee", "0", "--out", "out.prd"});
}

// A 13-game plan whose game 5 has no tip.
TEST_F(RefusalTest, APlanWithAnUntippedGame) {
    std::vector<std::string> games(13, "01");
    games[4] = "";
    WritePlan("incomplete.ttd", games);
    Refused(kExitFailure, "Es Fehlen noch Tips (ohne Tipp: Spiel 5)",
            {"generate", "--plan", "incomplete.ttd", "--guarantee", "0", "--out", "out.prd"});
    EXPECT_FALSE(Exists("out.prd"));
}

TEST_F(RefusalTest, RowsOfAnotherGameCount) {
    WriteBytes("fourteen.prd", std::vector<std::uint8_t>(14, 1));
    Refused(kExitFailure, "Spielezahlen stimmen nicht überein",
            {"info", "--games", "13", "--rows", "fourteen.prd"});
    Refused(kExitFailure, "Spielezahlen stimmen nicht überein",
            {"reduce", "--games", "13", "--rows", "fourteen.prd", "--guarantee", "1", "--out",
             "out.prd"});
    EXPECT_FALSE(Exists("out.prd"));
}

// A damaged filter file refuses the whole week, for every command that reads it.
TEST_F(RefusalTest, ADamagedFilterFileRefusesTheWeek) {
    struct Damage {
        std::string dir;
        std::string file;
        std::vector<std::uint8_t> bytes;
        std::string message;
    };
    const std::vector<Damage> damages = {
        {"seq_size", "week.seq", std::vector<std::uint8_t>(15, 0),
         "Die Sequenzdatei ist beschädigt: ihre Größe von 15"},
        {"seq_length",
         "week.seq",
         {1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 1},
         "Die Sequenzdatei ist beschädigt: Sequenz 1 hat keine Länge von 1 bis 8"},
        {"tfd_size", "WEEK.TFD", std::vector<std::uint8_t>(14, 0),
         "Die Blockfilterdatei ist beschädigt"},
        {"bld_size", "week.BLD", std::vector<std::uint8_t>(7, 0),
         "Die Filterwertdatei ist beschädigt"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.dir);
        std::filesystem::create_directory(dir_ / damage.dir);
        std::filesystem::copy_file(kWeek, dir_ / damage.dir / "week.ttd");
        WriteBytes(damage.dir + "/" + damage.file, damage.bytes);
        const std::string out = damage.dir + "/out.prd";
        const std::vector<std::vector<std::string>> calls = {
            {"generate", "--guarantee", "0", "--out", out},
            {"filter", "--rows", "full.prd", "--count", "5", "--seed", "1", "--out", out},
            {"eliminate", "--rows", "full.prd", "--out", out},
            {"show", "--json"},
        };
        for (std::vector<std::string> call : calls) {
            call.insert(call.end(), {"--plan", damage.dir + "/week.ttd"});
            Refused(kExitFailure, damage.message, call);
        }
        EXPECT_FALSE(Exists(out));
    }
}

// Writing the rows over the plan would destroy it.
TEST_F(RefusalTest, RowsAreNotWrittenOverThePlan) {
    std::filesystem::copy_file(kWeek, Path("week.ttd"));
    Refused(kExitUsage, "ist die Tippplandatei selbst",
            {"generate", "--plan", "week.ttd", "--guarantee", "0", "--out", "week.ttd"});
    EXPECT_EQ(ReadBytes("week.ttd"), FileBytes(kWeek));
}

// Nor may rows replace a filter file, also not under a name differing only in case, which
// would be taken for the filter file next time.
TEST_F(RefusalTest, RowsAreNotWrittenOverAFilterFile) {
    std::filesystem::create_directory(dir_ / "guard");
    std::filesystem::copy_file(kWeek, dir_ / "guard/week.ttd");
    std::filesystem::copy_file(WeekFile("seq"), dir_ / "guard/week.seq");
    for (const std::string target : {"guard/week.seq", "guard/WEEK.SEQ"}) {
        Refused(kExitUsage, "ist eine Filterdatei der Woche",
                {"generate", "--plan", "guard/week.ttd", "--guarantee", "0", "--out", target});
        Refused(kExitUsage, "ist eine Filterdatei der Woche",
                {"filter", "--plan", "guard/week.ttd", "--rows", "full.prd", "--guarantee", "0",
                 "--out", target});
    }
    EXPECT_EQ(Listing("guard"), (std::set<std::string>{"week.seq", "week.ttd"}));
    EXPECT_EQ(ReadBytes("guard/week.seq"), FileBytes(WeekFile("seq")));
}

}  // namespace
}  // namespace velmora::cli::testing
