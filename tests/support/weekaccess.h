// Arranging a week's state directly, as a test needs it before the commands under test run.
// The program itself changes the state only through the week's commands.
#pragma once

#include <vector>

#include "app/workingweek.h"

namespace velmora {

struct WorkingWeekTestAccess {
    static Workspace& State(WorkingWeek& week) { return week.state_; }
    static void Notify(WorkingWeek& week, WeekChanges what) { week.Notify(what); }
};

namespace testing {

// The state to arrange; call Arranged afterwards when windows are to show it.
inline Workspace& Arrange(WorkingWeek& week) {
    return WorkingWeekTestAccess::State(week);
}
inline void Arranged(WorkingWeek& week) {
    WorkingWeekTestAccess::Notify(week, kEverythingChanged);
}

// Stands in for the windows as the week's observer and counts what it is told.
class ChangeRecorder : public WeekObserver {
  public:
    explicit ChangeRecorder(WorkingWeek& week) : week_(week) { week_.SetObserver(this); }
    ~ChangeRecorder() override { week_.SetObserver(nullptr); }
    void WeekChanged(WeekChanges what) override { changes.push_back(what); }

    // Notifications that said the given part changed.
    int count(WeekChanges part = kRowsChanged) const {
        int n = 0;
        for (WeekChanges what : changes)
            n += (what & part) != 0;
        return n;
    }
    std::vector<WeekChanges> changes;

  private:
    WorkingWeek& week_;
};

}  // namespace testing
}  // namespace velmora
