#include "evaluation/chances.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "filters/rowfilter.h"
#include "model/rowcode.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using testing::PlanFromTendencies;

// 11 games: four with three signs, four with two, three with one.
TTipPlan MixedPlan() {
    return PlanFromTendencies(
        {"531", "521", "512", "333", "530", "503", "053", "440", "500", "050", "005"});
}

// Odds between 1.2 and 9, percentages between 0 and 60, the same for every run.
TFilterSet RandomValues(int n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> odds(1.2, 9.0), percent(0.0, 60.0);
    TFilterSet filters = TFilterSet::PassingAll(n);
    for (int g = 0; g < n; ++g) {
        for (int s = 0; s < kSignCount; ++s) {
            filters.odds.values[g][s] = odds(random);
            for (TPercentFilter& filter : filters.percent)
                filter.values[g][s] = percent(random);
        }
    }
    return filters;
}

OutcomeModel ModelOf(const TFilterSet& filters, int n, ChanceSource source) {
    const OutcomeModelOrProblem made = OutcomeModelOf(filters, n, source);
    EXPECT_TRUE(made.model) << made.problem;
    return made.model.value_or(OutcomeModel{});
}

// The literal computation: every outcome, every row, the filters row by row.
ChancesResult BruteForce(const TTipPlan& plan, int n, const TFilterSet& filters,
                         const TRowList& rows, const OutcomeModel& model,
                         const std::optional<PoolModel>& pool) {
    ChancesResult result;
    ClassChances filtered;
    Payout payout;
    std::vector<Sign> outcome(static_cast<std::size_t>(n));
    for (RowCode code = 0; code < CodeSpaceSize(n); ++code) {
        DecodeRow(code, n, outcome.data());
        double p = 1;
        bool inPlan = true;
        for (int g = 0; g < n; ++g) {
            p *= model.p[g][outcome[g]];
            inPlan = inPlan && plan.Tendency(g + 1, outcome[g]) > 0;
        }
        const bool inFiltered = inPlan && rowPassesFilters(outcome.data(), filters, n);
        result.pPlan += inPlan ? p : 0;
        result.pFiltered += inFiltered ? p : 0;

        std::array<int, kWinClasses> c{};
        for (std::int32_t r = 0; r < rows.Count(); ++r) {
            int errors = 0;
            for (int g = 0; g < n; ++g)
                errors += rows.Row(r)[g] != outcome[g];
            if (errors < kWinClasses)
                ++c[errors];
        }
        int best = 0;
        while (best < kWinClasses && c[best] == 0)
            ++best;
        result.all.best[best] += p;
        filtered.best[best] += inFiltered ? p : 0;
        for (int e = 0; e < kWinClasses; ++e) {
            result.all.expectedRows[e] += p * c[e];
            filtered.expectedRows[e] += inFiltered ? p * c[e] : 0;
        }
        if (!pool)
            continue;
        // The errors of a row drawn from the players' tips, game by game.
        std::array<double, kWinClasses + 1> errorsOfOthers{1};
        for (int g = 0; g < n; ++g) {
            const double right = pool->players.p[g][outcome[g]];
            for (int e = kWinClasses; e >= 0; --e)
                errorsOfOthers[e] =
                    errorsOfOthers[e] * right + (e > 0 ? errorsOfOthers[e - 1] * (1 - right) : 0);
        }
        for (int e = 0; e < kWinClasses; ++e) {
            if (c[e] == 0)
                continue;
            const double others = pool->stakes / pool->pricePerRow * errorsOfOthers[e];
            payout.byClass[e] +=
                p * c[e] * pool->stakes * pool->rate * pool->shares[e] / (others + c[e]);
        }
    }
    for (int e = 0; e <= kWinClasses; ++e)
        filtered.best[e] /= result.pFiltered;
    for (int e = 0; e < kWinClasses; ++e)
        filtered.expectedRows[e] /= result.pFiltered;
    result.filtered = filtered;
    if (pool) {
        for (double v : payout.byClass)
            payout.expected += v;
        payout.stake = rows.Count() * pool->pricePerRow;
        result.payout = payout;
    }
    return result;
}

void ExpectNear(double actual, double expected, const std::string& what) {
    EXPECT_NEAR(actual, expected, 1e-12 + 1e-9 * std::abs(expected)) << what;
}

void ExpectSame(const ClassChances& actual, const ClassChances& expected, const std::string& what) {
    for (int e = 0; e <= kWinClasses; ++e)
        ExpectNear(actual.best[e], expected.best[e], what + " best " + std::to_string(e));
    for (int e = 0; e < kWinClasses; ++e)
        ExpectNear(actual.expectedRows[e], expected.expectedRows[e],
                   what + " rows " + std::to_string(e));
}

