// Thinning a system to a win guarantee with as few rows as the time allows: a greedy cover
// (for a full system a linear code), then a local search that keeps trying to manage with
// one row less.
#pragma once

#include <cstdint>

#include "model/rowlist.h"
#include "model/runcontrol.h"

namespace velmora {

struct OptimisedReductionOptions {
    // Wall-clock seconds the local search may spend improving the cover it starts from. That
    // cover itself is always completed first.
    double seconds = 10.0;
    // Search steps the local search may take, 0 for no limit. The time only decides when the
    // search stops, never which way it goes: the same seed and step limit give the same rows.
    std::int64_t maxIterations = 0;
    std::uint64_t seed = 1;
};

struct OptimisedReductionResult {
    // The cover the search started from: the greedy cover, or for a full system a linear code.
    std::int32_t startRows = 0;
    std::int32_t keptRows = 0;
    std::int64_t iterations = 0;  // steps of the local search
    bool aborted = false;
    bool timeUp = false;
    // No cover can be smaller: each kept row reaches at most as many rows as the best one.
    bool provenMinimal = false;
};

// Keeps a duplicate-free subset of the rows such that every row lies within `level` (0 to 3)
// games of a kept row, like ReduceToGuarantee, but with far fewer rows. The kept rows stay
// in the order of their first occurrence in the list. Level 0 and an empty list leave it
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
