#include "filters/filterdisplay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filterrows.h"

namespace velmora {
namespace {

using testing::BlockOn;

TResultRow ResultOf(const std::string& text) {
    TResultRow result;
    for (std::size_t g = 0; g < text.size(); ++g)
        result.signs[g] = text[g] == '?' ? kAnySign : static_cast<Sign>(text[g] - '0');
    return result;
}

std::vector<PlacedText> CheckTexts(const FilterCheckPicture& picture) {
    std::vector<PlacedText> texts{picture.top};
    texts.insert(texts.end(), picture.gameLabels.begin(), picture.gameLabels.end());
    for (const CheckColumn& column : picture.columns) {
        texts.push_back(column.header);
        texts.insert(texts.end(), column.signs.begin(), column.signs.end());
        texts.insert(texts.end(), column.headings.begin(), column.headings.end());
        texts.insert(texts.end(), column.values.begin(), column.values.end());
    }
    return texts;
}

// Every text lies inside the area and no two texts share a pixel, trailing blanks aside.
void ExpectReadable(const std::vector<PlacedText>& texts, int width, int height) {
    std::vector<PlacedText> placed;
    for (PlacedText text : texts) {
        while (!text.text.empty() && text.text.back() == ' ')
            text.text.pop_back();
        const int right = text.x + TextWidth(text.text);
        EXPECT_TRUE(text.x >= 0 && text.y >= 0 && right <= width &&
                    text.y + kFilterLineHeight <= height)
            << text.text << " at " << text.x << "," << text.y;
        for (const PlacedText& other : placed) {
            const bool apart = right <= other.x || other.x + TextWidth(other.text) <= text.x ||
                               text.y + kFilterLineHeight <= other.y ||
                               other.y + kFilterLineHeight <= text.y;
            EXPECT_TRUE(apart) << text.text << " at " << text.x << "," << text.y << " overlaps "
                               << other.text << " at " << other.x << "," << other.y;
        }
        placed.push_back(text);
    }
}

TEST(FilterDisplayLayout, EmptyListShowsGameLabelsOfEqualWidth) {
    const FilterDisplayPicture picture = FilterDisplayLayout({}, 11);
    EXPECT_EQ(picture.Texts().size(), 11u);
    EXPECT_EQ(picture.areaWidth, 50);
    EXPECT_EQ(picture.height, 11 * 25 + 80);
    EXPECT_EQ(picture.width, 95);  // room for the close button

    const FilterDisplayPicture fourteen = FilterDisplayLayout({}, 14);
    EXPECT_EQ(fourteen.gameLabels[8], (PlacedText{1, 185, "Sp. 9", false}));
    EXPECT_EQ(fourteen.gameLabels[9], (PlacedText{1, 205, "Sp.10", false}));
}

TEST(FilterDisplayLayout, BlocksShowHeaderMarksInTheirSubColumnsAndBounds) {
    TBlockFilter first;
    first.SetMarked(3, 1, true);
    first.SetMarked(3, 2, true);   // "1" and "2" in one game, "0" left out
    first.SetMarked(12, 0, true);  // beyond 11 games
    first.minHits = 1;
    first.maxHits = 10;
    first.orNext = 1;
    const FilterDisplayPicture picture = FilterDisplayLayout({first, BlockOn(0, 1, 0, 11, 11)}, 11);
    ASSERT_EQ(picture.columns.size(), 2u);
    const DisplayColumn& one = picture.columns[0];
    EXPECT_EQ(one.header, (PlacedText{60, 1, "1. or ", false}));
    EXPECT_EQ(one.marks, (std::vector<PlacedText>{{55, 65, "1", false}, {75, 65, "2", false}}));
    EXPECT_EQ(one.bounds, (PlacedText{55, 245, "1-10", false}));
    EXPECT_EQ(picture.columns[1].header.text, "2.");
    EXPECT_EQ(picture.columns[1].marks, (std::vector<PlacedText>{{110, 25, "0", false}}));
    EXPECT_EQ(picture.width, 2 * 45 + 50);

    EXPECT_EQ(FilterDisplayLayout({first}, 12).columns[0].marks.back(),
              (PlacedText{65, 245, "0", false}));
}

TEST(FilterDisplayLayout, NothingOverlapsOrLeavesTheArea) {
    TBlockFilter full = BlockOn(1, 14, 10, 14, 14, true);
    for (int g = 1; g <= 14; ++g)
        for (Sign s = 0; s < kSignCount; ++s)
            full.SetMarked(g, s, true);
    const std::vector<TBlockFilter> blocks(12, full);
    for (int n : {-3, 11, 12, 13, 14, 40}) {
        SCOPED_TRACE(n);
        const FilterDisplayPicture picture = FilterDisplayLayout(blocks, n);
        EXPECT_LE(picture.gameLabels.size(), 14u);
        EXPECT_GE(picture.closeTop, picture.areaHeight);
        ExpectReadable(picture.Texts(), picture.areaWidth, picture.areaHeight);
    }
    // The last block's "12. or" reaches beyond the table's 45 pixels per block.
    EXPECT_GT(FilterDisplayLayout(blocks, 11).areaWidth, 12 * 45 + 50);
}

TEST(FilterCheckLayout, NoBlockFailed) {
    for (const auto& blocks :
         {std::vector<TBlockFilter>{}, std::vector<TBlockFilter>{BlockOn(1, 11, 0, 11, 11)}}) {
        const FilterCheckPicture picture = FilterCheckLayout(ResultOf("11111111111"), 11, blocks);
        EXPECT_TRUE(picture.checked);
        EXPECT_EQ(picture.top.text, "Alle Filter sind OK");
        EXPECT_TRUE(picture.columns.empty());
        EXPECT_TRUE(picture.gameLabels.empty());  // no line to tell apart
    }
}

TEST(FilterCheckLayout, OnlyTheThirdBlockFailedTakesTheFirstColumn) {
    const std::vector<TBlockFilter> blocks = {BlockOn(1, 11, 0, 11, 11), BlockOn(0, 11, 0, 1, 1),
                                              BlockOn(2, 11, 1, 11, 11)};
    const FilterCheckPicture picture = FilterCheckLayout(ResultOf("11111111110"), 11, blocks);
    EXPECT_EQ(picture.top.text, "Folgende Filter sind nicht erfüllt!");
    ASSERT_EQ(picture.columns.size(), 1u);
    const CheckColumn& column = picture.columns[0];
    EXPECT_EQ(column.header, (PlacedText{80, 35, "Filter: 3", false}));
    ASSERT_EQ(column.signs.size(), 11u);
    EXPECT_EQ(column.signs[0], (PlacedText{100, 65, "1", false}));
    EXPECT_EQ(column.signs[10], (PlacedText{100, 265, "0", false}));
    EXPECT_EQ(column.headings[2], (PlacedText{140, 290, "Max z", false}));
    EXPECT_EQ(column.values[0], (PlacedText{80, 310, "1", false}));
    EXPECT_EQ(column.values[1].text, "11");
    // Each line is labelled with its game at the left, on the height of its signs.
    ASSERT_EQ(picture.gameLabels.size(), 11u);
    EXPECT_EQ(picture.gameLabels[0], (PlacedText{10, 65, "Sp. 1", false}));
    EXPECT_EQ(picture.gameLabels[9], (PlacedText{10, 245, "Sp.10", false}));
    EXPECT_EQ(picture.gameLabels[10].y, column.signs[10].y);
}

TEST(FilterCheckLayout, OrLinkedFailedBlockIsListedWithRedMarkedSigns) {
    TBlockFilter linked = BlockOn(1, 3, 0, 2, 11, true);  // at most two "1" in games 1-3
    linked.SetMarked(2, 2, true);
    linked.SetMarked(4, 0, true);
    const std::vector<TBlockFilter> blocks = {linked, BlockOn(2, 11, 0, 11, 11),
                                              BlockOn(1, 11, 0, 0, 0)};
    const FilterCheckPicture picture = FilterCheckLayout(ResultOf("11100000000"), 11, blocks);
    ASSERT_EQ(picture.columns.size(), 2u);
    EXPECT_EQ(picture.columns[0].block, 1);
    EXPECT_EQ(picture.columns[1].block, 3);
    EXPECT_EQ(picture.columns[1].header.x, 200);
    std::string shown;
    for (const PlacedText& sign : picture.columns[0].signs)
        shown += sign.red ? "(" + sign.text + ")" : sign.text;
    EXPECT_EQ(shown, "(1)(1)(1)(0)0000000");
}

// Every text apart from the others and above the close button, which fits the window.
void ExpectReadableAboveClose(const FilterCheckPicture& picture) {
    ExpectReadable(CheckTexts(picture), picture.width, picture.closeTop);
    EXPECT_LE(kFilterCloseWidth, picture.width);
    EXPECT_LE(picture.closeTop + kFilterCloseHeight, picture.height);
}

TEST(FilterCheckLayout, ManyGamesAndBlocksStayReadable) {
    const std::vector<TBlockFilter> blocks(6, BlockOn(1, 14, 14, 14, 14));
    for (int n = kMinGames; n <= kMaxGames; ++n) {
        SCOPED_TRACE(n);
        const FilterCheckPicture picture =
            FilterCheckLayout(ResultOf(std::string(static_cast<std::size_t>(n), '0')), n, blocks);
        ASSERT_EQ(picture.columns.size(), 6u);
        ExpectReadableAboveClose(picture);
    }
}

TEST(FilterCheckLayout, ResultThatCannotBeCheckedSaysWhy) {
    const std::vector<TBlockFilter> blocks = {BlockOn(1, 14, 14, 14, 14)};
    const std::pair<std::string, int> cases[] = {
        {"1111111?111", 11}, {"11111111115", 11}, {"11111111111", 10}, {"11111111111", 15}};
    const char* const reasons[] = {"Das Ergebnis von Spiel 8 fehlt.",
                                   "Spiel 11 hat kein gültiges Ergebnis.",
                                   "10 Spiele sind nicht möglich, erlaubt sind 11 bis 14 Spiele.",
                                   "15 Spiele sind nicht möglich"};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const FilterCheckPicture picture =
            FilterCheckLayout(ResultOf(cases[i].first), cases[i].second, blocks);
        EXPECT_FALSE(picture.checked);
        EXPECT_TRUE(picture.top.text.starts_with("Die Filter können nicht geprüft werden: "));
        EXPECT_NE(picture.top.text.find(reasons[i]), std::string::npos) << picture.top.text;
        EXPECT_TRUE(picture.columns.empty());
        EXPECT_TRUE(picture.gameLabels.empty());
        ExpectReadableAboveClose(picture);
    }
}

}  // namespace
}  // namespace velmora