TEST(Chances, EqualTheLiteralSumOverEveryOutcome) {
    const int n = 11;
    const TTipPlan plan = MixedPlan();
    TFilterSet filters = RandomValues(n, 7);
    // The odds band and one percentage filter restrict the filtered system.
    filters.odds.active = 1;
    filters.odds.minValue = 1e5;
    filters.odds.maxValue = 1e7;
    filters.percent[0].active = 1;
    filters.percent[0].minValue = 20;
    filters.percent[0].maxValue = 40;
    filters.RecomputeChains();

    // Rows from the plan's system and from anywhere, with repeats.
    TRowList rows = testing::SystemOf(plan, n, filters);
    ASSERT_GT(rows.Count(), 20);
    const TRowList random = testing::RandomRows(n, 150, 3);
    for (std::int32_t r = 0; r < random.Count(); ++r)
        rows.Append(random.Row(r));
    rows.Append(rows.Row(0));

    for (const ChanceSource source : {ChanceSource{ChanceSource::Kind::Odds, 1},
                                      ChanceSource{ChanceSource::Kind::Percent, 2}}) {
        const OutcomeModel model = ModelOf(filters, n, source);
        PoolModel pool{ModelOf(filters, n, {ChanceSource::Kind::Percent, 4}),
                       250000.0,
                       0.5,
                       0.5,
                       {0.4, 0.2, 0.2, 0.15, 0.05}};
        const ChancesResult fast = ComputeChances(plan, n, filters, rows, model, pool);
        const ChancesResult literal = BruteForce(plan, n, filters, rows, model, pool);
        const std::string name = ChanceSourceName(source);
        ExpectNear(fast.pPlan, literal.pPlan, name + " plan");
        ExpectNear(fast.pFiltered, literal.pFiltered, name + " filtered");
        EXPECT_LT(fast.pFiltered, fast.pPlan);
        ExpectSame(fast.all, literal.all, name);
        ASSERT_TRUE(fast.filtered);
        ExpectSame(*fast.filtered, *literal.filtered, name + " given filtered");
        ASSERT_TRUE(fast.payout);
        ExpectNear(fast.payout->expected, literal.payout->expected, name + " payout");
        EXPECT_EQ(fast.payout->stake, rows.Count() * 0.5);
        for (int e = 0; e < kWinClasses; ++e)
            ExpectNear(fast.payout->byClass[e], literal.payout->byClass[e], name + " class");
        // Without a pool nothing about the payout is said.
        EXPECT_FALSE(ComputeChances(plan, n, filters, rows, model, std::nullopt).payout);
    }
}

TEST(Chances, UniformOddsGiveTheWinTableShares) {
    const int n = 11;
    const TTipPlan plan = testing::FullPlan(n);
    TFilterSet filters = RandomValues(n, 11);
    for (auto& game : filters.odds.values)
        game.fill(2.5);
    const TRowList system = testing::RandomRows(n, 2500, 5);
    const OutcomeModel model = ModelOf(filters, n, {});
    for (int g = 0; g < n; ++g)
        for (int s = 0; s < kSignCount; ++s)
            EXPECT_DOUBLE_EQ(model.p[g][s], 1.0 / 3);

    // Over every outcome, then given a filter: the probabilities are the table's shares.
    for (bool filtered : {false, true}) {
        if (filtered) {
            filters.percent[1].active = 1;
            filters.percent[1].minValue = 25;
            filters.percent[1].maxValue = 33;
            filters.RecomputeChains();
        }
        TTipPlan tablePlan = plan;
        TRowList rows = system;
        const WinTableResult table = RunWinTable(tablePlan, n, filters, {}, rows);
        const ChancesResult chances = ComputeChances(plan, n, filters, rows, model, std::nullopt);
        ASSERT_TRUE(chances.filtered);
        EXPECT_NEAR(chances.pPlan, 1.0, 1e-12);
        EXPECT_NEAR(chances.pFiltered, table.total / std::pow(3.0, n), 1e-12);
        const ClassChances& given = filtered ? *chances.filtered : chances.all;
        for (int e = 0; e < kWinClasses; ++e)
            EXPECT_NEAR(given.best[e] * 100, table.percentages[e], 1e-9) << filtered << e;
    }
}

TEST(Chances, FullSystemAndEmptySystem) {
    const int n = 12;
    const TTipPlan plan = PlanFromTendencies(
        {"531", "521", "512", "333", "530", "503", "053", "440", "500", "050", "005", "110"});
    const TFilterSet filters = RandomValues(n, 13);
    const OutcomeModel model = ModelOf(filters, n, {});

    // Without a filter the result lies in the filtered system exactly when in the full one,
    // and then the full system holds it.
    const ChancesResult full =
        ComputeChances(plan, n, filters, testing::FullSystemOf(plan, n), model, std::nullopt);
    EXPECT_GT(full.pPlan, 0.0);
    EXPECT_LT(full.pPlan, 1.0);
    EXPECT_DOUBLE_EQ(full.pFiltered, full.pPlan);
    EXPECT_NEAR(full.all.best[0], full.pPlan, 1e-12);
    ASSERT_TRUE(full.filtered);
    EXPECT_NEAR(full.filtered->best[0], 1.0, 1e-12);
    EXPECT_NEAR(full.filtered->expectedRows[0], 1.0, 1e-12);

    // An empty system wins nothing, whatever the result.
    const ChancesResult empty = ComputeChances(plan, n, filters, TRowList(n), model, std::nullopt);
    EXPECT_NEAR(empty.all.best[kNothingWon], 1.0, 1e-12);
    EXPECT_EQ(empty.all.expectedRows, (std::array<double, kWinClasses>{}));
}

