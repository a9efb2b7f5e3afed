// Block filters: how many games of a row hit marked signs, and how many in succession.
#pragma once

#include <array>
#include <cstdint>

#include "model/sign.h"

namespace velmora {

// 46 bytes, in memory as in the block filter file.
struct TBlockFilter {
    // marks[3 * (game - 1) + sign code] is 1 when that sign of that game is marked.
    std::array<std::uint8_t, kMaxGames * kSignCount> marks{};
    std::uint8_t minHits = 0;
    std::uint8_t maxHits = 0;
    std::uint8_t orNext = 0;  // "oder": linked with the following block
    std::uint8_t maxRun = 0;  // most hit games in direct succession

    bool Marked(int game, Sign sign) const { return marks[3 * (game - 1) + sign] != 0; }
    void SetMarked(int game, Sign sign, bool on) { marks[3 * (game - 1) + sign] = on ? 1 : 0; }
    bool operator==(const TBlockFilter&) const = default;
};
static_assert(sizeof(TBlockFilter) == 46);

}  // namespace velmora
