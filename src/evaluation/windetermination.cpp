#include "evaluation/windetermination.h"

#include <array>
#include <charconv>

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

    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        const int errors = RowErrors(rows.Row(r), result, n);
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

namespace {

// The decimal digits of a value, written into the caller's buffer.
std::string_view Decimal(std::int64_t value, std::array<char, 24>& buffer) {
    // 24 characters hold every 64-bit number, so the conversion cannot run out of room.
    const char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return {buffer.data(), static_cast<std::size_t>(end - buffer.data())};
}

}  // namespace

std::string DetailLine(const TRowList& rows, std::int32_t index, int rowsPerSlip) {
    return std::string(DetailLineBuilder(rows, rowsPerSlip).Line(index));
}

DetailLineBuilder::DetailLineBuilder(const TRowList& rows, int rowsPerSlip)
    : rows_(rows), rowsPerSlip_(rowsPerSlip), width_(std::to_string(rows.Count()).size()) {
    // The longest line: number, ": ", a sign and a blank per game, "S:" slip " R:" place.
    constexpr std::size_t kNumber = 10;
    line_.reserve(kNumber + 2 + 2 * kMaxGames + 2 + kNumber + 3 + kNumber);
}

std::string_view DetailLineBuilder::Line(std::int32_t index) {
    std::array<char, 24> buffer;
    line_.clear();
    const std::string_view number = Decimal(index + 1, buffer);
    line_.append(width_ > number.size() ? width_ - number.size() : 0, ' ');
    line_ += number;
    line_ += ": ";
    for (Sign s : rows_.RowSpan(index)) {
        line_ += SignChar(s);
        line_ += ' ';
    }
    if (rows_.Games() == 11) {
        const std::int32_t place = (index + 1) % rowsPerSlip_;
        line_ += "S:";
        line_ += Decimal(index / rowsPerSlip_ + 1, buffer);
        line_ += " R:";
        line_ += Decimal(place == 0 ? rowsPerSlip_ : place, buffer);
    }
    return line_;
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
