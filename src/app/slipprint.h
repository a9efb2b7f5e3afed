// Printing the system on betting slips: where every sign digit goes.
#pragma once

#include <cstdint>
#include <optional>
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

// How far every digit of the slip print is moved to meet the boxes of the printer's slips, in
// tenths of a millimetre; positive moves right and down. None prints at the nominal places.
struct SlipOffset {
    int dx = 0;
    int dy = 0;
    bool operator==(const SlipOffset&) const = default;
};
inline constexpr int kMaxSlipOffset = 200;  // 20 mm either way

inline constexpr const char* kSlipFont = "arial";
inline constexpr int kSlipFontHeight = 50;  // 5 mm
inline constexpr int kSlipsPerPage = 9;

// The number of pages the rows fill; 0 for an empty system.
std::int32_t SlipPageCount(const TRowList& rows, int rowsPerSlip);

// The draw calls of page `page` (from 0), row after row and game after game. `calls` is
// emptied first, so that one buffer can serve every page of a long system.
void LayoutSlipPage(const TRowList& rows, int rowsPerSlip, std::int32_t page, SlipDocument& calls,
                    SlipOffset offset = {});

// The most draw calls a page can hold, for reserving a buffer before printing starts.
std::size_t MaxSlipPageCalls(int games, int rowsPerSlip);

// The documents to print, one per page; none for an empty system.
std::vector<SlipDocument> LayoutSlips(const TRowList& rows, int rowsPerSlip,
                                      SlipOffset offset = {});

// The test page of the calibration: the first slip of a page filled, every row column and
// game with a digit ("1", "0", "2" in turn), and a "+" diagonally beyond each corner of that
// field, so that the sheet laid on a slip shows how far the digits miss the boxes.
SlipDocument LayoutSlipTestPage(int games, int rowsPerSlip, SlipOffset offset = {});

// An offset typed in millimetres, "-1,5", "+2" or "0.3": at most one decimal place and at
// most 20 mm either way. In tenths of a millimetre, or nothing when it is no such number.
std::optional<int> ParseSlipOffset(const std::string& millimetres);
// The offset as typed: "0,0", "1,5", "-2,0".
std::string SlipOffsetText(int tenths);

}  // namespace velmora
