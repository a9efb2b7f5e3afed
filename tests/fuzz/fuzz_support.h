// Shared helpers of the fuzz targets: a hard check that stops the run, rows of every game
// count on which the filters read from a fuzzed file are tried, and the checks made there.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "filters/candidatetest.h"
#include "filters/filterset.h"
#include "filters/rowfilter.h"
#include "filters/signchange.h"
#include "model/sign.h"
#include "model/tiprow.h"

namespace velmora::fuzz {

// libFuzzer takes an abort() as a finding and keeps the input that caused it.
#define VELMORA_FUZZ_CHECK(condition)                                                       \
    do {                                                                                    \
        if (!(condition)) {                                                                 \
            std::fprintf(stderr, "%s:%d: Prüfung fehlgeschlagen: %s\n", __FILE__, __LINE__, \
                         #condition);                                                       \
            std::abort();                                                                   \
        }                                                                                   \
    } while (false)

inline std::vector<std::uint8_t> ToBytes(const std::uint8_t* data, std::size_t size) {
    return size == 0 ? std::vector<std::uint8_t>{} : std::vector<std::uint8_t>(data, data + size);
}

// Rows of n games to run filters on: the three constant rows, two alternating ones, and
// one taken from the input bytes, so that the fuzzer also steers the row a filter sees.
inline std::vector<TTipRow> RowsToTry(int n, const std::uint8_t* data, std::size_t size) {
    std::vector<TTipRow> rows;
    for (Sign s = 0; s < kSignCount; ++s) {
        TTipRow row(n);
        for (int g = 0; g < n; ++g)
            row[g] = s;
        rows.push_back(row);
    }
    TTipRow alternating(n), stepping(n), fromInput(n);
    for (int g = 0; g < n; ++g) {
        alternating[g] = kDisplayOrder[g % kSignCount];
        stepping[g] = static_cast<Sign>((g / 2) % kSignCount);
        fromInput[g] = size == 0 ? 0 : static_cast<Sign>(data[(g * 7) % size] % kSignCount);
    }
    rows.push_back(alternating);
    rows.push_back(stepping);
    rows.push_back(fromInput);
    return rows;
}

// A row as a filter gets it: exactly n bytes on the heap, so that AddressSanitizer reports
// any read of a game beyond the row.
class ExactRow {
  public:
    explicit ExactRow(const TTipRow& row) : bytes_(row.signs().begin(), row.signs().end()) {}
    const Sign* data() const { return bytes_.data(); }

  private:
    std::vector<Sign> bytes_;
};

// The "oder" lists of blocks and sequence rules, decided chain by chain: entries up to and
// including the next unlinked one form a chain, met when one member passes; a chain the list
// ends in while its last entry is still linked is met as well.
template <class Entry, class Passes>
bool ChainsMet(const std::vector<Entry>& entries, Passes&& passes) {
    std::size_t i = 0;
    while (i < entries.size()) {
        bool met = false;
        std::size_t end = i;
        while (end < entries.size() && entries[end].orNext != 0)
            ++end;
        if (end == entries.size())
            met = true;  // open chain at the end of the list
        for (std::size_t k = i; k < entries.size() && k <= end; ++k)
            met = met || passes(entries[k]);
        if (!met)
            return false;
        i = end + 1;
    }
    return true;
}

// Runs every filter of the set on the rows to try for n games. The generation's candidate
// test and the test of an existing system's rows are two implementations of one decision;
// they must agree on every row.
template <class ExtraCheck>
void CheckFilterSet(const TFilterSet& filters, int n, const std::uint8_t* data, std::size_t size,
                    ExtraCheck&& extra) {
    const CandidateTest test(filters, n);
    for (const TTipRow& row : RowsToTry(n, data, size)) {
        const ExactRow exact(row);
        const bool accepted = test.Accepts(exact.data());
        VELMORA_FUZZ_CHECK(accepted == rowPassesFilters(exact.data(), filters, n));
        extra(exact.data());
    }
}

}  // namespace velmora::fuzz
