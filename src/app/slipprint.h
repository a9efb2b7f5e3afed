// Printing the system on betting slips: where every sign digit goes.
#pragma once

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

// The documents to print, one per page; none for an empty system.
std::vector<SlipDocument> LayoutSlips(const TRowList& rows, int rowsPerSlip);

}  // namespace velmora
