#include "evaluation/windetermination.h"

#include <gtest/gtest.h>

#include <random>

#include "app/slipsettings.h"
#include "support/tempdir.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using testing::RowsFromStrings;

TResultRow ResultOf(const std::string& text) {
    TResultRow result;
    for (std::size_t g = 0; g < text.size(); ++g)
        result.signs[g] = text[g] == '?' ? kAnySign : static_cast<Sign>(text[g] - '0');
    return result;
}

TRowList RepeatedRows(int count, int n) {
    TRowList rows(n);
    for (int r = 0; r < count; ++r)
        rows.Append(TTipRow(n));
    return rows;
}

TEST(WinDetermination, UnknownGamesNeverCountAsErrors) {
    const TRowList rows =
        RowsFromStrings({"11111111111", "11111111112", "22222222222", "00000000000"});
    const TFilterSet filters = TFilterSet::PassingAll(11);

    const Evaluation unknown = Evaluate(rows, TResultRow{}, 11, filters, true);
    EXPECT_EQ(unknown.counters[0], 4);
    EXPECT_FALSE(unknown.complete);
    EXPECT_FALSE(unknown.product.has_value());
    EXPECT_EQ(unknown.rowsByErrors[0], (std::vector<std::int32_t>{0, 1, 2, 3}));

    // Game 11 unknown: rows 1 and 2 both count as right; row 4 is wrong in every known game.
    const Evaluation partly = Evaluate(rows, ResultOf("1111111111?"), 11, filters, true);
    EXPECT_EQ(partly.counters[0], 2);
    EXPECT_EQ(partly.counters[10], 2);
    EXPECT_EQ(partly.rowsByErrors[10], (std::vector<std::int32_t>{2, 3}));

    // Complete: the row wrong in all eleven games is counted but listed nowhere.
    const Evaluation complete = Evaluate(rows, ResultOf("11111111111"), 11, filters, true);
    EXPECT_TRUE(complete.complete);
    EXPECT_EQ(complete.counters[0], 1);
    EXPECT_EQ(complete.counters[1], 1);
    EXPECT_EQ(complete.counters[11], 2);
    ASSERT_EQ(complete.rowsByErrors.size(), 11u);
    for (const auto& listed : complete.rowsByErrors)
        for (std::int32_t r : listed)
            EXPECT_LT(r, 2);
}

TEST(WinDetermination, MeasuresOfACompleteResultWhateverTheFiltersSwitches) {
    TFilterSet filters = TFilterSet::PassingAll(11);
    for (int g = 1; g <= 11; ++g) {
        filters.odds.values[g - 1] = {1.0, 2.0, 3.0};
        filters.percent[1].values[g - 1] = {10.0, 40.0, 50.0};
    }
    filters.odds.active = 0;
    filters.percent[1].active = 0;

    const Evaluation empty = Evaluate(TRowList(11), ResultOf("22222222222"), 11, filters, false);
    EXPECT_TRUE(empty.complete);  // an empty system still gets its measures
    EXPECT_EQ(empty.counters, std::vector<std::int32_t>(12, 0));
    ASSERT_TRUE(empty.product.has_value());
    EXPECT_DOUBLE_EQ(*empty.product, 177147.0);  // 3^11
    EXPECT_DOUBLE_EQ(empty.means[1], 50.0);
    EXPECT_EQ(ProductText(*empty.product, 11, ','), "177147");
    EXPECT_EQ(ProductText(1234567.0, 13, ','), "1,23457E+006");
    EXPECT_EQ(ProductText(1234567.0, 14, ','), "1234567");
    EXPECT_EQ(MeanText(100.0 / 3.0, ','), "33,333");
}

TEST(WinDetermination, DetailLinesPadTheRowNumberAndPlaceElevenGameRowsOnSlips) {
    const TRowList thousand = RepeatedRows(1000, 12);
    EXPECT_EQ(DetailLine(thousand, 6, 12), "   7: 0 0 0 0 0 0 0 0 0 0 0 0 ");
    EXPECT_EQ(DetailLine(thousand, 999, 12), "1000: 0 0 0 0 0 0 0 0 0 0 0 0 ");

    TRowList eleven = RepeatedRows(13, 11);
    EXPECT_EQ(DetailLine(eleven, 11, 12), "12: 0 0 0 0 0 0 0 0 0 0 0 S:1 R:12");
    EXPECT_EQ(DetailLine(eleven, 12, 12), "13: 0 0 0 0 0 0 0 0 0 0 0 S:2 R:1");
    EXPECT_EQ(DetailLine(eleven, 12, 6), "13: 0 0 0 0 0 0 0 0 0 0 0 S:3 R:1");
}

