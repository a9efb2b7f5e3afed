#include "filters/signchange.h"

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

}  // namespace velmora
