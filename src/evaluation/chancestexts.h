// The texts and fields of the window "Gewinnchancen": captions, numbers as the German write
// them, reading the pool's fields, the table, the lines around it and the printout's bands.
// Free of any window toolkit.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/chances.h"
#include "evaluation/wintablereport.h"

namespace velmora {

inline constexpr const char* kChancesTitle = "Gewinnchancen";
inline constexpr const char* kNothingWonCaption = "nichts gewonnen";
inline constexpr const char* kNoPlayersCaption = "keines";
// A value that cannot be given, as when the filtered system has probability 0.
inline constexpr const char* kNoValue = "–";
inline constexpr const char* kChancesOutdated =
    "Die Werte gelten nicht mehr für den aktuellen Stand – bitte neu berechnen.";
inline constexpr const char* kNothingToPrintChances =
    "Es gibt nichts zu drucken: Bitte zuerst „Berechnen“ drücken.";

// Captions of the controls.
inline constexpr const char* kSourceCaption = "Wahrscheinlichkeiten aus";
inline constexpr const char* kPlayersCaption = "Tippverhalten der Spieler";
inline constexpr const char* kStakesCaption = "Spieleinsatz aller Spieler (€)";
inline constexpr const char* kRateCaption = "Ausschüttungsquote (%)";
// "Anteil 13er (%)" for class 1 of 13 games.
std::string ShareCaption(int n, int cls);

// The rows of the table: "13er" … "9er" for 13 games, then "nichts gewonnen" (kNothingWon).
std::string ChanceClassCaption(int n, int cls);

// The choices of the two combos in their order, and which settings each one stands for.
std::vector<std::string> SourceChoices();   // "Quotenfilter", "Prozentfilter 1" … "5"
std::vector<std::string> PlayersChoices();  // "keines", "Prozentfilter 1" … "5"
ChanceSource SourceAtChoice(int index);
// The choice that shows the source; 0 for a source no choice stands for.
int SourceChoice(const ChanceSource& source);

// Numbers with a decimal comma and points between thousands, independent of any locale.
// A probability as a percentage: two decimals from 1 % on, three significant digits below.
std::string ProbabilityText(double probability);  // 0.1234 → "12,34 %"
// An expected number of rows, the same way: "1.234,57", "0,0123"; 0 as "0".
std::string ExpectedRowsText(double rows);
// Euros rounded to cents: "1.234,56 €", "-12,30 €".
std::string AmountText(double euros);
// A value as a field shows it: at most two decimals, without trailing zeros ("1.000.000",
// "12,5").
std::string FieldNumberText(double value);

// A number as typed into a field: a decimal comma, points between groups of three digits,
// optionally followed by "%" or "€". Nothing for anything else, "0.5" among it.
std::optional<double> ParseFieldNumber(std::string_view text);

// The pool's fields as the window shows them: euros and percentages.
struct PoolFields {
    std::string stakes;
    std::string rate;
    std::array<std::string, kWinClasses> shares;

    bool operator==(const PoolFields&) const = default;
};
PoolFields PoolFieldsOf(const PoolSettings& pool);
// Reads the fields into pool, percentages as fractions, for n games. Returns why a field
// cannot be used, naming it, and leaves pool as it was; empty when all could be read.
std::string ReadPoolFields(const PoolFields& fields, int n, PoolSettings& pool);

// Settings as they were kept between runs, each part that cannot be used replaced by its
// default: a filter number outside 1 to 5 (0 to 5 for the players), stakes below 0, a rate
// outside 0 to 1, the shares when one lies outside 0 to 1 or all sum to more than 1.
ChanceSettings UsableChanceSettings(const ChanceSettings& kept);

// The table of the window and the printout.
inline constexpr int kChanceRows = kWinClasses + 1;  // the classes and "nichts gewonnen"
struct ChancesTable {
    // Column headings after the captions of the rows, line breaks where they are wrapped:
    // "Wahrscheinlichkeit", "erwartete\nReihen", …, with a pool also "erwartete\nAuszahlung".
    std::vector<std::string> headings;
    std::array<std::string, kChanceRows> rowCaptions;
    std::array<std::vector<std::string>, kChanceRows> cells;  // one per heading
};
// rows: how many rows the system held, for the expected rows that win nothing.
ChancesTable MakeChancesTable(int n, const ChancesResult& result, std::int32_t rows);

// The lines about the result, in the order the window shows them.
std::string PlanLine(const ChancesResult& result);      // "Ergebnis im Vollsystem …: x %"
std::string FilteredLine(const ChancesResult& result);  // "Ergebnis im gefilterten System: y %"
// "Erwartete Auszahlung: …", "Einsatz (12 Reihen × 0,50 €): 6,00 €", "Differenz: …".
std::vector<std::string> PayoutLines(const Payout& payout, std::int32_t rows,
                                     std::int64_t pricePerRowCents);

// The bars of the chart, in percent, one per row of the table: over all outcomes, and given
// the filtered system (all 0 when that has probability 0).
struct ChartValues {
    std::array<double, kChanceRows> all{};
    std::array<double, kChanceRows> filtered{};
};
ChartValues ChartValuesOf(const ChancesResult& result);
inline constexpr const char* kAllOutcomesSeries = "alle Ausgänge";
inline constexpr const char* kFilteredSeries = "im gefilterten System";

// What a computation was made with and gave, as the window shows it and prints it.
struct ChancesView {
    // The source first, the players second, then the pool's numbers when there is a pool.
    std::vector<std::string> settingsLines;
    std::string planLine;
    std::string filteredLine;
    ChancesTable table;
    std::vector<std::string> payoutLines;  // empty without a pool
};
ChancesView MakeChancesView(int n, const ChanceSettings& settings, const ChancesResult& result,
                            std::int32_t rows, std::int64_t pricePerRowCents);

// The printout: the title, then the settings, the lines and the table, in millimetres on the
// paintable part of an A4 page. Its columns are laid out for text of kChancesReportPoints.
inline constexpr int kChancesReportPoints = 9;
struct ChancesReport {
    ReportBand heading;
    std::vector<ReportBand> bands;
};
ChancesReport MakeChancesReport(const ChancesView& view);

}  // namespace velmora
