#include "filters/blockeditor.h"

#include <gtest/gtest.h>

#include "filterrows.h"
#include "support/testplans.h"

namespace velmora {
namespace {

std::vector<std::string> Captions(const std::vector<ListButton>& buttons) {
    std::vector<std::string> captions;
    for (const ListButton& b : buttons)
        captions.push_back(b.name + " " + b.caption + (b.red ? " rot" : ""));
    return captions;
}

TEST(BlockButtons, OnePerBlockAndOneForANewBlock) {
    EXPECT_EQ(Captions(BlockButtons({})), std::vector<std::string>{"but_1 1.Filter"});
    const std::vector<TBlockFilter> blocks = {testing::BlockOn(1, 11, 0, 11, 11, true),
                                              testing::BlockOn(0, 11, 0, 11, 11)};
    const std::vector<ListButton> buttons = BlockButtons(blocks);
    EXPECT_EQ(Captions(buttons),
              (std::vector<std::string>{"but_1 1.Filter rot", "but_2 2.Filter", "but_3 3.Filter"}));
    EXPECT_EQ(buttons[2].left, 220);
    EXPECT_EQ(buttons[2].top, 110);
    EXPECT_EQ(buttons[2].width, 80);
    EXPECT_EQ(buttons[2].height, 20);
}

TEST(BlockListEditing, StoringReplacesOrAppendsAndDeletingRenumbers) {
    std::vector<TBlockFilter> blocks;
    const TBlockFilter a = testing::BlockOn(1, 11, 1, 11, 11);
    const TBlockFilter b = testing::BlockOn(0, 11, 2, 11, 11);
    const TBlockFilter c = testing::BlockOn(2, 11, 3, 11, 11);
    EXPECT_FALSE(StoreNumberedEntry(blocks, 2, a));  // no gap may arise
    EXPECT_FALSE(StoreNumberedEntry(blocks, 0, a));
    EXPECT_TRUE(blocks.empty());
    EXPECT_TRUE(StoreNumberedEntry(blocks, 1, a));
    EXPECT_TRUE(StoreNumberedEntry(blocks, 2, a));
    EXPECT_TRUE(StoreNumberedEntry(blocks, 3, c));
    EXPECT_TRUE(StoreNumberedEntry(blocks, 2, b));  // replaces
    EXPECT_EQ(blocks, (std::vector<TBlockFilter>{a, b, c}));

    EXPECT_TRUE(DeleteNumberedEntry(blocks, 2));
    EXPECT_EQ(blocks, (std::vector<TBlockFilter>{a, c}));
    EXPECT_EQ(Captions(BlockButtons(blocks)).size(), 3u);
    EXPECT_FALSE(DeleteNumberedEntry(blocks, 3));  // the button of a new block
    EXPECT_FALSE(DeleteNumberedEntry(blocks, 0));
    EXPECT_EQ(blocks.size(), 2u);
}

TEST(BlockForm, CaptionsFollowTheBlockNumber) {
    EXPECT_EQ(BlockFormName(3), "block_3");
    EXPECT_EQ(BlockFormCaption(3), "Filterblock 3");
    EXPECT_EQ(BlockOrCaption(3), "oder Filter 4");
}

TEST(BlockForm, ANewBlockAllowsEverything) {
    for (int n = kMinGames; n <= kMaxGames; ++n) {
        const BlockFormFields fields = ShowBlock({}, 1, n);
        EXPECT_EQ(fields.minHits, 0);
        EXPECT_EQ(fields.maxHits, n);
        EXPECT_EQ(fields.maxRun, n);
        EXPECT_FALSE(fields.orNext);
        EXPECT_EQ(fields.marks, MarkGrid{});
        const TBlockFilter block = NewBlock(n);
        EXPECT_TRUE(passesBlock(testing::Row("11111111111111").data(), block, n));
    }
}

TEST(BlockForm, ShowingAndConfirmingGivesTheBlockBack) {
    TBlockFilter block = testing::BlockOn(2, 12, 2, 9, 3, true);
    block.SetMarked(5, 0, true);
    const std::vector<TBlockFilter> blocks = {block};
    const BlockFormFields fields = ShowBlock(blocks, 1, 12);
    EXPECT_TRUE(fields.marks[4][0]);
    EXPECT_TRUE(fields.orNext);
    EXPECT_EQ(BuildBlock(fields, 12), block);
}

TEST(BlockForm, ConfirmingKeepsGamesBeyondNUnmarkedAndValuesWithinTheSpins) {
    BlockFormFields fields;
    for (auto& game : fields.marks)
        game = {true, true, true};
    fields.minHits = -3;
    fields.maxHits = 40;
    fields.maxRun = 12;
    const TBlockFilter block = BuildBlock(fields, 11);
    for (Sign s = 0; s < kSignCount; ++s) {
        EXPECT_TRUE(block.Marked(11, s));
        EXPECT_FALSE(block.Marked(12, s));
        EXPECT_FALSE(block.Marked(14, s));
    }
    EXPECT_EQ(block.minHits, 0);
    EXPECT_EQ(block.maxHits, 11);
    EXPECT_EQ(block.maxRun, 11);
    EXPECT_EQ(block.orNext, 0);
}

TEST(BlockForm, AMinimumAboveTheMaximumIsRefused) {
    BlockFormFields fields;
    fields.minHits = fields.maxHits = 4;
    EXPECT_EQ(BlockBoundsError(fields), "");
    fields.minHits = 5;
    EXPECT_EQ(BlockBoundsError(fields),
              "\"mindestens\" (5) ist größer als \"höchstens\" (4): diesen Block erfüllt keine "
              "Reihe.");
}

TEST(BlockForm, SelectionHelpOnlyAddsMarksAndLeavesThePlanAlone) {
    // "1" and "0" tipped in game 1 (main tip "0"), only "2" in game 2, rest "1".
    std::vector<std::string> games(11, "300");
    games[0] = "250";
    games[1] = "001";
    TTipPlan plan = testing::PlanFromTendencies(games);
    plan.AllToDisplayOrder(11);
    const TTipPlan before = plan;

    MarkGrid marks{};
    marks[2][2] = true;  // a mark of the user's, kept by every help
    MarkAllowedSign(marks, plan, 11, 1);
    EXPECT_TRUE(marks[0][1]);
    EXPECT_FALSE(marks[1][1]);
    EXPECT_TRUE(marks[10][1]);
    EXPECT_TRUE(marks[2][2]);

    MarkGrid main{};
    MarkMainTips(main, plan, 11);
    EXPECT_TRUE(main[0][0]);
    EXPECT_FALSE(main[0][1]);
    EXPECT_TRUE(main[1][2]);
    EXPECT_TRUE(main[5][1]);
    EXPECT_EQ(plan, before);  // the copy was sorted, not the plan

    MarkGrid tendency{};
    MarkTendency(tendency, plan, 11, 5);
    EXPECT_TRUE(tendency[0][0]);
    EXPECT_FALSE(tendency[0][1]);
    EXPECT_FALSE(tendency[5][1]);
    MarkTendency(tendency, plan, 11, 3);
    EXPECT_TRUE(tendency[5][1]);
    EXPECT_TRUE(tendency[0][0]);  // added to, not replaced

    MarkGrid untipped{};
    MarkTendency(untipped, plan, 11, 0);
    EXPECT_TRUE(untipped[0][2]);
    EXPECT_TRUE(untipped[10][0]);
    EXPECT_FALSE(untipped[10][1]);
    EXPECT_FALSE(untipped[11][0]);  // games beyond n stay unmarked

    ToggleMark(tendency, 1, 0);
    EXPECT_FALSE(tendency[0][0]);
    ToggleMark(tendency, 1, 0);
    EXPECT_TRUE(tendency[0][0]);
}

}  // namespace
}  // namespace velmora
