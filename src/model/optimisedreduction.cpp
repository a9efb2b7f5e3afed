#include "model/optimisedreduction.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <chrono>
#include <limits>
#include <numeric>
#include <optional>
#include <random>
#include <vector>

#include "model/codespace.h"
#include "model/rowcode.h"

namespace velmora {
namespace {

// A distinct row of the list; the rows are numbered in code order. The covering searches
// below also run on syndromes, where an Id is a syndrome.
using Id = std::int32_t;

// The distinct rows of a list and, for each, the rows within the guarantee distance. Small
// lists keep these balls as adjacency lists; large ones find them by walking the code space
// around a row through a table from code to row, which needs no memory per row.
class RowBalls {
  public:
    RowBalls(const TRowList& rows, int level);

    Id Count() const { return static_cast<Id>(codes_.size()); }
    int Games() const { return n_; }
    RowCode Code(Id id) const { return codes_[id]; }
    // The row of that code, or -1 if the list has none.
    Id Find(RowCode code) const;
    std::int64_t BallSize(Id id) const;
    std::int64_t MaxBallSize() const { return maxBallSize_; }
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

    void IndexCodeSpace();
    void BuildAdjacency(std::int64_t volume);

    const int n_;
    const int k_;
    std::vector<RowCode> codes_;
    bool everyCode_ = false;          // the list holds every code: a row's Id is its code
    std::vector<Id> idOfCode_;        // walking: the row of each code, or -1
    std::vector<std::size_t> first_;  // adjacency: neighbours_[first_[id]..first_[id + 1])
    std::vector<Id> neighbours_;
    std::int64_t maxBallSize_ = 0;
    std::int64_t ballCost_ = 0;
};

RowBalls::RowBalls(const TRowList& rows, int level) : n_(rows.Games()), k_(level) {
    codes_.reserve(static_cast<std::size_t>(rows.Count()));
    for (std::int32_t r = 0; r < rows.Count(); ++r)
        codes_.push_back(EncodeRow(rows.Row(r), n_));
    std::sort(codes_.begin(), codes_.end());
    codes_.erase(std::unique(codes_.begin(), codes_.end()), codes_.end());
    codes_.shrink_to_fit();

    const std::int64_t volume = BallVolume(n_, k_);
    const std::int64_t count = Count();
    if (count * std::min(count, volume) <= kMaxAdjacency) {
        BuildAdjacency(volume);
        ballCost_ = static_cast<std::int64_t>(neighbours_.size()) / count + 1;
    } else {
        IndexCodeSpace();
        everyCode_ = count == static_cast<std::int64_t>(CodeSpaceSize(n_));
        maxBallSize_ = ballCost_ = volume;
    }
}

void RowBalls::IndexCodeSpace() {
    idOfCode_.assign(CodeSpaceSize(n_), -1);
    for (Id id = 0; id < Count(); ++id)
        idOfCode_[codes_[id]] = id;
}

// Comparing every pair is cheaper than walking the code space while the list holds fewer
// rows than a ball.
void RowBalls::BuildAdjacency(std::int64_t volume) {
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
        maxBallSize_ = std::max(maxBallSize_, BallSize(id));
    }
    std::vector<Id>().swap(idOfCode_);
}

Id RowBalls::Find(RowCode code) const {
    if (!idOfCode_.empty())
        return idOfCode_[code];
    const auto at = std::lower_bound(codes_.begin(), codes_.end(), code);
    return at != codes_.end() && *at == code ? static_cast<Id>(at - codes_.begin()) : -1;
}

std::int64_t RowBalls::BallSize(Id id) const {
    if (idOfCode_.empty())
        return static_cast<std::int64_t>(first_[id + 1] - first_[id]);
    if (everyCode_)
        return ballCost_;
    std::int64_t size = 0;
    ForEachWithin(id, [&](Id) { ++size; });
    return size;
}

// Lets the window handle "Abbruch" and reads the clock after a fixed amount of work, not
// after a fixed time, so that a run takes the same course however busy the machine is.
class Pacer {
  public:
    Pacer(const AbortFlag& abort, RunObserver& observer) : abort_(abort), observer_(observer) {}

