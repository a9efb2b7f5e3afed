#include "model/reduction.h"

#include <algorithm>
#include <cassert>
#include <random>
#include <vector>

#include "model/codespace.h"
#include "model/rowcode.h"

namespace velmora {
namespace {

// The greedy scan keeps asking two questions: is a row within r games of some kept row
// (Covered), and which rows between the scan positions lie within k games of a given row
// (the candidates of Replacement). Asked literally, both cost a pass over the kept rows or
// over the list for every row. Two indexes answer them faster, one for lists that fill
// much of the code space and one for sparse lists; the scan itself is the same for both.

// Kept rows, with the fallback for distances beyond what an index holds exactly.
class KeptRows {
  public:
    explicit KeptRows(const TRowList& rows) : rows_(rows) {}

    const std::vector<std::int32_t>& Positions() const { return kept_; }
    bool Empty() const { return kept_.empty(); }
    void Add(std::int32_t position) { kept_.push_back(position); }

    bool AnyWithin(std::int32_t position, int radius) const {
        const int n = rows_.Games();
        if (radius >= n)
            return !kept_.empty();
        const Sign* row = rows_.Row(position);
        return std::any_of(kept_.begin(), kept_.end(), [&](std::int32_t k) {
            return WithinDistance(rows_.Row(k), row, n, radius);
        });
    }

  private:
    const TRowList& rows_;
    std::vector<std::int32_t> kept_;
};

// Rows as base-3 codes: the list is indexed by code, and a distance field over the whole
// code space holds each point's distance to the nearest kept row, capped, so that Covered
// is a look-up and the candidates come from enumerating the radius-k ball around a row.
class CodeSpaceIndex {
  public:
    CodeSpaceIndex(const TRowList& rows, int level, const KeptRows& kept)
        : rows_(rows), n_(rows.Games()), k_(level), kept_(kept), field_(n_, CapFor(n_, level)) {
        IndexRows();
    }

    // Distances up to 2k + 1 are exact; the first replacement threshold is 2k.
    static int CapFor(int n, int level) { return std::min(n, 2 * level + 1); }

    // Only distances up to the cap are read from the field: the marker beyond it is not a
    // distance, and the replacement threshold grows past any bound as candidates are taken.
    bool Covered(std::int32_t position, int radius) const {
        const int d = field_.At(codes_[position]);
        if (d <= field_.Cap())
            return d <= radius;
        if (radius <= field_.Cap())
            return false;
        return kept_.AnyWithin(position, radius);
    }

    void CollectCandidates(std::int32_t i, std::int32_t j, std::vector<std::int32_t>& out) const;
    void Keep(std::int32_t position) { field_.Spread(codes_[position]); }

  private:
    void IndexRows();

    const TRowList& rows_;
    const int n_;
    const int k_;
    const KeptRows& kept_;

    std::vector<RowCode> codes_;           // code of each list row
    std::vector<std::uint32_t> firstAt_;   // list positions of code c: positions_[firstAt_[c]..]
    std::vector<std::int32_t> positions_;  //   ascending within each code
    DistanceField field_;                  // distance to the nearest kept row, capped
};

void CodeSpaceIndex::IndexRows() {
    const std::int32_t count = rows_.Count();
    codes_.resize(count);
    firstAt_.assign(CodeSpaceSize(n_) + 1, 0);
    for (std::int32_t p = 0; p < count; ++p) {
        codes_[p] = EncodeRow(rows_.Row(p), n_);
        ++firstAt_[codes_[p] + 1];
    }
    for (std::size_t c = 1; c < firstAt_.size(); ++c)
        firstAt_[c] += firstAt_[c - 1];
    positions_.resize(count);
    std::vector<std::uint32_t> fill(firstAt_.begin(), firstAt_.end() - 1);
    for (std::int32_t p = 0; p < count; ++p)
        positions_[fill[codes_[p]]++] = p;
}

// The list positions in (i, j] whose rows lie within k of row i, ascending.
void CodeSpaceIndex::CollectCandidates(std::int32_t i, std::int32_t j,
                                       std::vector<std::int32_t>& out) const {
    out.clear();
    ForEachCodeWithin(codes_[i], n_, k_, [&](RowCode code) {
        for (std::uint32_t at = firstAt_[code]; at < firstAt_[code + 1]; ++at) {
            const std::int32_t p = positions_[at];
            if (p > i && p <= j)
                out.push_back(p);
        }
    });
    std::sort(out.begin(), out.end());
}

// For lists that fill little of the code space: the exact distance of every list row to
// the nearest kept row, updated by one pass over the list for each kept row.
class ListScanIndex {
  public:
    ListScanIndex(const TRowList& rows, int level)
        : rows_(rows),
          n_(rows.Games()),
          k_(level),
          distance_(static_cast<std::size_t>(rows.Count()), 0) {}