// The command-line companion prints the detail lists without keeping them: one walk over the
// rows per error count, and one reused line buffer.
TEST(WinDetermination, DetailListsByWalkingTheRowsAsEvaluateListsThem) {
    const TFilterSet filters = TFilterSet::PassingAll(11);
    std::mt19937 random(3);
    for (int n = kMinGames; n <= kMaxGames; ++n) {
        const TRowList rows = testing::RandomRows(n, 500, static_cast<unsigned>(n));
        TResultRow result;
        for (int g = 0; g < n; ++g)
            result.signs[g] = random() % 4 == 0 ? kAnySign : static_cast<Sign>(random() % 3);
        const Evaluation evaluation = Evaluate(rows, result, n, filters, true);
        for (int errors = 0; errors < n; ++errors) {
            std::vector<std::int32_t> walked;
            ForEachRowWithErrors(rows, result, n, errors,
                                 [&](std::int32_t r) { walked.push_back(r); });
            EXPECT_EQ(walked, evaluation.rowsByErrors[errors]) << n << " games, " << errors;
        }
    }

    // A line after a longer one and rows out of order: the buffer holds the current line only.
    const TRowList eleven = RepeatedRows(1000, 11);
    DetailLineBuilder lines(eleven, 12);
    for (const std::int32_t r : {999, 0, 12, 998, 5}) {
        const std::string_view line = lines.Line(r);
        EXPECT_EQ(std::string(line), DetailLine(eleven, r, 12));
    }
    EXPECT_EQ(lines.Line(0), "   1: 0 0 0 0 0 0 0 0 0 0 0 S:1 R:1");
}

TEST(FilterCheck, EachBlockJudgedAloneWithTheResultsMarkedSigns) {
    TBlockFilter ones;  // at most 3 games "1"
    for (int g = 1; g <= 11; ++g)
        ones.SetMarked(g, 1, true);
    ones.maxHits = 3;
    ones.maxRun = 11;
    ones.orNext = 1;    // the link plays no part in the check
    TBlockFilter twos;  // at least one "2"
    for (int g = 1; g <= 11; ++g)
        twos.SetMarked(g, 2, true);
    twos.minHits = 1;
    twos.maxHits = 11;
    twos.maxRun = 11;

    const TResultRow result = ResultOf("11110000002");
    const std::vector<FailedBlock> failed = FailingBlocks(result, 11, {ones, twos});
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].number, 1);
    EXPECT_EQ(failed[0].red, (std::vector<bool>{true, true, true, true, false, false, false, false,
                                                false, false, false}));

    EXPECT_TRUE(FailingBlocks(ResultOf("11110000000"), 11, {twos}).size() == 1);
    EXPECT_TRUE(FailingBlocks(ResultOf("1111000000?"), 11, {ones, twos}).empty());
}

TEST(ResultRows, OnePerGameCountUntilNeu) {
    ResultRows results;
    results.For(11) = ResultOf("10210210210");
    EXPECT_FALSE(results.For(13).Complete(13));
    EXPECT_TRUE(results.For(11).Complete(11));
    results.Reset();
    EXPECT_EQ(results.For(11), TResultRow{});
}

class SlipSettingsFile : public testing::TempDirTest {};

TEST_F(SlipSettingsFile, StoringKeepsTheInstallationsValues) {
    std::vector<std::uint8_t> bytes(32);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(0xA0 + i);
    WriteBytes("schein.dat", bytes);

    ASSERT_EQ(StoreRowsPerSlip(Path("schein.dat"), 8), "");
    const std::vector<std::uint8_t> stored = ReadBytes("schein.dat");
    ASSERT_EQ(stored.size(), 32u);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 24, stored.begin()));
    EXPECT_EQ(std::vector<std::uint8_t>(stored.begin() + 24, stored.begin() + 28),
              (std::vector<std::uint8_t>{8, 0, 0, 0}));
    EXPECT_TRUE(std::equal(bytes.begin() + 28, bytes.end(), stored.begin() + 28));
    EXPECT_EQ(ReadSlipSettings(Path("schein.dat")).rowsPerSlip, 8);
}

TEST_F(SlipSettingsFile, MissingFileIsReportedAndNothingStored) {
    EXPECT_NE(StoreRowsPerSlip(Path("schein.dat"), 10), "");
    EXPECT_FALSE(std::filesystem::exists(Path("schein.dat")));
    EXPECT_NE(ReadSlipSettings(Path("schein.dat")).error, "");

    WriteBytes("schein.dat", std::vector<std::uint8_t>(28, 0));  // 0 is no slip size
    EXPECT_FALSE(ReadSlipSettings(Path("schein.dat")).rowsPerSlip.has_value());
}

}  // namespace
}  // namespace velmora
