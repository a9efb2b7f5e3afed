#include "filters/percent.h"

namespace velmora {

bool passesPercentFilters(const Sign* row, const TPercentFilters& filters, int k, int n) {
    if (k <= 0)
        return true;
    const int met = CountMetPercentChains(
        filters, n, [&](int i) { return rowMean(row, filters[static_cast<std::size_t>(i)], n); });
    return met >= k;
}

}  // namespace velmora
