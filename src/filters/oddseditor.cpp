#include "filters/oddseditor.h"

namespace velmora {
namespace {

constexpr char kComma = ',';
constexpr char kPoint = '.';

}  // namespace

ValueFormFields ShowOddsFilter(const TOddsFilter& odds, int n) {
    ValueFormFields fields;
    for (int g = 1; g <= n; ++g) {
        for (Sign s = 0; s < kSignCount; ++s)
            fields.cells[g - 1][s] = FormatShortest(odds.Value(g, s), 15, kPoint);
    }
    fields.minText = FormatShortest(odds.minValue, 15, kComma);
    fields.maxText = FormatShortest(odds.maxValue, 15, kComma);
    fields.active = odds.active != 0;
    return fields;
}

CellEditStart OddsCellEditText(std::string_view cell) {
    CellEditStart start{cell.empty() ? "1" : std::string(cell), {}};
    if (const int position = NumberErrorPosition(start.text, kPoint))
        start.warning = "Error at position: " + std::to_string(position);
    return start;
}

std::optional<char> OddsGridKey(char32_t key) {
    if (key == U',')
        return kPoint;
    if ((key >= U'0' && key <= U'9') || key == U'.' || key == kBackspaceKey)
        return static_cast<char>(key);
    return std::nullopt;
}

std::optional<char> OddsBandKey(char32_t key) {
    if ((key >= U'0' && key <= U'9') || key == kBackspaceKey)
        return static_cast<char>(key);
    return std::nullopt;
}

std::vector<std::string> ConfirmOddsFilter(const ValueFormFields& fields, int n,
                                           TOddsFilter& odds) {
    std::vector<std::string> kept;
    auto readBand = [&kept](const std::string& text, double& into, const char* place) {
        std::optional<double> value = ParseNumber(text, kPoint);
        if (!value)
            value = ParseNumber(text, kComma);
        if (value)
            into = *value;
        else
            kept.emplace_back(place);
    };
    readBand(fields.minText, odds.minValue, "Mindestquote");
    readBand(fields.maxText, odds.maxValue, "Höchstquote");
    odds.active = fields.active ? 1 : 0;
    for (int g = 0; g < n; ++g) {
        for (Sign s : kDisplayOrder) {
            if (const std::optional<double> value = ParseNumber(fields.cells[g][s], kPoint))
                odds.values[g][s] = *value;
            else
                kept.push_back("Spiel " + std::to_string(g + 1) + ", Tip " + SignChar(s));
        }
    }
    return kept;
}

}  // namespace velmora
