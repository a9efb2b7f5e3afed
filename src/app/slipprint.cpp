#include "app/slipprint.h"

#include <algorithm>

namespace velmora {
namespace {

// The gap between two slips of a band, beyond their row columns.
int SlipGap(int n) {
    return n <= 12 ? 300 : n == 13 ? 310 : 320;
}

}  // namespace

std::int32_t SlipPageCount(const TRowList& rows, int rowsPerSlip) {
    const std::int64_t perPage = std::int64_t{kSlipsPerPage} * rowsPerSlip;
    return static_cast<std::int32_t>((rows.Count() + perPage - 1) / perPage);
}

std::size_t MaxSlipPageCalls(int games, int rowsPerSlip) {
    return static_cast<std::size_t>(kSlipsPerPage) * static_cast<std::size_t>(rowsPerSlip) *
           static_cast<std::size_t>(games);
}

// Every page but the last is full: nine slips of R rows. So page p starts at row 9 R p, and
// its slips are the slips 9 p to 9 p + 8 of the system; the last slip may be partly filled.
void LayoutSlipPage(const TRowList& rows, int rowsPerSlip, std::int32_t page, SlipDocument& calls) {
    calls.clear();
    const int n = rows.Games();
    const int gap = SlipGap(n);
    const std::int64_t perPage = std::int64_t{kSlipsPerPage} * rowsPerSlip;
    const std::int64_t first = perPage * page;
    const std::int64_t end = std::min<std::int64_t>(first + perPage, rows.Count());
    for (std::int64_t i = first; i < end; ++i) {
        const int onPage = static_cast<int>(i - first);
        const int slot = onPage / rowsPerSlip;
        const int place = onPage % rowsPerSlip;
        const Sign* row = rows.Row(static_cast<std::int32_t>(i));
        const int x = 150 + 30 * place + (slot % 3) * (30 * rowsPerSlip + gap);
        const int band = (slot / 3) * (50 * n + 50);
        for (int g = 1; g <= n; ++g)
            calls.push_back({x, -(200 + 50 * g + band), std::string(1, SignChar(row[g - 1]))});
    }
}

std::vector<SlipDocument> LayoutSlips(const TRowList& rows, int rowsPerSlip) {
    std::vector<SlipDocument> documents(static_cast<std::size_t>(SlipPageCount(rows, rowsPerSlip)));
    for (std::size_t page = 0; page < documents.size(); ++page)
        LayoutSlipPage(rows, rowsPerSlip, static_cast<std::int32_t>(page), documents[page]);
    return documents;
}

}  // namespace velmora
