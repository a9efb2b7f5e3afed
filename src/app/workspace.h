// The working state of the main window: one week's tip plan, filters and system.
#pragma once

#include <string>

#include "app/tipplanfile.h"
#include "filters/filterset.h"
#include "model/rowlist.h"
#include "model/tipplan.h"

namespace velmora {

struct Workspace {
    int games = kMinGames;
    TTipPlan plan;
    TipPlanStream tipPlanStream;
    TFilterSet filters;
    TRowList rows{kMinGames};
    std::string programDirectory;
    std::string rowFileName = "meintip.prd";
};

}  // namespace velmora
