// Rows and filter records for the filter tests, built from short descriptions.
#pragma once

#include <string_view>

#include "filters/block.h"
#include "filters/percent.h"
#include "filters/sequence.h"
#include "model/tiprow.h"

namespace velmora::testing {

// "1021" -> the row 1 0 2 1.
inline TTipRow Row(std::string_view signs) {
    TTipRow row(static_cast<int>(signs.size()));
    for (std::size_t g = 0; g < signs.size(); ++g)
        row[static_cast<int>(g)] = static_cast<Sign>(signs[g] - '0');
    return row;
}

// A value record giving every game the same numbers for "1", "0" and "2".
inline TFilterValueRecord SameInEveryGame(double one, double zero, double two, double min,
                                          double max) {
    TFilterValueRecord record;
    for (auto& game : record.values) {
        game[1] = one;
        game[0] = zero;
        game[2] = two;
    }
    record.minValue = min;
    record.maxValue = max;
    record.active = 1;
    return record;
}

// A block marking `sign` in games 1..games.
inline TBlockFilter BlockOn(Sign sign, int games, int minHits, int maxHits, int maxRun,
                            bool orNext = false) {
    TBlockFilter block;
    for (int g = 1; g <= games; ++g)
        block.SetMarked(g, sign, true);
    block.minHits = static_cast<std::uint8_t>(minHits);
    block.maxHits = static_cast<std::uint8_t>(maxHits);
    block.maxRun = static_cast<std::uint8_t>(maxRun);
    block.orNext = orNext ? 1 : 0;
    return block;
}

// "1*0" with its bounds -> the rule.
inline TSequenceRule Rule(std::string_view pattern, int minCount, int maxCount,
                          bool orNext = false) {
    TSequenceRule rule;
    for (std::size_t j = 0; j < pattern.size(); ++j)
        rule.pattern[j] =
            pattern[j] == '*' ? kAnySign : static_cast<std::uint8_t>(pattern[j] - '0');
    rule.length = static_cast<std::uint8_t>(pattern.size());
    rule.minCount = static_cast<std::uint8_t>(minCount);
    rule.maxCount = static_cast<std::uint8_t>(maxCount);
    rule.orNext = orNext ? 1 : 0;
    return rule;
}

}  // namespace velmora::testing
