#include "app/slipprint.h"

namespace velmora {
namespace {

constexpr int kSlipsPerPage = 9;

// The gap between two slips of a band, beyond their row columns.
int SlipGap(int n) {
    return n <= 12 ? 300 : n == 13 ? 310 : 320;
}

}  // namespace

std::vector<SlipDocument> LayoutSlips(const TRowList& rows, int rowsPerSlip) {
    const int n = rows.Games();
    const int gap = SlipGap(n);
    std::vector<SlipDocument> documents;
    std::int32_t i = 0;
    std::int32_t slipsBefore = 0;  // slips on earlier pages
    while (i < rows.Count()) {
        SlipDocument page;
        int slot = 0;
        while (i < rows.Count() && slot < kSlipsPerPage) {
            const int place = static_cast<int>(i - rowsPerSlip * (slipsBefore + slot));
            const Sign* row = rows.Row(i);
            for (int g = 1; g <= n; ++g) {
                const int x = 150 + 30 * place + (slot % 3) * (30 * rowsPerSlip + gap);
                const int y = -(200 + 50 * g + (slot / 3) * (50 * n + 50));
                page.push_back({x, y, std::string(1, SignChar(row[g - 1]))});
            }
            ++i;
            if (i % rowsPerSlip == 0)
                ++slot;
        }
        // The last slip may be partly filled; it still counts as a slip of this page.
        slipsBefore += slot + (i % rowsPerSlip != 0 ? 1 : 0);
        documents.push_back(std::move(page));
    }
    return documents;
}

}  // namespace velmora
