#include "evaluation/tipdistribution.h"

namespace velmora {

TipCounts TipDistribution(const TRowList& rows) {
    TipCounts counts{};
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        const Sign* row = rows.Row(r);
        for (int g = 0; g < rows.Games(); ++g)
            ++counts[g][row[g]];
    }
    return counts;
}

std::vector<WarningLine> CoverageWarningLines(const TTipPlan& plan, int n,
                                              const TCoverageTable& coverage) {
    std::vector<WarningLine> lines;
    for (int g = 1; g <= n; ++g) {
        TTipPlan sorted;
        sorted.Game(1) = plan.Game(g);
        sorted.ToSignOrder(1);
        sorted.SortByTendency(1);
        WarningLine line;
        for (const TipPair& pair : sorted.Game(1).pairs) {
            if (pair.Allowed())
                line.push_back({pair.sign, coverage.Covered(g, pair.sign)});
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace velmora
