// The steps "Rückgängig" and "Wiederherstellen" go back and forth over: what a command found
// before it changed the system or the week's filters, so that it can be put back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "app/tipplanfile.h"
#include "filters/filterset.h"
#include "model/generation.h"
#include "model/rowlist.h"
#include "model/tipplan.h"

namespace velmora {

// The system as one step keeps it.
struct SystemSnapshot {
    TRowList rows;
    std::uint64_t revision = 0;  // tells whether the rows equal the row file
    std::optional<GuaranteeCheck> guaranteeCheck;
    bool guaranteeAborted = false;
};

// The week's game count, tip plan and filters as one step keeps them.
struct WeekSnapshot {
    int games = kMinGames;
    TTipPlan plan;
    TipPlanStream tipPlanStream;
    TFilterSet filters;
};

struct UndoStep {
    std::string command;  // the caption of the command that was taken, for the menu
    std::optional<SystemSnapshot> system;
    std::optional<WeekSnapshot> week;

    std::size_t Bytes() const;
};

// Two stacks with a bound on steps and on memory: a full system of 14 games is 67 MB, so the
// oldest steps are dropped first when a new one would exceed either bound. A new step
// empties the redo side.
class UndoHistory {
  public:
    static constexpr std::size_t kMaxSteps = 20;
    static constexpr std::size_t kMaxBytes = std::size_t{256} << 20;

    void Record(UndoStep step);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    const UndoStep& UndoTop() const { return undo_.back(); }
    const UndoStep& RedoTop() const { return redo_.back(); }

    // Takes the latest step; `current` is the state it replaces, which redo puts back.
    UndoStep Undo(UndoStep current);
    UndoStep Redo(UndoStep current);
    void Clear();

    std::size_t Steps() const { return undo_.size() + redo_.size(); }
    std::size_t Bytes() const;

  private:
    UndoStep Take(std::deque<UndoStep>& from, std::deque<UndoStep>& to, UndoStep current);
    void Trim();

    std::deque<UndoStep> undo_;
    std::deque<UndoStep> redo_;
};

}  // namespace velmora
