// Which signs of which games occur in the current system.
#pragma once

#include <array>
#include <vector>

#include "model/rowlist.h"
#include "model/tipplan.h"

namespace velmora {

struct TCoverageTable {
    // flags[game - 1][sign]
    std::array<std::array<bool, kSignCount>, kMaxGames> flags{};

    bool Covered(int game, Sign sign) const { return flags[game - 1][sign]; }
};

struct GameSign {
    int game = 0;
    Sign sign = 0;
    bool operator==(const GameSign&) const = default;
};

TCoverageTable UpdateCoverage(const TRowList& rows);

// Signs the tip plan allows in games 1..n that no row of the system contains.
std::vector<GameSign> MissingSigns(const TTipPlan& plan, int n, const TCoverageTable& coverage);

}  // namespace velmora
