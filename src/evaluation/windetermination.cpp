#include "evaluation/windetermination.h"

#include "evaluation/numberformat.h"
#include "filters/block.h"
#include "filters/odds.h"
#include "filters/percent.h"

namespace velmora {

bool TResultRow::Complete(int n) const {
    for (int g = 0; g < n; ++g)
        if (signs[g] == kAnySign)
            return false;
    return true;
}

Evaluation Evaluate(const TRowList& rows, const TResultRow& result, int n,
                    const TFilterSet& filters, bool details) {
    Evaluation evaluation;
    evaluation.games = n;
    evaluation.counters.assign(static_cast<std::size_t>(n) + 1, 0);
    if (details)
        evaluation.rowsByErrors.resize(static_cast<std::size_t>(n));

    // Unknown games compare equal to every sign.
    std::array<Sign, kMaxGames> known{};
    std::array<bool, kMaxGames> unknown{};
    for (int g = 0; g < n; ++g) {
        unknown[g] = result.signs[g] == kAnySign;
        known[g] = result.signs[g];
    }
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        const Sign* row = rows.Row(r);
        int errors = 0;
        for (int g = 0; g < n; ++g)
            errors += !unknown[g] && row[g] != known[g];
        ++evaluation.counters[errors];
        if (details && errors < n)
            evaluation.rowsByErrors[errors].push_back(r);
    }

    evaluation.complete = result.Complete(n);
    if (evaluation.complete) {
        evaluation.product = rowProduct(result.signs.data(), filters.odds, n);
        for (int k = 0; k < 3; ++k)
            evaluation.means[k] = rowMean(result.signs.data(), filters.percent[k], n);
    }
    return evaluation;
}

std::string DetailLine(const TRowList& rows, std::int32_t index, int rowsPerSlip) {
    const std::string number = std::to_string(index + 1);
    const std::size_t width = std::to_string(rows.Count()).size();
    std::string line(width > number.size() ? width - number.size() : 0, ' ');
    line += number;
    line += ": ";
    for (Sign s : rows.RowSpan(index)) {
        line += SignChar(s);
        line += ' ';
    }
    if (rows.Games() == 11) {
        const std::int32_t place = (index + 1) % rowsPerSlip;
        line += "S:" + std::to_string(index / rowsPerSlip + 1) +
                " R:" + std::to_string(place == 0 ? rowsPerSlip : place);
    }
    return line;
}

std::string ProductText(double product, int n, char decimalSeparator) {
    return FormatGeneral(product, n == 14 ? 7 : 6, 3, decimalSeparator);
}

std::string MeanText(double mean, char decimalSeparator) {
    return FormatGeneral(mean, 5, 3, decimalSeparator);
}

std::vector<FailedBlock> FailingBlocks(const TResultRow& result, int n,
                                       const std::vector<TBlockFilter>& blocks) {
    std::vector<FailedBlock> failed;
    if (!result.Complete(n))
        return failed;  // the check needs a sign in every game
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        const TBlockFilter& block = blocks[k];
        if (passesBlock(result.signs.data(), block, n))
            continue;
        FailedBlock entry{static_cast<int>(k) + 1, block, std::vector<bool>(n)};
        for (int g = 1; g <= n; ++g)
            entry.red[g - 1] = block.Marked(g, result.signs[g - 1]);
        failed.push_back(std::move(entry));
    }
    return failed;
}

}  // namespace velmora
