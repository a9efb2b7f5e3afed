#include "filters/odds.h"

namespace velmora {

bool passesOdds(const Sign* row, const TOddsFilter& filter, int n) {
    if (!filter.active)
        return true;
    const double product = rowProduct(row, filter, n);
    return filter.minValue <= product && product <= filter.maxValue;
}

}  // namespace velmora
