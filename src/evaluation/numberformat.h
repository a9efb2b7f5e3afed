// The general number format of the evaluation windows.
#pragma once

#include <string>

namespace velmora {

// At most `precision` significant digits, no trailing zeros; fixed-point notation when the
// decimal exponent lies between -5 and precision - 1, scientific notation with at least
// `exponentDigits` exponent digits otherwise; `decimalSeparator` as the user's locale has it.
std::string FormatGeneral(double value, int precision, int exponentDigits, char decimalSeparator);

}  // namespace velmora
