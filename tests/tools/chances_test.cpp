// chances: the answer against the core and against a sum over every outcome, and the refused
// calls and weeks.
#include <cmath>
#include <functional>

#include "app/filterfiles.h"
#include "cli_fixture.h"
#include "cli_support.h"
#include "evaluation/chances.h"

namespace velmora::cli::testing {
namespace {

const std::set<std::string> kKeys = {"p_plan",        "p_filtered",      "p_best",
                                     "expected_rows", "p_best_filtered", "expected_rows_filtered"};
constexpr std::int64_t kOutcomes = 1594323;  // 3^13, every result of the week's games
const std::set<std::string> kPayoutKeys = {"expected_payout", "stake", "payout_by_class"};

std::set<std::string> KeysOf(const Json& json) {
    std::set<std::string> keys;
    for (const auto& item : json.items())
        keys.insert(item.key());
    return keys;
}

template <std::size_t N>
void ExpectNumbers(const Json& json, const std::array<double, N>& expected) {
    ASSERT_EQ(json.size(), N) << json;
    for (std::size_t k = 0; k < N; ++k)
        EXPECT_DOUBLE_EQ(json[k].get<double>(), expected[k]) << "at " << k;
}

class ChancesTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        Ok({"generate", "--plan", kBare, "--count", "5", "--seed", "1", "--out", "five.prd"});
    }

    std::vector<std::string> Call(std::vector<std::string> options,
                                  const std::string& plan = kWeek) const {
        options.insert(options.begin(), {"chances", "--plan", plan, "--rows", "five.prd"});
        return options;
    }
    Json Chances(const std::vector<std::string>& options, const std::string& plan = kWeek) {
        return Json::parse(Ok(Call(options, plan)).out);
    }

    // "DIR/week.ttd", the bundled plan, with a filter value file of inactive filters: odds of
    // 1.0 and percentages of 0 unless `change` says otherwise.
    std::string ValueWeek(const std::string& dir,
                          const std::function<void(TOddsFilter&, TPercentFilters&)>& change) const {
        std::filesystem::create_directory(dir_ / dir);
        std::filesystem::copy_file(kWeek, dir_ / dir / "week.ttd");
        TOddsFilter odds = TOddsFilter::Defaults();
        TPercentFilters percent{};
        change(odds, percent);
        WriteBytes(dir + "/week.bld", EncodeFilterValues(odds, percent));
        return dir + "/week.ttd";
    }
};

TEST_F(ChancesTest, TheAnswerIsTheCoresResult) {
    const Week week = LoadWeek(WeekArgs{kWeek, {}, nullptr});
    const TRowList rows = ReadRows("five.prd", kWeekGames);
    const OutcomeModel odds = *OutcomeModelOf(week.filters, kWeekGames, ChanceSource{}).model;
    const OutcomeModel players =
        *OutcomeModelOf(week.filters, kWeekGames, {ChanceSource::Kind::Percent, 1}).model;

    const Json plain = Chances({});
    EXPECT_EQ(KeysOf(plain), kKeys);
    const ChancesResult core =
        ComputeChances(week.plan, kWeekGames, week.filters, rows, odds, std::nullopt);
    EXPECT_DOUBLE_EQ(plain.at("p_plan").get<double>(), core.pPlan);
    EXPECT_DOUBLE_EQ(plain.at("p_filtered").get<double>(), core.pFiltered);
    ExpectNumbers(plain.at("p_best"), core.all.best);
    ExpectNumbers(plain.at("expected_rows"), core.all.expectedRows);
    ASSERT_TRUE(core.filtered);
    ExpectNumbers(plain.at("p_best_filtered"), core.filtered->best);
    ExpectNumbers(plain.at("expected_rows_filtered"), core.filtered->expectedRows);

    // The pool's defaults are the settings' own.
    const Json paid = Chances({"--public", "percent:1", "--price", "0.75"});
    std::set<std::string> keys = kKeys;
    keys.insert(kPayoutKeys.begin(), kPayoutKeys.end());
    EXPECT_EQ(KeysOf(paid), keys);
    const PoolSettings defaults;
    const PoolModel pool{players, defaults.stakes, 0.75, defaults.rate, defaults.shares};
    const ChancesResult withPool =
        ComputeChances(week.plan, kWeekGames, week.filters, rows, odds, pool);
    EXPECT_DOUBLE_EQ(paid.at("expected_payout").get<double>(), withPool.payout->expected);
    EXPECT_DOUBLE_EQ(paid.at("stake").get<double>(), 5 * 0.75);
    ExpectNumbers(paid.at("payout_by_class"), withPool.payout->byClass);
}

