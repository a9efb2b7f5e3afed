// All filter settings of the current week.
#pragma once

#include <cstdint>
#include <vector>

#include "filters/block.h"
#include "filters/odds.h"
#include "filters/percent.h"
#include "filters/sequence.h"
#include "filters/signchange.h"

namespace velmora {

struct TFilterSet {
    TSignChangeFilter signChange;
    TPercentFilters percent{};
    int requiredChains = 0;  // how many percentage chains a row must meet
    std::vector<TBlockFilter> blocks;
    TOddsFilter odds = TOddsFilter::Defaults();
    std::vector<TSequenceRule> sequences;

    // Settings under which every row of n games passes.
    static TFilterSet PassingAll(int n) {
        TFilterSet filters;
        filters.signChange.max1 = filters.signChange.max2 = static_cast<std::uint8_t>(n - 1);
        return filters;
    }

    // The number of percentage chains: active filters not linked to the next one.
    int chainCount() const {
        int chains = 0;
        for (const TPercentFilter& filter : percent) chains += filter.active && !filter.orNext;
        return chains;
    }
    // Every change of a percentage filter's flags resets the required chains to all of them.
    void RecomputeChains() { requiredChains = chainCount(); }

    bool operator==(const TFilterSet&) const = default;
};

}  // namespace velmora
