#include "evaluation/numberformat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace velmora {
namespace {

void StripTrailingZeros(std::string& digits) {
    if (digits.find('.') == std::string::npos)
        return;
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (!digits.empty() && digits.back() == '.')
        digits.pop_back();
}

}  // namespace

std::string FormatGeneral(double value, int precision, int exponentDigits, char decimalSeparator) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0.0)
        return "0";

    // Rounding to the wanted digits first decides the exponent (9.9996 becomes 10 at 4
    // digits). to_chars ignores the process locale, so the point is always a point here.
    char buffer[400];
    auto print = [&buffer](double v, std::chars_format format, int digits) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, format, digits);
        return std::string(buffer, result.ptr);
    };
    const std::string scientific = print(value, std::chars_format::scientific, precision - 1);
    const std::size_t e = scientific.find('e');
    const int exponent = std::atoi(scientific.c_str() + e + 1);

    std::string text;
    if (exponent >= -5 && exponent <= precision - 1) {
        text = print(value, std::chars_format::fixed, precision - 1 - exponent);
        StripTrailingZeros(text);
    } else {
        text = scientific.substr(0, e);
        StripTrailingZeros(text);
        std::string digits = std::to_string(std::abs(exponent));
        if (static_cast<int>(digits.size()) < exponentDigits)
            digits.insert(0, static_cast<std::size_t>(exponentDigits) - digits.size(), '0');
        text += std::string("E") + (exponent < 0 ? "-" : "+") + digits;
    }
    for (char& c : text)
        if (c == '.')
            c = decimalSeparator;
    return text;
}

}  // namespace velmora
