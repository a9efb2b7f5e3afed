// The local search of an optimised reduction: starting from a complete cover, it keeps
// trying to manage with one row less.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <random>
#include <vector>

#include "model/coverballs.h"
#include "model/coverbudget.h"

namespace velmora {

// The kept rows filed by how many rows each alone covers, so that a cheap one to drop is
// found without looking at every kept row.
class KeptByLoss {
  public:
    KeptByLoss(Id rows, std::int64_t maxLoss)
        : buckets_(static_cast<std::size_t>(maxLoss) + 1),
          at_(static_cast<std::size_t>(rows), -1) {}

    void Insert(Id row, std::int32_t loss) {
        auto& bucket = buckets_[loss];
        at_[row] = static_cast<std::int32_t>(bucket.size());
        bucket.push_back(row);
        lowest_ = std::min(lowest_, static_cast<std::size_t>(loss));
    }

    void Remove(Id row, std::int32_t loss) {
        auto& bucket = buckets_[loss];
        const Id last = bucket.back();
        bucket[at_[row]] = last;
        at_[last] = at_[row];
        bucket.pop_back();
        at_[row] = -1;
    }

    void Move(Id row, std::int32_t from, std::int32_t to) {
        Remove(row, from);
        Insert(row, to);
    }

    // The first bucket, from the cheapest up, in which `pick` finds a row, or -1.
    template <class Pick>
    Id Cheapest(Pick&& pick) {
        while (lowest_ < buckets_.size() && buckets_[lowest_].empty())
            ++lowest_;
        for (std::size_t loss = lowest_; loss < buckets_.size(); ++loss) {
            if (const Id row = pick(buckets_[loss]); row >= 0)
                return row;
        }
        return -1;
    }

  private:
    std::vector<std::vector<Id>> buckets_;
    std::vector<std::int32_t> at_;
    std::size_t lowest_ = 0;
};

// A set of Ids below a bound with constant-time insertion and removal, its members in a
// vector for random picks and scans.
class IdSet {
  public:
    explicit IdSet(Id bound = 0) : at_(static_cast<std::size_t>(bound), -1) {}

    const std::vector<Id>& Items() const { return items_; }
    bool Empty() const { return items_.empty(); }
    std::size_t Size() const { return items_.size(); }

    void Insert(Id id) {
        at_[id] = static_cast<std::int32_t>(items_.size());
        items_.push_back(id);
    }

    void Erase(Id id) {
        const Id last = items_.back();
        items_[at_[id]] = last;
        at_[last] = at_[id];
        items_.pop_back();
        at_[id] = -1;
    }

  private:
    std::vector<std::int32_t> at_;  // position in items_, or -1
    std::vector<Id> items_;
};

struct SearchLimits {
    std::int64_t maxSteps = 0;  // 0: none
    std::int64_t maxWork = 0;   // 0: none
    std::size_t lowerBound = 0;
    // Seconds without an improvement after which the search gives up, 0: never. A large
    // cover improves seldom; the search goes on until it has also taken this many steps
    // per kept row since the last improvement.
    double patience = 0;
    std::int64_t stallStepsPerRow = 0;
};

// The loop both searches share: whenever nothing is left uncovered, the cover is recorded
// and the cheapest kept row dropped, redundant rows going in a burst that is shown as one
// improvement; otherwise a step. Search provides DropCheapest and Step.
template <class Search>
class SearchLoop {
  public:
    // Runs until a limit is reached, abort or time-out, or until the cover is no larger
    // than the lower bound.
    void Run(const SearchLimits& limits) {
        Search& search = static_cast<Search&>(*this);
        double improvedAt = budget_.Elapsed();
        std::int64_t improvedStep = step_;
        for (;;) {
            const std::size_t shown = best_.size();
            while (uncovered_.Empty()) {
                best_ = kept_.Items();
                if (best_.size() <= limits.lowerBound)
                    break;
                search.DropCheapest();
            }
            if (shown != 0 && best_.size() < shown) {
                progress_.ShowBestCover(static_cast<std::int32_t>(best_.size()));
                improvedAt = budget_.Elapsed();
                improvedStep = step_;
            }
            stalled_ = limits.patience > 0 && budget_.Elapsed() - improvedAt >= limits.patience &&
                       step_ - improvedStep >=
                           limits.stallStepsPerRow * static_cast<std::int64_t>(best_.size());
            if (best_.size() <= limits.lowerBound || budget_.Stopped() || stalled_ ||
                (limits.maxSteps > 0 && step_ >= limits.maxSteps) ||
                (limits.maxWork > 0 && work_ >= limits.maxWork)) {
                return;
            }
            ++step_;
            search.Step();
        }
    }

    const std::vector<Id>& Best() const { return best_; }
    std::int64_t Steps() const { return step_; }
    bool Stalled() const { return stalled_; }

