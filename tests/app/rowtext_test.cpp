#include "app/rowtext.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "support/tempdir.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using testing::RowsFromStrings;

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// Every way of writing rows, with and without a heading for E-lines.
std::vector<RowTextOptions> AllOptions() {
    std::vector<RowTextOptions> all;
    for (char draw : {'0', 'X'}) {
        all.push_back({RowTextFormat::Plain, draw, false, {}});
        all.push_back({RowTextFormat::Plain, draw, true, {}});
        all.push_back({RowTextFormat::Csv, draw, false, {}});
    }
    all.push_back({RowTextFormat::ELine, 'X', false, {}});
    all.push_back({RowTextFormat::ELine, 'X', false, "Stryktipset"});
    return all;
}

TEST(RowText, WritesEachFormAsPlayersAndOperatorsExpectIt) {
    const TRowList rows = RowsFromStrings({"102102102102", "000111222000"});
    EXPECT_EQ(RowsAsText(rows, {}), "102102102102\n000111222000\n");
    EXPECT_EQ(RowsAsText(rows, {RowTextFormat::Plain, 'X', true, {}}),
              "1 X 2 1 X 2 1 X 2 1 X 2\nX X X 1 1 1 2 2 2 X X X\n");
    EXPECT_EQ(RowsAsText(rows, {RowTextFormat::Csv, '0', false, {}}),
              "Reihe;Spiel 1;Spiel 2;Spiel 3;Spiel 4;Spiel 5;Spiel 6;Spiel 7;Spiel 8;Spiel 9;"
              "Spiel 10;Spiel 11;Spiel 12\n"
              "1;1;0;2;1;0;2;1;0;2;1;0;2\n"
              "2;0;0;0;1;1;1;2;2;2;0;0;0\n");
    // E-lines write the draw as X whatever the option says.
    EXPECT_EQ(RowsAsText(rows, {RowTextFormat::ELine, '0', false, "Topptipset"}),
              "Topptipset\nE,1,X,2,1,X,2,1,X,2,1,X,2\nE,X,X,X,1,1,1,2,2,2,X,X,X\n");
    // A part of the system keeps the row numbers of the whole.
    const std::string second = RowsAsText(rows, {RowTextFormat::Csv, 'X', false, {}}, 1, INT32_MAX);
    EXPECT_TRUE(second.starts_with("Reihe;Spiel 1;")) << second;
    EXPECT_TRUE(second.ends_with("Spiel 12\n2;X;X;X;1;1;1;2;2;2;X;X;X\n")) << second;
}

TEST(RowText, EveryFormReadsBackAsTheSameRowsForEveryGameCount) {
    for (int games = kMinGames; games <= kMaxGames; ++games) {
        TRowList rows = testing::RandomRows(games, 300, 7u + games);
        rows.AppendAll(rows);  // duplicates stay
        for (const RowTextOptions& options : AllOptions()) {
            const RowTextContent back = ParseRowText(RowsAsText(rows, options), games);
            ASSERT_TRUE(back.ok()) << games << " games: " << back.error;
            EXPECT_EQ(back.rows, rows)
                << games << " games, format " << static_cast<int>(options.format);
        }
    }
}

TEST(RowText, ReadsTheFormsPeopleTypeAndEditorsSave) {
    const TRowList expected = RowsFromStrings({"10210210210", "22222222220"});
    const std::vector<std::string> texts = {
        "1x21x21x21x\n22222222220\n",  // lower-case x
        "\xEF\xBB\xBF"
        "10210210210\r\n22222222220\r\n",                               // byte order mark, CRLF
        "\n  1 0 2 1 0 2 1 0 2 1 0  \n\n\t2,2,2,2;2 2\t2 2 2 2 0\n\n",  // any separator, blanks
        "1X2 1X2 1X2 1X\n2222 2222 220",                                // groups, no final line end
        "Reihe;Spiel 1;Spiel 2\n1;1;0;2;1;0;2;1;0;2;1;0\n2;2;2;2;2;2;2;2;2;2;2;0\n",
        "Stryktipset\nE,1,X,2,1,X,2,1,X,2,1,X\ne,2,2,2,2,2,2,2,2,2,2,X\n",
        // A row number that is itself a sign, without semicolons, and a long one.
        "1 1 0 2 1 0 2 1 0 2 1 0\n1000 2 2 2 2 2 2 2 2 2 2 0\n",
    };
    for (const std::string& text : texts) {
        const RowTextContent content = ParseRowText(text, 11);
        ASSERT_TRUE(content.ok()) << text << ": " << content.error;
        EXPECT_EQ(content.rows, expected) << text;
    }
    // A line of exactly N digits is a row, even when its first group could be a number.
    const RowTextContent grouped = ParseRowText("10 210210210\n", 11);
    ASSERT_TRUE(grouped.ok()) << grouped.error;
    EXPECT_EQ(grouped.rows, RowsFromStrings({"10210210210"}));
}

