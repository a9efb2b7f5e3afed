// export and import: rows as text and back.
#include "cli_fixture.h"

namespace velmora::cli::testing {
namespace {

class RowTextCommandsTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        WritePatternRows("rows.prd", 250, 12);
    }

    std::string Text(const std::string& name) const {
        const std::vector<std::uint8_t> bytes = ReadBytes(name);
        return {bytes.begin(), bytes.end()};
    }
};

TEST_F(RowTextCommandsTest, EveryFormatReadsBackAsTheSameRows) {
    const std::vector<std::vector<std::string>> formats = {
        {"--format", "text"},  {"--format", "text", "--draw", "X", "--separator", "blank"},
        {"--format", "csv"},   {"--format", "CSV", "--draw", "x"},
        {"--format", "eline"}, {"--format", "eline", "--heading", "Stryktipset"},
    };
    for (const std::vector<std::string>& format : formats) {
        SCOPED_TRACE(::testing::PrintToString(format));
        std::vector<std::string> call = {"export",   "--games", "12",      "--rows",
                                         "rows.prd", "--out",   "rows.txt"};
        call.insert(call.end(), format.begin(), format.end());
        const CliRun exported = Ok(call);
        EXPECT_EQ(exported.out, "Geschrieben: rows.txt (250 Reihen)\n");
        const CliRun imported =
            Ok({"import", "--games", "12", "--text", "rows.txt", "--out", "back.prd"});
        EXPECT_EQ(imported.out, "Systemgröße: 250 Reihen\n");
        EXPECT_EQ(ReadBytes("back.prd"), ReadBytes("rows.prd"));
    }
}

TEST_F(RowTextCommandsTest, EveryPartOfAnELineExportStartsWithTheGame) {
    Ok({"export", "--games", "12", "--rows", "rows.prd", "--format", "eline", "--heading",
        "Topptipset", "--split", "200", "--out", "e.txt"});
    EXPECT_TRUE(Text("e_1.txt").starts_with("Topptipset\nE,"));
    EXPECT_TRUE(Text("e_2.txt").starts_with("Topptipset\nE,"));
}

TEST_F(RowTextCommandsTest, TheDrawAndTheSeparatorShowInTheText) {
    const std::string first = FirstRowText("rows.prd", 12);
    Ok({"export", "--games", "12", "--rows", "rows.prd", "--format", "text", "--out", "plain.txt"});
    EXPECT_EQ(Text("plain.txt").substr(0, 13), first + "\n");
    Ok({"export", "--games", "12", "--rows", "rows.prd", "--format", "text", "--draw", "X",
        "--separator", "blank", "--out", "spaced.txt"});
    std::string spaced;
    for (const char sign : first)
        spaced += std::string(spaced.empty() ? "" : " ") + (sign == '0' ? 'X' : sign);
    EXPECT_EQ(Text("spaced.txt").substr(0, spaced.size() + 1), spaced + "\n");
}

// 250 rows by 100: two full parts and one of 50, the CSV rows numbered as in the whole system.
TEST_F(RowTextCommandsTest, SplitFilesAreNumberedAndReadBackInTurn) {
    const CliRun run = Ok({"export", "--games", "12", "--rows", "rows.prd", "--format", "csv",
                           "--split", "100", "--out", "part.csv"});
    EXPECT_EQ(run.out,
              "Geschrieben: part_1.csv (100 Reihen)\n"
              "Geschrieben: part_2.csv (100 Reihen)\n"
              "Geschrieben: part_3.csv (50 Reihen)\n");
    EXPECT_FALSE(Exists("part.csv"));
    const std::string second = Text("part_2.csv");
    EXPECT_EQ(second.substr(second.find('\n') + 1, 4), "101;");

    std::vector<std::uint8_t> joined;
    for (const char* part : {"part_1.csv", "part_2.csv", "part_3.csv"}) {
        Ok({"import", "--games", "12", "--text", part, "--out", "part.prd"});
        const std::vector<std::uint8_t> rows = ReadBytes("part.prd");
        joined.insert(joined.end(), rows.begin(), rows.end());
    }
    EXPECT_EQ(joined, ReadBytes("rows.prd"));

    // A limit the rows do not reach writes the one file under its own name.
    Ok({"export", "--games", "12", "--rows", "rows.prd", "--format", "eline", "--split", "250",
        "--out", "whole.txt"});
    EXPECT_TRUE(Exists("whole.txt"));
    EXPECT_FALSE(Exists("whole_1.txt"));
}

