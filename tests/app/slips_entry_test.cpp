#include <gtest/gtest.h>

#include "app/manualentry.h"
#include "app/rearrangement.h"
#include "app/slipprint.h"
#include "evaluation/tipdistribution.h"
#include "support/testplans.h"

namespace velmora {
namespace {

TRowList Rows(int count, int n) {
    TRowList rows(n);
    for (int r = 0; r < count; ++r)
        rows.Append(TTipRow(n));
    return rows;
}

TEST(SlipLayout, PositionsOnTheFirstPage) {
    const auto documents = LayoutSlips(Rows(30, 11), 12);
    ASSERT_EQ(documents.size(), 1u);
    ASSERT_EQ(documents[0].size(), 30u * 11u);
    // Row 12 starts slip 1: x = 150 + 1 * (360 + 300); game 1 of the first band at y = -250.
    EXPECT_EQ(documents[0][12 * 11], (DrawCall{810, -250, "0"}));
    EXPECT_EQ(documents[0][0], (DrawCall{150, -250, "0"}));
    EXPECT_EQ(documents[0][29 * 11 + 10].x, 150 + 5 * 30 + 2 * 660);
}

TEST(SlipLayout, FourteenGamesSixRowsAndTheSecondBand) {
    const auto documents = LayoutSlips(Rows(24, 14), 6);
    ASSERT_EQ(documents.size(), 1u);
    EXPECT_EQ(documents[0][6 * 14].x, 650);     // second slip of the band
    EXPECT_EQ(documents[0][18 * 14].y, -1000);  // slip 3 opens the second band, game 1
}

TEST(SlipLayout, NineSlipsAPageAndNothingForAnEmptySystem) {
    const auto documents = LayoutSlips(Rows(120, 11), 12);
    ASSERT_EQ(documents.size(), 2u);
    EXPECT_EQ(documents[0].size(), 108u * 11u);
    EXPECT_EQ(documents[1].size(), 12u * 11u);
    EXPECT_EQ(documents[1][0], (DrawCall{150, -250, "0"}));
    EXPECT_TRUE(LayoutSlips(TRowList(11), 12).empty());
}

// The calibration moves every digit: right by dx, and down by dy, which lowers y.
TEST(SlipLayout, TheOffsetMovesEveryDigit) {
    const TRowList rows = Rows(120, 13);
    const auto nominal = LayoutSlips(rows, 10);
    EXPECT_EQ(LayoutSlips(rows, 10, {}), nominal);
    const auto moved = LayoutSlips(rows, 10, {15, -20});  // 1.5 mm right, 2 mm up
    ASSERT_EQ(moved.size(), nominal.size());
    for (std::size_t p = 0; p < moved.size(); ++p) {
        ASSERT_EQ(moved[p].size(), nominal[p].size());
        for (std::size_t i = 0; i < moved[p].size(); ++i) {
            EXPECT_EQ(moved[p][i].x, nominal[p][i].x + 15);
            EXPECT_EQ(moved[p][i].y, nominal[p][i].y + 20);
            EXPECT_EQ(moved[p][i].text, nominal[p][i].text);
        }
    }
    SlipDocument page;
    LayoutSlipPage(rows, 10, 1, page, {-7, 4});
    EXPECT_EQ(page.front(), (DrawCall{143, -254, "0"}));
}

// One slip's field: R x N digits exactly where the first slip's rows go, and four marks one
// step beyond its corners, all moved by the offset.
TEST(SlipLayout, TheTestPage) {
    for (const int n : {11, 14}) {
        for (const int perSlip : {6, 12}) {
            const SlipOffset offset{-3, 12};
            const SlipDocument page = LayoutSlipTestPage(n, perSlip, offset);
            const auto slip = LayoutSlips(Rows(perSlip, n), perSlip, offset);
            ASSERT_EQ(slip.size(), 1u);
            ASSERT_EQ(page.size(), slip[0].size() + 4);
            for (std::size_t i = 0; i < slip[0].size(); ++i) {
                EXPECT_EQ(page[i].x, slip[0][i].x);
                EXPECT_EQ(page[i].y, slip[0][i].y);
                EXPECT_NE(std::string("102").find(page[i].text), std::string::npos);
            }
            const int left = 150 - 30 - 3;
            const int right = 150 + 30 * perSlip - 3;
            const int top = -200 - 12;
            const int bottom = -(200 + 50 * (n + 1)) - 12;
            EXPECT_EQ(std::vector<DrawCall>(page.end() - 4, page.end()),
                      (std::vector<DrawCall>{{left, top, "+"},
                                             {left, bottom, "+"},
                                             {right, top, "+"},
                                             {right, bottom, "+"}}));
        }
    }
    // The digits vary, so that a shifted column is seen.
    const SlipDocument page = LayoutSlipTestPage(11, 12);
    EXPECT_EQ(page[0].text + page[1].text + page[2].text + page[11].text, "1020");
}

TEST(SlipLayout, OffsetsAsTyped) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases{
        {"0", 0},     {"1,5", 15},  {"-2", -20},  {"+0.3", 3},  {" 20,0 ", 200},    {"−20", -200},
        {"1,50", 15}, {",5", 5},    {"1,55", {}}, {"20,1", {}}, {"-21", {}},        {"", {}},
        {"-", {}},    {"1 mm", {}}, {"1e1", {}},  {"1,5,", {}}, {"99999999999", {}}};
    for (const auto& [text, tenths] : cases)
        EXPECT_EQ(ParseSlipOffset(text), tenths) << text;
    EXPECT_EQ(SlipOffsetText(0), "0,0");
    EXPECT_EQ(SlipOffsetText(15), "1,5");
    EXPECT_EQ(SlipOffsetText(-200), "-20,0");
    EXPECT_EQ(SlipOffsetText(-5), "-0,5");
}

// Slip by slip as the printing loop places them: the next slip after every R rows, a new page
// after nine slips, the slips of earlier pages counted, a partly filled slip included.
std::vector<SlipDocument> PrintingLoop(const TRowList& rows, int perSlip) {
    const int n = rows.Games();
    const int gap = n <= 12 ? 300 : n == 13 ? 310 : 320;
    std::vector<SlipDocument> documents;
    std::int32_t i = 0;
    std::int32_t slipsBefore = 0;
    while (i < rows.Count()) {
        SlipDocument page;
        int slot = 0;
        while (i < rows.Count() && slot < 9) {
            const int k = i - perSlip * (slipsBefore + slot);
            for (int g = 1; g <= n; ++g) {
                page.push_back({150 + 30 * k + (slot % 3) * (30 * perSlip + gap),
                                -(200 + 50 * g + (slot / 3) * (50 * n + 50)),
                                std::string(1, SignChar(rows.Row(i)[g - 1]))});
            }
            ++i;
            if (i % perSlip == 0)
                ++slot;
        }
        slipsBefore += slot + (i % perSlip != 0 ? 1 : 0);
        documents.push_back(std::move(page));
    }
    return documents;
}

TEST(SlipLayout, PageByPageAsThePrintingLoopPlacesTheRows) {
    for (int n = kMinGames; n <= kMaxGames; ++n) {
        for (const int perSlip : {6, 8, 10, 12}) {
            for (const int count :
                 {1, perSlip, 9 * perSlip - 1, 9 * perSlip, 9 * perSlip + 1, 27 * perSlip + 5}) {
                const TRowList rows = testing::RandomRows(n, count, static_cast<unsigned>(count));
                const std::vector<SlipDocument> expected = PrintingLoop(rows, perSlip);
                ASSERT_EQ(SlipPageCount(rows, perSlip), static_cast<std::int32_t>(expected.size()));
                // One buffer for every page, as the command-line companion prints them.
                SlipDocument page;
                for (std::size_t p = 0; p < expected.size(); ++p) {
                    LayoutSlipPage(rows, perSlip, static_cast<std::int32_t>(p), page);
                    ASSERT_EQ(page, expected[p]) << n << " games, " << perSlip << " per slip, "
                                                 << count << " rows, page " << p;
                    EXPECT_LE(page.size(), MaxSlipPageCalls(n, perSlip));
                }
                EXPECT_EQ(LayoutSlips(rows, perSlip), expected);
            }
        }
    }
    EXPECT_EQ(MaxSlipPageCalls(14, 12), 9u * 12u * 14u);
}

TEST(ManualEntry, IncompleteColumnsAreDroppedOneByOne) {
    std::vector<EntryColumn> columns = ColumnsOf(testing::RowsFromStrings(
        {"11111111111", "22222222222", "10210210210", "00000000000", "12121212121"}));
    columns[1].assign(11, "");  // "Reihe löschen"
    columns[3][5].assign(1, '3');
    const TakeOver taken = TakeOverColumns(columns, 11);
    EXPECT_EQ(taken.incomplete, 2);
    EXPECT_EQ(testing::RowStrings(taken.rows),
              (std::vector<std::string>{"11111111111", "10210210210", "12121212121"}));

    const TakeOver empty = TakeOverColumns({EntryColumn(11)}, 11);
    EXPECT_EQ(empty.incomplete, 1);
    EXPECT_TRUE(empty.rows.Empty());
    EXPECT_FALSE(AcceptsEntryKey('3'));
    EXPECT_FALSE(AcceptsEntryKey('a'));
}

TEST(Rearrangement, SignsWithinAGameAndWholeGames) {
    TRowList rows(11);
    for (char s : std::string("111100222")) {
        TTipRow row(11);
        row[2] = static_cast<Sign>(s - '0');
        rows.Append(row);
    }
    // Game 3 from column "1" to column "2" (sign 2).
    EXPECT_TRUE(ApplyDrag(rows, RearrangeMode::Signs, 1, 3, 3, 3));
    const TipCounts counts = TipDistribution(rows);
    EXPECT_EQ(counts[2][1], 3);
    EXPECT_EQ(counts[2][0], 2);
    EXPECT_EQ(counts[2][2], 4);

    const TRowList before = rows;
    EXPECT_FALSE(ApplyDrag(rows, RearrangeMode::Signs, 1, 2, 3, 4));   // across games
    EXPECT_FALSE(ApplyDrag(rows, RearrangeMode::Signs, 0, 3, 3, 3));   // number column
    EXPECT_FALSE(ApplyDrag(rows, RearrangeMode::Games, 1, 0, 1, 5));   // heading row
    EXPECT_FALSE(ApplyDrag(rows, RearrangeMode::Games, 1, 3, 1, 12));  // beyond the games
    EXPECT_EQ(rows, before);

    EXPECT_TRUE(ApplyDrag(rows, RearrangeMode::Games, 1, 3, 2, 5));
    EXPECT_EQ(rows.Get(0)[4], 2);
    EXPECT_EQ(rows.Get(0)[2], 0);
    ApplyDrag(rows, RearrangeMode::Games, 1, 3, 2, 5);
    EXPECT_EQ(rows, before);
}

}  // namespace
}  // namespace velmora
