#include "filters/oddseditor.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(OddsForm, ShowsCellsWithAPointAndTheBandWithAComma) {
    TOddsFilter odds = TOddsFilter::Defaults();
    odds.values[0] = {3.2, 1.85, 4.0};
    odds.minValue = 2.5;
    const ValueFormFields fields = ShowOddsFilter(odds, 12);
    EXPECT_EQ(fields.cells[0][1], "1.85");
    EXPECT_EQ(fields.cells[0][0], "3.2");
    EXPECT_EQ(fields.cells[11][2], "1");
    EXPECT_EQ(fields.cells[12][2], "");
    EXPECT_EQ(fields.minText, "2,5");
    EXPECT_EQ(fields.maxText, "1000000");
    EXPECT_FALSE(fields.active);
}

TEST(OddsForm, Keys) {
    EXPECT_EQ(OddsGridKey(U','), '.');
    EXPECT_EQ(OddsGridKey(U'.'), '.');
    EXPECT_EQ(OddsGridKey(U'4'), '4');
    EXPECT_EQ(OddsGridKey(kBackspaceKey), '\b');
    EXPECT_EQ(OddsGridKey(kEnterKey), std::nullopt);
    EXPECT_EQ(OddsGridKey(U'x'), std::nullopt);
    EXPECT_EQ(OddsBandKey(U'9'), '9');
    EXPECT_EQ(OddsBandKey(kBackspaceKey), '\b');
    EXPECT_EQ(OddsBandKey(U'.'), std::nullopt);
    EXPECT_EQ(OddsBandKey(U','), std::nullopt);
}

TEST(OddsForm, EditingACellWarnsAboutTextThatIsNoNumber) {
    EXPECT_EQ(OddsCellEditText("").text, "1");
    EXPECT_EQ(OddsCellEditText("").warning, "");
    EXPECT_EQ(OddsCellEditText("2.75").warning, "");
    EXPECT_EQ(OddsCellEditText("1e+20").warning, "");
    const CellEditStart comma = OddsCellEditText("2,75");
    EXPECT_EQ(comma.text, "2,75");
    EXPECT_EQ(comma.warning, "Error at position: 2");
    EXPECT_EQ(OddsCellEditText("x").warning, "Error at position: 1");
    EXPECT_EQ(OddsCellEditText("1.5.").warning, "Error at position: 4");
    EXPECT_EQ(OddsCellEditText("3e").warning, "Error at position: 3");
    EXPECT_EQ(OddsCellEditText("1e999").warning, "Error at position: 1");
}

TEST(OddsForm, OkStoresBandFlagAndCellsAndKeepsWhatItCannotRead) {
    TOddsFilter odds = TOddsFilter::Defaults();
    odds.values[1][0] = 2.5;
    ValueFormFields fields = ShowOddsFilter(odds, 11);
    fields.minText = "50000";
    fields.maxText = "82944";
    fields.active = true;
    fields.cells[0] = {"3", "2", "4"};  // "0", "1", "2"
    fields.cells[1][0] = "2..5";
    fields.cells[11] = {"0", "0", "0"};  // beyond the game count
    const std::vector<std::string> kept = ConfirmOddsFilter(fields, 11, odds);
    EXPECT_EQ(kept, std::vector<std::string>{"Spiel 2, Tip 0"});
    EXPECT_EQ(odds.minValue, 50000.0);
    EXPECT_EQ(odds.maxValue, 82944.0);
    EXPECT_EQ(odds.active, 1);
    EXPECT_EQ(odds.values[0], (std::array<double, 3>{3.0, 2.0, 4.0}));
    EXPECT_EQ(odds.values[1][0], 2.5);
    EXPECT_EQ(odds.values[11][0], 1.0);

    // The band as shown, with a decimal comma, reads back; an emptied field keeps its value.
    odds.minValue = 2.5;
    fields = ShowOddsFilter(odds, 11);
    fields.maxText = "";
    EXPECT_EQ(ConfirmOddsFilter(fields, 11, odds), std::vector<std::string>{"Höchstquote"});
    EXPECT_EQ(odds.minValue, 2.5);
    EXPECT_EQ(odds.maxValue, 82944.0);
}

TEST(NumberText, GeneralNotationAndReading) {
    EXPECT_EQ(FormatShortest(0.1 + 0.2, 15, '.'), "0.3");
    EXPECT_EQ(FormatShortest(100.0 / 3.0, 4, ','), "33,33");
    EXPECT_EQ(FormatShortest(100.0, 4, ','), "100");
    EXPECT_EQ(FormatShortest(123456789012345678.0, 15, '.'), "1.23456789012346e+17");
    EXPECT_EQ(FormatShortest(-0.5, 15, ','), "-0,5");
    EXPECT_EQ(ParseNumber(" -1,5e2 ", ','), -150.0);
    EXPECT_EQ(ParseNumber("+3", ','), 3.0);
    EXPECT_EQ(ParseNumber(",5", ','), 0.5);
    EXPECT_EQ(ParseNumber("5,", ','), 5.0);
    EXPECT_EQ(ParseNumber(",", ','), std::nullopt);
    EXPECT_EQ(ParseNumber("", ','), std::nullopt);
    EXPECT_EQ(ParseNumber("1 5", ','), std::nullopt);
    EXPECT_EQ(ParseNumber("nan", '.'), std::nullopt);
    EXPECT_EQ(ParseNumber("inf", '.'), std::nullopt);
    EXPECT_EQ(NumberErrorPosition("12a", '.'), 3);
    EXPECT_EQ(NumberErrorPosition("-", '.'), 2);
}

}  // namespace
}  // namespace velmora
