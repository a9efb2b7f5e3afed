// Filter value files (odds filter and percentage filters): ParseFilterValues, the records
// applied and written back, and the filters read run on rows of every game count.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "app/filterfiles.h"
#include "filters/filterset.h"
#include "filters/odds.h"
#include "filters/percent.h"
#include "fuzz_support.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes = fuzz::ToBytes(data, size);
    const FilterValuesContent content = ParseFilterValues(bytes);
    const std::size_t count = bytes.size() / kValueRecordSize;
    const bool sound =
        bytes.size() % kValueRecordSize == 0 && count >= 1 && count <= kValueRecordCount;
    if (!content.error.empty()) {
        VELMORA_FUZZ_CHECK(content.records.empty());
        VELMORA_FUZZ_CHECK(!sound);
        return 0;
    }
    VELMORA_FUZZ_CHECK(sound);
    VELMORA_FUZZ_CHECK(content.records.size() == count);
    // Each record encodes to its own bytes again, NaNs and all.
    for (std::size_t r = 0; r < count; ++r) {
        const auto encoded = EncodeValueRecord(content.records[r]);
        VELMORA_FUZZ_CHECK(
            std::equal(encoded.begin(), encoded.end(), bytes.begin() + r * kValueRecordSize));
    }

    // Applied over the defaults and saved, the file begins with the bytes read; the
    // percentage filters it lacks are saved as they were.
    const TOddsFilter defaultOdds = TOddsFilter::Defaults();
    const TPercentFilters defaultPercent{};
    TOddsFilter odds = defaultOdds;
    TPercentFilters percent = defaultPercent;
    ApplyFilterValues(content.records, odds, percent);
    const Bytes saved = EncodeFilterValues(odds, percent);
    const Bytes untouched = EncodeFilterValues(defaultOdds, defaultPercent);
    VELMORA_FUZZ_CHECK(saved.size() == kValueRecordCount * kValueRecordSize);
    VELMORA_FUZZ_CHECK(std::equal(bytes.begin(), bytes.end(), saved.begin()));
    VELMORA_FUZZ_CHECK(std::equal(saved.begin() + static_cast<std::ptrdiff_t>(bytes.size()),
                                  saved.end(),
                                  untouched.begin() + static_cast<std::ptrdiff_t>(bytes.size())));

    // The chains required: as the window resets them, and any count the input asks for.
    for (int n = kMinGames; n <= kMaxGames; ++n) {
        TFilterSet filters = TFilterSet::PassingAll(n);
        filters.odds = odds;
        filters.percent = percent;
        filters.RecomputeChains();
        VELMORA_FUZZ_CHECK(filters.requiredChains >= 0 &&
                           filters.requiredChains <= kPercentFilterCount);
        for (const int required : {filters.requiredChains, data[size - 1] % 7 - 1}) {
            filters.requiredChains = required;
            fuzz::CheckFilterSet(filters, n, data, size, [&](const Sign* row) {
                const double product = rowProduct(row, odds, n);
                VELMORA_FUZZ_CHECK(
                    passesOdds(row, odds, n) ==
                    (!odds.active || (odds.minValue <= product && product <= odds.maxValue)));
                int asked = 0;
                const int met = CountMetPercentChains(percent, n, [&](int i) {
                    VELMORA_FUZZ_CHECK(i >= 0 && i < kPercentFilterCount && percent[i].active);
                    ++asked;
                    return rowMean(row, percent[i], n);
                });
                VELMORA_FUZZ_CHECK(met >= 0 && met <= kPercentFilterCount && asked <= 5);
                VELMORA_FUZZ_CHECK(passesPercentFilters(row, percent, required, n) ==
                                   (required <= 0 || met >= required));
            });
        }
    }
    return 0;
}
