// Win tables: the system against every outcome the tip plan and the filters allow.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "filters/filterset.h"
#include "model/codespace.h"
#include "model/rowlist.h"
#include "model/runcontrol.h"
#include "model/tipplan.h"

namespace velmora {

inline constexpr int kWinClasses = kCountedDistances;  // 0 to 4 errors

// One distinct win count vector c0..c4 and how often it occurred.
struct TWinPattern {
    std::array<std::int32_t, kWinClasses> counts{};
    std::int32_t multiplicity = 0;
    bool operator==(const TWinPattern&) const = default;
};

struct WinTableSettings {
    bool allOptions = true;         // "mit allen Optionen"
    bool mainTipsRequired = false;  // "Grundtippvorgabe"
    int correctMainTips = 0;        // k of "richtige Grundtips"
    // "Mindestgarantie": 2nd, 3rd and 4th rank wins every outcome should reach.
    std::array<std::int32_t, 3> minimum{};
};

struct WinTableResult {
    std::vector<TWinPattern> patterns;  // sorted, best vector first
    std::int32_t total = 0;             // outcomes evaluated ("Fälle")
    std::array<double, kWinClasses> percentages{};
    std::int32_t rowsAdded = 0;
    // Stopped by the abort flag: nothing else of the result is set, and the rows and the plan
    // are as they were before the run.
    bool aborted = false;
};

// The working filter set of a run: copies of the window's filters, or only the percentage
// filters without "mit allen Optionen"; with "Grundtippvorgabe" the main-tip block appended.
// The plan must be in tendency order.
TFilterSet WinTableFilters(const TFilterSet& filters, const TTipPlan& plan, int n,
                           const WinTableSettings& settings);

// The block that a row passes when exactly k of its signs are the main tips.
TBlockFilter MainTipBlock(const TTipPlan& plan, int n, int k);

// How a run counts the wins of an outcome; the result is the same with each. Automatic
// picks by the expected cost; tests name one to compare both.
enum class WinCounting { Automatic, CodeSpaceTable, RowByRow };

// A whole run. Brings the plan into tendency order; outcomes that fall short of the minimum
// guarantee are appended to the rows while the run goes on.
WinTableResult RunWinTable(TTipPlan& plan, int n, const TFilterSet& filters,
                           const WinTableSettings& settings, TRowList& rows,
                           WinCounting counting = WinCounting::Automatic);

// The same run, stoppable: every kWinTableCheckInterval outcomes the observer hears the share
// of the outcomes visited so far as a whole percentage (when it changed) and may handle
// pending events, and the abort flag is read. An aborted run takes back the rows it added.
WinTableResult RunWinTable(TTipPlan& plan, int n, const TFilterSet& filters,
                           const WinTableSettings& settings, TRowList& rows, const AbortFlag& abort,
                           RunObserver& observer, WinCounting counting = WinCounting::Automatic);
inline constexpr std::int32_t kWinTableCheckInterval = 1 << 14;

// Runs over more outcomes than this take long enough that the window shows their progress
// and lets them be cancelled.
inline constexpr std::int32_t kLongWinTableOutcomes = 1000000;
bool IsLongWinTable(const TTipPlan& plan, int n);

// Sorted descending by c0, then c1 to c4.
void SortPatterns(std::vector<TWinPattern>& patterns);
// The share of outcomes per highest win class, by one walk over the sorted patterns.
std::array<double, kWinClasses> ClassPercentages(const std::vector<TWinPattern>& patterns,
                                                 std::int32_t total);

// Texts of the window.
std::string ClassCaption(int n, int errors);  // "11er" for n = 11, errors = 0
inline constexpr const char* kCasesHeading = "Zahl der Fälle";
std::string CasesText(std::int32_t total);  // "Insgesamt 729 Fälle."
std::string PercentageText(double percentage, char decimalSeparator);
std::string WinTableProgressText(int percent);  // "Berechnung läuft: 37 % … (Esc bricht ab)"
inline constexpr const char* kWinTableAborted =
    "Abgebrochen – die Gewinntabelle und das System sind unverändert.";
inline constexpr const char* kRowsAddedMessage =
    "Während des Durchlaufes wurden Reihen zugefügt. Um Gewinntabelle zu aktualisieren, "
    "Vorgang bitte wiederholen.";

}  // namespace velmora
