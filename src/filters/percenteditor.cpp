#include "filters/percenteditor.h"

#include <algorithm>

namespace velmora {
namespace {

constexpr char kComma = ',';
constexpr char kPoint = '.';

bool ValidFilterNumber(int filter) {
    return filter >= 1 && filter <= kPercentFilterCount;
}

// The whole number at the start of a cell: an optional "-" and the digits that follow.
double LeadingWholeNumber(std::string_view cell) {
    std::size_t i = 0;
    const bool negative = !cell.empty() && cell.front() == '-';
    if (negative)
        ++i;
    double value = 0.0;
    for (; i < cell.size() && cell[i] >= '0' && cell[i] <= '9'; ++i)
        value = value * 10.0 + (cell[i] - '0');
    return negative && value != 0.0 ? -value : value;
}

}  // namespace

std::string PercentFormCaption(int filter) {
    return "Prozform" + std::to_string(filter);
}

std::string PercentMinimumLabel(int filter) {
    return filter == 2 ? "Mindetstens" : "Mindestens";
}

std::string PercentLoadButtonCaption(int filter) {
    if (filter == 2)
        return "Block 1 laden";
    return filter >= 3 && filter <= kPercentFilterCount ? "Blockladen" : "";
}

int PercentLoadSourceLimit(int filter) {
    return ValidFilterNumber(filter) ? filter - 1 : 0;
}

ValueFormFields ShowPercentFilter(const TFilterValueRecord& filter, int n) {
    ValueFormFields fields;
    for (int g = 1; g <= n; ++g) {
        for (Sign s = 0; s < kSignCount; ++s)
            fields.cells[g - 1][s] = FormatShortest(filter.Value(g, s), 15, kPoint);
    }
    fields.minText = FormatShortest(filter.minValue, 15, kComma);
    fields.maxText = FormatShortest(filter.maxValue, 15, kComma);
    fields.active = filter.active != 0;
    fields.orNext = filter.orNext != 0;
    return fields;
}

std::string PercentCellEditText(std::string_view cell) {
    return cell.empty() ? "0" : std::string(cell);
}

std::optional<char> PercentKey(char32_t key) {
    if (key == U'.')
        return kComma;
    if ((key >= U'0' && key <= U'9') || key == U',' || key == kBackspaceKey)
        return static_cast<char>(key);
    return std::nullopt;
}

void LoadTipPlanTendencies(ValueFormFields& fields, const TTipPlan& plan, int n) {
    for (int g = 1; g <= n; ++g) {
        for (Sign s = 0; s < kSignCount; ++s)
            fields.cells[g - 1][s] = std::to_string(plan.Tendency(g, s));
    }
}

std::optional<std::string> ConvertToPercentages(ValueFormFields& fields, int n) {
    for (int g = 0; g < n; ++g) {
        std::array<double, kSignCount> value{};
        for (Sign s = 0; s < kSignCount; ++s)
            value[s] = LeadingWholeNumber(fields.cells[g][s]);
        const double sum = value[0] + value[1] + value[2];
        if (sum == 0.0) {
            const bool allZero = value[0] == 0.0 && value[1] == 0.0 && value[2] == 0.0;
            return std::string(allZero ? kInvalidFloatOperation : kFloatDivisionByZero);
        }
        for (Sign s = 0; s < kSignCount; ++s) {
            double percent = 100.0 * value[s] / sum;
            if (percent == 0.0)
                percent = 0.0;  // never "-0"
            fields.cells[g][s] = FormatShortest(percent, 4, kComma);
        }
    }
    return std::nullopt;
}

std::optional<bool> LoadPercentFilter(TFilterSet& filters, int target, int source) {
    if (!ValidFilterNumber(target) || source < 1 || source >= target)
        return std::nullopt;
    TPercentFilter& into = filters.percent[static_cast<std::size_t>(target - 1)];
    const TPercentFilter& from = filters.percent[static_cast<std::size_t>(source - 1)];
    const bool flagsChanged =
        (into.active != 0) != (from.active != 0) || (into.orNext != 0) != (from.orNext != 0);
    into = from;
    if (flagsChanged)
        filters.RecomputeChains();
    return flagsChanged;
}

PercentConfirmation ConfirmPercentFilter(const ValueFormFields& fields, int n, TFilterSet& filters,
                                         int filter) {
    PercentConfirmation outcome;
    if (!ValidFilterNumber(filter)) {
        outcome.error = "Prozentfilter " + std::to_string(filter) + " gibt es nicht.";
        return outcome;
    }
    // Everything is read into a copy first, so that a text that is not a number leaves the
    // filter as it was: a half-stored filter never takes part in a run.
    TFilterSet trial = filters;
    TPercentFilter& record = trial.percent[static_cast<std::size_t>(filter - 1)];
    auto store = [&outcome](const std::string& text, double& into) {
        const std::optional<double> value = ParseNumber(text, kComma);
        if (!value) {
            outcome.error = NotAFloatMessage(text);
            return false;
        }
        into = *value;
        return true;
    };

    if (!store(fields.minText, record.minValue) || !store(fields.maxText, record.maxValue))
        return outcome;
    for (int g = 0; g < n; ++g) {
        for (Sign s : kDisplayOrder) {
            std::string text = fields.cells[g][s];
            std::replace(text.begin(), text.end(), kPoint, kComma);
            if (!store(text, record.values[g][s]))
                return outcome;
        }
    }

    outcome.flagsChanged =
        (record.active != 0) != fields.active || (record.orNext != 0) != fields.orNext;
    record.active = fields.active ? 1 : 0;
    record.orNext = fields.orNext ? 1 : 0;
    if (outcome.flagsChanged)
        trial.RecomputeChains();
    filters = std::move(trial);
    outcome.activeStored = true;
    outcome.closed = true;
    return outcome;
}

}  // namespace velmora
