#include "model/optimisedreduction.h"

#include <algorithm>
#include <cassert>
#include <random>
#include <vector>

#include "model/coverballs.h"
#include "model/coverbudget.h"
#include "model/coversearch.h"
#include "model/coverstart.h"
#include "model/rowcode.h"

namespace velmora {
namespace {

// Small lists go to the weighted search, which scans the kept rows at every step and
// walks the balls of all list rows at its start.
constexpr std::size_t kWeightedSearchKept = 3000;
constexpr Id kWeightedSearchRows = 20000;
// Steps per kept row without an improvement before a search may give up early.
constexpr std::int64_t kStallStepsPerRow = 5000;

// The kept list rows replace the list at their first occurrence, so the list keeps its
// order; kept rows from outside follow in code order. Returns how many came from outside.
std::int32_t KeepRows(TRowList& rows, const CoverBalls& balls, std::vector<Id> kept) {
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
    std::sort(kept.begin(), kept.end());
    std::int32_t outside = 0;
    TTipRow row(rows.Games());
    for (Id id : kept) {
        if (balls.Needed(id))
            continue;
        DecodeRow(balls.Code(id), rows.Games(), row.data());
        rows.Append(row);
        ++outside;
    }
    return outside;
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
    RunBudget budget(abort, observer, options.seconds, options.clock);
    const CoverBalls balls(rows, level, options.outside);
    std::mt19937_64 random(options.seed);
    std::vector<Id> kept = StartCover(balls, budget, random);
    result.startRows = static_cast<std::int32_t>(kept.size());
    observer.ShowBestCover(result.startRows);

    const auto lowerBound = static_cast<std::size_t>(
        (balls.NeededCount() + balls.WidestReach() - 1) / balls.WidestReach());
    if (!budget.Stopped() && kept.size() > lowerBound) {
        // With balls of a couple of dozen rows few rows compete for each move, and a short
        // tabu lets the search run in circles; random longer tenures break them. Larger balls
        // offer enough choice, and long tenures there only forbid good moves.
        const int tabuSpread = level == 1 ? 6 : 0;
        CoverSearch<CoverBalls>::Limits limits;
        limits.maxSteps = options.maxIterations;
        limits.lowerBound = lowerBound;
        // A step limit asks for exactly that many steps, whatever the clock says.
        if (options.maxIterations == 0) {
            limits.patience = std::max(OptimisedReductionOptions::kMinPatienceSeconds,
                                       options.patience * options.seconds);
            limits.stallStepsPerRow = kStallStepsPerRow;
        }
        auto run = [&](auto&& search) {
            search.Run(limits);
            kept = search.Best();
            result.iterations = search.Steps();
            result.stalled = search.Stalled();
        };
        if (kept.size() <= kWeightedSearchKept && balls.NeededCount() <= kWeightedSearchRows)
            run(WeightedCoverSearch<CoverBalls>(balls, kept, random(), budget, observer));
        else
            run(CoverSearch<CoverBalls>(balls, kept, random(), tabuSpread, budget, observer));
    }
    result.aborted = budget.Aborted();
    result.timeUp = budget.TimeUp();
    result.provenMinimal = kept.size() <= lowerBound;
    result.outsideRows = KeepRows(rows, balls, std::move(kept));
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
