// Gewinnchancen: how likely the real result lets the filters through, how likely each win
// class is for the system, and what the system is worth against its stake.
//
// The outcome model takes the games as independent, each with a probability for every one of
// its three signs, also for signs the tip plan does not allow: the real result can be any
// row. Everything is summed exactly over all 3^n outcomes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "evaluation/wintable.h"
#include "filters/filterset.h"
#include "model/rowlist.h"
#include "model/tipplan.h"

namespace velmora {

// Where the probabilities of the signs come from: the odds filter's odds, or the numbers of
// one of the five percentage filters.
struct ChanceSource {
    enum class Kind { Odds, Percent };
    Kind kind = Kind::Odds;
    int percentFilter = 1;  // 1 to 5, for Kind::Percent

    bool operator==(const ChanceSource&) const = default;
};

// "Quotenfilter", "Prozentfilter 3".
std::string ChanceSourceName(const ChanceSource& source);

// p[g][s]: the probability of sign code s in game g + 1; each game's three sum to 1.
struct OutcomeModel {
    int games = kMinGames;
    std::array<std::array<double, kSignCount>, kMaxGames> p{};
};

// The model, or why the source gives none: a message that names the game.
struct OutcomeModelOrProblem {
    std::optional<OutcomeModel> model;
    std::string problem;
};

// Odds become 1/odds normalised over the game's three signs, which removes the bookmaker's
// margin; percentages are normalised as they stand. Odds of 0 or less, a negative
// percentage, three percentages summing to 0, or a value that is not a finite number refuse.
OutcomeModelOrProblem OutcomeModelOf(const TFilterSet& filters, int n, const ChanceSource& source);

// The other players and the pool, for the worth of the system.
struct PoolSettings {
    int publicFilter = 0;  // the percentage filter holding the players' tip distribution; 0: none
    double stakes = 1'000'000.0;  // the week's total stakes, in euros
    double rate = 0.5;            // the share of the stakes paid out
    // Each class's share of the payout, class 0 (all right) first.
    std::array<double, kWinClasses> shares{0.4, 0.2, 0.2, 0.2, 0.0};

    bool operator==(const PoolSettings&) const = default;
};

// What "Gewinnchancen" computes with, kept between runs with the program's settings.
struct ChanceSettings {
    ChanceSource source;
    PoolSettings pool;

    bool operator==(const ChanceSettings&) const = default;
};

// The pool as the computation takes it: the players' distribution already as a model.
struct PoolModel {
    OutcomeModel players;
    double stakes = 0;
    double pricePerRow = 0;  // in euros
    double rate = 0;
    std::array<double, kWinClasses> shares{};
};

// Why the pool's numbers cannot be used, or empty: stakes below 0, a price of 0 or less, more
// rows in the pool than a double holds, a rate or a share outside 0 to 1, shares summing to
// more than 1.
std::string PoolProblem(double stakes, double pricePerRow, double rate,
                        const std::array<double, kWinClasses>& shares);

// The best row's class: exactly 0 to 4 errors, then nothing won.
inline constexpr int kNothingWon = kWinClasses;

struct ClassChances {
    std::array<double, kWinClasses + 1> best{};      // probability of each best class
    std::array<double, kWinClasses> expectedRows{};  // expected rows in each class
};

struct Payout {
    double expected = 0;                        // expected payout of the system, in euros
    double stake = 0;                           // rows × price
    std::array<double, kWinClasses> byClass{};  // expected payout per class

    double Balance() const { return expected - stake; }
};

struct ChancesResult {
    double pPlan = 0;      // the result lies in the tip plan's full system
    double pFiltered = 0;  // ... and passes every filter
    ClassChances all;
    // Given that the result lies in the filtered system; absent when that has probability 0.
    std::optional<ClassChances> filtered;
    std::optional<Payout> payout;
};

// The filtered system is what the win table visits "mit allen Optionen": the tip plan's full
// system through every filter of the week. Every game of the plan must be tipped, the model
// and the rows must be of n games, and the pool's numbers must pass PoolProblem.
ChancesResult ComputeChances(const TTipPlan& plan, int n, const TFilterSet& filters,
                             const TRowList& rows, const OutcomeModel& model,
                             const std::optional<PoolModel>& pool);

}  // namespace velmora
