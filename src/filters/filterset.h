// All filter settings of the current week.
#pragma once

#include <cstdint>

#include "filters/signchange.h"

namespace velmora {

// The block, percentage, odds and sequence filters join the sign-change filter here;
// until they do, those stages of the candidate test pass every row.
struct TFilterSet {
    TSignChangeFilter signChange;

    // Settings under which every row of n games passes.
    static TFilterSet PassingAll(int n) {
        TFilterSet filters;
        filters.signChange.max1 = filters.signChange.max2 = static_cast<std::uint8_t>(n - 1);
        return filters;
    }
};

}  // namespace velmora
