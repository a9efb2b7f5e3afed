#include "model/codespace.h"

namespace velmora {

std::int64_t BallVolume(int n, int radius) {
    std::int64_t volume = 0;
    std::int64_t choose = 1;
    for (int i = 0; i <= std::min(n, radius); ++i) {
        volume += choose << i;
        choose = choose * (n - i) / (i + 1);
    }
    return volume;
}

std::int64_t RowSpace::Size() const {
    std::int64_t size = 1;
    for (int g = 0; g < games; ++g)
        size *= SignsOf(g);
    return size;
}

bool RowSpace::Contains(RowCode code) const {
    for (int g = 0; g < games; ++g, code /= 3) {
        if (!Allows(g, code % 3))
            return false;
    }
    return true;
}

DistanceField::DistanceField(int n, int cap)
    : n_(n), cap_(std::min(n, cap)), field_(CodeSpaceSize(n), Far()) {
    assert(cap >= 0 && cap < 255);
}

void DistanceField::Spread(std::span<const RowCode> origins) {
    frontier_.clear();
    for (RowCode origin : origins) {
        if (field_[origin] != 0) {
            field_[origin] = 0;
            frontier_.push_back(origin);
        }
    }
    for (int distance = 1; distance <= cap_ && !frontier_.empty(); ++distance) {
        next_.clear();
        for (RowCode code : frontier_) {
            ForEachCodeWithin(code, n_, 1, [&](RowCode near) {
                if (field_[near] > distance) {
                    field_[near] = static_cast<std::uint8_t>(distance);
                    next_.push_back(near);
                }
            });
        }
        frontier_.swap(next_);
    }
}

SpaceCounts::SpaceCounts(int n, std::span<const RowCode> rows) : n_(n) {
    const std::size_t size = CodeSpaceSize(n);
    for (auto& counts : counts_)
        counts.assign(size, 0);
    for (RowCode row : rows)
        ++counts_[0][row];
    for (int g = 0; g < n_; ++g)
        SpreadOverGame(g);
}

// After game g, counts_[d][x] holds the rows at distance d from x over games 0..g that agree
// with x beyond g. Each point takes over the counts of its two siblings in game g one
// distance further out.
void SpaceCounts::SpreadOverGame(int g) {
    const std::size_t stride = kPow3[g];
    const std::size_t size = counts_[0].size();
    for (int d = kCountedDistances - 1; d >= 1; --d) {
        std::int32_t* out = counts_[d].data();
        const std::int32_t* in = counts_[d - 1].data();
        for (std::size_t base = 0; base < size; base += 3 * stride) {
            for (std::size_t lo = base; lo < base + stride; ++lo) {
                const std::int32_t a = in[lo], b = in[lo + stride], c = in[lo + 2 * stride];
                out[lo] += b + c;
                out[lo + stride] += a + c;
                out[lo + 2 * stride] += a + b;
            }
        }
    }
}

}  // namespace velmora
