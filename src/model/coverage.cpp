#include "model/coverage.h"

namespace velmora {

TCoverageTable UpdateCoverage(const TRowList& rows) {
    TCoverageTable table;
    const int n = rows.Games();
    const int wanted = n * kSignCount;
    int found = 0;
    for (std::int32_t r = 0; r < rows.Count() && found < wanted; ++r) {
        const Sign* row = rows.Row(r);
        for (int g = 0; g < n; ++g) {
            if (!IsSign(row[g]))
                continue;
            bool& flag = table.flags[g][row[g]];
            found += !flag;
            flag = true;
        }
    }
    return table;
}

std::vector<GameSign> MissingSigns(const TTipPlan& plan, int n, const TCoverageTable& coverage) {
    std::vector<GameSign> missing;
    for (int g = 1; g <= n; ++g) {
        for (Sign s = 0; s < kSignCount; ++s) {
            if (plan.Tendency(g, s) > 0 && !coverage.Covered(g, s))
                missing.push_back({g, s});
        }
    }
    return missing;
}

}  // namespace velmora
