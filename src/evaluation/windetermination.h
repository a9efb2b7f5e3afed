// Win determination: the system against one result, by error count.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "filters/filterset.h"
#include "model/rowlist.h"

namespace velmora {

// A result for one game count: a sign code per game, or 9 (kAnySign) for unknown, shown "?".
struct TResultRow {
    std::array<Sign, kMaxGames> signs{};
    TResultRow() { signs.fill(kAnySign); }

    bool Complete(int n) const;
    bool operator==(const TResultRow&) const = default;
};

// The win determination keeps one result per game count, so switching counts loses none.
class ResultRows {
  public:
    TResultRow& For(int n) { return rows_[static_cast<std::size_t>(n - kMinGames)]; }
    const TResultRow& For(int n) const { return rows_[static_cast<std::size_t>(n - kMinGames)]; }
    void Reset() { rows_ = {}; }  // "&Neu": every game unknown again

  private:
    std::array<TResultRow, kMaxGames - kMinGames + 1> rows_{};
};

struct Evaluation {
    int games = 0;
    // counters[e]: rows with e errors, e = 0..N; rows wrong in every game are counted, not shown.
    std::vector<std::int32_t> counters;
    bool complete = false;
    // Only for a complete result: the odds product and the means under percentage filters 1-3,
    // whether or not those filters are switched on.
    std::optional<double> product;
    std::array<double, 3> means{};
    // With details: for each error count 0..N-1 the rows with it, in row order.
    std::vector<std::vector<std::int32_t>> rowsByErrors;
};

// Unknown games never count as errors.
Evaluation Evaluate(const TRowList& rows, const TResultRow& result, int n,
                    const TFilterSet& filters, bool details);

// The games of the first n in which the row misses a known result sign.
inline int RowErrors(const Sign* row, const TResultRow& result, int n) {
    int errors = 0;
    for (int g = 0; g < n; ++g)
        errors += result.signs[g] != kAnySign && row[g] != result.signs[g];
    return errors;
}

// Calls visit(index) for every row with exactly `errors` errors, in row order: the rows of
// one detail list, found without keeping a list of them.
template <class Visit>
void ForEachRowWithErrors(const TRowList& rows, const TResultRow& result, int n, int errors,
                          Visit&& visit) {
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        if (RowErrors(rows.Row(r), result, n) == errors)
            visit(r);
    }
}

// The detail line of row `index` (from 0): the row number right-aligned to the digits of the
// row count, ": ", each sign and a blank; for 11 games "S:" slip " R:" place on the slip.
std::string DetailLine(const TRowList& rows, std::int32_t index, int rowsPerSlip);

// Builds detail lines one after another in one buffer, reserved when it is made, so that the
// lines of millions of rows can be passed on without holding them or allocating for each.
class DetailLineBuilder {
  public:
    DetailLineBuilder(const TRowList& rows, int rowsPerSlip);
    // The line of row `index`; valid until the next call.
    std::string_view Line(std::int32_t index);

  private:
    const TRowList& rows_;
    int rowsPerSlip_;
    std::size_t width_;  // digits of the row count
    std::string line_;
};

// "Gewinnquote" (6 significant digits, 7 for 14 games) and "Proz. 1" to "Proz. 3" (5 digits).
std::string ProductText(double product, int n, char decimalSeparator);
std::string MeanText(double mean, char decimalSeparator);

// The filter check: the blocks a complete result fails, each judged on its own.
struct FailedBlock {
    int number = 0;  // from 1
    TBlockFilter block;
    // red[g - 1]: the result's sign in game g is marked by the block.
    std::vector<bool> red;
};
inline constexpr const char* kAllFiltersOk = "Alle Filter sind OK";
inline constexpr const char* kFiltersNotMet = "Folgende Filter sind nicht erfüllt!";

std::vector<FailedBlock> FailingBlocks(const TResultRow& result, int n,
                                       const std::vector<TBlockFilter>& blocks);

}  // namespace velmora
