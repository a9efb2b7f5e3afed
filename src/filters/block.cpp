#include "filters/block.h"

#include "filters/chain.h"

namespace velmora {

int blockHits(const Sign* row, const TBlockFilter& block, int n) {
    int hits = 0;
    for (int g = 0; g < n; ++g)
        hits += block.marks[3 * g + row[g]] != 0;
    return hits;
}

int longestHitRun(const Sign* row, const TBlockFilter& block, int n) {
    int longest = 0;
    int run = 0;
    for (int g = 0; g < n; ++g) {
        run = block.marks[3 * g + row[g]] != 0 ? run + 1 : 0;
        if (run > longest)
            longest = run;
    }
    return longest;
}

bool passesBlock(const Sign* row, const TBlockFilter& block, int n) {
    // Walked to the end without branching on the row: a run over the limit fails as surely
    // as one found early, and the loop stays free of mispredictions.
    int hits = 0;
    int run = 0;
    int longest = 0;
    for (int g = 0; g < n; ++g) {
        const int hit = block.marks[3 * g + row[g]] != 0;
        hits += hit;
        run = (run + 1) * hit;
        longest = run > longest ? run : longest;
    }
    return longest <= block.maxRun && hits >= block.minHits && hits <= block.maxHits;
}

bool passesBlockFilters(const Sign* row, std::span<const TBlockFilter> blocks, int n) {
    return PassesChainedList(blocks,
                             [&](const TBlockFilter& block) { return passesBlock(row, block, n); });
}

}  // namespace velmora
