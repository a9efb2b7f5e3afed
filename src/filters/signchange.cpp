#include "filters/signchange.h"

#include <algorithm>

namespace velmora {

int countSignChanges(const Sign* row, int n) {
    int changes = 0;
    for (int g = 1; g < n; ++g)
        changes += row[g] != row[g - 1];
    return changes;
}

bool TSignChangeFilter::inUse(int n) const {
    if (orSecond == 1)
        return min2 > 0 || max2 < n - 1;
    return min1 > 0 || max1 < n - 1;
}

bool TSignChangeFilter::passes(const Sign* row, int n) const {
    const int c = countSignChanges(row, n);
    if (min1 <= c && c <= max1)
        return true;
    return orSecond == 1 && min2 <= c && c <= max2;
}

void ClampToGameCount(TSignChangeFilter& filter, int n) {
    const auto limit = static_cast<std::uint8_t>(n - 1);
    filter.min1 = std::min(filter.min1, limit);
    filter.max1 = std::clamp<std::uint8_t>(filter.max1, 1, limit);
    filter.min2 = std::min(filter.min2, limit);
    filter.max2 = std::clamp<std::uint8_t>(filter.max2, 1, limit);
}

}  // namespace velmora
