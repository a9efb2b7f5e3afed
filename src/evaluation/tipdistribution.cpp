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

std::string UnusableRowsReason(const TRowList& rows, int games) {
    if (!IsValidGameCount(games)) {
        return std::to_string(games) + " Spiele sind nicht möglich, erlaubt sind 11 bis 14 Spiele.";
    }
    if (!rows.Empty() && rows.Games() != games) {
        std::string reason = "Die Reihen haben ";
        reason.append(std::to_string(rows.Games()))
            .append(" Spiele, eingestellt sind aber ")
            .append(std::to_string(games))
            .append(" Spiele.");
        return reason;
    }
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        const Sign* row = rows.Row(r);
        for (int g = 0; g < games; ++g) {
            if (!IsSign(row[g])) {
                std::string reason = "Reihe ";
                reason.append(std::to_string(r + 1))
                    .append(" enthält in Spiel ")
                    .append(std::to_string(g + 1))
                    .append(" das ungültige Zeichen ")
                    .append(std::to_string(row[g]))
                    .append(".");
                return reason;
            }
        }
    }
    return {};
}

}  // namespace velmora
