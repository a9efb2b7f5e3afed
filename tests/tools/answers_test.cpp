// The answers are read by scripts: every sub-command with a JSON answer prints exactly the text
// of fixtures/, whether the answer is small or passed on in pieces. The fixtures were printed
// by the version that built each answer as a JSON tree in memory and dumped it. The decimal
// point stays the C locale's.
#include "cli_fixture.h"

namespace velmora::cli::testing {
namespace {

class AnswersTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        WritePatternRows("rows13.prd", 40, 13);
        WritePlan("eleven.ttd", {"102", "102", "102", "1", "1", "1", "1", "1", "1", "1", "1"});
        WritePatternRows("rows11.prd", 120, 11);
        WriteBytes("empty.prd", {});
    }

    void ExpectAnswer(const std::string& fixture, const std::vector<std::string>& args) {
        const ScopedEnvironment locale("LC_ALL", std::string("C"));
        const CliRun run = Ok(args);
        const std::vector<std::uint8_t> expected =
            FileBytes(std::filesystem::path(VELMORA_CLI_FIXTURES) / (fixture + ".json"));
        EXPECT_EQ(run.out, std::string(expected.begin(), expected.end()))
            << "the answer differs from fixtures/" << fixture << ".json";
    }
};

TEST_F(AnswersTest, TheWeekAndRowFiles) {
    ExpectAnswer("show_week", {"show", "--plan", kWeek, "--json"});
    ExpectAnswer("info_rows13", {"info", "--games", "13", "--rows", "rows13.prd", "--json"});
    ExpectAnswer("distribution_rows13", {"distribution", "--games", "13", "--rows", "rows13.prd"});
}

// Measures, a failing block and detail lines; an incomplete result has nulls instead.
TEST_F(AnswersTest, TheEvaluations) {
    ExpectAnswer("evaluate_week", {"evaluate", "--plan", kWeek, "--rows", "rows13.prd", "--result",
                                   "2222222222222", "--details"});
    ExpectAnswer("evaluate_unknown", {"evaluate", "--plan", kWeek, "--rows", "rows13.prd",
                                      "--result", "1?2??????????"});
    ExpectAnswer("evaluate_eleven", {"evaluate", "--plan", "eleven.ttd", "--rows", "rows11.prd",
                                     "--result", "1?21?0?2?1?", "--details", "--per-slip", "8"});
}

// Percentage texts, patterns, and "Fälle", a string that is not plain ASCII.
TEST_F(AnswersTest, TheWinTable) {
    ExpectAnswer("wintable_week", {"wintable", "--plan", kWeek, "--rows", "rows13.prd"});
}

// 20 slips of six rows on three pages, more text than one piece of output.
TEST_F(AnswersTest, TheSlips) {
    ExpectAnswer("slips_eleven",
                 {"slips", "--games", "11", "--rows", "rows11.prd", "--per-slip", "6"});
    ExpectAnswer("slips_empty",
                 {"slips", "--games", "11", "--rows", "empty.prd", "--per-slip", "12"});
}

// A full disk: takes what fits into its buffer, then nothing, and fails to pass the buffer on.
class FullDevice : public std::streambuf {
  public:
    FullDevice() { setp(buffer_, buffer_ + sizeof buffer_); }

  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    int sync() override { return -1; }

  private:
    char buffer_[4096];
};

// An answer that cannot be written is a failure, not an answer: a long one fails while it is
// passed on, a short one when it is flushed; the same holds for the answers in text.
TEST_F(AnswersTest, AnAnswerThatCannotBeWrittenFails) {
    const std::vector<std::vector<std::string>> calls = {
        {"slips", "--games", "11", "--rows", "rows11.prd", "--per-slip", "6"},
        {"slips", "--games", "11", "--rows", "empty.prd", "--per-slip", "12"},
        {"wintable", "--plan", kWeek, "--rows", "rows13.prd"},
        {"info", "--games", "13", "--rows", "rows13.prd"},
        {"show", "--plan", kWeek},
        {"reduce", "--games", "13", "--rows", "rows13.prd", "--guarantee", "1", "--out", "r.prd"},
        {"--help"},
    };
    for (const std::vector<std::string>& call : calls) {
        SCOPED_TRACE(::testing::PrintToString(call));
        FullDevice device;
        std::ostream out(&device);
        std::ostringstream err;
        EXPECT_EQ(RunCommandLine(call, out, err), kExitFailure);
        EXPECT_EQ(err.str(), "Fehler: Die Ausgabe konnte nicht vollständig geschrieben werden.\n");
    }
}

}  // namespace
}  // namespace velmora::cli::testing