    void StartClock(double seconds) {
        start_ = Clock::now();
        seconds_ = seconds;
        timed_ = true;
        timeUp_ = seconds <= 0;
    }

    // `work` counts visited rows; a check comes about every few milliseconds.
    void Spend(std::int64_t work) {
        pending_ += work;
        if (pending_ >= kWorkPerCheck)
            Check();
    }

    void Check() {
        pending_ = 0;
        observer_.ProcessEvents();
        if (timed_ && std::chrono::duration<double>(Clock::now() - start_).count() >= seconds_)
            timeUp_ = true;
    }

    bool Aborted() const { return abort_.IsSet(); }
    bool TimeUp() const { return timeUp_; }
    bool Stopped() const { return Aborted() || TimeUp(); }

  private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::int64_t kWorkPerCheck = std::int64_t{1} << 20;

    const AbortFlag& abort_;
    RunObserver& observer_;
    std::int64_t pending_ = 0;
    Clock::time_point start_{};
    double seconds_ = 0;
    bool timed_ = false;
    bool timeUp_ = false;
};

// Covers the rows an aborted greedy cover left open first-fit, which costs one ball per
// kept row and nothing else.
template <class Balls>
void CoverTheRestFirstFit(const Balls& balls, std::vector<std::uint8_t>& covered,
                          std::vector<Id>& chosen) {
    for (Id id = 0; id < balls.Count(); ++id) {
        if (covered[id])
            continue;
        chosen.push_back(id);
        balls.ForEachWithin(id, [&](Id near) { covered[near] = 1; });
    }
}

struct StartCover {
    std::vector<Id> rows;
    // The most rows one row reaches: no cover has fewer rows than Count / widestReach.
    std::int64_t widestReach = 1;
};

// Keeps the row that covers the most rows still uncovered, again and again. The counts are
// kept exact, decremented around every newly covered row; a bucket queue over the counts
// finds the largest and re-files a row only when it is found to have dropped. Equal counts
// are taken in a seeded random order. On abort the rest is covered first-fit, so that the
// result is a complete cover all the same.

template <class Balls>
StartCover CoverGreedily(const Balls& balls, Pacer& pacer, std::mt19937_64& random) {
    const Id count = balls.Count();
    StartCover result;
    std::vector<Id>& chosen = result.rows;
    std::vector<std::int32_t> uncoveredNear(static_cast<std::size_t>(count));
    for (Id id = 0; id < count; ++id) {
        uncoveredNear[id] = static_cast<std::int32_t>(balls.BallSize(id));
        result.widestReach = std::max<std::int64_t>(result.widestReach, uncoveredNear[id]);
        pacer.Spend(balls.BallCost());
    }
    std::vector<Id> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), random);
    std::vector<std::vector<Id>> buckets(static_cast<std::size_t>(balls.MaxBallSize()) + 1);
    for (Id id : order)
        buckets[uncoveredNear[id]].push_back(id);
    std::vector<Id>().swap(order);

    std::vector<std::uint8_t> covered(static_cast<std::size_t>(count), 0);
    Id uncovered = count;
    std::size_t top = buckets.size() - 1;
    while (uncovered > 0) {
        if (pacer.Aborted()) {
            CoverTheRestFirstFit(balls, covered, chosen);
            break;
        }
        while (buckets[top].empty())
            --top;
        const Id candidate = buckets[top].back();
        buckets[top].pop_back();
        const auto now = static_cast<std::size_t>(uncoveredNear[candidate]);
        if (now != top) {
            if (now > 0)
                buckets[now].push_back(candidate);
            continue;
        }
        chosen.push_back(candidate);
        balls.ForEachWithin(candidate, [&](Id near) {
            if (covered[near])
                return;
            covered[near] = 1;
            --uncovered;
            balls.ForEachWithin(near, [&](Id around) { --uncoveredNear[around]; });
            pacer.Spend(balls.BallCost());
        });
        pacer.Spend(balls.BallCost());
    }
    return result;
}

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