    // Before the first kept row there are no distances yet, and nothing is covered however
    // large the radius: the replacement threshold may exceed any distance a row can have.
    bool Covered(std::int32_t position, int radius) const {
        return anyKept_ && distance_[position] <= radius;
    }

    void CollectCandidates(std::int32_t i, std::int32_t j, std::vector<std::int32_t>& out) const {
        out.clear();
        const Sign* centre = rows_.Row(i);
        for (std::int32_t x = i + 1; x <= j; ++x) {
            if (WithinDistance(centre, rows_.Row(x), n_, k_))
                out.push_back(x);
        }
    }

    void Keep(std::int32_t position) {
        const Sign* kept = rows_.Row(position);
        for (std::int32_t x = 0; x < rows_.Count(); ++x) {
            const auto d = static_cast<std::uint8_t>(RowDistance(kept, rows_.Row(x), n_));
            distance_[x] = anyKept_ ? std::min(distance_[x], d) : d;
        }
        anyKept_ = true;
    }

  private:
    const TRowList& rows_;
    const int n_;
    const int k_;
    std::vector<std::uint8_t> distance_;  // to the nearest kept row, once there is one
    bool anyKept_ = false;
};

// The fixed greedy procedure: front and back scans taking turns, each until it has kept
// one row. Returns the list positions of the kept rows in the order they were chosen.
template <class Index>
std::vector<std::int32_t> GreedyScan(const TRowList& rows, int k, Index& index, KeptRows& kept,
                                     const AbortFlag& abort, RunObserver& observer) {
    std::vector<std::int32_t> candidates;
    auto keep = [&](std::int32_t position) {
        kept.Add(position);
        index.Keep(position);
        ReportRowCount(observer, static_cast<std::int32_t>(kept.Positions().size()));
    };
    // The last row near U that lies far from every kept row; each find raises the bar.
    auto replacement = [&](std::int32_t i, std::int32_t j) {
        index.CollectCandidates(i, j, candidates);
        std::int32_t chosen = i;
        int threshold = 2 * k;
        for (std::int32_t x : candidates) {
            if (!index.Covered(x, threshold)) {
                chosen = x;
                ++threshold;
            }
        }
        return chosen;
    };

    const std::int32_t n = rows.Count();
    // For 12 and 13 games the back scan neither lets the window work nor looks at "Abbruch".
    const bool backScanWatchesAbort = rows.Games() == 11 || rows.Games() == 14;
    std::int32_t i = 0;
    std::int32_t j = n - 1;
    const std::int32_t h = n / 2;
    bool frontTurn = true;
    bool frontOpen = true;
    bool backOpen = true;
    for (;;) {
        while (frontTurn && i <= h + 1 && i <= n - 1 && !abort.IsSet()) {
            observer.ProcessEvents();
            if (!index.Covered(i, k)) {
                keep(replacement(i, j));
                frontTurn = false;
            }
            ++i;
        }
        if (i > h) {
            frontTurn = false;
            frontOpen = false;
        }
        while (!frontTurn && j >= h && !(backScanWatchesAbort && abort.IsSet())) {
            if (backScanWatchesAbort)
                observer.ProcessEvents();
            if (!index.Covered(j, k)) {
                keep(j);
                frontTurn = true;
            }
            --j;
        }
        if (j < h) {
            frontTurn = true;
            backOpen = false;
        }
        observer.ProcessEvents();
        if (abort.IsSet() || (!frontOpen && !backOpen))
            break;
    }
    return kept.Positions();
}

// The code-space index costs up to (cap + 1) * 3^N * 2N steps however few rows there are;
// the list scan costs up to n * n * N. Take the smaller bound.
bool PreferListScan(const TRowList& rows, int level) {
    const double n = rows.Count();
    const int cap = CodeSpaceIndex::CapFor(rows.Games(), level);
    return n * n < 2.0 * (cap + 1) * CodeSpaceSize(rows.Games());
}

// Finds the r-th (0-based) remaining position among n, deleting positions one by one.
class RemainingPositions {
  public:
    explicit RemainingPositions(std::int32_t n) : tree_(static_cast<std::size_t>(n) + 1, 0) {
        for (std::int32_t i = 1; i <= n; ++i) {
            tree_[i] += 1;
            if (const std::int32_t parent = i + (i & -i); parent <= n)
                tree_[parent] += tree_[i];
        }
        top_ = 1;
        while (top_ * 2 <= n)
            top_ *= 2;
    }