// The same numbers summed over all 3^13 outcomes one by one, with 1/odds normalised per game.
TEST_F(ChancesTest, ClassChancesAgreeWithASumOverEveryOutcome) {
    const Week week = LoadWeek(WeekArgs{kWeek, {}, nullptr});
    const std::vector<std::string> rows = SortedRows("five.prd");
    std::array<std::array<double, 3>, kWeekGames> p{};
    for (int g = 0; g < kWeekGames; ++g) {
        const auto& odds = week.filters.odds.values[g];
        const double sum = 1 / odds[0] + 1 / odds[1] + 1 / odds[2];
        for (int s = 0; s < 3; ++s)
            p[g][s] = 1 / odds[s] / sum;
    }
    std::array<std::array<bool, 3>, kWeekGames> allowed{};
    for (int g = 0; g < kWeekGames; ++g) {
        for (const char sign : kWeekSigns[g])
            allowed[g][sign - '0'] = true;
    }
    double plan = 0;
    std::array<double, 6> best{};
    std::array<double, 5> expected{};
    std::array<int, kWeekGames> outcome{};
    for (std::int64_t code = 0; code < kOutcomes; ++code) {
        std::int64_t rest = code;
        double probability = 1;
        bool inPlan = true;
        for (int g = 0; g < kWeekGames; ++g, rest /= 3) {
            outcome[g] = static_cast<int>(rest % 3);
            probability *= p[g][outcome[g]];
            inPlan = inPlan && allowed[g][outcome[g]];
        }
        plan += inPlan ? probability : 0;
        int fewest = 5;
        for (const std::string& row : rows) {
            int errors = 0;
            for (int g = 0; g < kWeekGames; ++g)
                errors += row[g] - '0' != outcome[g];
            fewest = std::min(fewest, errors);
            if (errors < 5)
                expected[errors] += probability;
        }
        best[fewest] += probability;
    }
    const Json json = Chances({});
    EXPECT_NEAR(json.at("p_plan").get<double>(), plan, 1e-12);
    for (int k = 0; k < 6; ++k)
        EXPECT_NEAR(json.at("p_best")[k].get<double>(), best[k], 1e-12) << k;
    for (int k = 0; k < 5; ++k)
        EXPECT_NEAR(json.at("expected_rows")[k].get<double>(), expected[k], 1e-12) << k;
}

// Without filter files every outcome of the plan passes; with even odds each has 3^-13.
TEST_F(ChancesTest, TheFullSystemWithoutFilters) {
    Ok({"generate", "--plan", kBare, "--guarantee", "0", "--out", "full.prd"});
    const Json json = Json::parse(Ok({"chances", "--plan", kBare, "--rows", "full.prd"}).out);
    const double pPlan = json.at("p_plan");
    EXPECT_NEAR(pPlan, static_cast<double>(FullSize()) / kOutcomes, 1e-15);
    EXPECT_DOUBLE_EQ(json.at("p_filtered").get<double>(), pPlan);
    EXPECT_DOUBLE_EQ(json.at("p_best")[0].get<double>(), pPlan);
    EXPECT_DOUBLE_EQ(json.at("expected_rows")[0].get<double>(), pPlan);
    EXPECT_DOUBLE_EQ(json.at("p_best_filtered")[0].get<double>(), 1.0);
    EXPECT_DOUBLE_EQ(json.at("expected_rows_filtered")[0].get<double>(), 1.0);
}

