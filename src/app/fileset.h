// Reading a week's whole file set: the tip plan file and its four sibling files.
#pragma once

#include <string>
#include <vector>

#include "app/filterfiles.h"
#include "app/tipplanfile.h"
#include "filters/filterset.h"

namespace velmora {

struct WeekFiles {
    TipPlanStream records;
    std::vector<TBlockFilter> blocks;
    std::vector<TSequenceRule> sequences;
    std::vector<TFilterValueRecord> values;  // odds, then up to five percentage filters
    Bytes signChange;                        // up to five bytes
    bool signChangePresent = false;
    bool valuesPresent = false;
    // Block filter, sequence and sign-change files that do not exist, resolved to the names
    // they would be created under. A missing filter value file is never created.
    std::vector<std::string> missing;
    std::string error;  // the set is unusable; nothing of it should be applied
    bool ok() const { return error.empty(); }
};

// The names of a set's five files; normally all derived from the tip plan name.
struct WeekFileNames {
    std::string tipPlan;
    std::string blocks;
    std::string values;
    std::string sequences;
    std::string signChange;
};
WeekFileNames DerivedNames(const std::string& tipPlanName);

// Reads and checks every member before anything is applied. Only a member that does not
// exist is missing: missing block filter, sequence, filter value and sign-change files read as
// empty and restrict nothing. A member that exists but cannot be read (a link that leads
// nowhere, a named pipe, a folder), is damaged, or is a filter value file without even the
// odds record (an empty one), refuses the whole set with a message naming the file; so do
// names that fit several files differing only in case.
WeekFiles ReadWeekFiles(const WeekFileNames& names);
inline WeekFiles ReadWeekFiles(const std::string& tipPlanName) {
    return ReadWeekFiles(DerivedNames(tipPlanName));
}

// Creates the missing block filter, sequence and sign-change files empty, as the window does
// when it opens a set; the command-line companion only reads.
void CreateMissingSiblings(const WeekFiles& files);

// Puts what a set's files hold into `filters` and fits the sign-change record to n games;
// what the files do not hold (percentage filters beyond the stored records, a short
// sign-change record) keeps its setting.
void ApplyWeekFilters(const WeekFiles& files, int n, TFilterSet& filters);

// The filter settings a set gives n games on its own, without a window's defaults:
// whatever is missing restricts nothing.
TFilterSet FiltersOf(const WeekFiles& files, int n);

}  // namespace velmora
