#include "filters/percenteditor.h"

#include <gtest/gtest.h>

#include "filterrows.h"
#include "support/testplans.h"

namespace velmora {
namespace {

// Game g's cells in the grid's order "1", "0", "2".
std::array<std::string, 3> Shown(const ValueFormFields& fields, int game) {
    const auto& cells = fields.cells[game - 1];
    return {cells[1], cells[0], cells[2]};
}

void Enter(ValueFormFields& fields, int game, std::string one, std::string zero, std::string two) {
    auto& cells = fields.cells[game - 1];
    cells[1] = std::move(one);
    cells[0] = std::move(zero);
    cells[2] = std::move(two);
}

TEST(PercentForm, CaptionsOfTheFiveForms) {
    EXPECT_EQ(PercentFormCaption(1), "Prozform1");
    EXPECT_EQ(PercentFormCaption(5), "Prozform5");
    EXPECT_EQ(PercentMinimumLabel(1), "Mindestens");
    EXPECT_EQ(PercentMinimumLabel(2), "Mindetstens");
    EXPECT_EQ(PercentMinimumLabel(3), "Mindestens");
    EXPECT_EQ(PercentLoadButtonCaption(1), "");
    EXPECT_EQ(PercentLoadButtonCaption(2), "Block 1 laden");
    EXPECT_EQ(PercentLoadButtonCaption(4), "Blockladen");
    EXPECT_EQ(PercentLoadSourceLimit(1), 0);
    EXPECT_EQ(PercentLoadSourceLimit(5), 4);
}

TEST(PercentForm, ShowsCellsWithAPointAndTheBandWithAComma) {
    TFilterValueRecord filter;
    filter.values[0] = {33.33, 50.0, 1e20};  // "0", "1", "2"
    filter.values[1] = {0.1, 1.0 / 3.0, 0.00001};
    filter.minValue = 12.5;
    filter.maxValue = 1234567.891;
    filter.orNext = 1;
    const ValueFormFields fields = ShowPercentFilter(filter, 11);
    EXPECT_EQ(Shown(fields, 1), (std::array<std::string, 3>{"50", "33.33", "1e+20"}));
    EXPECT_EQ(Shown(fields, 2), (std::array<std::string, 3>{"0.333333333333333", "0.1", "1e-05"}));
    EXPECT_EQ(fields.cells[11][0], "");  // beyond the game count
    EXPECT_EQ(fields.minText, "12,5");
    EXPECT_EQ(fields.maxText, "1234567,891");
    EXPECT_FALSE(fields.active);
    EXPECT_TRUE(fields.orNext);
    EXPECT_EQ(PercentCellEditText(""), "0");
    EXPECT_EQ(PercentCellEditText("7,5"), "7,5");
}

TEST(PercentForm, KeysAllowDecimalCommaNumbersOnly) {
    EXPECT_EQ(PercentKey(U'7'), '7');
    EXPECT_EQ(PercentKey(U','), ',');
    EXPECT_EQ(PercentKey(U'.'), ',');
    EXPECT_EQ(PercentKey(kBackspaceKey), '\b');
    EXPECT_EQ(PercentKey(kEnterKey), std::nullopt);
    EXPECT_EQ(PercentKey(U'-'), std::nullopt);
    EXPECT_EQ(PercentKey(U'e'), std::nullopt);
}

TEST(PercentForm, LoadsTheTipPlansTendencies) {
    std::vector<std::string> games(12, "000");
    games[0] = "531";
    games[11] = "900";  // beyond 11 games
    TTipPlan plan = testing::PlanFromTendencies(games);
    plan.SetTendency(2, 0, -3);
    ValueFormFields fields;
    LoadTipPlanTendencies(fields, plan, 11);
    EXPECT_EQ(Shown(fields, 1), (std::array<std::string, 3>{"5", "3", "1"}));
    EXPECT_EQ(Shown(fields, 2), (std::array<std::string, 3>{"0", "-3", "0"}));
    EXPECT_EQ(Shown(fields, 12), (std::array<std::string, 3>{"", "", ""}));
}

TEST(PercentForm, ConversionToPercentages) {
    ValueFormFields fields;
    Enter(fields, 1, "30", "20", "50");
    Enter(fields, 2, "1", "1", "1");
    Enter(fields, 3, "12,5", "12,5", "25");
    Enter(fields, 4, "3", "", "1x");
    Enter(fields, 5, "2", "0", "0");
    for (int g = 6; g <= 11; ++g)
        Enter(fields, g, "1", "2", "1");
    Enter(fields, 12, "0", "0", "0");  // beyond the game count: not looked at
    EXPECT_EQ(ConvertToPercentages(fields, 11), std::nullopt);
    EXPECT_EQ(Shown(fields, 1), (std::array<std::string, 3>{"30", "20", "50"}));
    EXPECT_EQ(Shown(fields, 2), (std::array<std::string, 3>{"33,33", "33,33", "33,33"}));
    EXPECT_EQ(Shown(fields, 3), (std::array<std::string, 3>{"24,49", "24,49", "51,02"}));
    EXPECT_EQ(Shown(fields, 4), (std::array<std::string, 3>{"75", "0", "25"}));
    EXPECT_EQ(Shown(fields, 5), (std::array<std::string, 3>{"100", "0", "0"}));
    EXPECT_EQ(Shown(fields, 6), (std::array<std::string, 3>{"25", "50", "25"}));
}

TEST(PercentForm, ConversionStopsAtAGameWithoutSum) {
    ValueFormFields fields;
    for (int g = 1; g <= 11; ++g)
        Enter(fields, g, "1", "1", "2");
    Enter(fields, 3, "", "0", "0,5");
    EXPECT_EQ(ConvertToPercentages(fields, 11), "Fehler bei Fließkommaoperation");
    EXPECT_EQ(Shown(fields, 2), (std::array<std::string, 3>{"25", "25", "50"}));
    EXPECT_EQ(Shown(fields, 3), (std::array<std::string, 3>{"", "0", "0,5"}));
    EXPECT_EQ(Shown(fields, 4), (std::array<std::string, 3>{"1", "1", "2"}));

    // Negative tendencies come in with "Tipplan einladen" and can cancel out.
    Enter(fields, 3, "-3", "3", "0");
    EXPECT_EQ(ConvertToPercentages(fields, 11), "Fließkommadivision durch Null");
    EXPECT_EQ(Shown(fields, 3), (std::array<std::string, 3>{"-3", "3", "0"}));
}

TEST(PercentForm, BandAndFlagsTakeEffectOnOk) {
    TFilterSet filters = TFilterSet::PassingAll(11);
    ValueFormFields fields = ShowPercentFilter(filters.percent[1], 11);
    fields.minText = "12,5";
    fields.maxText = "1e+20";
    fields.active = true;
    Enter(fields, 1, "33.33", "1,5", "7");
    const PercentConfirmation done = ConfirmPercentFilter(fields, 11, filters, 2);
    EXPECT_TRUE(done.closed);
    EXPECT_EQ(done.error, "");
    EXPECT_TRUE(done.flagsChanged);
    const TPercentFilter& stored = filters.percent[1];
    EXPECT_EQ(stored.minValue, 12.5);
    EXPECT_EQ(stored.maxValue, 1e20);
    EXPECT_EQ(stored.active, 1);
    EXPECT_EQ(stored.Value(1, 1), 33.33);
    EXPECT_EQ(stored.Value(1, 0), 1.5);
    EXPECT_EQ(stored.Value(1, 2), 7.0);
    EXPECT_EQ(filters.chainCount(), 1);
    EXPECT_EQ(filters.requiredChains, 1);

    // Unchanged flags leave a lowered required count alone.
    filters.requiredChains = 0;
    EXPECT_FALSE(ConfirmPercentFilter(fields, 11, filters, 2).flagsChanged);
    EXPECT_EQ(filters.requiredChains, 0);
    // A shown filter is confirmed unchanged.
    const TPercentFilter before = filters.percent[1];
    EXPECT_TRUE(ConfirmPercentFilter(ShowPercentFilter(before, 11), 11, filters, 2).closed);
    EXPECT_EQ(filters.percent[1], before);
}

TEST(PercentForm, OkStoresAllOrNothing) {
    TFilterSet filters = TFilterSet::PassingAll(11);
    filters.percent[0].minValue = 1.0;
    filters.percent[0].maxValue = 2.0;
    const TFilterSet before = filters;
    ValueFormFields fields = ShowPercentFilter(filters.percent[0], 11);
    fields.minText = "5";
    fields.maxText = "1.5";  // a point in a band field is no decimal comma
    PercentConfirmation stopped = ConfirmPercentFilter(fields, 11, filters, 1);
    EXPECT_FALSE(stopped.closed);
    EXPECT_EQ(stopped.error, "'1.5' ist kein gültiger Fließkommawert");
    EXPECT_EQ(filters, before);
    EXPECT_FALSE(stopped.activeStored);

    // A bad cell late in the grid keeps the band, the earlier cells and the flags out too.
    fields.maxText = "90";
    fields.active = true;
    Enter(fields, 2, "40", "", "9");  // the grid's order is "1", "0", "2"
    Enter(fields, 3, "7", "7", "7");
    stopped = ConfirmPercentFilter(fields, 11, filters, 1);
    EXPECT_FALSE(stopped.closed);
    EXPECT_EQ(stopped.error, "'' ist kein gültiger Fließkommawert");
    EXPECT_EQ(filters, before);
    EXPECT_FALSE(stopped.activeStored);

    Enter(fields, 2, "40", "3", "4,5,6");
    EXPECT_EQ(ConfirmPercentFilter(fields, 11, filters, 1).error,
              "'4,5,6' ist kein gültiger Fließkommawert");
    EXPECT_EQ(filters, before);

    Enter(fields, 2, "40", "3", "4,5");
    const PercentConfirmation done = ConfirmPercentFilter(fields, 11, filters, 1);
    EXPECT_TRUE(done.closed);
    EXPECT_TRUE(done.flagsChanged);
    EXPECT_EQ(filters.percent[0].minValue, 5.0);
    EXPECT_EQ(filters.percent[0].Value(2, 2), 4.5);
    EXPECT_EQ(filters.requiredChains, 1);
}

TEST(PercentForm, LoadingAnotherFilterCopiesItWhole) {
    TFilterSet filters = TFilterSet::PassingAll(11);
    filters.percent[0] = TPercentFilter{};
    static_cast<TFilterValueRecord&>(filters.percent[0]) =
        testing::SameInEveryGame(40, 30, 30, 35, 45);
    filters.percent[0].orNext = 1;
    filters.percent[2].active = 1;
    filters.RecomputeChains();
    EXPECT_EQ(filters.requiredChains, 1);

    EXPECT_EQ(LoadPercentFilter(filters, 2, 1), true);
    EXPECT_EQ(filters.percent[1], filters.percent[0]);
    EXPECT_EQ(filters.requiredChains, filters.chainCount());
    EXPECT_EQ(LoadPercentFilter(filters, 4, 2), true);
    EXPECT_EQ(filters.requiredChains, filters.chainCount());
    filters.requiredChains = 0;
    EXPECT_EQ(LoadPercentFilter(filters, 4, 1), false);  // same flags: the count stays
    EXPECT_EQ(filters.requiredChains, 0);

    EXPECT_EQ(LoadPercentFilter(filters, 1, 1), std::nullopt);
    EXPECT_EQ(LoadPercentFilter(filters, 3, 3), std::nullopt);
    EXPECT_EQ(LoadPercentFilter(filters, 6, 1), std::nullopt);
}

}  // namespace
}  // namespace velmora
