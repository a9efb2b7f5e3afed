// The working state of one week: its tip plan, filters and system, the names of its files,
// and what the windows show of it. Display texts are not kept here; weektexts.h derives them.
#pragma once

#include <cstdint>
#include <optional>
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
    // What a row costs, in cent: the stake shown beside the system's size.
    std::int64_t pricePerRowCents = 50;

    // Settings of "Tippreihenbegrenzung", read by "System erstellen" and "Filtern".
    GenerationSettings generation;

    std::string programDirectory;
    std::string tipPlanName;
    std::string blockFilterName;
    std::string filterValueName;
    std::string rowFileName = "meintip.prd";
    std::string slipSettingsName;

    // Counts the weeks begun or read, so that windows know when theirs was replaced.
    std::uint64_t weekSerial = 0;
    // Whether the week came from its files (or was written to them); a new week did not.
    bool weekOnDisk = false;
    // Whether the system was opened from the row file, or written to it: only then does
    // "System speichern" write there without asking. A file that was only read is not ours.
    bool rowFileOwned = false;
    // Every change of the rows gets a new revision; saving or opening remembers it.
    std::uint64_t rowsRevision = 0;
    std::uint64_t savedRowsRevision = 0;

    // The check of the last optimised reduction, while the rows are the ones it kept, and
    // whether the last guarantee run was broken off.
    std::optional<GuaranteeCheck> guaranteeCheck;
    bool guaranteeAborted = false;

    // The menu item "Filteranzeige": whether the filter display is wanted beside the window,
    // and whether it is shown now.
    bool filterDisplayWanted = true;
    bool filterDisplayShown = false;
    // "Tippreihen anzeigen" was asked for: the row display shows the system, whatever it holds,
    // until a new week begins or one of another game count is read.
    bool rowsShown = false;
};

}  // namespace velmora
