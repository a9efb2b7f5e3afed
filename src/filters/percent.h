// Percentage filters: the mean of the numbers a row's signs pick must lie within a band.
#pragma once

#include <array>
#include <cstdint>

#include "model/sign.h"

namespace velmora {

// A value per sign of every game with a band and two flags. The percentage filters and
// the odds filter share this layout (356 bytes in the files).
struct TFilterValueRecord {
    // values[game - 1][sign code]
    std::array<std::array<double, kSignCount>, kMaxGames> values{};
    double minValue = 0.0;
    double maxValue = 0.0;
    std::uint8_t active = 0;
    std::uint8_t orNext = 0;  // percentage filters only: linked with the next active filter
    std::array<std::uint8_t, 2> reserved{};

    double Value(int game, Sign sign) const { return values[game - 1][sign]; }
    bool operator==(const TFilterValueRecord&) const = default;
};

struct TPercentFilter : TFilterValueRecord {};

inline constexpr int kPercentFilterCount = 5;
using TPercentFilters = std::array<TPercentFilter, kPercentFilterCount>;

// The row holds n sign codes 0 to 2; games beyond n are never read.

// 1/n for every game count, held in extended precision.
inline constexpr auto kReciprocalOfGames = [] {
    std::array<long double, kMaxGames + 1> r{};
    for (int n = 1; n <= kMaxGames; ++n)
        r[n] = 1.0L / n;
    return r;
}();

// The mean of the filter's numbers for the row's signs: summed in game order in double,
// then multiplied by 1/n held in extended precision and rounded to a double.
inline double rowMean(const Sign* row, const TFilterValueRecord& filter, int n) {
    double sum = 0.0;
    for (int g = 0; g < n; ++g)
        sum += filter.values[g][row[g]];
    return static_cast<double>(static_cast<long double>(sum) * kReciprocalOfGames[n]);
}

// The band test of the first active member of a chain: strict for 11 and 12 games,
// inclusive for 13 and 14. Alternatives of a chain always use the inclusive test.
inline bool WithinFirstMemberBand(double mean, const TFilterValueRecord& filter, int n) {
    if (n <= 12)
        return filter.minValue < mean && mean < filter.maxValue;
    return filter.minValue <= mean && mean <= filter.maxValue;
}
inline bool WithinBand(double mean, const TFilterValueRecord& filter) {
    return filter.minValue <= mean && mean <= filter.maxValue;
}

// The number of met chains of the filters 1 to 5. firstMet(i) tells whether filter i
// (0-based) is met as the first active member of its chain, alternativeMet(i) whether it
// is met as an alternative; both are asked only for active filters. A chain counts at
// most once; a filter linked with "oder" that has no active filter after it is a chain of
// its own, so the count may exceed TFilterSet::chainCount().
template <class FirstMet, class AlternativeMet>
int CountMetPercentChains(const TPercentFilters& filters, FirstMet&& firstMet,
                          AlternativeMet&& alternativeMet) {
    constexpr int kLast = kPercentFilterCount - 1;
    int met = 0;
    int i = 0;
    while (i <= kLast) {
        const TPercentFilter& first = filters[i];
        if (!first.active) {
            ++i;
            continue;
        }
        if (firstMet(i)) {
            ++met;
        } else if (first.orNext) {
            // Look for a member of the chain further on that is met.
            int j = i + 1;
            while (j <= kLast) {
                while (j < kLast && !filters[j].active)
                    ++j;
                const TPercentFilter& alternative = filters[j];
                if (alternative.active && alternativeMet(j)) {
                    ++met;
                    break;
                }
                if (!alternative.orNext)
                    break;
                ++j;
            }
        }
        // Skip the rest of the chain.
        while (i < kLast && (filters[i].orNext || !filters[i].active))
            ++i;
        ++i;
    }
    return met;
}

// The same for a row whose mean under filter i is mean(i).
template <class MeanOf>
int CountMetPercentChains(const TPercentFilters& filters, int n, MeanOf&& mean) {
    return CountMetPercentChains(
        filters, [&](int i) { return WithinFirstMemberBand(mean(i), filters[i], n); },
        [&](int i) { return WithinBand(mean(i), filters[i]); });
}

// True when at least k chains of the five filters are met; k = 0 passes every row.
bool passesPercentFilters(const Sign* row, const TPercentFilters& filters, int k, int n);

}  // namespace velmora