TEST_F(RowTextCommandsTest, ABadLineRefusesTheWholeText) {
    WriteText("bad.txt", "111111111111\n\n1111X11111Y1\n222222222222\n");
    const CliRun run = Refused(kExitFailure, "Zeile 3",
                               {"import", "--games", "12", "--text", "bad.txt", "--out", "o.prd"});
    EXPECT_TRUE(Contains(run.err, "Die Datei 'bad.txt'")) << run;
    EXPECT_FALSE(Exists("o.prd"));

    WriteText("thirteen.txt", "1111111111111\n");
    Refused(kExitFailure, "Die Reihen haben 13 Spiele",
            {"import", "--games", "12", "--text", "thirteen.txt", "--out", "o.prd"});
    Refused(kExitFailure, "Die Datei 'missing.txt'",
            {"import", "--games", "12", "--text", "missing.txt", "--out", "o.prd"});
    EXPECT_FALSE(Exists("o.prd"));
}

TEST_F(RowTextCommandsTest, WrongCalls) {
    const std::vector<std::string> base = {"export",   "--games", "12",   "--rows",
                                           "rows.prd", "--out",   "o.txt"};
    const std::vector<WrongCall> calls = {
        {"Die Option --separator gilt nur zusammen mit --format text.",
         {"--format", "csv", "--separator", "none"}},
        {"Die Option --draw gilt nur zusammen mit --format text oder csv",
         {"--format", "eline", "--draw", "X"}},
        {"Das Format muss text, csv oder eline sein. Angegeben wurde 'json'.",
         {"--format", "json"}},
        {"Das Zeichen des Unentschiedens muss 0 oder X sein. Angegeben wurde '1'.",
         {"--format", "text", "--draw", "1"}},
        {"Der Trenner muss none oder blank sein.", {"--format", "text", "--separator", "tab"}},
        {"Die Reihenzahl je Datei muss eine ganze Zahl zwischen 1 und 2147483647 sein.",
         {"--format", "text", "--split", "0"}},
        {"Die Option --format fehlt.", {}},
        {"Die Option --heading gilt nur zusammen mit --format eline.",
         {"--format", "csv", "--heading", "Stryktipset"}},
    };
    for (const WrongCall& call : calls) {
        std::vector<std::string> args = base;
        args.insert(args.end(), call.args.begin(), call.args.end());
        Refused(kExitUsage, call.message, args);
    }
    EXPECT_FALSE(Exists("o.txt"));
    Refused(kExitUsage, "Die Option --text fehlt.", {"import", "--games", "12", "--out", "o.prd"});
}

TEST_F(RowTextCommandsTest, TheFileReadIsNeverWrittenOver) {
    const std::vector<std::uint8_t> rows = ReadBytes("rows.prd");
    Refused(
        kExitUsage, "ist die gelesene Reihendatei",
        {"export", "--games", "12", "--rows", "rows.prd", "--format", "text", "--out", "rows.prd"});
    // Also not as one of the parts of a split export.
    std::filesystem::copy_file(Path("rows.prd"), Path("r_2.prd"));
    Refused(kExitUsage, "'r_2.prd' ist die gelesene Reihendatei",
            {"export", "--games", "12", "--rows", "r_2.prd", "--format", "text", "--split", "100",
             "--out", "r.prd"});
    EXPECT_FALSE(Exists("r_1.prd"));
    EXPECT_EQ(ReadBytes("rows.prd"), rows);
    EXPECT_EQ(ReadBytes("r_2.prd"), rows);

    WriteText("rows.txt", "111111111111\n");
    Refused(kExitUsage, "ist die gelesene Textdatei",
            {"import", "--games", "12", "--text", "rows.txt", "--out", "rows.txt"});
    EXPECT_EQ(Text("rows.txt"), "111111111111\n");
}

// The files written before a failure stay, and the answer names them.
TEST_F(RowTextCommandsTest, AWriteFailureNamesTheFilesWrittenBefore) {
    std::filesystem::create_directory(dir_ / "part_2.txt");
    const CliRun run = RunCli({"export", "--games", "12", "--rows", "rows.prd", "--format", "text",
                               "--split", "100", "--out", "part.txt"});
    EXPECT_EQ(run.exitCode, kExitFailure) << run;
    EXPECT_EQ(run.out, "Geschrieben: part_1.txt (100 Reihen)\n");
    EXPECT_EQ(run.err.rfind("Fehler: ", 0), 0u) << run;
    EXPECT_TRUE(Contains(run.err, "part_2.txt")) << run;
    EXPECT_FALSE(Exists("part_3.txt"));

    Refused(kExitFailure, "missing/rows.txt",
            {"export", "--games", "12", "--rows", "rows.prd", "--format", "text", "--out",
             "missing/rows.txt"});
}

}  // namespace
}  // namespace velmora::cli::testing
