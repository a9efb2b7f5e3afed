// The numbers over the row columns of the row display and the entry grid, and what
// "Gehe zu Reihe …" asks for and where the answer leads. A row's number is its place in the
// system counted from 1; column c of a grid holds row c + 1.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

inline constexpr const char* kGoToRowTitle = "Gehe zu Reihe";

// The number over column `column` (from 0), without grouping: "1234567" takes the least room
// over a narrow column.
std::string RowNumberText(std::int64_t column);
// The tool tip over column `column`: "Reihe 1.234.567", and how to go to another.
std::string RowNumberTip(std::int64_t column);
// A count as the German write it, "1.234.567".
std::string GroupedCount(std::int64_t count);

// "Gehe zu Reihe …" over `count` rows, with the row in column `current` proposed.
struct RowQuestion {
    int minimum = 1;
    int maximum = 1;
    int value = 1;
    std::string label;  // "Reihe (1 bis 12.345):"
};
// Nothing when there is no row to go to. A proposal outside the rows becomes the nearest row.
std::optional<RowQuestion> GoToRowQuestion(std::int64_t count, std::int64_t current);
// The column (from 0) of row `number` among `count` rows, or nothing when there is no such row.
std::optional<std::int32_t> RowColumn(std::int64_t number, std::int64_t count);
// Why row `number` cannot be gone to among `count` rows.
std::string NoSuchRowText(std::int64_t number, std::int64_t count);

}  // namespace velmora
