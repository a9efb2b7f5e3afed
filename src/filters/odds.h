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

// The row holds n sign codes 0 to 2; games beyond n are never read.

// The combined odds: 1.0 multiplied in game order by the odds of each game's sign.
inline double rowProduct(const Sign* row, const TFilterValueRecord& filter, int n) {
    double product = 1.0;
    for (int g = 0; g < n; ++g)
        product *= filter.values[g][row[g]];
    return product;
}
// Inactive: every row passes. Active: minValue <= product <= maxValue.
bool passesOdds(const Sign* row, const TOddsFilter& filter, int n);

}  // namespace velmora
