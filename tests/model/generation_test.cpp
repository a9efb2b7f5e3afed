#include "model/generation.h"

#include <gtest/gtest.h>

#include "support/testplans.h"

namespace velmora {
namespace {

using testing::PlanFromTendencies;

struct FakeView : GenerationView {
    std::vector<std::string> events;
    std::vector<std::string> messages;
    AbortFlag* abortOnFirstStep = nullptr;

    void ShowProgressWindow() override { events.push_back("show"); }
    void HideProgressWindow() override { events.push_back("hide"); }
    void ShowSystemSize(std::int32_t rows) override {
        events.push_back("size " + std::to_string(rows));
    }
    void ShowCoverageWarning(const TCoverageTable&) override { events.push_back("coverage"); }
    void ShowMessage(MessageKind, const std::string& text) override { messages.push_back(text); }
    void ProcessEvents() override {
        if (abortOnFirstStep)
            abortOnFirstStep->Set();
    }
};

GenerationSettings Limit(RowLimit limit, int level, const std::string& countText) {
    GenerationSettings settings;
    settings.limit = limit;
    settings.guaranteeLevel = level;
    settings.countText = countText;
    return settings;
}

std::vector<std::string> WeekOf729() {
    std::vector<std::string> games(11, "500");
    for (int g = 0; g < 6; ++g)
        games[g] = "531";
    return games;
}

struct Week {
    explicit Week(TTipPlan p) : plan(std::move(p)) {}

    TTipPlan plan;
    TRowList rows{11};
    FakeView view;
    AbortFlag abort;
    TFilterSet filters;