TEST(RowText, RefusesTheWholeTextAtItsFirstBadLine) {
    struct Case {
        std::string text;
        int line;
        std::string says;
    };
    const std::vector<Case> cases = {
        {"102102102102\n10210210210\n", 2, "Zeile 2: Die Reihe hat 11 Tippzeichen statt 12."},
        {"102102102102\n1021021021021\n", 2, "Zeile 2: Die Reihe hat 13 Tippzeichen statt 12."},
        {"\n\n1021021021021\n", 3, "Zeile 3: Die Reihen haben 13 Spiele, die Woche aber 12."},
        {"102102102102\n1021a2102102\n", 2,
         "Zeile 2, Zeichen 5: „a“ ist kein Tippzeichen (erlaubt sind 1, 0, X und 2)."},
        {"102102102102\n1 0 2 1 0 3 1 0 2 1 0 2\n", 2, "Zeile 2, Zeichen 11: „3“ ist kein"},
        {"1021021021ü2\n", 1, "Zeile 1, Zeichen 11: „ü“ ist kein Tippzeichen"},
        {"102102102\x07"
         "102\n",
         1, "Zeile 1, Zeichen 10: das Steuerzeichen 0x07 ist kein"},
        {"10210210210\xFF\n", 1, "Zeile 1, Zeichen 12: das Byte 0xFF ist kein"},
        {"102102102102\nE,\n", 2, "Zeile 2: Die Zeile enthält keine Tippzeichen."},
        {"5;1;0;2\n", 1, "Zeile 1: Die Reihe hat 3 Tippzeichen statt 12."},
        // A heading is taken only as the first line.
        {"102102102102\nStryktipset\n", 2, "Zeile 2, Zeichen 1: „S“ ist kein"},
        {"Reihe;Spiel 1\nReihe;Spiel 1\n", 2, "Zeile 2, Zeichen 1: „R“"},
        // A first line beginning with a sign is a row, not a heading.
        {"X1021021021a\n", 1, "Zeile 1, Zeichen 12: „a“"},
    };
    for (const Case& c : cases) {
        const RowTextContent content = ParseRowText(c.text, 12, "Die Datei 'w.txt'");
        EXPECT_TRUE(content.rows.Empty()) << c.text;
        EXPECT_EQ(content.badLine, c.line) << c.text;
        EXPECT_EQ(content.error.rfind("Die Datei 'w.txt' lässt sich nicht einlesen. ", 0), 0u)
            << content.error;
        EXPECT_NE(content.error.find(c.says), std::string::npos) << content.error;
        EXPECT_TRUE(content.error.ends_with("Es wurde keine Reihe übernommen.")) << content.error;
    }
    for (const std::string empty : {"", "\n\n  \n", "Stryktipset\n"}) {
        const RowTextContent content = ParseRowText(empty, 12, "Der Text in der Zwischenablage");
        EXPECT_EQ(content.error, "Der Text in der Zwischenablage enthält keine Tippreihen.");
        EXPECT_EQ(content.badLine, 0);
    }
}

class RowTextFiles : public testing::TempDirTest {};

TEST_F(RowTextFiles, SplitExportHoldsEveryRowOnceInOrder) {
    const TRowList rows = testing::RandomRows(13, 25, 3);
    EXPECT_EQ(ExportFileNames(Path("a.txt"), 25, 25), std::vector{Path("a.txt")});
    EXPECT_EQ(ExportFileNames(Path("a.txt"), 25, 0), std::vector{Path("a.txt")});
    EXPECT_EQ(ExportFileNames(Path("a.txt"), 26, 25),
              (std::vector{Path("a_1.txt"), Path("a_2.txt")}));
    EXPECT_EQ(ExportFileNames(Path("ohne"), 3, 1),
              (std::vector{Path("ohne_1"), Path("ohne_2"), Path("ohne_3")}));

    for (const RowTextOptions& options : AllOptions()) {
        for (std::int32_t limit : {1, 7, 24}) {
            const ExportOutcome outcome = ExportRows(Path("s.csv"), rows, options, limit);
            ASSERT_TRUE(outcome.ok()) << outcome.error;
            ASSERT_EQ(outcome.written.size(), std::size_t((25 + limit - 1) / limit));
            TRowList joined(13);
            for (std::size_t k = 0; k < outcome.written.size(); ++k) {
                const RowTextContent part = ReadRowTextFile(outcome.written[k], 13);
                ASSERT_TRUE(part.ok()) << part.error;
                EXPECT_LE(part.rows.Count(), limit);
                joined.AppendAll(part.rows);
            }
            EXPECT_EQ(joined, rows);
        }
    }
    // Each part of a CSV export is a table of its own, numbered as in the whole system.
    RowTextOptions table;
    table.format = RowTextFormat::Csv;
    const ExportOutcome csv = ExportRows(Path("t.csv"), rows, table, 10);
    ASSERT_TRUE(csv.ok());
    const std::string third = Text(ReadBytes("t_3.csv"));
    EXPECT_TRUE(third.starts_with("Reihe;Spiel 1;")) << third;
    EXPECT_NE(third.find("\n21;"), std::string::npos) << third;
}

TEST_F(RowTextFiles, ExportReplacesWholeFilesAndReportsWhatFailed) {
    const TRowList rows = RowsFromStrings({"11111111111", "22222222222"});
    WriteBytes("a.txt", std::vector<std::uint8_t>(5000, 'z'));
    ASSERT_TRUE(ExportRows(Path("a.txt"), rows, {}).ok());
    EXPECT_EQ(Text(ReadBytes("a.txt")), "11111111111\n22222222222\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);  // no temporary

    // The second part cannot be written where a folder is in the way; the first stays.
    std::filesystem::create_directory(Path("b_2.txt"));
    const ExportOutcome outcome = ExportRows(Path("b.txt"), rows, {}, 1);
    EXPECT_FALSE(outcome.ok());
    EXPECT_NE(outcome.error.find("b_2.txt"), std::string::npos) << outcome.error;
    EXPECT_EQ(outcome.written, std::vector{Path("b_1.txt")});

    const RowTextContent missing = ReadRowTextFile(Path("fehlt.txt"), 11);
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.error.find("fehlt.txt"), std::string::npos) << missing.error;
    WriteBytes("bad.txt", {'1', '\n'});
    EXPECT_NE(ReadRowTextFile(Path("bad.txt"), 11)
                  .error.find("Die Datei '" + Path("bad.txt") +
                              "' lässt sich nicht einlesen. "
                              "Zeile 1:"),
              std::string::npos);
}

}  // namespace
}  // namespace velmora