TEST(Chances, FilteredSystemWithoutProbabilityHasNoConditionalChances) {
    const int n = 11;
    TFilterSet filters = RandomValues(n, 17);
    filters.odds.active = 1;
    filters.odds.minValue = filters.odds.maxValue = 0.5;  // no row's odds are that low
    const ChancesResult result =
        ComputeChances(MixedPlan(), n, filters, testing::RandomRows(n, 10, 1),
                       ModelOf(filters, n, {}), std::nullopt);
    EXPECT_EQ(result.pFiltered, 0.0);
    EXPECT_FALSE(result.filtered);
}

TEST(Chances, ValuesThatGiveNoProbabilityAreRefusedNamingTheGame) {
    const int n = 11;
    const TFilterSet good = RandomValues(n, 19);
    auto problem = [&](auto change, ChanceSource source) {
        TFilterSet filters = good;
        change(filters);
        const OutcomeModelOrProblem made = OutcomeModelOf(filters, n, source);
        EXPECT_FALSE(made.model);
        return made.problem;
    };
    const ChanceSource odds{}, percent3{ChanceSource::Kind::Percent, 3};
    EXPECT_EQ(problem([](TFilterSet& f) { f.odds.values[2][0] = 0; }, odds),
              "Spiel 3 im Quotenfilter: Die Quote für „0“ ist 0 oder kleiner; daraus ergibt sich "
              "keine Wahrscheinlichkeit.");
    EXPECT_NE(problem([](TFilterSet& f) { f.odds.values[10][2] = -1.5; }, odds).find("Spiel 11"),
              std::string::npos);
    EXPECT_EQ(problem([](TFilterSet& f) { f.percent[2].values[4].fill(0); }, percent3),
              "Spiel 5 in Prozentfilter 3: Die drei Werte ergeben zusammen 0; daraus ergibt sich "
              "keine Wahrscheinlichkeit.");
    EXPECT_NE(problem([](TFilterSet& f) { f.percent[2].values[0][1] = -5; }, percent3)
                  .find("Spiel 1 in Prozentfilter 3: Der Wert für „1“ ist negativ"),
              std::string::npos);
    EXPECT_NE(problem([](TFilterSet& f) { f.odds.values[6][1] = std::nan(""); }, odds)
                  .find("Spiel 7 im Quotenfilter: Der Wert für „1“ ist keine Zahl"),
              std::string::npos);
    // A fresh week's percentage filters hold zeros everywhere.
    EXPECT_NE(
        OutcomeModelOf(TFilterSet{}, n, {ChanceSource::Kind::Percent, 1}).problem.find("Spiel 1"),
        std::string::npos);
    // Games beyond the game count do not matter; a zero percentage of one sign is allowed.
    TFilterSet filters = good;
    filters.odds.values[11].fill(0);
    filters.percent[0].values[0] = {0, 30, 70};
    EXPECT_TRUE(OutcomeModelOf(filters, n, odds).model);
    EXPECT_TRUE(OutcomeModelOf(filters, n, {ChanceSource::Kind::Percent, 1}).model);
    // Odds 2, 4, 4 are the probabilities 1/2, 1/4, 1/4 without the margin.
    filters.odds.values[0] = {2, 4, 4};
    const OutcomeModel model = ModelOf(filters, n, odds);
    EXPECT_DOUBLE_EQ(model.p[0][0], 0.5);
    EXPECT_DOUBLE_EQ(model.p[0][2], 0.25);
}

TEST(Chances, PoolNumbersOutsideTheirRangeAreRefused) {
    const std::array<double, kWinClasses> shares{0.4, 0.2, 0.2, 0.2, 0};
    EXPECT_EQ(PoolProblem(1e6, 0.5, 0.5, shares), "");
    EXPECT_EQ(PoolProblem(0, 0.5, 0, {}), "");
    EXPECT_NE(PoolProblem(-1, 0.5, 0.5, shares), "");
    EXPECT_EQ(PoolProblem(1e6, 0, 0.5, shares), "Der Preis pro Reihe muss größer als 0 sein.");
    EXPECT_NE(PoolProblem(1e6, 0.5, 1.5, shares), "");
    EXPECT_EQ(PoolProblem(1e6, 0.5, 0.5, {0.4, 0.2, -0.1, 0.2, 0}),
              "Der Anteil des 3. Rangs muss zwischen 0 und 100 % liegen.");
    EXPECT_EQ(PoolProblem(1e6, 0.5, 0.5, {0.5, 0.3, 0.3, 0, 0}),
              "Die Anteile der Ränge ergeben zusammen mehr als 100 %.");
    EXPECT_NE(PoolProblem(std::nan(""), 0.5, 0.5, shares), "");
    // So many other rows that their number is no longer finite.
    EXPECT_NE(PoolProblem(1e300, 1e-300, 0.5, shares), "");
}

}  // namespace
}  // namespace velmora