  protected:
    // Points are Ids below `count`.
    SearchLoop(Id count, RunBudget& budget, RunObserver& progress)
        : budget_(budget), progress_(progress), kept_(count), uncovered_(count) {}

    RunBudget& budget_;
    RunObserver& progress_;
    IdSet kept_;
    IdSet uncovered_;  // needed points within reach of no kept point
    std::vector<Id> best_;
    std::int64_t step_ = 0;
    std::int64_t work_ = 0;
    bool stalled_ = false;
};

// Tries to manage with one row less than the best cover so far: it drops a kept row, and
// then, step by step, drops the kept row that covers the fewest rows alone and keeps, for a
// randomly chosen uncovered row, the row within its reach that covers the most uncovered
// rows. Rows just moved may not move back for a couple of steps, or a random few more
// (tabu), and among equals the row unmoved the longest goes first, so that the search keeps
// moving over plateaus. Whenever nothing is left uncovered, the cover is recorded and the
// next row dropped. The counts of uncovered rows within reach are kept for every row, so
// that a step costs a ball per row whose coverage changes.
//
// Balls provides Count, Needed, MaxBallSize, BallCost and ForEachWithin; reach must be
// symmetric. Only needed rows have to be covered; any row may be kept.
template <class Balls>
class CoverSearch : public SearchLoop<CoverSearch<Balls>> {
  public:
    using Limits = SearchLimits;

    CoverSearch(const Balls& balls, const std::vector<Id>& cover, std::uint64_t seed,
                int tabuSpread, RunBudget& budget, RunObserver& progress);

  private:
    friend class SearchLoop<CoverSearch>;
    using SearchLoop<CoverSearch>::budget_;
    using SearchLoop<CoverSearch>::step_;
    using SearchLoop<CoverSearch>::work_;
    using SearchLoop<CoverSearch>::kept_;
    using SearchLoop<CoverSearch>::uncovered_;

    void DropCheapest() { Drop(PickDrop(false)); }

    static constexpr std::int64_t kTabuSteps = 2;
    static constexpr std::size_t kDropSamples = 8;

    bool Tabu(Id row) const { return tabuUntil_[row] > step_; }
    void MarkMoved(Id row) {
        lastMoved_[row] = step_;
        tabuUntil_[row] = step_ + kTabuSteps;
        if (tabuSpread_ > 0)
            tabuUntil_[row] += static_cast<std::int64_t>(Draw(tabuSpread_ + 1));
    }
    bool MovedEarlier(Id a, Id b) const { return lastMoved_[a] < lastMoved_[b]; }
    std::uint64_t Draw(std::uint64_t bound) {
        return std::uniform_int_distribution<std::uint64_t>(0, bound - 1)(random_);
    }
    template <class Visit>
    void Walk(Id centre, Visit&& visit) {
        balls_.ForEachWithin(centre, visit);
        work_ += balls_.BallCost();
        budget_.Spend(balls_.BallCost());
    }

    void Step();
    Id PickDrop(bool obeyTabu);
    Id PickAddition(Id target, bool obeyTabu);
    void Keep(Id row);
    void Drop(Id row);
    void ChangeLoss(Id row, std::int32_t by);
    void Uncover(Id row);
    void Cover(Id row);

    const Balls& balls_;
    std::mt19937_64 random_;
    const int tabuSpread_;

