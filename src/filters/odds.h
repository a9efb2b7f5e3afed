// The odds filter: the product of the odds of a row's signs must lie within a band.
#pragma once

#include "filters/percent.h"

namespace velmora {

struct TOddsFilter : TFilterValueRecord {
    // Before any file is read: every odds 1.0, band 1.0 to 1,000,000.0, off.
    static TOddsFilter Defaults() {
        TOddsFilter odds;
        for (auto& game : odds.values) game.fill(1.0);
        odds.minValue = 1.0;
        odds.maxValue = 1000000.0;
        return odds;
    }
};

}  // namespace velmora
