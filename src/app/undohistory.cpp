#include "app/undohistory.h"

#include <utility>

namespace velmora {

std::size_t UndoStep::Bytes() const {
    std::size_t bytes = sizeof(UndoStep);
    if (system)
        bytes += system->rows.Bytes().size();
    if (week)
        bytes += week->tipPlanStream.size() * sizeof(GameRecord) +
                 week->filters.blocks.size() * sizeof(TBlockFilter) +
                 week->filters.sequences.size() * sizeof(TSequenceRule);
    return bytes;
}

void UndoHistory::Record(UndoStep step) {
    redo_.clear();
    undo_.push_back(std::move(step));
    Trim();
}

UndoStep UndoHistory::Undo(UndoStep current) {
    return Take(undo_, redo_, std::move(current));
}

UndoStep UndoHistory::Redo(UndoStep current) {
    return Take(redo_, undo_, std::move(current));
}

// The latest step of one side, and the state it replaces on the other, under the same name.
UndoStep UndoHistory::Take(std::deque<UndoStep>& from, std::deque<UndoStep>& to, UndoStep current) {
    UndoStep step = std::move(from.back());
    from.pop_back();
    current.command = step.command;
    to.push_back(std::move(current));
    Trim();
    return step;
}

void UndoHistory::Clear() {
    undo_.clear();
    redo_.clear();
}

std::size_t UndoHistory::Bytes() const {
    std::size_t bytes = 0;
    for (const UndoStep& step : undo_)
        bytes += step.Bytes();
    for (const UndoStep& step : redo_)
        bytes += step.Bytes();
    return bytes;
}

// The oldest undo steps go first; the redo side only when nothing else is left, since it
// holds what the user has just taken back.
void UndoHistory::Trim() {
    while (Steps() > kMaxSteps || (Bytes() > kMaxBytes && Steps() > 1)) {
        if (!undo_.empty())
            undo_.pop_front();
        else
            redo_.pop_front();
    }
}

}  // namespace velmora