// Tries to manage with one row less than the best cover so far: it drops a kept row, and
// then, step by step, drops the kept row that covers the fewest rows alone and keeps, for a
// randomly chosen uncovered row, the row within its reach that covers the most uncovered
// rows. Rows just moved may not move back for a couple of steps, or a random few more
// (tabu), and among equals the row unmoved the longest goes first, so that the search keeps
// moving over plateaus. Whenever nothing is left uncovered, the cover is recorded and the
// next row dropped. The counts of uncovered rows within reach are kept for every row, so
// that a step costs a ball per row whose coverage changes.
//
// Balls provides Count, BallSize, MaxBallSize, BallCost and ForEachWithin; reach must be
// symmetric.
template <class Balls>
class CoverSearch {
  public:
    CoverSearch(const Balls& balls, const std::vector<Id>& cover, std::uint64_t seed,
                int tabuSpread, Pacer& pacer, RunObserver& progress);

    // Runs until the step or work limit (0: none), abort or time-out, or until the cover is
    // no larger than the lower bound.
    void Run(std::int64_t maxSteps, std::int64_t maxWork, std::size_t lowerBound);
    const std::vector<Id>& Best() const { return best_; }
    std::int64_t Steps() const { return step_; }

  private:
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
        pacer_.Spend(balls_.BallCost());
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
    Pacer& pacer_;
    RunObserver& progress_;
    std::mt19937_64 random_;
    const int tabuSpread_;

    std::vector<std::uint16_t> coverCount_;  // kept rows within reach of each row
    std::vector<Id> ownerSum_;               // their sum, wrapping: with one, that row itself
    std::vector<std::int32_t> gain_;         // uncovered rows within reach of each row
    std::vector<std::int32_t> loss_;         // for kept rows: rows they alone cover
    std::vector<std::int64_t> tabuUntil_;
    std::vector<std::int64_t> lastMoved_;  // step of the last keep or drop
    std::vector<std::int32_t> keptAt_;     // position in kept_, or -1
    std::vector<Id> kept_;
    KeptByLoss byLoss_;
    std::vector<std::int32_t> uncoveredAt_;  // position in uncovered_, or -1
    std::vector<Id> uncovered_;

    std::vector<Id> best_;
    std::int64_t step_ = 0;
    std::int64_t work_ = 0;
};

template <class Balls>
CoverSearch<Balls>::CoverSearch(const Balls& balls, const std::vector<Id>& cover,
                                std::uint64_t seed, int tabuSpread, Pacer& pacer,
                                RunObserver& progress)
    : balls_(balls),
      pacer_(pacer),
      progress_(progress),
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
    keptAt_.assign(count, -1);
    uncoveredAt_.assign(count, -1);
    // A complete cover leaves nothing to gain: only the counts around kept rows are needed.
    for (Id row : cover) {
        keptAt_[row] = static_cast<std::int32_t>(kept_.size());
        kept_.push_back(row);
        Walk(row, [&](Id near) {
            ++coverCount_[near];
            ownerSum_[near] = static_cast<Id>(static_cast<std::uint32_t>(ownerSum_[near]) + row);
        });
    }
    for (std::size_t row = 0; row < count; ++row) {
        assert(coverCount_[row] > 0);
        if (coverCount_[row] == 1)
            ++loss_[ownerSum_[row]];
    }
    for (Id row : kept_)
        byLoss_.Insert(row, loss_[row]);
}

template <class Balls>
void CoverSearch<Balls>::Run(std::int64_t maxSteps, std::int64_t maxWork, std::size_t lowerBound) {
    for (;;) {
        // Redundant rows go in a burst, which is shown as one improvement.
        const std::size_t shown = best_.size();
        while (uncovered_.empty()) {
            best_ = kept_;
            if (kept_.size() <= lowerBound)
                break;
            Drop(PickDrop(false));
        }
        if (shown != 0 && best_.size() < shown)
            progress_.ShowBestCover(static_cast<std::int32_t>(best_.size()));
        if (best_.size() <= lowerBound || pacer_.Stopped() || (maxSteps > 0 && step_ >= maxSteps) ||
            (maxWork > 0 && work_ >= maxWork)) {
            return;
        }
        Step();
    }
}

