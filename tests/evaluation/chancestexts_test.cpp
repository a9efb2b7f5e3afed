// The texts of "Gewinnchancen": German numbers, the pool's fields read back, the table with
// and without a filtered system or a pool, and the printout's bands.
#include "evaluation/chancestexts.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace velmora {
namespace {

TEST(ChancesTextsTest, NumbersHaveADecimalCommaAndPointsBetweenThousands) {
    EXPECT_EQ(ProbabilityText(0.1234), "12,34 %");
    EXPECT_EQ(ProbabilityText(1.0), "100,00 %");
    EXPECT_EQ(ProbabilityText(0.0), "0 %");
    // Below 1 % three significant digits, so that small chances do not read as 0.
    EXPECT_EQ(ProbabilityText(0.005), "0,500 %");
    EXPECT_EQ(ProbabilityText(1.234e-7), "0,0000123 %");
    EXPECT_EQ(ProbabilityText(1e-15), "< 0,0000000001 %");
    EXPECT_EQ(ProbabilityText(std::numeric_limits<double>::quiet_NaN()), kNoValue);

    EXPECT_EQ(ExpectedRowsText(1234.567), "1.234,57");
    EXPECT_EQ(ExpectedRowsText(0.01234), "0,0123");
    EXPECT_EQ(ExpectedRowsText(0), "0");

    EXPECT_EQ(AmountText(1234.56), "1.234,56 €");
    EXPECT_EQ(AmountText(1'000'000), "1.000.000,00 €");
    EXPECT_EQ(AmountText(-12.3), "-12,30 €");
    EXPECT_EQ(AmountText(-0.001), "0,00 €");
    EXPECT_EQ(AmountText(0.125), "0,13 €");

    EXPECT_EQ(FieldNumberText(1'000'000), "1.000.000");
    EXPECT_EQ(FieldNumberText(50), "50");
    EXPECT_EQ(FieldNumberText(12.5), "12,5");
    EXPECT_EQ(FieldNumberText(0.4 * 100), "40");
    EXPECT_EQ(FieldNumberText(-0.001), "0");
}

TEST(ChancesTextsTest, NumbersDoNotDependOnTheProcessLocale) {
    // The windowed program takes the user's locale for C's functions.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        std::setlocale(LC_ALL, "C.UTF-8");
    EXPECT_EQ(AmountText(1234.5), "1.234,50 €");
    EXPECT_EQ(ParseFieldNumber("12,5"), 12.5);
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(ChancesTextsTest, FieldsReadGermanNumbersWithTheirUnit) {
    EXPECT_EQ(ParseFieldNumber("1.000.000"), 1e6);
    EXPECT_EQ(ParseFieldNumber(" 1.000.000,50 € "), 1000000.5);
    EXPECT_EQ(ParseFieldNumber("12,5 %"), 12.5);
    EXPECT_EQ(ParseFieldNumber("40%"), 40);
    EXPECT_EQ(ParseFieldNumber("-3"), -3);
    EXPECT_EQ(ParseFieldNumber("100"), 100);
    // A point is never a decimal point, and groups are of three digits.
    for (const char* text : {"0.5", "1.00", "1.0000", ".100", "1,000.5", "1.000,5.0", "", " ", "%",
                             "abc", "12a", "1,2,3", "1..000", "1.000.", "∞"})
        EXPECT_EQ(ParseFieldNumber(text), std::nullopt) << text;
}

TEST(ChancesTextsTest, PoolFieldsRoundTripAndNameTheFieldThatCannotBeUsed) {
    const PoolSettings defaults;
    const PoolFields fields = PoolFieldsOf(defaults);
    EXPECT_EQ(fields.stakes, "1.000.000");
    EXPECT_EQ(fields.rate, "50");
    EXPECT_EQ(fields.shares, (std::array<std::string, 5>{"40", "20", "20", "20", "0"}));
    PoolSettings read;
    read.stakes = 7;
    read.publicFilter = 3;
    ASSERT_EQ(ReadPoolFields(fields, 13, read), "");
    EXPECT_EQ(read.stakes, defaults.stakes);
    EXPECT_DOUBLE_EQ(read.rate, 0.5);
    EXPECT_DOUBLE_EQ(read.shares[0], 0.4);
    EXPECT_EQ(read.publicFilter, 3);  // not a field

    auto problem = [](PoolFields changed) {
        PoolSettings pool;
        const PoolSettings before = pool;
        const std::string message = ReadPoolFields(changed, 13, pool);
        EXPECT_EQ(pool, before) << "a refused field changed the settings";
        return message;
    };
    PoolFields bad = fields;
    bad.stakes = "viel";
    EXPECT_EQ(problem(bad),
              "Im Feld „Spieleinsatz aller Spieler (€)“ steht „viel“; das ist keine Zahl. Zahlen "
              "werden mit Dezimalkomma geschrieben, etwa „12,5“ oder „1.000.000“.");
    bad = fields;
    bad.shares[1] = "  ";
    EXPECT_EQ(problem(bad), "Das Feld „Anteil 12er (%)“ ist leer. Bitte tragen Sie eine Zahl ein.");
    bad = fields;
    bad.rate = "0.5";
    EXPECT_NE(problem(bad).find("„Ausschüttungsquote (%)“ steht „0.5“"), std::string::npos);
    bad = fields;
    bad.rate = "101";
    EXPECT_EQ(problem(bad), "Im Feld „Ausschüttungsquote (%)“ muss ein Wert von 0 bis 100 stehen.");
    bad = fields;
    bad.shares[4] = "-1";
    EXPECT_NE(problem(bad).find("„Anteil 9er (%)“"), std::string::npos);
    bad = fields;
    bad.stakes = "-1";
    EXPECT_NE(problem(bad).find("unter 0"), std::string::npos);
    bad = fields;
    bad.shares[4] = "20,5";
    EXPECT_EQ(problem(bad),
              "Die Anteile der Gewinnklassen ergeben zusammen 120,5 %; mehr als 100 % lassen "
              "sich nicht ausschütten.");
    // Exactly 100 % in tenths that do not add up exactly in binary.
    PoolFields tenths = fields;
    tenths.shares = {"40,1", "19,9", "20,3", "19,7", "0"};
    PoolSettings pool;
    EXPECT_EQ(ReadPoolFields(tenths, 13, pool), "");
}

TEST(ChancesTextsTest, KeptSettingsFallBackToTheDefaultsPartByPart) {
    const ChanceSettings defaults;
    ChanceSettings kept;
    kept.source = {ChanceSource::Kind::Percent, 5};
    kept.pool = {5, 20, 1, {1, 0, 0, 0, 0}};
    EXPECT_EQ(UsableChanceSettings(kept), kept);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    ChanceSettings bad = kept;
    bad.source.percentFilter = 0;
    bad.pool.stakes = nan;
    ChanceSettings expected = kept;
    expected.source = defaults.source;
    expected.pool.stakes = defaults.pool.stakes;
    EXPECT_EQ(UsableChanceSettings(bad), expected);

    bad = kept;
    bad.pool.publicFilter = 6;
    bad.pool.rate = 1.01;
    bad.pool.shares = {0.5, 0.6, 0, 0, 0};  // 110 %
    expected = kept;
    expected.pool.publicFilter = 0;
    expected.pool.rate = defaults.pool.rate;
    expected.pool.shares = defaults.pool.shares;
    EXPECT_EQ(UsableChanceSettings(bad), expected);

    bad = kept;
    bad.pool.stakes = -1;
    bad.pool.rate = nan;
    bad.pool.shares[2] = nan;
    expected = kept;
    expected.pool.stakes = defaults.pool.stakes;
    expected.pool.rate = defaults.pool.rate;
    expected.pool.shares = defaults.pool.shares;
    EXPECT_EQ(UsableChanceSettings(bad), expected);
}

TEST(ChancesTextsTest, CaptionsAndChoicesFollowTheGameCount) {
    EXPECT_EQ(ChanceClassCaption(14, 0), "14er");
    EXPECT_EQ(ChanceClassCaption(11, 4), "7er");
    EXPECT_EQ(ChanceClassCaption(12, kNothingWon), "nichts gewonnen");
    EXPECT_EQ(ShareCaption(13, 0), "Anteil 13er (%)");
    EXPECT_EQ(SourceChoices(),
              (std::vector<std::string>{"Quotenfilter", "Prozentfilter 1", "Prozentfilter 2",
                                        "Prozentfilter 3", "Prozentfilter 4", "Prozentfilter 5"}));
    EXPECT_EQ(PlayersChoices().front(), "keines");
    EXPECT_EQ(PlayersChoices().size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(SourceChoice(SourceAtChoice(i)), i);
    EXPECT_EQ(SourceAtChoice(0).kind, ChanceSource::Kind::Odds);
    EXPECT_EQ(SourceChoice({ChanceSource::Kind::Percent, 9}), 0);
}

ChancesResult SomeResult() {
    ChancesResult r;
    r.pPlan = 0.25;
    r.pFiltered = 0.125;
    r.all.best = {0.01, 0.04, 0.1, 0.2, 0.25, 0.4};
    r.all.expectedRows = {0.01, 0.1, 1, 3, 5};
    return r;
}

TEST(ChancesTextsTest, TableShowsDashesWhereTheFilteredSystemCannotOccur) {
    const ChancesResult r = SomeResult();
    const ChancesTable table = MakeChancesTable(13, r, 12);
    ASSERT_EQ(table.headings.size(), 4u);
    EXPECT_EQ(table.headings[2], "Wahrscheinlichkeit\nim gefilterten\nSystem");
    EXPECT_EQ(table.rowCaptions.front(), "13er");
    EXPECT_EQ(table.rowCaptions.back(), "nichts gewonnen");
    EXPECT_EQ(table.cells[0], (std::vector<std::string>{"1,00 %", "0,0100", "–", "–"}));
    EXPECT_EQ(table.cells[3], (std::vector<std::string>{"20,00 %", "3,00", "–", "–"}));
    // The rows that win nothing: what is left of the twelve; of one row that always wins,
    // nothing, whatever the sum rounds to.
    EXPECT_EQ(table.cells[5][1], "2,89");
    ChancesResult always;
    always.all.expectedRows = {0.7, 0.2, 0.1, 0, 0};
    ASSERT_LT(0.7 + 0.2 + 0.1, 1.0);
    EXPECT_EQ(MakeChancesTable(13, always, 1).cells[5][1], "0");
    const ChartValues chart = ChartValuesOf(r);
    EXPECT_DOUBLE_EQ(chart.all[5], 40);
    EXPECT_EQ(chart.filtered, (std::array<double, 6>{}));
}

TEST(ChancesTextsTest, TableAndLinesWithAFilteredSystemAndAPool) {
    ChancesResult r = SomeResult();
    r.filtered = ClassChances{{0.08, 0.12, 0.3, 0.3, 0.2, 0}, {0.08, 0.5, 2, 4, 6}};
    r.payout = Payout{1234.5, 6, {1000, 200, 30, 4.5, 0}};
    const ChancesTable table = MakeChancesTable(11, r, 12);
    ASSERT_EQ(table.headings.size(), 5u);
    EXPECT_EQ(table.headings[4], "erwartete\nAuszahlung");
    EXPECT_EQ(table.cells[0],
              (std::vector<std::string>{"1,00 %", "0,0100", "8,00 %", "0,0800", "1.000,00 €"}));
    EXPECT_EQ(table.cells[5], (std::vector<std::string>{"40,00 %", "2,89", "0 %", "0", "0,00 €"}));
    EXPECT_DOUBLE_EQ(ChartValuesOf(r).filtered[2], 30);

    EXPECT_EQ(PlanLine(r), "Ergebnis im Vollsystem des Tippplans: 25,00 %");
    EXPECT_EQ(FilteredLine(r), "Ergebnis im gefilterten System: 12,50 %");
    EXPECT_EQ(PayoutLines(*r.payout, 12, 50),
              (std::vector<std::string>{"Erwartete Auszahlung: 1.234,50 €",
                                        "Einsatz (12 Reihen × 0,50 €): 6,00 €",
                                        "Differenz: +1.228,50 €"}));
    EXPECT_EQ(PayoutLines(Payout{0, 0.5, {}}, 1, 50)[1], "Einsatz (1 Reihe × 0,50 €): 0,50 €");
    EXPECT_EQ(PayoutLines(Payout{1, 1234.5, {}}, 2469, 50).back(), "Differenz: -1.233,50 €");
}

TEST(ChancesTextsTest, ViewAndPrintoutHoldTheSettingsTheLinesAndTheTable) {
    ChancesResult r = SomeResult();
    ChanceSettings settings;
    settings.source = {ChanceSource::Kind::Percent, 2};
    ChancesView view = MakeChancesView(12, settings, r, 3, 50);
    EXPECT_EQ(view.settingsLines,
              (std::vector<std::string>{"Wahrscheinlichkeiten aus: Prozentfilter 2",
                                        "Tippverhalten der Spieler: keines"}));
    EXPECT_TRUE(view.payoutLines.empty());

    settings.pool.publicFilter = 4;
    r.payout = Payout{10, 1.5, {}};
    view = MakeChancesView(12, settings, r, 3, 50);
    EXPECT_EQ(view.settingsLines,
              (std::vector<std::string>{
                  "Wahrscheinlichkeiten aus: Prozentfilter 2",
                  "Tippverhalten der Spieler: Prozentfilter 4",
                  "Spieleinsatz aller Spieler: 1.000.000,00 €", "Ausschüttungsquote: 50 %",
                  "Anteile: 12er 40 %, 11er 20 %, 10er 20 %, 9er 20 %, 8er 0 %"}));
    ASSERT_EQ(view.payoutLines.size(), 3u);

    const ChancesReport report = MakeChancesReport(view);
    ASSERT_EQ(report.heading.fields.size(), 1u);
    EXPECT_EQ(report.heading.fields[0].text, "Gewinnchancen");
    std::vector<std::string> texts;
    double width = 0;
    double height = 0;
    for (const ReportBand& band : report.bands) {
        for (const ReportField& field : band.fields) {
            texts.push_back(field.text);
            width = std::max(width, field.left);
        }
        height += band.height;
    }
    // Every line and cell appears, a wrapped heading line by line, in the order read.
    auto at = [&](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) - texts.begin();
    };
    EXPECT_LT(at("Anteile: 12er 40 %, 11er 20 %, 10er 20 %, 9er 20 %, 8er 0 %"), at(view.planLine));
    EXPECT_LT(at(view.filteredLine), at("im gefilterten"));
    EXPECT_LT(at("erwartete"), at("Auszahlung"));
    EXPECT_LT(at("Auszahlung"), at("12er"));
    EXPECT_LT(at("nichts gewonnen"), at(view.payoutLines[0]));
    EXPECT_EQ(at("Differenz: +8,50 €"), static_cast<std::ptrdiff_t>(texts.size()) - 1);
    // The last column starts well inside the paintable width of an A4 page.
    EXPECT_LT(width, ReportPage::kWidth - 2 * ReportPage::kMargin - 25);
    EXPECT_LT(height, ReportPage::kHeight / 2);
}

}  // namespace
}  // namespace velmora
