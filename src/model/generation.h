// "System erstellen": enumerate the full system under the filters, limit it, check coverage.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "filters/filterset.h"
#include "model/coverage.h"
#include "model/messages.h"
#include "model/optimisedreduction.h"
#include "model/rowlist.h"
#include "model/runcontrol.h"
#include "model/tipplan.h"

namespace velmora {

enum class RowLimit { Guarantee, Count };

// The choices under "Tippreihenbegrenzung" on the main window.
struct GenerationSettings {
    RowLimit limit = RowLimit::Guarantee;
    int guaranteeLevel = 0;       // 0 keeps every row (guarantee N), 1 to 3 reduce
    std::string countText = "1";  // the text of "Reihenanzahl"
    // "optimiert": the guarantee with as few rows as the search finds, instead of the fixed scan.
    bool optimised = false;
    // "auch Reihen außerhalb der Filter": the optimised cover may use any row of the tip
    // plan's full system.
    bool outside = false;
    OptimisedReductionOptions optimisation;
};

// How an optimised reduction ended, checked against the rows it started from.
struct GuaranteeCheck {
    std::int32_t listRows = 0;  // the rows that had to be covered
    std::int32_t keptRows = 0;
    std::int64_t uncovered = 0;  // list rows farther than the level from every kept row
    int level = 0;
    std::int32_t outsideRows = 0;  // kept rows that did not pass the filters
};

// What a generation run needs from the window that starts it.
class GenerationView : public RunObserver, public MessagePort {
  public:
    virtual void ShowProgressWindow() {}
    virtual void HideProgressWindow() {}
    virtual void ShowSystemSize(std::int32_t /*rows*/) {}
    // The coverage warning window, shown modally once.
    virtual void ShowCoverageWarning(const TCoverageTable& /*coverage*/) {}
};

struct GenerationOutcome {
    bool generated = false;       // false: the tip plan was incomplete, the rows are untouched
    std::int32_t candidates = 0;  // rows of the full system looked at
    bool coverageFailed = false;
    std::optional<GuaranteeCheck> guaranteeCheck;  // only after an optimised reduction
};

// The main window's line on the check: "Garantie geprüft: alle 729 Reihen abgedeckt".
std::string GuaranteeCheckText(const GuaranteeCheck& check);

// Reads the whole number in a text field, as the window's integer fields do.
std::optional<std::int32_t> ParseInteger(std::string_view text);
// "'%s' ist kein gültiger Integerwert"
std::string NotAnIntegerMessage(std::string_view text);

// Reduces the rows to the chosen guarantee or cuts them at random to the number in the
// row-count field; an unreadable number or a target not below the row count is reported.
// An optimised reduction is checked against the rows it started from; with settings.outside
// it may keep rows of `planSpace` (the tip plan's full system) that are not in the list.
std::optional<GuaranteeCheck> LimitRows(const GenerationSettings& settings, TRowList& rows,
                                        const AbortFlag& abort, GenerationView& view,
                                        std::uint64_t seed, const RowSpace& planSpace);

// The steps of "System erstellen" in their order. The plan is left in tendency order.
GenerationOutcome RunGeneration(int n, TTipPlan& plan, const TFilterSet& filters,
                                const GenerationSettings& settings, TRowList& rows,
                                AbortFlag& abort, GenerationView& view, std::uint64_t seed);

}  // namespace velmora
