// Wrong calls: each is refused with exit 2 and the German rule it breaks, whether a validator
// of an option or CLI11 itself found the mistake.
#include "cli_fixture.h"

namespace velmora::cli::testing {
namespace {

class UsageTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        Ok({"generate", "--plan", kBare, "--guarantee", "0", "--out", "full.prd"});
    }

    // The whole of stderr for a wrong call.
    void ExpectMessage(const std::vector<std::string>& args, const std::string& message) {
        const CliRun run = Refused(kExitUsage, message, args);
        EXPECT_EQ(run.err, "Fehler: " + message + "\n");
    }
};

TEST_F(UsageTest, TheLimitOptionsSayWhichRuleABadCallBreaks) {
    const std::string week = kWeek;
    const std::string oneLimit = "Bitte genau eine der Optionen --guarantee und --count angeben.";
    const std::vector<WrongCall> calls = {
        {oneLimit, {"generate", "--plan", week, "--guarantee", "1", "--count", "10", "--out", "o"}},
        {oneLimit, {"generate", "--plan", week, "--out", "o"}},
        {"Die Garantiestufe muss 0, 1, 2 oder 3 sein. Angegeben wurde '4'.",
         {"generate", "--plan", week, "--guarantee", "4", "--out", "o"}},
        {"Die Reihenanzahl muss eine ganze Zahl",
         {"generate", "--plan", week, "--count", "-1", "--out", "o"}},
        {"Der Startwert muss eine ganze Zahl",
         {"generate", "--plan", week, "--count", "10", "--seed", "x", "--out", "o"}},
        // CLI11 itself would take -1 for the largest unsigned number.
        {"Der Startwert muss eine ganze Zahl",
         {"generate", "--plan", week, "--count", "10", "--seed", "-1", "--out", "o"}},
        {"Die Option --optimised gilt nur zusammen mit --guarantee.",
         {"generate", "--plan", week, "--count", "10", "--optimised", "--out", "o"}},
        {"Die Option --outside gilt nur zusammen mit --optimised.",
         {"generate", "--plan", week, "--guarantee", "1", "--outside", "--out", "o"}},
        {"Die Option --outside gilt nur zusammen mit --optimised.",
         {"filter", "--plan", week, "--rows", "full.prd", "--count", "10", "--outside", "--out",
          "o"}},
        {"Die Option --seconds gilt nur zusammen mit --optimised.",
         {"generate", "--plan", week, "--guarantee", "1", "--seconds", "5", "--out", "o"}},
        {"Die Rechenzeit muss eine Zahl von Sekunden",
         {"filter", "--plan", week, "--rows", "x.prd", "--guarantee", "1", "--optimised",
          "--seconds", "0", "--out", "o"}},
        {"Die Option --steps gilt nur zusammen mit --optimised.",
         {"generate", "--plan", week, "--guarantee", "1", "--steps", "5", "--out", "o"}},
        {"Die Zahl der Suchschritte muss eine ganze Zahl ab 1 sein.",
         {"generate", "--plan", week, "--guarantee", "1", "--optimised", "--steps", "0", "--out",
          "o"}},
        {"Die Option --seed gilt nur zusammen mit --count oder --optimised.",
         {"generate", "--plan", week, "--guarantee", "1", "--seed", "3", "--out", "o"}},
    };
    for (const WrongCall& call : calls)
        Refused(kExitUsage, call.message, call.args);
    EXPECT_FALSE(Exists("o"));
}

TEST_F(UsageTest, RequiredChainsLieBetweenZeroAndTheWeeksChains) {
    const int chains = Json::parse(Ok({"show", "--plan", kWeek, "--json"}).out).at("chainCount");
    const std::string rule =
        "Die Zahl der zu erfüllenden Prozentfilterketten muss zwischen 0 und " +
        std::to_string(chains) + " liegen";
    const std::vector<std::vector<std::string>> calls = {
        {"generate", "--guarantee", "0", "--required", std::to_string(chains + 1)},
        {"filter", "--rows", "full.prd", "--guarantee", "0", "--required", "-1"},
        {"eliminate", "--rows", "full.prd", "--required", "x"},
    };
    for (std::vector<std::string> call : calls) {
        call.insert(call.end(), {"--plan", kWeek, "--out", "out.prd"});
        Refused(kExitUsage, rule, call);
    }
}

TEST_F(UsageTest, GameCountsAndGuaranteesOfRowFiles) {
    Refused(kExitUsage, "Die Spielzahl muss zwischen 11 und 14 liegen.",
            {"info", "--games", "10", "--rows", "full.prd"});
    Refused(
        kExitUsage, "Die Garantiestufe muss 1, 2 oder 3 sein.",
        {"reduce", "--games", "13", "--rows", "full.prd", "--guarantee", "0", "--out", "out.prd"});
    EXPECT_FALSE(Exists("out.prd"));
}

// CLI11 would read a leading 0 as octal and 0x as hexadecimal.
TEST_F(UsageTest, NumbersAreReadAsDecimal) {
    WritePatternRows("eleven.prd", 5, 11);
    const Json json =
        Json::parse(Ok({"info", "--games", "011", "--rows", "eleven.prd", "--json"}).out);
    EXPECT_EQ(json.at("games"), 11);
    Refused(kExitUsage, "Die Spielzahl muss zwischen 11 und 14 liegen. Angegeben wurde '0x0b'.",
            {"info", "--games", "0x0b", "--rows", "eleven.prd"});
}

TEST_F(UsageTest, WordsThatAreNoPartOfTheCall) {
    ExpectMessage({"info", "--games", "13", "--rows", "full.prd", "--bogus"},
                  "Unerwartete Angabe: '--bogus'.");
    Refused(kExitUsage, "Unbekannter Unterbefehl", {"frobnicate"});
    Refused(kExitUsage, "Bitte einen Unterbefehl angeben", {});
}

TEST_F(UsageTest, OptionsMissingOrGivenWrongly) {
    const std::string hint = " Hilfe: velmora-cli --help";
    ExpectMessage({"generate", "--plan", kWeek, "--guarantee", "0"},
                  "Die Option --out fehlt." + hint);
    ExpectMessage({"info", "--games", "13", "--rows"}, "Der Option --rows fehlt ihr Wert." + hint);
    ExpectMessage({"info", "--games", "13", "--rows="}, "Der Option --rows fehlt ihr Wert." + hint);
    ExpectMessage({"info", "--games", "13", "--games", "14", "--rows", "full.prd"},
                  "Die Option --games darf nur einmal und mit einem Wert angegeben werden." + hint);
    ExpectMessage({"info", "--games", "13", "--rows", "full.prd", "--json=abc"},
                  "Ungültiger Optionswert: --json = abc. Schalter wie --json nehmen keinen Wert "
                  "an." +
                      hint);
    // A value CLI11 reads as yes still switches.
    const CliRun run = Ok({"info", "--games", "13", "--rows", "full.prd", "--json=true"});
    EXPECT_EQ(Json::parse(run.out).at("games"), 13);
}

TEST_F(UsageTest, HelpGoesToStdoutInGerman) {
    CliRun run = RunCli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(Contains(run.out, "Aufruf: velmora-cli")) << run;
    EXPECT_TRUE(Contains(run.out, "Unterbefehle:")) << run;
    EXPECT_EQ(run.err, "");
    run = RunCli({"generate", "--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(Contains(run.out, "--optimised Benötigt: --guarantee")) << run;
    EXPECT_TRUE(Contains(run.out, "--outside Benötigt: --optimised")) << run;
    EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace velmora::cli::testing
