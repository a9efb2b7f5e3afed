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

}  // namespace velmora
