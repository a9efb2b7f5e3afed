// The covering problem of an optimised reduction: the rows of a list to be covered, the
// candidates that may cover them, and for each candidate the candidates within the guarantee
// distance. Without rows from outside, the candidates are the list's distinct rows; with
// them, every row of the outside space within reach of a list row.
#pragma once

#include <cstdint>
#include <vector>

#include "model/codespace.h"
#include "model/rowlist.h"

namespace velmora {

// A candidate row, numbered in code order. The covering searches also run on other spaces
// (syndromes, binary words), where an Id is a point of that space.
using Id = std::int32_t;

class CoverBalls {
  public:
    // The space is the product of the signs each game takes in the list, widened by
    // `outside` when given; only then do candidates come from outside the list.
    CoverBalls(const TRowList& rows, int level, const RowSpace* outside);

    Id Count() const { return static_cast<Id>(codes_.size()); }
    // Whether the candidate is a list row, which has to be covered.
    bool Needed(Id id) const { return needed_.empty() || needed_[id] != 0; }
    Id NeededCount() const { return neededCount_; }
    int Games() const { return n_; }
    int Level() const { return k_; }
    const RowSpace& Space() const { return space_; }
    RowCode Code(Id id) const { return codes_[id]; }
    // The candidate of that code, or -1 if there is none.
    Id Find(RowCode code) const;
    std::int64_t MaxBallSize() const { return maxBallSize_; }
    // The most list rows one candidate reaches.
    std::int64_t WidestReach() const { return widestReach_; }
    // Work one ball costs, for pacing.
    std::int64_t BallCost() const { return ballCost_; }

    template <class Visit>
    void ForEachWithin(Id id, Visit&& visit) const {
        if (idOfCode_.empty()) {
            for (std::size_t at = first_[id]; at < first_[id + 1]; ++at)
                visit(neighbours_[at]);
        } else if (everyCode_) {
            ForEachCodeWithin(codes_[id], n_, k_,
                              [&](RowCode code) { visit(static_cast<Id>(code)); });
        } else {
            ForEachCodeWithin(codes_[id], n_, k_, [&](RowCode code) {
                if (const Id near = idOfCode_[code]; near >= 0)
                    visit(near);
            });
        }
    }

  private:
    // Adjacency lists up to this many entries (64 MB); beyond, the code-space walk.
    static constexpr std::int64_t kMaxAdjacency = std::int64_t{1} << 24;

    void CollectCandidates();
    void IndexCodeSpace();
    void BuildAdjacency(std::int64_t volume);

    const int n_;
    const int k_;
    RowSpace space_;
    std::vector<RowCode> codes_;
    std::vector<std::uint8_t> needed_;  // empty: every candidate is a list row
    Id neededCount_ = 0;
    bool everyCode_ = false;          // the candidates are every code: an Id is its code
    std::vector<Id> idOfCode_;        // walking: the candidate of each code, or -1
    std::vector<std::size_t> first_;  // adjacency: neighbours_[first_[id]..first_[id + 1])
    std::vector<Id> neighbours_;
    std::int64_t maxBallSize_ = 0;
    std::int64_t widestReach_ = 1;
    std::int64_t ballCost_ = 0;
};

}  // namespace velmora
