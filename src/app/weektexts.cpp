#include "app/weektexts.h"

#include <filesystem>

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
    const std::string digits = std::to_string(amount / 100);
    std::string units;
    for (std::size_t at = 0; at < digits.size(); ++at) {
        if (at > 0 && (digits.size() - at) % 3 == 0)
            units += '.';
        units += digits[at];
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

std::string WindowTitle(const Workspace& week, bool unsaved) {
    const std::string plan = week.tipPlanName == kNewTipPlanName
                                 ? std::string(kNewTipPlanName)
                                 : std::filesystem::path(week.tipPlanName).filename().string();
    const std::string rows = std::filesystem::path(week.rowFileName).filename().string();
    return plan + " – " + rows + (unsaved ? " *" : "");
}

}  // namespace velmora
