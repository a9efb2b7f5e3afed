// The week as its five files hold it: what saving writes, and what the unsaved-changes
// check compares with the files the week was read from or last written to.
#pragma once

#include <string>

#include "app/filterfiles.h"
#include "app/workspace.h"

namespace velmora {

struct WeekImage {
    Bytes tipPlan;
    Bytes sequences;
    Bytes signChange;
    Bytes blocks;
    Bytes values;

    bool operator==(const WeekImage&) const = default;
};

// The bytes of each file as the week would be written now.
WeekImage ImageOf(const Workspace& week);

// The same, with the tip plan's pairs in one fixed order per game: the order in which a game
// holds its pairs is not part of what the file says, so only this form is compared.
WeekImage ComparableImageOf(const Workspace& week);

}  // namespace velmora