// Percentage filter 1 keeps the rows with seven or more "1"; with no chain to meet, every
// outcome of the plan is in the filtered system.
TEST_F(ChancesTest, TheFilteredSystemMeetsTheRequiredChains) {
    const std::string plan = ValueWeek("chain", [](TOddsFilter&, TPercentFilters& percent) {
        for (auto& game : percent[0].values)
            game = {0.0, 100.0, 0.0};
        percent[0].minValue = 50;
        percent[0].maxValue = 100;
        percent[0].active = 1;
    });
    const Json all = Chances({}, plan);
    EXPECT_GT(all.at("p_filtered").get<double>(), 0);
    EXPECT_LT(all.at("p_filtered").get<double>(), all.at("p_plan").get<double>());
    const Json none = Chances({"--required", "0"}, plan);
    EXPECT_DOUBLE_EQ(none.at("p_filtered").get<double>(), none.at("p_plan").get<double>());
}

// Game 1 allows "1" only, which percentage filter 1 gives no chance.
TEST_F(ChancesTest, AFilteredSystemWithoutChanceHasNoConditionalNumbers) {
    const std::string plan = ValueWeek("nochance", [](TOddsFilter&, TPercentFilters& percent) {
        for (auto& game : percent[0].values)
            game.fill(1.0);
        percent[0].values[0][1] = 0;
    });
    const Json json = Chances({"--source", "Percent:1"}, plan);
    EXPECT_EQ(json.at("p_plan"), 0.0);
    EXPECT_TRUE(json.at("p_best_filtered").is_null());
    EXPECT_TRUE(json.at("expected_rows_filtered").is_null());
    EXPECT_EQ(json.at("p_best").size(), 6u);
}

TEST_F(ChancesTest, ThePayoutAgainstTheStake) {
    const Json json = Chances({"--public", "percent:1", "--price", "0.5", "--stakes", "2e6",
                               "--rate", "0.6", "--shares", "0.3,0.2,0.2,0.2,0.1"});
    EXPECT_DOUBLE_EQ(json.at("stake").get<double>(), 5 * 0.5);
    const Json& byClass = json.at("payout_by_class");
    ASSERT_EQ(byClass.size(), 5u);
    double sum = 0;
    double pBest = 0;  // the chance of a win in this class or a better one
    const std::array<double, 5> shares{0.3, 0.2, 0.2, 0.2, 0.1};
    for (int e = 0; e < 5; ++e) {
        sum += byClass[e].get<double>();
        pBest += json.at("p_best")[e].get<double>();
        EXPECT_GT(byClass[e].get<double>(), 0) << e;
        // No class pays more than its whole share of the pool each time it is won.
        EXPECT_LE(byClass[e].get<double>(), 2e6 * 0.6 * shares[e] * pBest) << e;
    }
    EXPECT_NEAR(json.at("expected_payout").get<double>(), sum, 1e-12);
    const Json unpaid = Chances({"--public", "percent:1", "--price", "0.5", "--rate", "0"});
    EXPECT_EQ(unpaid.at("expected_payout"), 0.0);
}

