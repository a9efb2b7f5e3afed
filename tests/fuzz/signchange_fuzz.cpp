// Sign-change files: ApplySignChange over settings taken from the input, and the filter
// read brought into range and run on rows of every game count.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/filterfiles.h"
#include "filters/filterset.h"
#include "fuzz_support.h"

using namespace velmora;

namespace {

std::vector<std::uint8_t> Fields(const TSignChangeFilter& f) {
    return {f.min1, f.max1, f.min2, f.max2, f.orSecond};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the settings the file is read over: the defaults, or all fields
    // set to that byte, so that missing fields are seen to stay as they were.
    if (size == 0)
        return 0;
    TSignChangeFilter before;
    if (data[0] & 1)
        before = {data[0], data[0], data[0], data[0], data[0]};
    const Bytes bytes = fuzz::ToBytes(data + 1, size - 1);

    TSignChangeFilter filter = before;
    ApplySignChange(bytes, filter);
    const std::vector<std::uint8_t> got = Fields(filter), was = Fields(before);
    for (std::size_t i = 0; i < kSignChangeRecordSize; ++i) {
        if (i >= bytes.size())
            VELMORA_FUZZ_CHECK(got[i] == was[i]);
        else if (i < 4)
            VELMORA_FUZZ_CHECK(got[i] == bytes[i]);
        else
            VELMORA_FUZZ_CHECK(got[i] == (bytes[i] == 1 ? 1 : 0));
    }
    if (bytes.size() >= kSignChangeRecordSize) {
        // A whole record is written back as read, but for the "oder" flag made 0 or 1.
        Bytes expected(bytes.begin(), bytes.begin() + kSignChangeRecordSize);
        expected[4] = bytes[4] == 1;
        VELMORA_FUZZ_CHECK(EncodeSignChange(filter) == expected);
    }

    for (int n = kMinGames; n <= kMaxGames; ++n) {
        TSignChangeFilter clamped = filter;
        ClampToGameCount(clamped, n);
        VELMORA_FUZZ_CHECK(clamped.min1 <= n - 1 && clamped.min2 <= n - 1);
        VELMORA_FUZZ_CHECK(clamped.max1 >= 1 && clamped.max1 <= n - 1);
        VELMORA_FUZZ_CHECK(clamped.max2 >= 1 && clamped.max2 <= n - 1);
        for (const TSignChangeFilter& used : {filter, clamped}) {
            TFilterSet filters = TFilterSet::PassingAll(n);
            filters.signChange = used;
            fuzz::CheckFilterSet(filters, n, data, size, [&](const Sign* row) {
                const int changes = countSignChanges(row, n);
                VELMORA_FUZZ_CHECK(changes >= 0 && changes <= n - 1);
                const bool inFirst = used.min1 <= changes && changes <= used.max1;
                const bool inSecond =
                    used.orSecond == 1 && used.min2 <= changes && changes <= used.max2;
                VELMORA_FUZZ_CHECK(used.passes(row, n) == (inFirst || inSecond));
                if (!used.inUse(n))
                    VELMORA_FUZZ_CHECK(used.passes(row, n));
            });
        }
    }
    return 0;
}
