#include "filters/sequenceeditor.h"

#include <algorithm>

namespace velmora {
namespace {

constexpr const char* kSequenceCountsOutOfRange =
    "Die Anzahl \"mindestens\" muss zwischen 0 und 6 liegen, \"höchstens\" zwischen 0 und 8.";

std::string InvalidPatternMessage(std::string_view pattern) {
    std::string message = "'";
    message += pattern;
    message += "' ist keine gültige Sequenz: erlaubt sind bis zu 8 Zeichen aus 0, 1, 2 und *.";
    return message;
}

ListButton SequenceButton(int number, std::string caption) {
    return {"btseq_" + std::to_string(number),
            std::move(caption),
            false,
            320,
            100 + 20 * number,
            150,
            20};
}

}  // namespace

std::string PatternText(const TSequenceRule& rule) {
    std::string text;
    const int length = std::min<int>(rule.length, static_cast<int>(rule.pattern.size()));
    for (int j = 0; j < length; ++j) {
        const std::uint8_t byte = rule.pattern[j];
        text += byte == kAnySign ? '*' : IsSign(byte) ? SignChar(byte) : '?';
    }
    return text;
}

std::string SequenceCaption(const TSequenceRule& rule) {
    std::string caption = PatternText(rule) + "  " + std::to_string(rule.minCount) + "-" +
                          std::to_string(rule.maxCount);
    if (rule.orNext != 0)
        caption += " or";
    return caption;
}

std::vector<ListButton> SequenceButtons(std::span<const TSequenceRule> rules) {
    std::vector<ListButton> buttons;
    const int count = static_cast<int>(rules.size());
    for (int number = 1; number <= count; ++number)
        buttons.push_back(SequenceButton(number, SequenceCaption(rules[number - 1])));
    buttons.push_back(SequenceButton(count + 1, SequenceFormCaption(count + 1)));
    return buttons;
}

std::vector<ListButton> SequenceButtonsAfterNew() {
    return {SequenceButton(1, "1.Sequenz")};
}

std::string SequenceFormCaption(int number) {
    return std::to_string(number) + ". Sequenz";
}

std::string SequenceOrCaption(int number) {
    return "oder Sequenz " + std::to_string(number + 1);
}

SequenceFormFields ShowSequence(std::span<const TSequenceRule> rules, int number, int n) {
    SequenceFormFields fields;
    if (number >= 1 && static_cast<std::size_t>(number) <= rules.size()) {
        const TSequenceRule& rule = rules[number - 1];
        fields.pattern = PatternText(rule);
        fields.minCount = std::min<int>(rule.minCount, kSequenceMinCountLimit);
        fields.maxCount = std::min<int>(rule.maxCount, kSequenceMaxCountLimit);
        fields.orNext = rule.orNext != 0;
    } else {
        fields.maxCount = std::clamp(n - 1, 0, kSequenceMaxCountLimit);
    }
    return fields;
}

std::optional<char> SequencePatternKey(std::string_view current, char32_t key) {
    if (key == U'\b')
        return '\b';
    if (current.size() >= static_cast<std::size_t>(kMaxPatternLength))
        return std::nullopt;
    if (key == U' ')
        return '*';
    if (key == U'0' || key == U'1' || key == U'2' || key == U'*')
        return static_cast<char>(key);
    return std::nullopt;
}

SequenceConfirmation BuildSequenceRule(const SequenceFormFields& fields) {
    SequenceConfirmation outcome;
    const std::string& pattern = fields.pattern;
    if (pattern.empty())
        return outcome;
    const bool fits = pattern.size() <= static_cast<std::size_t>(kMaxPatternLength) &&
                      std::all_of(pattern.begin(), pattern.end(), [](char c) {
                          return c == '0' || c == '1' || c == '2' || c == '*';
                      });
    if (!fits) {
        outcome.error = InvalidPatternMessage(pattern);
        return outcome;
    }
    if (fields.minCount < 0 || fields.minCount > kSequenceMinCountLimit || fields.maxCount < 0 ||
        fields.maxCount > kSequenceMaxCountLimit) {
        outcome.error = kSequenceCountsOutOfRange;
        return outcome;
    }
    if (fields.minCount > fields.maxCount) {
        outcome.error = "\"mindestens\" (" + std::to_string(fields.minCount) +
                        ") ist größer als \"höchstens\" (" + std::to_string(fields.maxCount) +
                        "): diese Sequenz erfüllt keine Reihe.";
        return outcome;
    }
    TSequenceRule rule;
    for (std::size_t j = 0; j < pattern.size(); ++j)
        rule.pattern[j] =
            pattern[j] == '*' ? kAnySign : static_cast<std::uint8_t>(pattern[j] - '0');
    rule.length = static_cast<std::uint8_t>(pattern.size());
    rule.minCount = static_cast<std::uint8_t>(fields.minCount);
    rule.maxCount = static_cast<std::uint8_t>(fields.maxCount);
    rule.orNext = fields.orNext ? 1 : 0;
    outcome.rule = rule;
    return outcome;
}

}  // namespace velmora
