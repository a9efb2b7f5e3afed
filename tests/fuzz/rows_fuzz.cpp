// Row files: ParseRows with the game count taken from the first input byte, and for an
// accepted file its coverage, its bytes and the removal of rows present in another system.
#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "app/rowfile.h"
#include "filters/candidatetest.h"
#include "filters/filterset.h"
#include "filters/rowfilter.h"
#include "fuzz_support.h"
#include "model/coverage.h"
#include "model/rowcode.h"
#include "model/tipplan.h"

using namespace velmora;

namespace {

void CheckRefused(const std::vector<std::uint8_t>& bytes, int n, const RowFileContent& content) {
    VELMORA_FUZZ_CHECK(!content.error.empty());
    VELMORA_FUZZ_CHECK(content.rows.Empty() && content.rows.Games() == n);
    if (bytes.size() % static_cast<std::size_t>(n) != 0) {
        VELMORA_FUZZ_CHECK(content.error == kGameCountMismatch);
        return;
    }
    bool foreign = false;
    for (std::uint8_t b : bytes)
        foreign = foreign || !IsSign(b);
    VELMORA_FUZZ_CHECK(foreign);
}

TCoverageTable NaiveCoverage(const TRowList& rows) {
    TCoverageTable table;
    for (std::int32_t r = 0; r < rows.Count(); ++r)
        for (int g = 0; g < rows.Games(); ++g)
            table.flags[g][rows.Row(r)[g]] = true;
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int n = kMinGames + data[0] % 4;
    const std::vector<std::uint8_t> bytes = fuzz::ToBytes(data + 1, size - 1);
    const RowFileContent content = ParseRows(bytes, n, "fuzz.prd");
    if (!content.ok()) {
        CheckRefused(bytes, n, content);
        return 0;
    }
    const TRowList& rows = content.rows;
    VELMORA_FUZZ_CHECK(rows.Games() == n);
    VELMORA_FUZZ_CHECK(static_cast<std::size_t>(rows.Count()) * n == bytes.size());
    VELMORA_FUZZ_CHECK(std::vector<std::uint8_t>(rows.Bytes().begin(), rows.Bytes().end()) ==
                       bytes);

    // Row by row through a tip row and back gives the same bytes.
    TRowList rebuilt(n);
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        const TTipRow row = rows.Get(r);
        VELMORA_FUZZ_CHECK(row.size() == n);
        VELMORA_FUZZ_CHECK(EncodeRow(row.data(), n) < CodeSpaceSize(n));
        rebuilt.Append(row);
    }
    VELMORA_FUZZ_CHECK(rebuilt == rows);

    // Coverage, against a plain count, and the signs a fully tipped plan misses.
    const TCoverageTable coverage = UpdateCoverage(rows);
    const TCoverageTable expected = NaiveCoverage(rows);
    VELMORA_FUZZ_CHECK(coverage.flags == expected.flags);
    TTipPlan plan;
    for (int g = 1; g <= n; ++g)
        for (Sign s = 0; s < kSignCount; ++s)
            plan.SetTendency(g, s, 1);
    std::size_t uncovered = 0;
    for (int g = 1; g <= n; ++g)
        for (Sign s = 0; s < kSignCount; ++s)
            uncovered += !coverage.Covered(g, s);
    VELMORA_FUZZ_CHECK(MissingSigns(plan, n, coverage).size() == uncovered);

    // Removing the rows present in the system itself leaves nothing; removing those of its
    // first half leaves exactly the later rows that do not occur in that half.
    TRowList none = rows;
    RemoveRowsPresentIn(none, rows);
    VELMORA_FUZZ_CHECK(none.Empty());
    TRowList firstHalf(n);
    for (std::int32_t r = 0; r < rows.Count() / 2; ++r)
        firstHalf.Append(rows.Row(r));
    std::set<RowCode> inHalf;
    for (std::int32_t r = 0; r < firstHalf.Count(); ++r)
        inHalf.insert(EncodeRow(firstHalf.Row(r), n));
    TRowList expectedRest(n);
    for (std::int32_t r = 0; r < rows.Count(); ++r)
        if (!inHalf.contains(EncodeRow(rows.Row(r), n)))
            expectedRest.Append(rows.Row(r));
    TRowList rest = rows;
    RemoveRowsPresentIn(rest, firstHalf);
    VELMORA_FUZZ_CHECK(rest == expectedRest);

    // Every row read through both filter tests, under a sign-change filter taken from the
    // input; on these rows, too, the two must agree.
    TFilterSet filters = TFilterSet::PassingAll(n);
    filters.signChange.min1 = data[0] % static_cast<std::uint8_t>(n);
    filters.signChange.orSecond = (data[0] >> 4) & 1;
    const CandidateTest test(filters, n);
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        const int changes = countSignChanges(rows.Row(r), n);
        VELMORA_FUZZ_CHECK(changes >= 0 && changes < n);
        const bool accepted = test.Accepts(rows.Row(r));
        VELMORA_FUZZ_CHECK(accepted == rowPassesFilters(rows.Row(r), filters, n));
        if (!test.SignChangeInUse())
            VELMORA_FUZZ_CHECK(accepted);
    }
    return 0;
}
