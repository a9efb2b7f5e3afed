#include "filters/sequenceeditor.h"

#include <gtest/gtest.h>

#include "filterrows.h"

namespace velmora {
namespace {

using testing::Rule;

TEST(SequenceButtons, CaptionsDescribeTheRules) {
    EXPECT_EQ(SequenceCaption(Rule("1*0", 1, 3, true)), "1*0  1-3 or");
    EXPECT_EQ(SequenceCaption(Rule("22", 0, 8)), "22  0-8");
    const std::vector<TSequenceRule> rules = {Rule("1*0", 1, 3, true), Rule("*", 0, 2)};
    const std::vector<ListButton> buttons = SequenceButtons(rules);
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[0].name, "btseq_1");
    EXPECT_EQ(buttons[1].caption, "*  0-2");
    EXPECT_EQ(buttons[2].name, "btseq_3");
    EXPECT_EQ(buttons[2].caption, "3. Sequenz");
    EXPECT_EQ(buttons[2].left, 320);
    EXPECT_EQ(buttons[2].top, 160);
    EXPECT_EQ(buttons[2].width, 150);

    EXPECT_EQ(SequenceButtons({})[0].caption, "1. Sequenz");
    ASSERT_EQ(SequenceButtonsAfterNew().size(), 1u);
    EXPECT_EQ(SequenceButtonsAfterNew()[0].caption, "1.Sequenz");
    EXPECT_EQ(SequenceFormCaption(2), "2. Sequenz");
    EXPECT_EQ(SequenceOrCaption(2), "oder Sequenz 3");
}

TEST(SequenceForm, PatternKeys) {
    EXPECT_EQ(SequencePatternKey("", U'0'), '0');
    EXPECT_EQ(SequencePatternKey("", U'2'), '2');
    EXPECT_EQ(SequencePatternKey("", U'*'), '*');
    EXPECT_EQ(SequencePatternKey("1", U' '), '*');
    EXPECT_EQ(SequencePatternKey("", U'3'), std::nullopt);
    EXPECT_EQ(SequencePatternKey("", U'a'), std::nullopt);
    EXPECT_EQ(SequencePatternKey("", U'\r'), std::nullopt);
    EXPECT_EQ(SequencePatternKey("", U'ü'), std::nullopt);
    EXPECT_EQ(SequencePatternKey("1210*1*", U'1'), '1');
    EXPECT_EQ(SequencePatternKey("1210*1*1", U'1'), std::nullopt);
    EXPECT_EQ(SequencePatternKey("1210*1*1", U' '), std::nullopt);
    EXPECT_EQ(SequencePatternKey("1210*1*1", U'\b'), '\b');
    EXPECT_EQ(SequencePatternKey("", U'\b'), '\b');
}

TEST(SequenceForm, ANewRuleAllowsUpToEightOccurrences) {
    for (int n = kMinGames; n <= kMaxGames; ++n) {
        const SequenceFormFields fields = ShowSequence({}, 1, n);
        EXPECT_EQ(fields.pattern, "");
        EXPECT_EQ(fields.minCount, 0);
        EXPECT_EQ(fields.maxCount, 8);
        EXPECT_FALSE(fields.orNext);
    }
}

TEST(SequenceForm, ShowingAndConfirmingGivesTheRuleBack) {
    const std::vector<TSequenceRule> rules = {Rule("1*0", 1, 3, true), Rule("2**2", 0, 2)};
    for (int number = 1; number <= 2; ++number) {
        const SequenceConfirmation built = BuildSequenceRule(ShowSequence(rules, number, 13));
        ASSERT_TRUE(built.rule) << built.error;
        EXPECT_EQ(*built.rule, rules[number - 1]);
    }
}

TEST(SequenceForm, ConfirmingBuildsTheRecord) {
    const SequenceConfirmation built = BuildSequenceRule({"1*02", 2, 5, true});
    ASSERT_TRUE(built.rule);
    const TSequenceRule& rule = *built.rule;
    EXPECT_EQ(rule.length, 4);
    EXPECT_EQ(rule.pattern[0], 1);
    EXPECT_EQ(rule.pattern[1], kAnySign);
    EXPECT_EQ(rule.pattern[2], 0);
    EXPECT_EQ(rule.pattern[3], 2);
    EXPECT_EQ(rule.pattern[4], 0);
    EXPECT_EQ(rule.minCount, 2);
    EXPECT_EQ(rule.maxCount, 5);
    EXPECT_EQ(rule.orNext, 1);
}

TEST(SequenceForm, AnEmptyPatternStoresNothingAndBadInputIsRefused) {
    const SequenceConfirmation empty = BuildSequenceRule({"", 0, 8, false});
    EXPECT_FALSE(empty.rule);
    EXPECT_EQ(empty.error, "");

    const SequenceConfirmation foreign = BuildSequenceRule({"1x0", 0, 8, false});
    EXPECT_FALSE(foreign.rule);
    EXPECT_EQ(foreign.error,
              "'1x0' ist keine gültige Sequenz: erlaubt sind bis zu 8 Zeichen aus 0, 1, 2 und *.");
    EXPECT_FALSE(BuildSequenceRule({"111111111", 0, 8, false}).rule);
    EXPECT_TRUE(BuildSequenceRule({"11111111", 0, 8, false}).rule);
    EXPECT_FALSE(BuildSequenceRule({"11", 7, 8, false}).rule);
    EXPECT_FALSE(BuildSequenceRule({"11", 0, 9, false}).rule);
    EXPECT_FALSE(BuildSequenceRule({"11", -1, 8, false}).error.empty());
    EXPECT_TRUE(BuildSequenceRule({"11", 3, 3, false}).rule);
    const SequenceConfirmation crossed = BuildSequenceRule({"11", 4, 3, false});
    EXPECT_FALSE(crossed.rule);
    EXPECT_EQ(crossed.error,
              "\"mindestens\" (4) ist größer als \"höchstens\" (3): diese Sequenz erfüllt keine "
              "Reihe.");
}

TEST(SequenceListEditing, StoringAppendsAndDeletingRenumbersTheButtons) {
    std::vector<TSequenceRule> rules;
    ASSERT_TRUE(StoreNumberedEntry(rules, 1, Rule("11", 0, 1)));
    ASSERT_TRUE(StoreNumberedEntry(rules, 2, Rule("22", 0, 1)));
    ASSERT_TRUE(StoreNumberedEntry(rules, 3, Rule("00", 0, 1)));
    ASSERT_TRUE(DeleteNumberedEntry(rules, 1));
    const std::vector<ListButton> buttons = SequenceButtons(rules);
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[0].caption, "22  0-1");
    EXPECT_EQ(buttons[1].caption, "00  0-1");
    EXPECT_EQ(buttons[2].caption, "3. Sequenz");
}

}  // namespace
}  // namespace velmora