    std::vector<std::uint16_t> coverCount_;  // kept rows within reach of each row
    std::vector<Id> ownerSum_;               // their sum, wrapping: with one, that row itself
    std::vector<std::int32_t> gain_;         // uncovered rows within reach of each row
    std::vector<std::int32_t> loss_;         // for kept rows: rows they alone cover
    std::vector<std::int64_t> tabuUntil_;
    std::vector<std::int64_t> lastMoved_;  // step of the last keep or drop
    KeptByLoss byLoss_;
};

template <class Balls>
CoverSearch<Balls>::CoverSearch(const Balls& balls, const std::vector<Id>& cover,
                                std::uint64_t seed, int tabuSpread, RunBudget& budget,
                                RunObserver& progress)
    : SearchLoop<CoverSearch>(balls.Count(), budget, progress),
      balls_(balls),
      random_(seed),
      tabuSpread_(tabuSpread),
      byLoss_(balls.Count(), balls.MaxBallSize()) {
    const auto count = static_cast<std::size_t>(balls.Count());
    coverCount_.assign(count, 0);
    ownerSum_.assign(count, 0);
    gain_.assign(count, 0);
    loss_.assign(count, 0);
    lastMoved_.assign(count, -1);
    tabuUntil_.assign(count, 0);
    // A complete cover leaves nothing to gain: only the counts around kept rows are needed.
    for (Id row : cover) {
        kept_.Insert(row);
        Walk(row, [&](Id near) {
            if (!balls_.Needed(near))
                return;
            ++coverCount_[near];
            ownerSum_[near] = static_cast<Id>(static_cast<std::uint32_t>(ownerSum_[near]) + row);
        });
    }
    for (Id row = 0; row < balls.Count(); ++row) {
        if (!balls.Needed(row))
            continue;
        assert(coverCount_[row] > 0);
        if (coverCount_[row] == 1)
            ++loss_[ownerSum_[row]];
    }
    for (Id row : kept_.Items())
        byLoss_.Insert(row, loss_[row]);
}

template <class Balls>
void CoverSearch<Balls>::Step() {
    Id drop = PickDrop(true);
    if (drop < 0)
        drop = PickDrop(false);
    Drop(drop);
    const Id target = uncovered_.Items()[Draw(uncovered_.Size())];
    Id add = PickAddition(target, true);
    if (add < 0)
        add = PickAddition(target, false);
    Keep(add);
}

// In a large bucket a few random rows stand for all of it.
template <class Balls>
Id CoverSearch<Balls>::PickDrop(bool obeyTabu) {
    return byLoss_.Cheapest([&](const std::vector<Id>& bucket) {
        Id pick = -1;
        auto consider = [&](Id row) {
            if ((!obeyTabu || !Tabu(row)) && (pick < 0 || MovedEarlier(row, pick)))
                pick = row;
        };
        if (bucket.size() <= kDropSamples) {
            for (Id row : bucket)
                consider(row);
        } else {
            for (std::size_t sample = 0; sample < kDropSamples; ++sample)
                consider(bucket[Draw(bucket.size())]);
        }
        return pick;
    });
}

// No row within reach of an uncovered row is kept, so every one of them may be added.
template <class Balls>
Id CoverSearch<Balls>::PickAddition(Id target, bool obeyTabu) {
    Id pick = -1;
    Walk(target, [&](Id row) {
        if (obeyTabu && Tabu(row))
            return;
        if (pick < 0 || gain_[row] > gain_[pick] ||
            (gain_[row] == gain_[pick] && MovedEarlier(row, pick))) {
            pick = row;
        }
    });
    return pick;
}

template <class Balls>
void CoverSearch<Balls>::ChangeLoss(Id row, std::int32_t by) {
    byLoss_.Move(row, loss_[row], loss_[row] + by);
    loss_[row] += by;
}

template <class Balls>
void CoverSearch<Balls>::Keep(Id row) {
    kept_.Insert(row);
    loss_[row] = 0;
    Walk(row, [&](Id near) {
        if (!balls_.Needed(near))
            return;
        if (coverCount_[near] == 0) {
            Cover(near);
            ++loss_[row];
        } else if (coverCount_[near] == 1) {
            ChangeLoss(ownerSum_[near], -1);
        }
        ++coverCount_[near];
        ownerSum_[near] = static_cast<Id>(static_cast<std::uint32_t>(ownerSum_[near]) + row);
    });
    byLoss_.Insert(row, loss_[row]);
    MarkMoved(row);
}

template <class Balls>
void CoverSearch<Balls>::Drop(Id row) {
    byLoss_.Remove(row, loss_[row]);
    kept_.Erase(row);
    Walk(row, [&](Id near) {
        if (!balls_.Needed(near))
            return;
        --coverCount_[near];
        ownerSum_[near] = static_cast<Id>(static_cast<std::uint32_t>(ownerSum_[near]) - row);
        if (coverCount_[near] == 0)
            Uncover(near);
        else if (coverCount_[near] == 1)
            ChangeLoss(ownerSum_[near], +1);
    });
    MarkMoved(row);
}

template <class Balls>
void CoverSearch<Balls>::Uncover(Id row) {
    uncovered_.Insert(row);
    Walk(row, [&](Id near) { ++gain_[near]; });
}

template <class Balls>
void CoverSearch<Balls>::Cover(Id row) {
    uncovered_.Erase(row);
    Walk(row, [&](Id near) { --gain_[near]; });
}

// A second search for covers of a few thousand rows at most, where a scan over the kept
// rows is cheap: every needed row carries a weight that grows by one for each step it stays
// uncovered, and the moves weigh rows by it. Rows that are hard to cover thereby gain pull
// until the search reorganises around them, which gets it out of the basins the plain
// search circles in. A step drops the kept row that loses the least weight, then, for a
// random uncovered row, keeps the row within its reach that gains the most; the row just
// kept may not go at the next step, nor the row just dropped come back at once.
template <class Balls>
class WeightedCoverSearch : public SearchLoop<WeightedCoverSearch<Balls>> {
  public:
    using Limits = SearchLimits;

