// Rows as base-3 numbers: game g contributes its sign times 3^(g-1).
// Every row of up to 14 games gets a distinct code below 3^14 = 4,782,969.
#pragma once

#include <array>
#include <cstdint>

#include "model/sign.h"

namespace velmora {

using RowCode = std::uint32_t;

inline constexpr std::array<RowCode, kMaxGames + 1> kPow3 = [] {
    std::array<RowCode, kMaxGames + 1> p{};
    p[0] = 1;
    for (int i = 1; i <= kMaxGames; ++i)
        p[i] = p[i - 1] * 3;
    return p;
}();

// Number of distinct rows of n games.
inline constexpr RowCode CodeSpaceSize(int n) {
    return kPow3[n];
}

inline RowCode EncodeRow(const Sign* row, int n) {
    RowCode code = 0;
    for (int g = n - 1; g >= 0; --g)
        code = code * 3 + row[g];
    return code;
}

inline void DecodeRow(RowCode code, int n, Sign* row) {
    for (int g = 0; g < n; ++g) {
        row[g] = static_cast<Sign>(code % 3);
        code /= 3;
    }
}

}  // namespace velmora
