// Walking the space of all rows of n games by their base-3 codes: the rows within a few
// changes of a row, a product of sign sets (a tip plan's full system), distances in one
// popcount, and a field of distances to the nearest of a set of rows.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

#include "model/rowcode.h"

namespace velmora {

// Two bits per game, so that the distance of two rows is one popcount.
using PackedRow = std::uint32_t;

inline PackedRow PackCode(RowCode code, int n) {
    PackedRow packed = 0;
    for (int g = 0; g < n; ++g) {
        packed |= (code % 3) << (2 * g);
        code /= 3;
    }
    return packed;
}

inline int PackedDistance(PackedRow a, PackedRow b) {
    const PackedRow diff = a ^ b;
    return std::popcount((diff | (diff >> 1)) & 0x55555555u);
}

// Number of rows of n games within `radius` games of one row.
std::int64_t BallVolume(int n, int radius);

// The rows whose sign in game g is one of the signs in bit mask signs[g]: the full system
// of a tip plan. Every game has at least one sign.
struct RowSpace {
    static constexpr std::uint8_t kAllSigns = 0b111;

    int games = 0;
    std::array<std::uint8_t, kMaxGames> signs{};

    static RowSpace Full(int n) {
        RowSpace space{n, {}};
        std::fill_n(space.signs.begin(), n, kAllSigns);
        return space;
    }

    int SignsOf(int g) const { return std::popcount(signs[g]); }
    bool Allows(int g, RowCode sign) const { return (signs[g] >> sign) & 1u; }
    std::int64_t Size() const;
    bool Contains(RowCode code) const;
    bool IsFull() const { return *this == Full(games); }
    bool operator==(const RowSpace&) const = default;
};

// Added to a game's digit, kSignChange[sign] makes the sign the next one and then the one
// after that, counting round from 2 to 0: a table, so that the walk does not branch on it.
inline constexpr RowCode kSignChange[kSignCount][2] = {{1, 2}, {1, 0u - 1}, {0u - 2, 0u - 1}};

// Calls visit(code) or visit(code, distance) for every code within `radius` (at most 4)
// games of the centre, the centre first: up to `radius` games in ascending order, each
// changed to the next sign and then to the one after it. With a space, only to signs the
// space allows, so that a centre inside the space visits only rows inside it. The code
// steps wrap around as unsigned numbers and land on the right code all the same.
template <class Visit>
void ForEachCodeWithin(RowCode centre, int n, int radius, Visit&& visit,
                       const RowSpace* space = nullptr) {
    assert(radius >= 0 && radius <= 4);
    auto call = [&](RowCode code, int distance) {
        if constexpr (std::is_invocable_v<Visit&, RowCode, int>)
            visit(code, distance);
        else
            visit(code);
    };
    call(centre, 0);
    if (radius == 0)
        return;
    // The single changes, game by game: step[i] added to a code changes one game's sign,
    // and the changes of the later games begin at after[i]. One change apart is visited
    // as the changes are found; the deeper walk needs them all first.
    std::array<RowCode, 2 * kMaxGames> step;
    std::array<int, 2 * kMaxGames> after;
    int count = 0;
    RowCode rest = centre;
    for (int g = 0; g < n; ++g, rest /= 3) {
        const RowCode sign = rest % 3;
        const int first = count;
        for (int o = 0; o < 2; ++o) {
            if (space != nullptr && !space->Allows(g, (sign + 1 + o) % 3))
                continue;
            const RowCode change = kSignChange[sign][o] * kPow3[g];
            if (radius == 1)
                call(centre + change, 1);
            else
                step[count++] = change;
        }
        for (int i = first; i < count; ++i)
            after[i] = count;
    }
    for (int a = 0; a < count; ++a) {
        const RowCode codeA = centre + step[a];
        call(codeA, 1);
        for (int b = after[a]; b < count; ++b) {
            const RowCode codeB = codeA + step[b];
            call(codeB, 2);
            for (int c = after[b]; c < count && radius >= 3; ++c) {
                const RowCode codeC = codeB + step[c];
                call(codeC, 3);
                for (int d = after[c]; d < count && radius >= 4; ++d)
                    call(codeC + step[d], 4);
            }
        }
    }
}

// For every code of n games, the distance to the nearest of the rows spread so far, exact
// up to a cap; beyond it the field holds Far(). Spreading walks breadth-first and goes on
// only from points it brought closer, so that over any number of spreads no point is
// lowered more than cap + 1 times.
class DistanceField {
  public:
    DistanceField(int n, int cap);

    int Cap() const { return cap_; }
    std::uint8_t Far() const { return static_cast<std::uint8_t>(cap_ + 1); }
    std::uint8_t At(RowCode code) const { return field_[code]; }

    void Spread(std::span<const RowCode> origins);
    void Spread(RowCode origin) { Spread(std::span<const RowCode>(&origin, 1)); }

  private:
    int n_;
    int cap_;
    std::vector<std::uint8_t> field_;
    std::vector<RowCode> frontier_, next_;
};

// For every code of n games, how many rows of a list lie at distance exactly 0, 1, ... up to
// kCountedDistances - 1 from it: a dynamic programme over the games, then cheap updates for
// rows added later. The win counts of an outcome are then a look-up instead of a pass over
// all rows.
inline constexpr int kCountedDistances = 5;

class SpaceCounts {
  public:
    using Counts = std::array<std::int32_t, kCountedDistances>;

    // rows holds the codes of the list's rows, repeated rows as often as they occur.
    SpaceCounts(int n, std::span<const RowCode> rows);

    std::int32_t At(int distance, RowCode code) const { return counts_[distance][code]; }
    Counts At(RowCode code) const {
        Counts c{};
        for (int d = 0; d < kCountedDistances; ++d)
            c[d] = counts_[d][code];
        return c;
    }

    // A row joined the list: every point within reach counts it.
    void Add(RowCode row) {
        ForEachCodeWithin(row, n_, kCountedDistances - 1,
                          [&](RowCode code, int distance) { ++counts_[distance][code]; });
    }

  private:
    void SpreadOverGame(int g);

    int n_;
    std::array<std::vector<std::int32_t>, kCountedDistances> counts_;
};

}  // namespace velmora