TEST_F(ChancesTest, WrongCalls) {
    const std::vector<WrongCall> calls = {
        {"Angegeben wurde 'quoten'.", {"--source", "quoten"}},
        {"Angegeben wurde 'percent:x'.", {"--source", "percent:x"}},
        {"Es gibt nur die Prozentfilter 1 bis 5. Angegeben wurde 'percent:6'.",
         {"--source", "percent:6"}},
        {"Es gibt nur die Prozentfilter 1 bis 5.", {"--public", "percent:0", "--price", "1"}},
        {"in einem Prozentfilter", {"--public", "odds", "--price", "1"}},
        {"Die Option --public gilt nur zusammen mit --price.", {"--public", "percent:1"}},
        {"Die Option --stakes gilt nur zusammen mit --public.", {"--stakes", "5"}},
        {"Die Option --price gilt nur zusammen mit --public.", {"--price", "1"}},
        {"Die Option --rate gilt nur zusammen mit --public.", {"--rate", "0.5"}},
        {"Die Option --shares gilt nur zusammen mit --public.", {"--shares", "0.2,0.2,0,0,0"}},
        {"Die Option --shares braucht genau 5 Werte, durch Kommas getrennt; angegeben wurden 4.",
         {"--public", "percent:1", "--price", "1", "--shares", "0.4,0.2,0.2,0.2"}},
        {"angegeben wurden 6.",
         {"--public", "percent:1", "--price", "1", "--shares", "0.4,0.2,0.2,0.1,0,0"}},
        {"Angegeben wurde 'x'.",
         {"--public", "percent:1", "--price", "1", "--shares", "0.4,0.2,x,0.2,0"}},
        {"Angegeben wurde 'nan'.", {"--public", "percent:1", "--price", "nan"}},
        {"Der Preis pro Reihe muss größer als 0 sein.", {"--public", "percent:1", "--price", "0"}},
        {"Der Spieleinsatz aller Spieler darf nicht kleiner als 0 sein.",
         {"--public", "percent:1", "--price", "1", "--stakes", "-1"}},
        {"Die Ausschüttungsquote muss zwischen 0 und 100 % liegen.",
         {"--public", "percent:1", "--price", "1", "--rate", "1.5"}},
        {"Der Anteil des 2. Rangs muss zwischen 0 und 100 % liegen.",
         {"--public", "percent:1", "--price", "1", "--shares", "0.4,1.2,0,0,0"}},
        {"keine endliche Zahl von Reihen",
         {"--public", "percent:1", "--price", "1e-300", "--stakes", "1e300"}},
        {"Die Anteile der Ränge ergeben zusammen mehr als 100 %.",
         {"--public", "percent:1", "--price", "1", "--shares", "0.4,0.2,0.2,0.2,0.1"}},
    };
    for (const WrongCall& call : calls)
        Refused(kExitUsage, call.message, Call(call.args));
}

// Values that give no probability refuse the week, naming the game and the filter.
TEST_F(ChancesTest, WeeksWithoutProbabilities) {
    const std::string plan = ValueWeek("values", [](TOddsFilter& odds, TPercentFilters& percent) {
        odds.values[6][0] = 0;
        for (auto& game : percent[1].values)
            game.fill(10.0);
        percent[1].values[10][2] = -1;
        percent[2].values = percent[1].values;
        percent[2].values[3][1] = std::nan("");
    });
    Refused(kExitFailure, "Spiel 7 im Quotenfilter: Die Quote für „0“ ist 0 oder kleiner",
            Call({}, plan));
    Refused(kExitFailure, "Spiel 11 in Prozentfilter 2: Der Wert für „2“ ist negativ",
            Call({"--source", "percent:2"}, plan));
    Refused(kExitFailure, "Spiel 4 in Prozentfilter 3: Der Wert für „1“ ist keine Zahl",
            Call({"--source", "percent:3"}, plan));
    const CliRun run = Refused(kExitFailure, "Spiel 1 in Prozentfilter 5: Die drei Werte",
                               Call({"--public", "percent:5", "--price", "1"}));
    EXPECT_TRUE(Contains(run.err, "(--public)")) << run;

    WritePlan("untipped.ttd", {"1", "1", "1", "1", "", "1", "1", "1", "1", "1", "1", "1", "1"});
    Refused(kExitFailure, "(ohne Tipp: Spiel 5)", Call({}, "untipped.ttd"));
}

}  // namespace
}  // namespace velmora::cli::testing
