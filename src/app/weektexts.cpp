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
