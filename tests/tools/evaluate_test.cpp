// evaluate: the system against a result.
#include <cmath>

#include "cli_fixture.h"

namespace velmora::cli::testing {
namespace {

class EvaluateTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        Ok({"generate", "--plan", kWeek, "--guarantee", "0", "--out", "g0.prd"});
        rows_ = RowCount("g0.prd");
        first_ = FirstRowText("g0.prd");
    }

    std::int64_t rows_ = 0;
    std::string first_;
};

// The first row of the system as the result: it alone has no error (each row is there once),
// every row is counted once, and the detail lines list the rows by their error count.
TEST_F(EvaluateTest, TheSystemsFirstRowAsTheResult) {
    const Json json = Json::parse(
        Ok({"evaluate", "--plan", kWeek, "--rows", "g0.prd", "--result", first_, "--details"}).out);
    EXPECT_TRUE(json.at("complete").get<bool>());
    ASSERT_EQ(json.at("counters").size(), static_cast<std::size_t>(kWeekGames + 1));
    EXPECT_TRUE(json.at("product_text").is_string());
    EXPECT_EQ(json.at("failing_blocks").size(), 0u) << "a row of the filtered system fails blocks";
    std::int64_t total = 0;
    for (int errors = 0; errors <= kWeekGames; ++errors) {
        const std::int64_t count = json["counters"][errors];
        total += count;
        if (errors < kWeekGames) {
            EXPECT_EQ(json.at("details").at(errors).size(), static_cast<std::size_t>(count))
                << errors << " errors";
        }
    }
    EXPECT_EQ(json["counters"][0], 1);
    EXPECT_EQ(total, rows_);
    // The row number takes the width of the row count, then the signs, each with a blank.
    std::string signs;
    for (const char sign : first_)
        signs += std::string(1, sign) + " ";
    const std::string indent(std::to_string(rows_).size() - 1, ' ');
    EXPECT_EQ(json["details"][0][0], indent + "1: " + signs);
}

// The week's one block asks for at least 7 of its marks; all "2" meets 4 of them.
TEST_F(EvaluateTest, AResultThatFailsTheBlock) {
    const Json json = Json::parse(
        Ok({"evaluate", "--plan", kWeek, "--rows", "g0.prd", "--result", "2222222222222"}).out);
    EXPECT_EQ(json.at("failing_blocks"), Json::array({1}));
}

// Unknown games are no errors; without a complete result there are no measures.
TEST_F(EvaluateTest, AnUnknownResultHasNoMeasures) {
    const Json json = Json::parse(Ok({"evaluate", "--plan", kWeek, "--rows", "g0.prd", "--result",
                                      std::string(kWeekGames, '?')})
                                      .out);
    for (const char* key : {"product", "means", "product_text", "mean_texts", "failing_blocks"})
        EXPECT_TRUE(json.at(key).is_null()) << key;
    EXPECT_FALSE(json.at("complete").get<bool>());
    EXPECT_EQ(json["counters"][0], rows_);
}

TEST_F(EvaluateTest, AWrongResultOrSlipSizeIsAWrongCall) {
    const std::string shorter = first_.substr(1);
    Refused(kExitUsage, "Das Ergebnis muss 13 Zeichen haben",
            {"evaluate", "--plan", kWeek, "--rows", "g0.prd", "--result", shorter});
    Refused(kExitUsage, "enthält ein ungültiges Zeichen",
            {"evaluate", "--plan", kWeek, "--rows", "g0.prd", "--result", "1x" + shorter});
    Refused(
        kExitUsage, "Die Reihenzahl je Schein muss 6, 8, 10 oder 12 sein",
        {"evaluate", "--plan", kWeek, "--rows", "g0.prd", "--result", first_, "--per-slip", "7"});
}

// 11 games, 27 rows: the detail lines name slip and place, by --per-slip or else by the
// seventh value of schein.dat in the program directory.
TEST_F(EvaluateTest, ElevenGamesNameSlipAndPlace) {
    WritePlan("eleven.ttd", {"102", "102", "102", "1", "1", "1", "1", "1", "1", "1", "1"});
    Ok({"generate", "--plan", "eleven.ttd", "--guarantee", "0", "--out", "eleven.prd"});
    std::filesystem::create_directory(dir_ / "install");
    std::vector<std::uint8_t> settings;
    for (const std::uint8_t value : {1, 2, 3, 4, 5, 6, 6})
        settings.insert(settings.end(), {value, 0, 0, 0});
    WriteBytes("install/schein.dat", settings);

    struct Choice {
        int perSlip;
        std::vector<std::string> options;
        std::optional<std::string> programDirectory;
    };
    const std::vector<Choice> choices = {
        {12, {"--per-slip", "12"}, std::nullopt},
        {8, {"--per-slip", "8"}, std::nullopt},
        {12, {}, std::nullopt},
        {6, {}, Path("install")},
    };
    for (const Choice& choice : choices) {
        SCOPED_TRACE(choice.perSlip);
        const ScopedEnvironment program("VELMORA_PATH", choice.programDirectory);
        std::vector<std::string> call = {
            "evaluate",   "--plan",   "eleven.ttd",         "--rows",
            "eleven.prd", "--result", std::string(11, '?'), "--details"};
        call.insert(call.end(), choice.options.begin(), choice.options.end());
        const Json details = Json::parse(Ok(call).out).at("details").at(0);
        const std::string last = details.at(choice.perSlip - 1);
        const std::string next = details.at(choice.perSlip);
        EXPECT_TRUE(last.ends_with(" S:1 R:" + std::to_string(choice.perSlip))) << last;
        EXPECT_TRUE(next.ends_with(" S:2 R:1")) << next;
    }
}

// In a German locale the texts take the decimal comma; the JSON stays JSON.
TEST_F(EvaluateTest, AGermanLocaleWritesTheDecimalComma) {
    const std::string made = Path("locale/de_DE.UTF-8");
    std::filesystem::create_directory(dir_ / "locale");
    const std::string command = "localedef -i de_DE -f UTF-8 '" + made + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 || !std::filesystem::exists(made))
        GTEST_SKIP() << "no German locale to be made here: the decimal comma is not checked";

    CliRun run;
    {
        const ScopedEnvironment path("LOCPATH", Path("locale"));
        const ScopedEnvironment all("LC_ALL", std::string("de_DE.UTF-8"));
        run = Ok({"evaluate", "--plan", kWeek, "--rows", "g0.prd", "--result", "1111111111111"});
    }
    const Json json = Json::parse(run.out);
    ASSERT_EQ(json.at("means").size(), 3u);
    const double mean = json["means"][0];
    std::string text = json.at("mean_texts").at(0);
    const std::size_t comma = text.find(',');
    ASSERT_NE(comma, std::string::npos) << text;
    EXPECT_GT(comma, 0u) << text;
    EXPECT_LT(comma + 1, text.size()) << text;
    text[comma] = '.';
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) {
        return c == '.' || (c >= '0' && c <= '9');
    })) << json["mean_texts"][0];
    EXPECT_NEAR(std::strtod(text.c_str(), nullptr), mean, 0.002) << json["mean_texts"][0];
}

}  // namespace
}  // namespace velmora::cli::testing
