// The logic of the odds filter form ("Quotenblock").
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "filters/odds.h"
#include "filters/valueform.h"

namespace velmora {

inline constexpr const char* kOddsFormCaption = "Quotenblock";
inline constexpr const char* kOddsFormImage = "Quote.BMP";

// Showing the form: cells in "%g" form with a point, the band with a decimal comma, both
// with up to 15 significant digits; "Aktiv" from the flag.
ValueFormFields ShowOddsFilter(const TOddsFilter& odds, int n);

struct CellEditStart {
    std::string text;     // what the cell editor starts with: "1" for an empty cell
    std::string warning;  // "Error at position: p" when that text is not a number, else empty
};
// Editing a cell starts: the text read with a point as decimal separator.
CellEditStart OddsCellEditText(std::string_view cell);

// Keys in the grid: digits, "." and backspace pass, "," becomes ".".
std::optional<char> OddsGridKey(char32_t key);
// Keys in the band fields: digits and backspace only.
std::optional<char> OddsBandKey(char32_t key);

// OK, in this order: minValue from Edit1, maxValue from Edit2, active, the cells of games
// 1..n. Numbers are read with a point; the band fields, which the form shows with a
// decimal comma, are read with a comma as well. OK never stops: a text that is not a number
// leaves the value it stands for unchanged, and its place is listed in the result
// ("Mindestquote", "Höchstquote", "Spiel g, Tip s") so the caller may mention it. The
// caller sets the filters-modified flag and the main window's check box.
std::vector<std::string> ConfirmOddsFilter(const ValueFormFields& fields, int n, TOddsFilter& odds);

}  // namespace velmora
