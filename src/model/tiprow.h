// A tip row: one sign per game, and the distance of two rows.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <span>

#include "model/sign.h"

namespace velmora {

// A row of N signs held by value; the row list stores rows packed instead.
class TTipRow {
  public:
    TTipRow() = default;
    explicit TTipRow(int n) : n_(static_cast<std::uint8_t>(n)) { assert(n >= 0 && n <= kMaxGames); }
    explicit TTipRow(std::span<const Sign> signs) : n_(static_cast<std::uint8_t>(signs.size())) {
        assert(signs.size() <= kMaxGames);
        for (std::size_t g = 0; g < signs.size(); ++g)
            signs_[g] = signs[g];
    }

    int size() const { return n_; }
    Sign& operator[](int g) { return signs_[g]; }
    Sign operator[](int g) const { return signs_[g]; }
    Sign* data() { return signs_.data(); }
    const Sign* data() const { return signs_.data(); }
    std::span<const Sign> signs() const { return {signs_.data(), n_}; }

    bool operator==(const TTipRow& other) const {
        if (n_ != other.n_)
            return false;
        for (int g = 0; g < n_; ++g)
            if (signs_[g] != other.signs_[g])
                return false;
        return true;
    }

  private:
    std::array<Sign, kMaxGames> signs_{};
    std::uint8_t n_ = 0;
};

// Number of games in which two rows of n games differ.
inline int RowDistance(const Sign* a, const Sign* b, int n) {
    int d = 0;
    for (int g = 0; g < n; ++g)
        d += a[g] != b[g];
    return d;
}

// Like RowDistance, but stops counting as soon as the distance exceeds the limit.
inline bool WithinDistance(const Sign* a, const Sign* b, int n, int limit) {
    int d = 0;
    for (int g = 0; g < n; ++g) {
        d += a[g] != b[g];
        if (d > limit)
            return false;
    }
    return true;
}

}  // namespace velmora