template <class Balls>
void CoverSearch<Balls>::Step() {
    ++step_;
    Id drop = PickDrop(true);
    if (drop < 0)
        drop = PickDrop(false);
    Drop(drop);
    const Id target = uncovered_[Draw(uncovered_.size())];
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
    keptAt_[row] = static_cast<std::int32_t>(kept_.size());
    kept_.push_back(row);
    loss_[row] = 0;
    Walk(row, [&](Id near) {
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
    const Id last = kept_.back();
    kept_[keptAt_[row]] = last;
    keptAt_[last] = keptAt_[row];
    kept_.pop_back();
    keptAt_[row] = -1;
    Walk(row, [&](Id near) {
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
    uncoveredAt_[row] = static_cast<std::int32_t>(uncovered_.size());
    uncovered_.push_back(row);
    Walk(row, [&](Id near) { ++gain_[near]; });
}

template <class Balls>
void CoverSearch<Balls>::Cover(Id row) {
    const Id last = uncovered_.back();
    uncovered_[uncoveredAt_[row]] = last;
    uncoveredAt_[last] = uncoveredAt_[row];
    uncovered_.pop_back();
    uncoveredAt_[row] = -1;
    Walk(row, [&](Id near) { --gain_[near]; });
}

// A full system needs no search from scratch: a linear code does far better than the
// greedy cover. Treat the signs of the m open games as numbers mod 3, pick an r x m matrix
// H and a set S of syndromes, and keep the rows x whose syndrome Hx lies in S. Changing
// up to `level` games moves the syndrome by the sum of those games' columns, each taken
// once or twice; so when every syndrome lies within such a sum of S, every row lies within
// `level` games of a kept row. That leaves two small problems: columns whose sums reach as
// many syndromes as possible, and the fewest syndromes whose reach covers all, which is
// the same covering problem as before in a space of 3^r instead of 3^m points. The kept
// rows number about |S| * 3^(m - r); the best r is tried around the ball size.

// Vectors of r signs, added sign by sign mod 3, as base-3 numbers like row codes.
class SyndromeSpace {
  public:
    explicit SyndromeSpace(int r) : size_(kPow3[r]) {}

    RowCode Size() const { return size_; }

    // Three signs at a time through a table.
    RowCode Add(RowCode a, RowCode b) const {
        RowCode sum = 0;
        for (RowCode place = 1; place < size_; place *= 27) {
            sum += kTripleSums[a % 27][b % 27] * place;
            a /= 27;
            b /= 27;
        }
        return sum;
    }

  private:
    static constexpr auto kTripleSums = [] {
        std::array<std::array<std::uint8_t, 27>, 27> sums{};
        for (int a = 0; a < 27; ++a) {
            for (int b = 0; b < 27; ++b) {
                int sum = 0;
                for (int place = 9; place >= 1; place /= 3)
                    sum = sum * 3 + (a / place % 3 + b / place % 3) % 3;
                sums[a][b] = static_cast<std::uint8_t>(sum);
            }
        }
        return sums;
    }();

    RowCode size_;
};

// Calls visit(syndrome) for every sum of at most `level` distinct columns, each taken once
// or twice, starting with the empty sum 0.
template <class Visit>
void ForEachColumnSum(const SyndromeSpace& space, const std::vector<RowCode>& columns, int level,
                      Visit&& visit) {
    const int m = static_cast<int>(columns.size());
    auto extend = [&](auto& self, RowCode sum, int fromColumn, int columnsLeft) -> void {
        for (int j = fromColumn; j < m; ++j) {
            const RowCode once = space.Add(sum, columns[j]);
            const RowCode twice = space.Add(once, columns[j]);
            for (RowCode next : {once, twice}) {
                visit(next);
                if (columnsLeft > 1)
                    self(self, next, j + 1, columnsLeft - 1);
            }
        }
    };
    visit(RowCode{0});
    if (level > 0)
        extend(extend, 0, 0, level);
}

// The distinct syndromes the column sums reach.
class ColumnReach {
  public:
    explicit ColumnReach(const SyndromeSpace& space) : space_(space), seenAt_(space.Size(), 0) {}

    std::int64_t Count(const std::vector<RowCode>& columns, int level) {
        ++stamp_;
        std::int64_t reached = 0;
        ForEachColumnSum(space_, columns, level, [&](RowCode syndrome) {
            if (seenAt_[syndrome] != stamp_) {
                seenAt_[syndrome] = stamp_;
                ++reached;
            }
        });
        return reached;
    }

    std::vector<RowCode> List(const std::vector<RowCode>& columns, int level) {
        ++stamp_;
        std::vector<RowCode> reached;
        ForEachColumnSum(space_, columns, level, [&](RowCode syndrome) {
            if (seenAt_[syndrome] != stamp_) {
                seenAt_[syndrome] = stamp_;
                reached.push_back(syndrome);
            }
        });
        return reached;
    }

  private:
    const SyndromeSpace& space_;
    std::vector<std::uint32_t> seenAt_;
    std::uint32_t stamp_ = 0;
};

// Hill climbing: replace one column at random, keep the change unless it reaches fewer
// syndromes, and start again from random columns once it has stalled. Stops when every
// syndrome is reached.
std::vector<RowCode> ClimbColumns(const SyndromeSpace& space, int m, int level, std::int64_t work,
                                  std::mt19937_64& random, Pacer& pacer) {
    constexpr std::int64_t kStallTries = 1000;
    const std::int64_t volume = BallVolume(m, level);
    const std::int64_t tries = std::max<std::int64_t>(1, work / volume);
    const auto full = static_cast<std::int64_t>(space.Size());
    auto randomColumn = [&] {
        return static_cast<RowCode>(
            std::uniform_int_distribution<RowCode>(1, space.Size() - 1)(random));
    };

    ColumnReach reach(space);
    std::vector<RowCode> columns(static_cast<std::size_t>(m));
    std::vector<RowCode> best;
    std::int64_t reached = 0;
    std::int64_t bestReached = -1;
    std::int64_t stalled = kStallTries;
    for (std::int64_t attempt = 0;
         attempt < tries && bestReached < full && (attempt == 0 || !pacer.Aborted()); ++attempt) {
        if (stalled >= kStallTries) {
            std::generate(columns.begin(), columns.end(), randomColumn);
            reached = reach.Count(columns, level);
            stalled = 0;
        } else {
            const auto j = static_cast<std::size_t>(random() % columns.size());
            const RowCode old = columns[j];
            columns[j] = randomColumn();
            const std::int64_t now = reach.Count(columns, level);
            stalled = now > reached ? 0 : stalled + 1;
            if (now >= reached)
                reached = now;
            else
                columns[j] = old;
        }
        if (reached > bestReached) {
            best = columns;
            bestReached = reached;
        }
        pacer.Spend(volume);
    }
    return best;
}

// The reach of a syndrome s is s plus every column sum; the sums come in pairs x, 2x, so
// the reach is symmetric as the searches need.
class SyndromeBalls {
  public:
    SyndromeBalls(const SyndromeSpace& space, std::vector<RowCode> sums)
        : space_(space), sums_(std::move(sums)) {}

    Id Count() const { return static_cast<Id>(space_.Size()); }
    std::int64_t BallSize(Id) const { return static_cast<std::int64_t>(sums_.size()); }
    std::int64_t MaxBallSize() const { return static_cast<std::int64_t>(sums_.size()); }
    std::int64_t BallCost() const { return static_cast<std::int64_t>(sums_.size()); }
    const std::vector<RowCode>& Sums() const { return sums_; }

    template <class Visit>
    void ForEachWithin(Id id, Visit&& visit) const {
        for (RowCode sum : sums_)
            visit(static_cast<Id>(space_.Add(static_cast<RowCode>(id), sum)));
    }

  private:
    const SyndromeSpace& space_;
    std::vector<RowCode> sums_;
};

// Two cosets suffice when some shift of the reach covers all the reach misses. The space
// is small enough to try every shift, which finds such pairs the searches may miss.
std::optional<RowCode> ShiftCoveringTheRest(const SyndromeSpace& space, const SyndromeBalls& reach,
                                            Pacer& pacer) {
    std::vector<bool> reached(space.Size(), false);
    for (RowCode sum : reach.Sums())
        reached[sum] = true;
    std::vector<RowCode> missed;
    for (RowCode syndrome = 0; syndrome < space.Size(); ++syndrome) {
        if (!reached[syndrome])
            missed.push_back(syndrome);
    }
    for (RowCode shift = 1; shift < space.Size(); ++shift) {
        const RowCode back = space.Add(shift, shift);  // minus shift
        const auto covers = [&](RowCode syndrome) { return reached[space.Add(syndrome, back)]; };
        const auto gap = std::find_if_not(missed.begin(), missed.end(), covers);
        if (gap == missed.end())
            return shift;
        pacer.Spend(gap - missed.begin() + 1);
    }
    return std::nullopt;
}

// Few syndromes whose reaches cover the space: the greedy cover shrunk by the search.
std::vector<Id> CoverSyndromes(const SyndromeSpace& space, const SyndromeBalls& reach,
                               std::int64_t work, Pacer& pacer, std::mt19937_64& random) {
    std::vector<Id> syndromes = CoverGreedily(reach, pacer, random).rows;
    if (pacer.Aborted())
        return syndromes;
    RunObserver silent;  // syndrome counts are no row counts to show
    CoverSearch search(reach, syndromes, random(), 0, pacer, silent);
    const auto lowerBound = (space.Size() + reach.BallCost() - 1) / reach.BallCost();
    search.Run(0, work, static_cast<std::size_t>(lowerBound));
    return search.Best();
}

// The games in which the rows take all three signs, when the list holds every combination
// of them and each other game has a single sign.
struct OpenGames {
    std::vector<int> games;
    RowCode fixedCode = 0;  // the signs of the other games, the open ones at 0
};

std::optional<OpenGames> FindOpenGames(const RowBalls& balls) {
    const int n = balls.Games();
    std::array<std::uint8_t, kMaxGames> signsSeen{};
    for (Id id = 0; id < balls.Count(); ++id) {
        RowCode code = balls.Code(id);
        for (int g = 0; g < n; ++g, code /= 3)
            signsSeen[g] |= static_cast<std::uint8_t>(1u << (code % 3));
    }
    OpenGames open;
    RowCode first = balls.Code(0);
    for (int g = 0; g < n; ++g, first /= 3) {
        if (signsSeen[g] == 0b111)
            open.games.push_back(g);
        else if (std::popcount(signsSeen[g]) == 1)
            open.fixedCode += first % 3 * kPow3[g];
        else
            return std::nullopt;
    }
    if (static_cast<RowCode>(balls.Count()) != kPow3[open.games.size()])
        return std::nullopt;
    return open;
}

struct CosetCode {
    int r = 0;
    std::vector<RowCode> columns;
    std::vector<Id> syndromes;
    std::int64_t rows = std::numeric_limits<std::int64_t>::max();
};

// The rows whose syndrome was chosen, found by counting through the open games' signs: a
// game's sign going up by one, 2 wrapping to 0 included, adds that game's column.
std::vector<Id> RowsOf(const CosetCode& code, const OpenGames& open, const RowBalls& balls,
                       Pacer& pacer) {
    const SyndromeSpace space(code.r);
    std::vector<bool> chosen(space.Size(), false);
    for (Id syndrome : code.syndromes)
        chosen[syndrome] = true;
    const auto m = open.games.size();
    std::array<Sign, kMaxGames> signs{};
    RowCode syndrome = 0;
    RowCode rowCode = open.fixedCode;
    std::vector<Id> rows;
    for (RowCode x = 0; x < kPow3[m]; ++x) {
        if (chosen[syndrome])
            rows.push_back(balls.Find(rowCode));
        pacer.Spend(1);
        for (std::size_t i = 0; i < m; ++i) {
            syndrome = space.Add(syndrome, code.columns[i]);
            const RowCode place = kPow3[open.games[i]];
            if (signs[i] < 2) {
                ++signs[i];
                rowCode += place;
                break;
            }
            signs[i] = 0;
            rowCode -= 2 * place;
        }
    }
    return rows;
}

// Columns differ in how well their reach combines with shifted copies of itself, which
// the climb does not see; so it climbs a few times, and one or two cosets, whenever they
// suffice, end the search for this r at once.
CosetCode BestCosetCode(const SyndromeSpace& space, int m, int level, std::int64_t effort,
                        Pacer& pacer, std::mt19937_64& random) {
    constexpr int kClimbs = 4;
    CosetCode code;
    std::vector<RowCode> widestSums;
    for (int climb = 0; climb < kClimbs && (climb == 0 || !pacer.Aborted()); ++climb) {
        std::vector<RowCode> columns = ClimbColumns(space, m, level, effort, random, pacer);
        std::vector<RowCode> sums = ColumnReach(space).List(columns, level);
        if (sums.size() == space.Size()) {
            code.columns = std::move(columns);
            code.syndromes = {0};
            return code;
        }
        if (2 * sums.size() >= space.Size()) {
            if (const auto shift = ShiftCoveringTheRest(space, SyndromeBalls(space, sums), pacer)) {
                code.columns = std::move(columns);
                code.syndromes = {0, static_cast<Id>(*shift)};
                return code;
            }
        }
        if (sums.size() > widestSums.size()) {
            code.columns = std::move(columns);
            widestSums = std::move(sums);
        }
    }
    code.syndromes =
        CoverSyndromes(space, SyndromeBalls(space, widestSums), 4 * effort, pacer, random);
    return code;
}

StartCover CoverByCosets(const RowBalls& balls, const OpenGames& open, int level, Pacer& pacer,
                         std::mt19937_64& random) {
    // Syndrome spaces up to 3^9: the syndrome covers stay cheap next to the rows. The effort
    // grows with the system, up to about a second per r for the largest.
    constexpr int kMaxSyndromeSigns = 9;
    constexpr std::int64_t kMaxEffort = std::int64_t{1} << 25;
    const int m = static_cast<int>(open.games.size());
    const std::int64_t volume = BallVolume(m, level);
    const std::int64_t effort = std::min<std::int64_t>(kMaxEffort, std::int64_t{256} * kPow3[m]);
    auto rowsAtLeast = [&](std::int64_t syndromes, int r) {
        return (syndromes + volume - 1) / volume * kPow3[m - r];
    };
    int ballSigns = 0;  // the largest r with 3^r within one ball
    while (ballSigns < m && kPow3[ballSigns + 1] <= volume)
        ++ballSigns;
    const int lowest = std::max(1, ballSigns - 1);
    const int highest = std::min({m - 1, ballSigns + 1, kMaxSyndromeSigns});

    CosetCode best;
    for (int r = lowest; r <= highest && (r == lowest || !pacer.Aborted()); ++r) {
        // No set of syndromes does better than the reach of a whole ball allows.
        if (rowsAtLeast(kPow3[r], r) >= best.rows)
            continue;
        const SyndromeSpace space(r);
        CosetCode code = BestCosetCode(space, m, level, effort, pacer, random);
        code.r = r;
        code.rows = static_cast<std::int64_t>(code.syndromes.size()) * kPow3[m - r];
        if (code.rows < best.rows)
            best = std::move(code);
    }
    return {RowsOf(best, open, balls, pacer), BallVolume(m, level)};
}

// The start of the search: a linear code for a full system, else the greedy cover.
StartCover CoverToStartFrom(const RowBalls& balls, int level, Pacer& pacer,
                            std::mt19937_64& random) {
    if (const auto open = FindOpenGames(balls);
        open && static_cast<int>(open->games.size()) > level) {
        return CoverByCosets(balls, *open, level, pacer, random);
    }
    return CoverGreedily(balls, pacer, random);
}

// The kept rows replace the list at their first occurrence, so the list keeps its order.
void KeepFirstOccurrences(TRowList& rows, const RowBalls& balls, const std::vector<Id>& kept) {
    std::vector<bool> wanted(static_cast<std::size_t>(balls.Count()), false);
    for (Id id : kept)
        wanted[id] = true;
    std::vector<bool> keep(static_cast<std::size_t>(rows.Count()), false);
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        const Id id = balls.Find(EncodeRow(rows.Row(r), rows.Games()));
        if (wanted[id]) {
            keep[r] = true;
            wanted[id] = false;
        }
    }
    rows.KeepWhere(keep);
}

std::int64_t UncoveredByPairs(const TRowList& list, const TRowList& kept, int level) {
    const int n = list.Games();
    std::vector<PackedRow> keptRows;
    keptRows.reserve(static_cast<std::size_t>(kept.Count()));
    for (std::int32_t r = 0; r < kept.Count(); ++r)
        keptRows.push_back(PackCode(EncodeRow(kept.Row(r), n), n));
    std::int64_t uncovered = 0;
    for (std::int32_t r = 0; r < list.Count(); ++r) {
        const PackedRow row = PackCode(EncodeRow(list.Row(r), n), n);
        uncovered += std::none_of(keptRows.begin(), keptRows.end(), [&](PackedRow keptRow) {
            return PackedDistance(row, keptRow) <= level;
        });
    }
    return uncovered;
}

// Marks everything within reach of a kept row by a breadth-first walk from all kept rows at
// once, so that no code is expanded twice however much the balls overlap.
std::int64_t UncoveredByReach(const TRowList& list, const TRowList& kept, int level) {
    const int n = list.Games();
    std::vector<RowCode> keptCodes;
    keptCodes.reserve(static_cast<std::size_t>(kept.Count()));
    for (std::int32_t r = 0; r < kept.Count(); ++r)
        keptCodes.push_back(EncodeRow(kept.Row(r), n));
    DistanceField field(n, level);
    field.Spread(keptCodes);
    std::int64_t uncovered = 0;
    for (std::int32_t r = 0; r < list.Count(); ++r)
        uncovered += field.At(EncodeRow(list.Row(r), n)) > level;
    return uncovered;
}

}  // namespace

OptimisedReductionResult ReduceOptimised(TRowList& rows, int level, const AbortFlag& abort,
                                         RunObserver& observer,
                                         const OptimisedReductionOptions& options) {
    assert(level >= 0 && level <= 3);
    OptimisedReductionResult result;
    if (level == 0 || rows.Empty()) {
        result.startRows = result.keptRows = rows.Count();
        return result;
    }
    const RowBalls balls(rows, level);
    Pacer pacer(abort, observer);
    std::mt19937_64 random(options.seed);
    StartCover start = CoverToStartFrom(balls, level, pacer, random);
    std::vector<Id> kept = std::move(start.rows);
    result.startRows = static_cast<std::int32_t>(kept.size());
    observer.ShowBestCover(result.startRows);

    const auto lowerBound =
        static_cast<std::size_t>((balls.Count() + start.widestReach - 1) / start.widestReach);
    if (!pacer.Aborted() && kept.size() > lowerBound) {
        pacer.StartClock(options.seconds);
        // With balls of a couple of dozen rows few rows compete for each move, and a short
        // tabu lets the search run in circles; random longer tenures break them. Larger balls
        // offer enough choice, and long tenures there only forbid good moves.
        const int tabuSpread = level == 1 ? 6 : 0;
        CoverSearch search(balls, kept, random(), tabuSpread, pacer, observer);
        search.Run(options.maxIterations, 0, lowerBound);
        kept = search.Best();
        result.iterations = search.Steps();
    }
    result.aborted = pacer.Aborted();
    result.timeUp = pacer.TimeUp();
    result.provenMinimal = kept.size() <= lowerBound;
    KeepFirstOccurrences(rows, balls, kept);
    result.keptRows = rows.Count();
    return result;
}

std::int64_t VerifyGuarantee(const TRowList& list, const TRowList& kept, int level) {
    assert(list.Games() == kept.Games());
    assert(level >= 0);
    const int n = list.Games();
    if (kept.Empty())
        return list.Count();
    // A pair costs one popcount; the walk visits every code up to 2n times.
    const double pairs = static_cast<double>(list.Count()) * kept.Count();
    const double walk = 2.0 * n * CodeSpaceSize(n);
    return pairs <= walk ? UncoveredByPairs(list, kept, level)
                         : UncoveredByReach(list, kept, level);
}

}  // namespace velmora
