// Percentage filters: the mean of the numbers a row's signs pick must lie within a band.
#pragma once

#include <array>
#include <cstdint>

#include "model/sign.h"

namespace velmora {

// A value per sign of every game with a band and two flags. The percentage filters and
// the odds filter share this layout (356 bytes in the files).
struct TFilterValueRecord {
    // values[game - 1][sign code]
    std::array<std::array<double, kSignCount>, kMaxGames> values{};
    double minValue = 0.0;
    double maxValue = 0.0;
    std::uint8_t active = 0;
    std::uint8_t orNext = 0;  // percentage filters only: linked with the next active filter
    std::array<std::uint8_t, 2> reserved{};

    double Value(int game, Sign sign) const { return values[game - 1][sign]; }
    bool operator==(const TFilterValueRecord&) const = default;
};

struct TPercentFilter : TFilterValueRecord {};

inline constexpr int kPercentFilterCount = 5;
using TPercentFilters = std::array<TPercentFilter, kPercentFilterCount>;

}  // namespace velmora
