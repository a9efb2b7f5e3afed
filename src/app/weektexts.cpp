#include "app/weektexts.h"

#include <cmath>
#include <filesystem>

#include "app/utf8path.h"

namespace velmora {

std::string UpperStatusText(const Workspace& week) {
    if (week.tipPlanName == kNewTipPlanName)
        return std::string("TOTOTIP ") + kNewTipPlanName;
    return week.weekOnDisk ? "TOTOTIP: " + week.tipPlanName : std::string();
}

std::string LowerStatusText(const Workspace& week) {
    return week.plan.StatusText(week.games);
}

std::string SystemSizeText(const Workspace& week) {
    return std::to_string(week.rows.Count());
}

std::string EuroText(std::int64_t cents) {
    const bool negative = cents < 0;
    const std::uint64_t amount = negative ? 0 - static_cast<std::uint64_t>(cents) : cents;
    // A point before each group of three digits counted from the right.
    const std::string digits = std::to_string(amount / 100);
    std::string units;
    units.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            units.push_back('.');
        units.push_back(digits[i]);
    }
    const std::uint64_t rest = amount % 100;
    return (negative ? "-" : "") + units + "," + (rest < 10 ? "0" : "") + std::to_string(rest) +
           " €";
}

std::string StakeText(const Workspace& week) {
    return "Einsatz: " + EuroText(std::int64_t{week.rows.Count()} * week.pricePerRowCents);
}

std::string GuaranteeText(const Workspace& week) {
    if (week.guaranteeAborted)
        return kAbortedGuaranteeText;
    return week.guaranteeCheck ? GuaranteeCheckText(*week.guaranteeCheck) : std::string();
}

int WholeSecondsLeft(double seconds) {
    if (!(seconds > 0))
        return 0;
    if (seconds >= kMaxSecondsLeft)
        return kMaxSecondsLeft;
    return static_cast<int>(std::ceil(seconds));
}

std::string TimeLeftText(double seconds) {
    return "noch " + std::to_string(WholeSecondsLeft(seconds)) + " s";
}

std::string WindowTitle(const Workspace& week, bool unsaved) {
    const std::string plan = week.tipPlanName == kNewTipPlanName
                                 ? std::string(kNewTipPlanName)
                                 : NameOf(PathOf(week.tipPlanName).filename());
    const std::string rows = NameOf(PathOf(week.rowFileName).filename());
    return plan + " – " + rows + (unsaved ? " *" : "");
}

}  // namespace velmora
