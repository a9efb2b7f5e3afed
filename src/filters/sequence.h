// Sequence rules: how often a short pattern of signs occurs at consecutive games.
#pragma once

#include <array>
#include <cstdint>

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

}  // namespace velmora
