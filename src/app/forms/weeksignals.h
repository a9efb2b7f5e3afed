// The week's one observer on the Qt side: every window that shows the week connects to
// Changed once and redraws what the command changed.
#pragma once

#include <QObject>

#include "app/workingweek.h"

namespace velmora {

class WeekSignals : public QObject, public WeekObserver {
    Q_OBJECT
  public:
    // Becomes the week's observer until it is destroyed.
    explicit WeekSignals(WorkingWeek& week, QObject* parent = nullptr);
    ~WeekSignals() override;

    void WeekChanged(WeekChanges what) override { emit Changed(what); }

  signals:
    void Changed(unsigned what);

  private:
    WorkingWeek& week_;
};

}  // namespace velmora
