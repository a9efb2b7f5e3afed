#include "model/enumeration.h"

namespace velmora {

EnumerationStats EnumerateFullSystem(const TTipPlan& plan, int n, const CandidateTest& test,
                                     TRowList& rows, const AbortFlag& abort,
                                     RunObserver& observer) {
    rows.SetGames(n);
    rows.Clear();
    // Untouched capacity costs no memory; a filtered system gives the rest back afterwards.
    rows.Reserve(plan.FullSystemSize(n));
    const EnumerationStats stats = ForEachCandidate(
        plan, n,
        [&](const Sign* row) {
            if (!test.Accepts(row))
                return;
            rows.Append(row);
            ReportRowCount(observer, rows.Count());
        },
        abort, observer);
    if (rows.Count() < plan.FullSystemSize(n) / 2)
        rows.ShrinkToFit();
    return stats;
}

}  // namespace velmora
