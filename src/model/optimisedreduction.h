// Thinning a system to a win guarantee with as few rows as the time allows: a structured
// code fitted to the system or a greedy cover, then a local search that keeps trying to
// manage with one row less.
#pragma once

#include <cstdint>

#include "model/codespace.h"
#include "model/rowlist.h"
#include "model/runcontrol.h"

namespace velmora {

struct OptimisedReductionOptions {
    // Wall-clock seconds the whole run may take, the start cover included. When time runs
    // out before the start cover is complete, the rest is covered the quickest way.
    double seconds = 10.0;
    // The search ends early once it has not improved for this share of the budget (and at
    // least kMinPatienceSeconds), so that a small system does not take all the time.
    double patience = 0.25;
    static constexpr double kMinPatienceSeconds = 2.0;
    // Search steps the local search may take, 0 for no limit. The time only decides when the
    // search stops, never which way it goes: the same seed and step limit give the same rows.
    std::int64_t maxIterations = 0;
    std::uint64_t seed = 1;
    // "auch Reihen außerhalb der Filter": the cover may use any row of this space (the tip
    // plan's full system), while the guarantee still concerns exactly the rows of the list.
    // Signs of the list that the space lacks are added to it.
    const RowSpace* outside = nullptr;
    // The clock of the budget; the steady clock when null.
    const RunClock* clock = nullptr;
};

struct OptimisedReductionResult {
    // The cover the search started from: the greedy cover, or for a full system a linear code.
    std::int32_t startRows = 0;
    std::int32_t keptRows = 0;
    std::int64_t iterations = 0;  // steps of the local search
    // Kept rows that are not in the list; they follow the list's own kept rows.
    std::int32_t outsideRows = 0;
    bool aborted = false;
    bool timeUp = false;
    bool stalled = false;  // the search ended early for want of improvement
    // No cover can be smaller: each kept row reaches at most as many rows as the best one.
    bool provenMinimal = false;
};

// Keeps a duplicate-free subset of the rows such that every row lies within `level` (0 to 3)
// games of a kept row, like ReduceToGuarantee, but with far fewer rows. The kept rows stay
// in the order of their first occurrence in the list; with options.outside, rows from
// outside the list may follow them. Level 0 and an empty list leave it
// unchanged. On abort the smallest complete cover found so far replaces the list, so the
// guarantee always holds. ShowBestCover gets the row count of the start and of every
// improvement; ProcessEvents is called every few milliseconds.
OptimisedReductionResult ReduceOptimised(TRowList& rows, int level, const AbortFlag& abort,
                                         RunObserver& observer,
                                         const OptimisedReductionOptions& options = {});

// The number of rows of `list` farther than `level` games from every row of `kept`; 0 when
// the guarantee holds. Both lists must have the same game count.
std::int64_t VerifyGuarantee(const TRowList& list, const TRowList& kept, int level);

}  // namespace velmora