    GenerationOutcome Start(const GenerationSettings& settings, int n = 11) {
        return RunGeneration(n, plan, filters, settings, rows, abort, view, 42);
    }
};

TEST(Generation, FullSystemWithoutReduction) {
    Week run(PlanFromTendencies(WeekOf729()));
    const GenerationOutcome outcome = run.Start(Limit(RowLimit::Guarantee, 0, "1"));
    EXPECT_TRUE(outcome.generated);
    EXPECT_EQ(outcome.candidates, 729);
    EXPECT_FALSE(outcome.coverageFailed);
    EXPECT_EQ(run.rows.Count(), 729);
    EXPECT_EQ(run.view.events, (std::vector<std::string>{"show", "size 729", "hide"}));
}

TEST(Generation, GuaranteeAndCountLimits) {
    Week guarantee(PlanFromTendencies(WeekOf729()));
    guarantee.Start(Limit(RowLimit::Guarantee, 1, "1"));
    EXPECT_LT(guarantee.rows.Count(), 729);
    EXPECT_GT(guarantee.rows.Count(), 729 / 13);

    Week count(PlanFromTendencies(WeekOf729()));
    count.Start(Limit(RowLimit::Count, 0, "100"));
    EXPECT_EQ(count.rows.Count(), 100);
    EXPECT_TRUE(count.view.messages.empty());

    Week tooMany(PlanFromTendencies(WeekOf729()));
    tooMany.Start(Limit(RowLimit::Count, 0, "729"));
    EXPECT_EQ(tooMany.rows.Count(), 729);
    EXPECT_EQ(tooMany.view.messages,
              std::vector<std::string>{
                  "Vorgegebene Zahl ist größer als Vollsystem nach Filterdurchlauf"});
}

TEST(Generation, OptimisedGuaranteeIsCheckedAgainstTheFilteredSystem) {
    Week fixed(PlanFromTendencies(WeekOf729()));
    EXPECT_FALSE(fixed.Start(Limit(RowLimit::Guarantee, 2, "1")).guaranteeCheck);

    GenerationSettings settings = Limit(RowLimit::Guarantee, 2, "1");
    settings.optimised = true;
    settings.optimisation.maxIterations = 20000;
    Week optimised(PlanFromTendencies(WeekOf729()));
    const GenerationOutcome outcome = optimised.Start(settings);
    ASSERT_TRUE(outcome.guaranteeCheck);
    const GuaranteeCheck& check = *outcome.guaranteeCheck;
    EXPECT_EQ(check.listRows, 729);
    EXPECT_EQ(check.keptRows, optimised.rows.Count());
    EXPECT_EQ(check.uncovered, 0);
    EXPECT_EQ(check.level, 2);
    EXPECT_LT(optimised.rows.Count(), fixed.rows.Count());
    EXPECT_EQ(GuaranteeCheckText(check), "Garantie geprüft: alle 729 Reihen abgedeckt");
    EXPECT_EQ(GuaranteeCheckText({729, 80, 3, 2}),
              "Garantie verletzt: 3 von 729 Reihen nicht abgedeckt");

    // The row-count limit has nothing to check, optimised or not.
    settings.limit = RowLimit::Count;
    settings.countText = "100";
    Week count(PlanFromTendencies(WeekOf729()));
    EXPECT_FALSE(count.Start(settings).guaranteeCheck);
    EXPECT_EQ(count.rows.Count(), 100);
}

TEST(Generation, EmptyRowCountFieldKeepsTheUnreducedRowsAndTheWindowUsable) {
    Week run(PlanFromTendencies(WeekOf729()));
    run.Start(Limit(RowLimit::Count, 0, ""));
    EXPECT_EQ(run.view.messages, std::vector<std::string>{"'' ist kein gültiger Integerwert"});
    EXPECT_EQ(run.rows.Count(), 729);
    EXPECT_EQ(run.view.events.back(), "hide");
}

TEST(Generation, IncompletePlanGeneratesNothingButStillChecksCoverage) {
    std::vector<std::string> games = WeekOf729();
    games[10] = "000";
    Week run(PlanFromTendencies(games));
    run.rows = testing::RowsFromStrings({"11111111111"});
    const GenerationOutcome outcome = run.Start(Limit(RowLimit::Guarantee, 0, "1"));
    EXPECT_FALSE(outcome.generated);
    EXPECT_EQ(run.rows.Count(), 1);
    EXPECT_TRUE(outcome.coverageFailed);  // the one row lacks most tipped signs
    EXPECT_EQ(run.view.events, (std::vector<std::string>{"show", "coverage", "hide"}));
}

TEST(Generation, SignChangeFilterCanLeaveATippedSignUncovered) {
    // Games 1 and 2 allow "1" and "0"; with no sign change allowed only the row of
    // eleven "1" passes, so "0" is gone from both games.
    std::vector<std::string> games(11, "500");
    games[0] = games[1] = "530";
    Week run(PlanFromTendencies(games));
    run.filters.signChange = {0, 0, 0, 10, 0};
    const GenerationOutcome outcome = run.Start(Limit(RowLimit::Guarantee, 0, "1"));
    EXPECT_EQ(outcome.candidates, 4);
    EXPECT_EQ(testing::RowStrings(run.rows), std::vector<std::string>{"11111111111"});
    EXPECT_TRUE(outcome.coverageFailed);
}

TEST(Generation, AbortDuringEnumeration) {
    // With a guarantee the reduction stops at once and the system ends up empty; with
    // the guarantee N the rows accepted so far stay.
    for (int level : {0, 1}) {
        Week run(PlanFromTendencies(WeekOf729()));
        run.view.abortOnFirstStep = &run.abort;
        run.Start(Limit(RowLimit::Guarantee, level, "1"));
        EXPECT_EQ(run.rows.Count(), level == 0 ? 3 : 0) << level;
    }
}

TEST(Generation, LeavesThePlanInTendencyOrder) {
    Week run(PlanFromTendencies(WeekOf729()));
    run.plan.AllToDisplayOrder(11);
    run.Start(Limit(RowLimit::Guarantee, 0, "1"));
    EXPECT_EQ(run.plan.Game(1).pairs[0].sign, 1);
    EXPECT_EQ(run.plan.Game(1).pairs[1].sign, 0);
    EXPECT_EQ(run.plan.Game(1).pairs[2].sign, 2);
    TTipPlan sorted = run.plan;
    sorted.AllToTendencyOrder(11);
    EXPECT_EQ(sorted, run.plan);
}

TEST(Coverage, FlagsExactlyTheSignsPresent) {
    const TRowList rows = testing::RowsFromStrings({"10000000000", "20000000001"});
    const TCoverageTable table = UpdateCoverage(rows);
    EXPECT_TRUE(table.Covered(1, 1));
    EXPECT_TRUE(table.Covered(1, 2));
    EXPECT_FALSE(table.Covered(1, 0));
    EXPECT_TRUE(table.Covered(11, 1));
    EXPECT_FALSE(table.Covered(12, 0));

    const TTipPlan plan = PlanFromTendencies(std::vector<std::string>(11, "531"));
    const auto missing = MissingSigns(plan, 11, table);
    EXPECT_EQ(missing.front(), (GameSign{1, 0}));
    EXPECT_EQ(missing.size(), 1u + 9u * 2u + 1u);  // game 1, games 2 to 10, game 11
}

TEST(ParseInteger, AcceptsOnlyAWholeNumberThatFits) {
    EXPECT_EQ(ParseInteger("150"), 150);
    EXPECT_EQ(ParseInteger("007"), 7);
    EXPECT_FALSE(ParseInteger(""));
    EXPECT_FALSE(ParseInteger("12a"));
    EXPECT_FALSE(ParseInteger("99999999999"));
}

}  // namespace
}  // namespace velmora
