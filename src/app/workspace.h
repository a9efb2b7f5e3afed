// The working state of the main window: one week's tip plan, filters and system, the
// names of its files and the texts the window shows.
#pragma once

#include <string>

#include "app/tipplanfile.h"
#include "filters/filterset.h"
#include "model/generation.h"
#include "model/rowlist.h"
#include "model/tipplan.h"

namespace velmora {

inline constexpr const char* kNewTipPlanName = "NEU";

struct Workspace {
    int games = kMinGames;
    TTipPlan plan;
    TipPlanStream tipPlanStream;  // the tip plan as stored, one record per game
    TFilterSet filters;
    TRowList rows{kMinGames};
    int rowsPerSlip = 12;

    // Settings of "Tippreihenbegrenzung", read by "System erstellen" and "Filtern".
    GenerationSettings generation;

    std::string programDirectory;
    std::string tipPlanName;
    std::string blockFilterName;
    std::string filterValueName;
    std::string rowFileName = "meintip.prd";
    std::string slipSettingsName;

    // Makes the change test on closing report a change.
    bool filtersModified = false;
    // The menu item "Filteranzeige": whether the filter display is wanted beside the window.
    bool filterDisplayWanted = true;

    // Texts shown by the window.
    std::string upperStatus;     // "TOTOTIP: name"
    std::string lowerStatus;     // "VOLLSYSTEM: n Reihen" or "Es Fehlen noch Tips"
    std::string systemSizeText;  // the row count beside "Systemgröße:"
    std::string guaranteeText;   // the check of the last optimised reduction, while it applies
};

// The rows were replaced or changed: the new size is shown, and a check of how they were
// reduced no longer applies to them.
inline void ShowChangedSystem(Workspace& workspace) {
    workspace.systemSizeText = std::to_string(workspace.rows.Count());
    workspace.guaranteeText.clear();
}

}  // namespace velmora
