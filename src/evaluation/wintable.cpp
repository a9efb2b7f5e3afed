#include "evaluation/wintable.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "evaluation/numberformat.h"
#include "filters/candidatetest.h"
#include "model/codespace.h"
#include "model/enumeration.h"
#include "model/rowcode.h"

namespace velmora {
namespace {

using WinCounts = std::array<std::int32_t, kWinClasses>;

// Counts, for every point of the code space at once, the rows at distance exactly 0 to 4:
// a dynamic programme over the games, then cheap updates for rows added later. Reading the
// counts of an outcome is then a look-up instead of a pass over all rows.
class SpaceCounts {
  public:
    explicit SpaceCounts(const TRowList& rows) : n_(rows.Games()) {
        const std::size_t size = CodeSpaceSize(n_);
        for (auto& counts : counts_)
            counts.assign(size, 0);
        for (std::int32_t r = 0; r < rows.Count(); ++r)
            ++counts_[0][EncodeRow(rows.Row(r), n_)];
        for (int g = 0; g < n_; ++g)
            SpreadOverGame(g);
    }

    WinCounts At(const Sign* row) const {
        const RowCode code = EncodeRow(row, n_);
        WinCounts c{};
        for (int d = 0; d < kWinClasses; ++d)
            c[d] = counts_[d][code];
        return c;
    }

    // A row joined the system: every point within distance 4 of it counts it.
    void Add(const Sign* row) {
        ForEachCodeWithin(EncodeRow(row, n_), n_, kWinClasses - 1,
                          [&](RowCode code, int distance) { ++counts_[distance][code]; });
    }

  private:
    // After game g, counts_[d][x] holds the rows at distance d from x over games 0..g that
    // agree with x beyond g. Each point takes over the counts of its two siblings in game g
    // one distance further out.
    void SpreadOverGame(int g) {
        const std::size_t stride = kPow3[g];
        const std::size_t size = counts_[0].size();
        for (int d = kWinClasses - 1; d >= 1; --d) {
            std::int32_t* out = counts_[d].data();
            const std::int32_t* in = counts_[d - 1].data();
            for (std::size_t base = 0; base < size; base += 3 * stride) {
                for (std::size_t lo = base; lo < base + stride; ++lo) {
                    const std::int32_t a = in[lo], b = in[lo + stride], c = in[lo + 2 * stride];
                    out[lo] += b + c;
                    out[lo + stride] += a + c;
                    out[lo + 2 * stride] += a + b;
                }
            }
        }
    }

    int n_;
    std::array<std::vector<std::int32_t>, kWinClasses> counts_;
};

// The plain count, row by row, for runs over few outcomes where the table costs more.
WinCounts CountDirectly(const TRowList& rows, const Sign* outcome) {
    WinCounts c{};
    const int n = rows.Games();
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        const Sign* row = rows.Row(r);
        int errors = 0;
        for (int g = 0; g < n && errors < kWinClasses; ++g)
            errors += row[g] != outcome[g];
        if (errors < kWinClasses)
            ++c[errors];
    }
    return c;
}

bool FallsShort(const WinCounts& c, const std::array<std::int32_t, 3>& m) {
    if (c[0] != 0)
        return false;
    return c[1] < m[0] || (c[1] == m[0] && c[2] < m[1]) ||
           (c[1] == m[0] && c[2] == m[1] && c[3] < m[2]);
}

struct CountsHash {
    std::size_t operator()(const WinCounts& c) const {
        std::size_t h = 0;
        for (std::int32_t v : c)
            h = h * 1000003u + static_cast<std::size_t>(v);
        return h;
    }
};

}  // namespace

TBlockFilter MainTipBlock(const TTipPlan& plan, int n, int k) {
    TBlockFilter block;
    for (int g = 1; g <= n; ++g)
        block.SetMarked(g, plan.Game(g).pairs[0].sign, true);
    block.minHits = block.maxHits = block.maxRun = static_cast<std::uint8_t>(k);
    return block;
}

