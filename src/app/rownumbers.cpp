#include "app/rownumbers.h"

#include <algorithm>
#include <limits>

namespace velmora {

std::string RowNumberText(std::int64_t column) {
    return std::to_string(column + 1);
}

std::string RowNumberTip(std::int64_t column) {
    return "Reihe " + GroupedCount(column + 1) + " – Strg+G: Gehe zu Reihe …";
}

std::string GroupedCount(std::int64_t count) {
    const std::string digits = std::to_string(count < 0 ? -count : count);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += '.';
        text += digits[i];
    }
    return count < 0 ? "-" + text : text;
}

std::optional<RowQuestion> GoToRowQuestion(std::int64_t count, std::int64_t current) {
    if (count <= 0)
        return std::nullopt;
    // A grid holds no more columns than an int counts; the question's field neither.
    const auto last =
        static_cast<int>(std::min<std::int64_t>(count, std::numeric_limits<int>::max()));
    RowQuestion question;
    question.maximum = last;
    question.value = static_cast<int>(std::clamp<std::int64_t>(current + 1, 1, last));
    question.label = "Reihe (1 bis " + GroupedCount(last) + "):";
    return question;
}

std::optional<std::int32_t> RowColumn(std::int64_t number, std::int64_t count) {
    if (number < 1 || number > count || number > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(number - 1);
}

std::string NoSuchRowText(std::int64_t number, std::int64_t count) {
    return "Eine Reihe " + GroupedCount(number) + " gibt es nicht: Die Reihen sind von 1 bis " +
           GroupedCount(count) + " nummeriert.";
}

}  // namespace velmora
