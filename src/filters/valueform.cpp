#include "filters/valueform.h"

#include <charconv>
#include <cmath>

namespace velmora {

std::string FormatShortest(double value, int digits, char decimalSeparator) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        if (c == '.')
            c = decimalSeparator;
    }
    return text;
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The syntax check of NumberErrorPosition; on success `begin` and `end` frame the number.
int SyntaxErrorPosition(std::string_view text, char separator, std::size_t& begin,
                        std::size_t& end) {
    const std::size_t size = text.size();
    std::size_t i = 0;
    auto position = [&] { return static_cast<int>(i) + 1; };
    while (i < size && text[i] == ' ')
        ++i;
    begin = i;
    if (i < size && (text[i] == '+' || text[i] == '-'))
        ++i;
    int digits = 0;
    while (i < size && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < size && text[i] == separator) {
        ++i;
        while (i < size && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return position();
    if (i < size && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < size && (text[i] == '+' || text[i] == '-'))
            ++i;
        int exponentDigits = 0;
        while (i < size && IsDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return position();
    }
    end = i;
    while (i < size && text[i] == ' ')
        ++i;
    return i < size ? position() : 0;
}

// The value of a number that passed the syntax check, or nothing when a double cannot hold it.
std::optional<double> ValueOf(std::string_view number, char separator) {
    std::string plain(number);
    if (!plain.empty() && plain.front() == '+')
        plain.erase(0, 1);
    for (char& c : plain) {
        if (c == separator)
            c = '.';
    }
    double value = 0.0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

int NumberErrorPosition(std::string_view text, char decimalSeparator) {
    std::size_t begin = 0;
    std::size_t end = 0;
    if (const int position = SyntaxErrorPosition(text, decimalSeparator, begin, end))
        return position;
    if (!ValueOf(text.substr(begin, end - begin), decimalSeparator))
        return static_cast<int>(begin) + 1;
    return 0;
}

std::optional<double> ParseNumber(std::string_view text, char decimalSeparator) {
    std::size_t begin = 0;
    std::size_t end = 0;
    if (SyntaxErrorPosition(text, decimalSeparator, begin, end) != 0)
        return std::nullopt;
    return ValueOf(text.substr(begin, end - begin), decimalSeparator);
}

std::string NotAFloatMessage(std::string_view text) {
    std::string message = "'";
    message += text;
    message += "' ist kein gültiger Fließkommawert";
    return message;
}

}  // namespace velmora
