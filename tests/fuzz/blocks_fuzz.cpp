// Block filter files: ParseBlocks, the bytes written back, and the filters read run on rows
// of every game count.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/filterfiles.h"
#include "filters/block.h"
#include "filters/filterset.h"
#include "fuzz_support.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes = fuzz::ToBytes(data, size);
    const BlocksContent content = ParseBlocks(bytes);
    if (!content.error.empty()) {
        VELMORA_FUZZ_CHECK(content.blocks.empty());
        VELMORA_FUZZ_CHECK(bytes.size() % kBlockRecordSize != 0);
        return 0;
    }
    VELMORA_FUZZ_CHECK(content.blocks.size() * kBlockRecordSize == bytes.size());
    VELMORA_FUZZ_CHECK(EncodeBlocks(content.blocks) == bytes);
    for (std::size_t b = 0; b < content.blocks.size(); ++b) {
        const TBlockFilter& block = content.blocks[b];
        for (int g = 1; g <= kMaxGames; ++g)
            for (Sign s = 0; s < kSignCount; ++s)
                VELMORA_FUZZ_CHECK(block.Marked(g, s) ==
                                   (bytes[b * kBlockRecordSize + 3 * (g - 1) + s] != 0));
    }

    // Blocks are taken as stored, whatever their counts and flags hold.
    for (int n = kMinGames; n <= kMaxGames; ++n) {
        TFilterSet filters = TFilterSet::PassingAll(n);
        filters.blocks = content.blocks;
        fuzz::CheckFilterSet(filters, n, data, size, [&](const Sign* row) {
            for (const TBlockFilter& block : filters.blocks) {
                const int hits = blockHits(row, block, n);
                const int run = longestHitRun(row, block, n);
                VELMORA_FUZZ_CHECK(hits >= 0 && hits <= n && run >= 0 && run <= hits);
                VELMORA_FUZZ_CHECK(run > 0 || hits == 0);
                VELMORA_FUZZ_CHECK(
                    passesBlock(row, block, n) ==
                    (block.minHits <= hits && hits <= block.maxHits && run <= block.maxRun));
            }
            const bool passes = passesBlockFilters(row, filters.blocks, n);
            VELMORA_FUZZ_CHECK(passes ==
                               fuzz::ChainsMet(filters.blocks, [&](const TBlockFilter& b) {
                                   return passesBlock(row, b, n);
                               }));
        });
    }
    return 0;
}
