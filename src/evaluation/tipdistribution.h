// How the system uses the signs of each game: the tip distribution and the coverage warning.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/coverage.h"
#include "model/rowlist.h"
#include "model/tipplan.h"

namespace velmora {

// counts[game - 1][sign code]: the rows with that sign in that game. Each game's three
// counts add up to the row count.
using TipCounts = std::array<std::array<std::int32_t, kSignCount>, kMaxGames>;
TipCounts TipDistribution(const TRowList& rows);

// Why rows cannot be counted for `games` games (a game count outside 11 to 14, rows of
// another length, a byte that is no sign code), or "" when they can.
std::string UnusableRowsReason(const TRowList& rows, int games);

// One line of the coverage warning: a game's allowed signs, most favoured first (the
// tendency sort applied to the entry in sign order), each with whether a row contains it.
struct WarningSign {
    Sign sign = 0;
    bool covered = false;
};
using WarningLine = std::vector<WarningSign>;

inline constexpr const char* kCoverageWarningLine1 =
    "Achtung! Bei dieser Verkürzung Tauchen in Rot ";
inline constexpr const char* kCoverageWarningLine2 =
    "geschriebene Tipps nicht in Ihrem System vauf.";

std::vector<WarningLine> CoverageWarningLines(const TTipPlan& plan, int n,
                                              const TCoverageTable& coverage);

}  // namespace velmora
