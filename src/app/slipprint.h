// Printing the system on betting slips: where every sign digit goes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/rowlist.h"

namespace velmora {

// A text at a point of the page, in tenths of a millimetre, y upward (below the top is negative).
struct DrawCall {
    int x = 0;
    int y = 0;
    std::string text;
    bool operator==(const DrawCall&) const = default;
};

// One printed page: nine slips, three by three, each of R row columns.
using SlipDocument = std::vector<DrawCall>;

inline constexpr const char* kSlipFont = "arial";
inline constexpr int kSlipFontHeight = 50;  // 5 mm
inline constexpr int kSlipsPerPage = 9;

// The number of pages the rows fill; 0 for an empty system.
std::int32_t SlipPageCount(const TRowList& rows, int rowsPerSlip);

// The draw calls of page `page` (from 0), row after row and game after game. `calls` is
// emptied first, so that one buffer can serve every page of a long system.
void LayoutSlipPage(const TRowList& rows, int rowsPerSlip, std::int32_t page, SlipDocument& calls);

// The most draw calls a page can hold, for reserving a buffer before printing starts.
std::size_t MaxSlipPageCalls(int games, int rowsPerSlip);

// The documents to print, one per page; none for an empty system.
std::vector<SlipDocument> LayoutSlips(const TRowList& rows, int rowsPerSlip);

}  // namespace velmora