    WeightedCoverSearch(const Balls& balls, const std::vector<Id>& cover, std::uint64_t seed,
                        RunBudget& budget, RunObserver& progress)
        : SearchLoop<WeightedCoverSearch>(balls.Count(), budget, progress),
          balls_(balls),
          random_(seed) {
        const auto count = static_cast<std::size_t>(balls.Count());
        coverCount_.assign(count, 0);
        ownerSum_.assign(count, 0);
        weight_.assign(count, 1);
        score_.assign(count, 0);
        lastMoved_.assign(count, -1);
        mayKeep_.assign(count, 1);
        for (Id row = 0; row < balls.Count(); ++row) {
            if (balls.Needed(row))
                Uncover(row);
        }
        for (Id row : cover)
            Keep(row);
    }

  private:
    friend class SearchLoop<WeightedCoverSearch>;
    using SearchLoop<WeightedCoverSearch>::budget_;
    using SearchLoop<WeightedCoverSearch>::step_;
    using SearchLoop<WeightedCoverSearch>::work_;
    using SearchLoop<WeightedCoverSearch>::kept_;
    using SearchLoop<WeightedCoverSearch>::uncovered_;

    void DropCheapest() { Drop(PickDrop(-1)); }

    template <class Visit>
    void Walk(Id centre, Visit&& visit) {
        balls_.ForEachWithin(centre, visit);
        work_ += balls_.BallCost();
        budget_.Spend(balls_.BallCost());
    }

    void Step() {
        const Id dropped = PickDrop(lastKept_);
        Drop(dropped);
        const Id target = uncovered_.Items()[std::uniform_int_distribution<std::size_t>(
            0, uncovered_.Size() - 1)(random_)];
        Id add = -1;
        Walk(target, [&](Id row) {
            if (row == dropped || !mayKeep_[row])
                return;
            if (add < 0 || score_[row] > score_[add] ||
                (score_[row] == score_[add] && lastMoved_[row] < lastMoved_[add])) {
                add = row;
            }
        });
        Keep(add < 0 ? dropped : add);
        lastKept_ = add < 0 ? dropped : add;
        for (Id row : uncovered_.Items()) {
            ++weight_[row];
            Walk(row, [&](Id near) { ++score_[near]; });
        }
    }

    // The kept row whose loss of weight is least, the longest unmoved among equals.
    Id PickDrop(Id spare) const {
        Id pick = -1;
        for (Id row : kept_.Items()) {
            if (row == spare && kept_.Size() > 1)
                continue;
            if (pick < 0 || score_[row] > score_[pick] ||
                (score_[row] == score_[pick] && lastMoved_[row] < lastMoved_[pick])) {
                pick = row;
            }
        }
        return pick;
    }

    // Kept rows score minus the weight they alone cover, other rows the weight of the
    // uncovered rows they would cover.
    void Keep(Id row) {
        kept_.Insert(row);
        lastMoved_[row] = step_;
        score_[row] = 0;
        Walk(row, [&](Id near) {
            if (!balls_.Needed(near))
                return;
            // Covering a row takes its weight from every row around it, this one included.
            if (coverCount_[near] == 0)
                Cover(near);
            else if (coverCount_[near] == 1)
                score_[ownerSum_[near]] += weight_[near];
            ++coverCount_[near];
            ownerSum_[near] = static_cast<Id>(static_cast<std::uint32_t>(ownerSum_[near]) + row);
        });
    }

    void Drop(Id row) {
        kept_.Erase(row);
        lastMoved_[row] = step_;
        score_[row] = 0;
        Walk(row, [&](Id near) {
            if (!balls_.Needed(near))
                return;
            --coverCount_[near];
            ownerSum_[near] = static_cast<Id>(static_cast<std::uint32_t>(ownerSum_[near]) - row);
            if (coverCount_[near] == 0)
                Uncover(near);
            else if (coverCount_[near] == 1)
                score_[ownerSum_[near]] -= weight_[near];
        });
        mayKeep_[row] = 0;
    }

    void Uncover(Id row) {
        uncovered_.Insert(row);
        Walk(row, [&](Id near) {
            score_[near] += weight_[row];
            mayKeep_[near] = 1;
        });
    }

    void Cover(Id row) {
        uncovered_.Erase(row);
        Walk(row, [&](Id near) {
            score_[near] -= weight_[row];
            mayKeep_[near] = 1;
        });
    }

    const Balls& balls_;
    std::mt19937_64 random_;

    std::vector<std::uint16_t> coverCount_;  // kept rows within reach of each row
    std::vector<Id> ownerSum_;               // their sum, wrapping: with one, that row itself
    std::vector<std::int64_t> weight_;
    std::vector<std::int64_t> score_;
    std::vector<std::int64_t> lastMoved_;
    // A dropped row may come back only once a row within its reach has changed from covered
    // to uncovered or back: otherwise it would return to the very state it left.
    std::vector<std::uint8_t> mayKeep_;
    Id lastKept_ = -1;
};

}  // namespace velmora