TFilterSet WinTableFilters(const TFilterSet& filters, const TTipPlan& plan, int n,
                           const WinTableSettings& settings) {
    TFilterSet working = settings.allOptions ? filters : TFilterSet::PassingAll(n);
    working.percent = filters.percent;
    working.requiredChains = filters.requiredChains;
    if (!settings.allOptions)
        working.odds.active = 0;
    if (settings.mainTipsRequired)
        working.blocks.push_back(MainTipBlock(plan, n, settings.correctMainTips));
    return working;
}

void SortPatterns(std::vector<TWinPattern>& patterns) {
    std::sort(patterns.begin(), patterns.end(),
              [](const TWinPattern& a, const TWinPattern& b) { return a.counts > b.counts; });
}

std::array<double, kWinClasses> ClassPercentages(const std::vector<TWinPattern>& patterns,
                                                 std::int32_t total) {
    std::array<double, kWinClasses> percentages{};
    if (patterns.empty())
        return percentages;
    int current = -1;
    for (int e = 0; e < kWinClasses && current < 0; ++e)
        if (patterns.front().counts[e] > 0)
            current = e;
    std::int64_t added = 0;
    auto close = [&] {
        percentages[current] = static_cast<double>(added) * 100.0 / total;
        added = 0;
        current = current + 1 < kWinClasses ? current + 1 : -1;
    };
    for (const TWinPattern& pattern : patterns) {
        if (current >= 0 && pattern.counts[current] == 0)
            close();
        if (current >= 0)
            added += pattern.multiplicity;
    }
    if (current >= 0)
        close();
    return percentages;
}

WinTableResult RunWinTable(TTipPlan& plan, int n, const TFilterSet& filters,
                           const WinTableSettings& settings, TRowList& rows, WinCounting counting) {
    WinTableResult result;
    plan.AllToTendencyOrder(n);
    const TFilterSet working = WinTableFilters(filters, plan, n, settings);
    const CandidateTest test(working, n);
    const std::int32_t rowsBefore = rows.Count();

    // The table over the code space pays off unless the run compares few outcomes with few rows.
    const double direct = static_cast<double>(plan.FullSystemSize(n)) * rows.Count() * n;
    const double table = static_cast<double>(CodeSpaceSize(n)) * n * 4;
    if (counting == WinCounting::Automatic)
        counting = direct > table ? WinCounting::CodeSpaceTable : WinCounting::RowByRow;
    std::optional<SpaceCounts> space;
    if (counting == WinCounting::CodeSpaceTable)
        space.emplace(rows);
    auto countsOf = [&](const Sign* row) {
        return space ? space->At(row) : CountDirectly(rows, row);
    };

    std::vector<TWinPattern> patterns;
    std::unordered_map<WinCounts, std::size_t, CountsHash> index;
    AbortFlag never;
    RunObserver quiet;
    ForEachCandidate(
        plan, n,
        [&](const Sign* outcome) {
            if (!test.Accepts(outcome))
                return;
            ++result.total;
            WinCounts c = countsOf(outcome);
            if (FallsShort(c, settings.minimum)) {
                rows.Append(outcome);
                if (space)
                    space->Add(outcome);
                c = countsOf(outcome);
            }
            const auto [at, added] = index.try_emplace(c, patterns.size());
            if (added)
                patterns.push_back({c, 0});
            ++patterns[at->second].multiplicity;
        },
        never, quiet);

    SortPatterns(patterns);
    result.percentages = ClassPercentages(patterns, result.total);
    result.patterns = std::move(patterns);
    result.rowsAdded = rows.Count() - rowsBefore;
    return result;
}

std::string ClassCaption(int n, int errors) {
    return std::to_string(n - errors) + "er";
}

std::string CasesText(std::int32_t total) {
    return "Insgesamt " + std::to_string(total) + " Fälle.";
}

std::string PercentageText(double percentage, char decimalSeparator) {
    return FormatGeneral(percentage, 4, 2, decimalSeparator);
}

}  // namespace velmora