    std::int32_t RemoveNth(std::int32_t r) {
        std::int32_t position = 0;
        for (std::int32_t step = top_; step > 0; step /= 2) {
            const std::int32_t probe = position + step;
            if (probe < static_cast<std::int32_t>(tree_.size()) && tree_[probe] <= r) {
                position = probe;
                r -= tree_[probe];
            }
        }
        for (std::int32_t i = position + 1; i < static_cast<std::int32_t>(tree_.size());
             i += i & -i) {
            --tree_[i];
        }
        return position;  // 0-based
    }

  private:
    std::vector<std::int32_t> tree_;
    std::int32_t top_;
};

}  // namespace

void ReduceToGuarantee(TRowList& rows, int level, const AbortFlag& abort, RunObserver& observer,
                       CoverageIndex method) {
    assert(level >= 1 && level <= 3);
    if (rows.Empty())
        return;
    if (method == CoverageIndex::Automatic)
        method = PreferListScan(rows, level) ? CoverageIndex::ListScan : CoverageIndex::CodeSpace;

    KeptRows kept(rows);
    std::vector<std::int32_t> positions;
    if (method == CoverageIndex::ListScan) {
        ListScanIndex index(rows, level);
        positions = GreedyScan(rows, level, index, kept, abort, observer);
    } else {
        CodeSpaceIndex index(rows, level, kept);
        positions = GreedyScan(rows, level, index, kept, abort, observer);
    }

    TRowList result(rows.Games());
    result.Reserve(static_cast<std::int64_t>(positions.size()));
    for (std::int32_t p : positions)
        result.Append(rows.Row(p));
    rows = std::move(result);
}

CountReduction ReduceToCount(TRowList& rows, std::int64_t target, std::uint64_t seed) {
    const std::int32_t count = rows.Count();
    if (target >= count)
        return CountReduction::TargetNotSmaller;
    // Each step deletes the row at a uniform random index among the rows still there;
    // a counting tree finds that row without moving the others until the end.
    std::mt19937_64 random(seed);
    RemainingPositions remaining(count);
    std::vector<bool> keep(static_cast<std::size_t>(count), true);
    for (std::int32_t left = count; left > target; --left) {
        std::uniform_int_distribution<std::int32_t> pick(0, left - 1);
        keep[remaining.RemoveNth(pick(random))] = false;
    }
    rows.KeepWhere(keep);
    return CountReduction::Reduced;
}

}  // namespace velmora
