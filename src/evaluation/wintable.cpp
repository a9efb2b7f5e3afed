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

// The codes of a list's rows, for the table of counts over the code space.
std::vector<RowCode> CodesOf(const TRowList& rows) {
    std::vector<RowCode> codes(static_cast<std::size_t>(rows.Count()));
    for (std::int32_t r = 0; r < rows.Count(); ++r)
        codes[static_cast<std::size_t>(r)] = EncodeRow(rows.Row(r), rows.Games());
    return codes;
}

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
    const AbortFlag never;
    RunObserver quiet;
    return RunWinTable(plan, n, filters, settings, rows, never, quiet, counting);
}

bool IsLongWinTable(const TTipPlan& plan, int n) {
    return plan.FullSystemSize(n) > kLongWinTableOutcomes;
}

WinTableResult RunWinTable(TTipPlan& plan, int n, const TFilterSet& filters,
                           const WinTableSettings& settings, TRowList& rows, const AbortFlag& abort,
                           RunObserver& observer, WinCounting counting) {
    WinTableResult result;
    const TTipPlan planBefore = plan;
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
        space.emplace(n, CodesOf(rows));
    auto countsOf = [&](const Sign* row) {
        return space ? space->At(EncodeRow(row, n)) : CountDirectly(rows, row);
    };

    std::vector<TWinPattern> patterns;
    std::unordered_map<WinCounts, std::size_t, CountsHash> index;
    // The enumeration itself hears nothing: it would call the observer once per outer step,
    // which comes far too often for the fast counting of the code-space table.
    RunObserver quiet;
    const std::int64_t fullSize = plan.FullSystemSize(n);
    std::int64_t visited = 0;
    std::int32_t sinceCheck = 0;
    int percentShown = -1;
    bool stopped = false;
    auto checkPoint = [&] {
        const int percent = static_cast<int>(visited * 100 / std::max<std::int64_t>(fullSize, 1));
        if (percent != percentShown) {
            percentShown = percent;
            observer.ShowProgress(percent);
        }
        observer.ProcessEvents();
        stopped = abort.IsSet();
    };
    checkPoint();
    const EnumerationStats stats = ForEachCandidate(
        plan, n,
        [&](const Sign* outcome) {
            // The enumeration only notices the flag at its next outer step.
            if (stopped)
                return;
            ++visited;
            if (++sinceCheck == kWinTableCheckInterval) {
                sinceCheck = 0;
                checkPoint();
            }
            if (!test.Accepts(outcome))
                return;
            ++result.total;
            WinCounts c = countsOf(outcome);
            if (FallsShort(c, settings.minimum)) {
                rows.Append(outcome);
                if (space)
                    space->Add(EncodeRow(outcome, n));
                c = countsOf(outcome);
            }
            const auto [at, added] = index.try_emplace(c, patterns.size());
            if (added)
                patterns.push_back({c, 0});
            ++patterns[at->second].multiplicity;
        },
        abort, quiet);

    if (stopped || stats.aborted) {
        // Everything as before the run: the outcomes the minimum guarantee appended go again.
        if (rows.Count() > rowsBefore) {
            std::vector<bool> keep(static_cast<std::size_t>(rows.Count()), false);
            std::fill_n(keep.begin(), rowsBefore, true);
            rows.KeepWhere(keep);
        }
        plan = planBefore;
        WinTableResult aborted;
        aborted.aborted = true;
        return aborted;
    }
    if (percentShown != 100)
        observer.ShowProgress(100);

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

std::string WinTableProgressText(int percent) {
    return "Berechnung läuft: " + std::to_string(percent) + " % … (Esc bricht ab)";
}

std::string PercentageText(double percentage, char decimalSeparator) {
    return FormatGeneral(percentage, 4, 2, decimalSeparator);
}

}  // namespace velmora
