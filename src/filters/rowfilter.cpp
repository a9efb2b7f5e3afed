#include "filters/rowfilter.h"

namespace velmora {

bool rowPassesFilters(const Sign* row, const TFilterSet& filters, int n) {
    return passesOdds(row, filters.odds, n) && passesBlockFilters(row, filters.blocks, n) &&
           passesPercentFilters(row, filters.percent, filters.requiredChains, n) &&
           passesSequenceRules(row, filters.sequences, n) &&
           (!filters.signChange.inUse(n) || filters.signChange.passes(row, n));
}

}  // namespace velmora
