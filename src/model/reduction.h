// Thinning a generated system: to a win guarantee, or at random to a given number of rows.
#pragma once

#include <cstdint>

#include "model/rowlist.h"
#include "model/runcontrol.h"

namespace velmora {

// How the reduction finds nearby rows; the result is the same with each. Automatic picks
// by the list's size; tests name one to exercise both.
enum class CoverageIndex { Automatic, CodeSpace, ListScan };

// Keeps a subset of the rows such that every row lies within `level` (1 to 3) games of a
// kept row, by the fixed greedy front-and-back scan. The kept rows replace the list in the
// order they were chosen. On abort the rows kept so far replace it, without a guarantee.
void ReduceToGuarantee(TRowList& rows, int level, const AbortFlag& abort, RunObserver& observer,
                       CoverageIndex method = CoverageIndex::Automatic);

inline constexpr const char* kTargetTooLargeWarning =
    "Vorgegebene Zahl ist größer als Vollsystem nach Filterdurchlauf";

enum class CountReduction { Reduced, TargetNotSmaller };

// Deletes rows at uniformly chosen random positions until `target` rows are left; the
// rest keep their order. A target not below the row count leaves the list unchanged.
CountReduction ReduceToCount(TRowList& rows, std::int64_t target, std::uint64_t seed);

}  // namespace velmora
