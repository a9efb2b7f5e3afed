#include "filters/rowfilter.h"

#include <vector>

namespace velmora {

bool rowPassesFilters(const Sign* row, const TFilterSet& filters, int n) {
    return passesOdds(row, filters.odds, n) && passesBlockFilters(row, filters.blocks, n) &&
           passesPercentFilters(row, filters.percent, filters.requiredChains, n) &&
           passesSequenceRules(row, filters.sequences, n) &&
           (!filters.signChange.inUse(n) || filters.signChange.passes(row, n));
}

void KeepRowsPassing(TRowList& rows, const TFilterSet& filters, bool passing) {
    std::vector<bool> keep(static_cast<std::size_t>(rows.Count()));
    for (std::int32_t r = 0; r < rows.Count(); ++r)
        keep[static_cast<std::size_t>(r)] =
            rowPassesFilters(rows.Row(r), filters, rows.Games()) == passing;
    rows.KeepWhere(keep);
}

}  // namespace velmora
