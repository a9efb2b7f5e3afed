// What the percentage and odds forms share: a grid of one number per sign of every game,
// the band fields and the check boxes, held as the texts the form shows; and the reading
// and writing of those numbers.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/sign.h"

namespace velmora {

// The editable texts of a value form.
struct ValueFormFields {
    // cells[game - 1][sign code]; the grid shows the signs in the order "1", "0", "2".
    std::array<std::array<std::string, kSignCount>, kMaxGames> cells;
    std::string minText;  // Edit1
    std::string maxText;  // Edit2
    bool active = false;  // "Aktiv"
    bool orNext = false;  // percentage forms only: "oder nächster aktiver Prozentblock"
};

// Keys as the forms receive them.
inline constexpr char32_t kBackspaceKey = U'\b';
inline constexpr char32_t kEnterKey = U'\r';

// General notation with up to `digits` significant digits, the shortest form without
// trailing zeros, as C's "%.<digits>g" writes it (1e+20, 0.0001, 1e-05), with the given
// decimal separator. Independent of the process locale.
std::string FormatShortest(double value, int digits, char decimalSeparator);

// Where a number written with the given decimal separator stops being readable: 0 when
// the whole text is one number, otherwise the 1-based position of the first character
// that could not be read (the length + 1 when the text ends too early). A number is an
// optional sign, digits with at most one separator (at least one digit) and an optional
// exponent "e" or "E" with optional sign and digits; blanks may surround it. A number too
// large for a double cannot be read from its first character on.
int NumberErrorPosition(std::string_view text, char decimalSeparator);
std::optional<double> ParseNumber(std::string_view text, char decimalSeparator);

// "'%s' ist kein gültiger Fließkommawert"
std::string NotAFloatMessage(std::string_view text);

}  // namespace velmora
