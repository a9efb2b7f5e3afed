// Block filters: how many games of a row hit marked signs, and how many in succession.
#pragma once

#include <array>
#include <cstdint>
#include <span>

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

// The row holds n sign codes 0 to 2; games beyond n are never read.

// The number of games 1..n whose sign in the row is marked in the block.
int blockHits(const Sign* row, const TBlockFilter& block, int n);
// The most hit games that follow one another directly.
int longestHitRun(const Sign* row, const TBlockFilter& block, int n);
// minHits <= hits <= maxHits and no run of hit games longer than maxRun.
bool passesBlock(const Sign* row, const TBlockFilter& block, int n);
// Every block must be met, except that blocks joined with "oder" form a chain of which one
// member suffices. An empty list passes every row.
bool passesBlockFilters(const Sign* row, std::span<const TBlockFilter> blocks, int n);

}  // namespace velmora
