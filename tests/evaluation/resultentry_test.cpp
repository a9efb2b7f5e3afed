#include "evaluation/resultentry.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TResultRow ResultOf(const std::string& text) {
    TResultRow result;
    for (std::size_t g = 0; g < text.size(); ++g)
        result.signs[g] = text[g] == '?' ? kAnySign : static_cast<Sign>(text[g] - '0');
    return result;
}

// The first n signs as the window writes them.
std::string Text(const ResultEntry& entry) {
    std::string text;
    for (int g = 0; g < entry.Games(); ++g) {
        const Sign s = entry.Signs().signs[g];
        text += s == kAnySign ? '?' : SignChar(s);
    }
    return text;
}

TEST(ResultText, SignsWithSeparatorsBetweenThem) {
    const ResultText text = ParseResultText("1021X0?2, x;1\t2\r\n0 ");
    EXPECT_EQ(text.error, "");
    EXPECT_EQ(text.signs, (std::vector<Sign>{1, 0, 2, 1, 0, 0, kAnySign, 2, 0, 1, 2, 0}));
    EXPECT_TRUE(ParseResultText(" \n\t").signs.empty());
    EXPECT_EQ(ParseResultText(" \n\t").error, "");
}

TEST(ResultText, ForeignCharacterIsNamedWithItsPositionAndNothingIsTaken) {
    const ResultText letter = ParseResultText("10 2a1");
    EXPECT_TRUE(letter.signs.empty());
    EXPECT_EQ(letter.error,
              "Das Zeichen „a“ an Stelle 5 ist kein Tippzeichen. Erlaubt sind 1, 0, 2, X und ?; "
              "Leerzeichen, Tabulatoren, Kommas, Semikolons und Zeilenwechsel dazwischen werden "
              "übergangen.");
    // Positions count characters, not bytes: "ü" is two bytes, the "3" is the third character.
    EXPECT_NE(ParseResultText("1ü3").error.find("„ü“ an Stelle 2"), std::string::npos);
    EXPECT_NE(ParseResultText("ää3").error.find("„ä“ an Stelle 1"), std::string::npos);
    EXPECT_NE(ParseResultText("12€").error.find("„€“ an Stelle 3"), std::string::npos);
    // Characters that cannot be seen are named by their code.
    EXPECT_NE(ParseResultText("1\x01").error.find("mit dem Code U+0001 an Stelle 2"),
              std::string::npos);
    EXPECT_NE(ParseResultText("1\xFF"
                              "0")
                  .error.find("U+FFFD an Stelle 2"),
              std::string::npos);
    EXPECT_NE(ParseResultText("1\xE2\x82").error.find("an Stelle 2"), std::string::npos);
    EXPECT_NE(ParseResultText("3").error.find("„3“ an Stelle 1"), std::string::npos);
    EXPECT_NE(ParseResultText("1-0").error.find("„-“"), std::string::npos);
}

TEST(ResultEntry, StartsAtTheFirstUnknownGame) {
    EXPECT_EQ(ResultEntry(TResultRow(), 13).Current(), 1);
    EXPECT_EQ(ResultEntry(ResultOf("102??????????"), 13).Current(), 4);
    EXPECT_EQ(ResultEntry(ResultOf("1021021021021"), 13).Current(), 1);
    // Signs stored for later games of a larger count are not "unknown" games of this one.
    EXPECT_EQ(ResultEntry(ResultOf("11111111111??"), 11).Current(), 1);
}

