#include "model/coverballs.h"

#include <algorithm>

namespace velmora {

CoverBalls::CoverBalls(const TRowList& rows, int level, const RowSpace* outside)
    : n_(rows.Games()), k_(level), space_{n_, {}} {
    codes_.reserve(static_cast<std::size_t>(rows.Count()));
    for (std::int32_t r = 0; r < rows.Count(); ++r)
        codes_.push_back(EncodeRow(rows.Row(r), n_));
    std::sort(codes_.begin(), codes_.end());
    codes_.erase(std::unique(codes_.begin(), codes_.end()), codes_.end());
    codes_.shrink_to_fit();
    neededCount_ = Count();
    for (RowCode code : codes_) {
        for (int g = 0; g < n_; ++g, code /= 3)
            space_.signs[g] |= static_cast<std::uint8_t>(1u << (code % 3));
    }
    if (outside != nullptr) {
        for (int g = 0; g < n_; ++g)
            space_.signs[g] |= outside->signs[g];
        CollectCandidates();
    }

    const std::int64_t volume = BallVolume(n_, k_);
    const std::int64_t count = Count();
    if (count * std::min(count, volume) <= kMaxAdjacency) {
        BuildAdjacency(volume);
        ballCost_ =
            static_cast<std::int64_t>(neighbours_.size()) / std::max<std::int64_t>(count, 1) + 1;
    } else {
        IndexCodeSpace();
        everyCode_ = count == static_cast<std::int64_t>(CodeSpaceSize(n_));
        maxBallSize_ = ballCost_ = volume;
        widestReach_ = std::min<std::int64_t>(volume, neededCount_);
    }
}

// Every row of the space within reach of a list row, found by one breadth-first walk from
// all list rows at once.
void CoverBalls::CollectCandidates() {
    DistanceField field(n_, k_);
    field.Spread(codes_);
    std::vector<RowCode> candidates;
    std::vector<std::uint8_t> needed;
    auto listRow = codes_.begin();
    const bool everyRow = space_.IsFull();
    for (RowCode code = 0; code < CodeSpaceSize(n_); ++code) {
        if (field.At(code) > k_ || (!everyRow && !space_.Contains(code)))
            continue;
        candidates.push_back(code);
        const bool isListRow = listRow != codes_.end() && *listRow == code;
        needed.push_back(isListRow ? 1 : 0);
        listRow += isListRow;
    }
    codes_ = std::move(candidates);
    needed_ = std::move(needed);
}

void CoverBalls::IndexCodeSpace() {
    idOfCode_.assign(CodeSpaceSize(n_), -1);
    for (Id id = 0; id < Count(); ++id)
        idOfCode_[codes_[id]] = id;
}

// Comparing every pair is cheaper than walking the code space while there are fewer
// candidates than a ball holds.
void CoverBalls::BuildAdjacency(std::int64_t volume) {
    first_.reserve(codes_.size() + 1);
    first_.push_back(0);
    const bool walk = Count() > volume;
    std::vector<PackedRow> packed;
    if (walk) {
        IndexCodeSpace();
    } else {
        for (RowCode code : codes_)
            packed.push_back(PackCode(code, n_));
    }
    for (Id id = 0; id < Count(); ++id) {
        if (walk) {
            ForEachCodeWithin(codes_[id], n_, k_, [&](RowCode code) {
                if (const Id near = idOfCode_[code]; near >= 0)
                    neighbours_.push_back(near);
            });
        } else {
            for (Id other = 0; other < Count(); ++other) {
                if (PackedDistance(packed[id], packed[other]) <= k_)
                    neighbours_.push_back(other);
            }
        }
        first_.push_back(neighbours_.size());
        maxBallSize_ = std::max<std::int64_t>(maxBallSize_, first_[id + 1] - first_[id]);
        const auto reach =
            std::count_if(neighbours_.begin() + static_cast<std::ptrdiff_t>(first_[id]),
                          neighbours_.end(), [&](Id near) { return Needed(near); });
        widestReach_ = std::max<std::int64_t>(widestReach_, reach);
    }
    std::vector<Id>().swap(idOfCode_);
}

Id CoverBalls::Find(RowCode code) const {
    if (!idOfCode_.empty())
        return idOfCode_[code];
    const auto at = std::lower_bound(codes_.begin(), codes_.end(), code);
    return at != codes_.end() && *at == code ? static_cast<Id>(at - codes_.begin()) : -1;
}

}  // namespace velmora
