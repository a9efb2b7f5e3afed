// A realistic filter set with every filter kind in force, shared by the benchmarks. It keeps
// somewhat under half of a full system, so that every stage is reached by many rows and
// rejects some of them.
#pragma once

#include <cmath>
#include <random>
#include <string>

#include "filters/filterrows.h"
#include "filters/filterset.h"

namespace velmora::bench {

inline TBlockFilter Block(Sign sign, int firstGame, int lastGame, int minHits, int maxHits,
                          int maxRun, bool orNext) {
    TBlockFilter block;
    for (int g = firstGame; g <= lastGame; ++g)
        block.SetMarked(g, sign, true);
    block.minHits = static_cast<std::uint8_t>(minHits);
    block.maxHits = static_cast<std::uint8_t>(maxHits);
    block.maxRun = static_cast<std::uint8_t>(maxRun);
    block.orNext = orNext ? 1 : 0;
    return block;
}

// Expected percentages per game for "1", "0", "2", varied from game to game.
inline TPercentFilter Percentages(int seed, double min, double max, bool orNext) {
    TPercentFilter filter;
    std::mt19937 random(static_cast<unsigned>(seed));
    for (auto& game : filter.values) {
        const double one = 30 + static_cast<int>(random() % 31);
        const double zero = 15 + static_cast<int>(random() % 21);
        game[1] = one;
        game[0] = zero;
        game[2] = 100 - one - zero;
    }
    filter.minValue = min;
    filter.maxValue = max;
    filter.active = 1;
    filter.orNext = orNext ? 1 : 0;
    return filter;
}

// Every filter kind for n games; the bounds scale with n so that the share kept stays alike.
inline TFilterSet EveryKind(int n) {
    TFilterSet f = TFilterSet::PassingAll(n);
    const int half = n / 2;
    f.blocks = {Block(1, 1, n, 4 * n / 14, 8 * n / 14, 3, true),
                Block(2, 1, n, 4 * n / 14, 8 * n / 14, 3, false),
                Block(0, 1, half, 1, 4, 2, false)};
    f.percent = {Percentages(1, 31, 36, false), Percentages(2, 31, 36, true),
                 Percentages(3, 31, 36, false), Percentages(4, 30, 37, false),
                 Percentages(5, 31, 36, false)};
    f.RecomputeChains();
    f.requiredChains = 3;  // of 4
    f.odds = TOddsFilter::Defaults();
    for (int g = 0; g < kMaxGames; ++g)
        f.odds.values[g] = {3.1 + 0.05 * g, 1.9 + 0.03 * g, 3.6 - 0.04 * g};  // "0", "1", "2"
    // A typical game multiplies the product by about 2.75.
    const double scale = std::pow(2.75, n - 14);
    f.odds.minValue = 6.0e5 * scale;
    f.odds.maxValue = 8.0e6 * scale;
    f.odds.active = 1;
    f.sequences = {testing::Rule("111", 0, 1, false), testing::Rule("22", 0, 2, true),
                   testing::Rule("00", 0, 2, false), testing::Rule("1*1", 0, 4, false)};
    f.signChange = {static_cast<std::uint8_t>(n / 2), static_cast<std::uint8_t>(n - 3), 0,
                    static_cast<std::uint8_t>(n - 1), 0};
    return f;
}

}  // namespace velmora::bench
