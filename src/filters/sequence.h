// Sequence rules: how often a short pattern of signs occurs at consecutive games.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/sign.h"

namespace velmora {

inline constexpr int kMaxPatternLength = 8;

// 14 bytes, in memory as in the sequence file.
struct TSequenceRule {
    std::array<std::uint8_t, 10> pattern{};  // sign codes, 9 (kAnySign) for "*"
    std::uint8_t orNext = 0;                 // "oder": linked with the following rule
    std::uint8_t length = 0;                 // pattern positions in use, 1 to 8
    std::uint8_t minCount = 0;
    std::uint8_t maxCount = 0;

    bool operator==(const TSequenceRule&) const = default;
};
static_assert(sizeof(TSequenceRule) == 14);

// The row holds n sign codes 0 to 2; games beyond n are never read.

// The start positions 1..n - length + 1 at which every pattern position is "*" or the
// row's sign; occurrences may overlap. A rule longer than the row, or longer than its
// pattern field (only a damaged record can be), occurs nowhere.
int countOccurrences(const Sign* row, const TSequenceRule& rule, int n);
// minCount <= occurrences <= maxCount.
bool passesSequence(const Sign* row, const TSequenceRule& rule, int n);
// Every rule must be met, except that rules joined with "oder" form a chain of which one
// member suffices (as for blocks). An empty list passes every row.
bool passesSequenceRules(const Sign* row, std::span<const TSequenceRule> rules, int n);

}  // namespace velmora
