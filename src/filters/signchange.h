// The tip-sign change filter: how often the sign changes from one game to the next.
#pragma once

#include <cstdint>

#include "model/sign.h"

namespace velmora {

// Five bytes, in this order, in memory and in the sign-change file.
struct TSignChangeFilter {
    std::uint8_t min1 = 0;
    std::uint8_t max1 = 10;
    std::uint8_t min2 = 0;
    std::uint8_t max2 = 10;
    std::uint8_t orSecond = 0;

    // Whether the filter restricts anything for n games; when not, every row passes.
    bool inUse(int n) const;
    bool passes(const Sign* row, int n) const;

    bool operator==(const TSignChangeFilter&) const = default;
};
static_assert(sizeof(TSignChangeFilter) == 5);

int countSignChanges(const Sign* row, int n);

// Brings the fields into the ranges the window offers for n games: minima 0 to n - 1,
// maxima 1 to n - 1.
void ClampToGameCount(TSignChangeFilter& filter, int n);

}  // namespace velmora
