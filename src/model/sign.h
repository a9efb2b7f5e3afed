// Basic vocabulary shared by every part of the program: game counts and sign codes.
#pragma once

#include <cstdint>

namespace velmora {

// One tip sign: 0 (draw), 1 (home win) or 2 (away win), shown as the same digit.
using Sign = std::uint8_t;

inline constexpr int kMinGames = 11;
inline constexpr int kMaxGames = 14;
inline constexpr int kSignCount = 3;

// Filters use 9 as "any sign" and result rows as "unknown"; it never occurs in a tip row.
inline constexpr Sign kAnySign = 9;

// The order in which tip plans, grids and tables list the signs.
inline constexpr Sign kDisplayOrder[kSignCount] = {1, 0, 2};

inline constexpr bool IsSign(std::uint8_t byte) {
    return byte <= 2;
}
inline constexpr bool IsValidGameCount(int n) {
    return n >= kMinGames && n <= kMaxGames;
}
inline constexpr char SignChar(Sign s) {
    return static_cast<char>('0' + s);
}

}  // namespace velmora