TEST(ResultEntry, TypingMovesOnAndStopsAfterTheLastGame) {
    ResultEntry entry(TResultRow(), 11);
    for (Sign s : {1, 0, 2, 1, 0, 2, 1, 0, 2, 1})
        EXPECT_TRUE(entry.Type(s));
    EXPECT_EQ(entry.Current(), 11);
    EXPECT_TRUE(entry.Type(kAnySign));
    EXPECT_TRUE(entry.AtEnd());
    EXPECT_EQ(entry.Current(), 12);
    EXPECT_FALSE(entry.Type(2));  // nothing is overwritten after the end
    EXPECT_EQ(Text(entry), "1021021021?");
    EXPECT_EQ(entry.Signs().signs[11], kAnySign);  // beyond the game count untouched

    // Backspace takes back the last game, then the one before, down to game 1.
    EXPECT_TRUE(entry.Back());
    EXPECT_EQ(entry.Current(), 11);
    EXPECT_TRUE(entry.Back());
    EXPECT_EQ(entry.Current(), 10);
    EXPECT_EQ(Text(entry), "102102102??");
    EXPECT_TRUE(entry.Type(0));
    EXPECT_EQ(Text(entry), "1021021020?");
    for (int i = 0; i < 10; ++i)
        entry.Back();
    EXPECT_EQ(entry.Current(), 1);
    EXPECT_FALSE(entry.Back());
    EXPECT_EQ(Text(entry), std::string(11, '?'));
}

TEST(ResultEntry, ClickAndMoveSetTheMarker) {
    ResultEntry entry(TResultRow(), 12);
    entry.Set(5, 2);
    EXPECT_EQ(entry.Current(), 6);
    entry.Set(12, 1);
    EXPECT_TRUE(entry.AtEnd());
    entry.Set(13, 1);  // no such game
    entry.Set(0, 1);
    EXPECT_EQ(Text(entry), "????2??????1");
    entry.MoveTo(3);
    EXPECT_EQ(entry.Current(), 3);
    entry.MoveTo(0);
    entry.MoveTo(14);
    EXPECT_EQ(entry.Current(), 3);
    entry.MoveTo(13);
    EXPECT_TRUE(entry.AtEnd());
}

TEST(ResultEntry, PasteOfAWholeResultFillsEveryGameWhereverTheMarkerIs) {
    ResultEntry entry(ResultOf("2222222222222"), 13);
    entry.MoveTo(7);
    EXPECT_EQ(entry.Paste("1021X0?2\n10 2,1;0"), "");
    EXPECT_EQ(Text(entry), "102100?210210");
    EXPECT_TRUE(entry.AtEnd());
}

TEST(ResultEntry, ShorterPasteContinuesAtTheMarker) {
    ResultEntry entry(TResultRow(), 11);
    entry.Type(1);
    EXPECT_EQ(entry.Paste("02x"), "");
    EXPECT_EQ(Text(entry), "1020???????");
    EXPECT_EQ(entry.Current(), 5);
    EXPECT_EQ(entry.Paste("1111111"), "");
    EXPECT_TRUE(entry.AtEnd());
    EXPECT_EQ(Text(entry), "10201111111");
}

TEST(ResultEntry, RefusedPasteChangesNothing) {
    ResultEntry entry(TResultRow(), 11);
    entry.Type(1);
    entry.Type(2);
    const auto unchanged = [&entry] {
        EXPECT_EQ(Text(entry), "12?????????");
        EXPECT_EQ(entry.Current(), 3);
    };

    EXPECT_NE(entry.Paste("10b"), "");
    unchanged();
    EXPECT_EQ(entry.Paste("111111111111"),
              "Der Text enthält 12 Tippzeichen, es gibt aber nur 11 Spiele.");
    unchanged();
    EXPECT_EQ(entry.Paste("1111111111"),
              "Der Text enthält 10 Tippzeichen, ab Spiel 3 sind aber nur noch 9 Spiele frei. Ein "
              "vollständiges Ergebnis mit 11 Tippzeichen wird immer ab Spiel 1 eingetragen.");
    unchanged();
    EXPECT_EQ(entry.Paste(" ,\n"),
              "Der Text enthält kein Tippzeichen. Erlaubt sind 1, 0, 2, X und ?.");
    unchanged();

    entry.MoveTo(11);
    EXPECT_NE(entry.Paste("10").find("ab Spiel 11 sind aber nur noch 1 Spiel frei"),
              std::string::npos);
    entry.MoveTo(12);
    EXPECT_NE(entry.Paste("1").find("nach dem letzten Spiel ist aber kein Spiel mehr frei"),
              std::string::npos);
    EXPECT_EQ(Text(entry), "12?????????");
}

}  // namespace
}  // namespace velmora
