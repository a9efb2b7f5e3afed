// A clock for runs with a time budget that moves on by a fixed step at every reading, so
// that a test decides how much time the work takes.
#pragma once

#include "model/runcontrol.h"

namespace velmora::testing {

class StepClock : public RunClock {
  public:
    explicit StepClock(double step) : step_(step) {}
    double Seconds() const override { return now_ += step_; }
    int Readings() const { return static_cast<int>(now_ / step_ + 0.5); }

  private:
    double step_;
    mutable double now_ = 0;
};

}  // namespace velmora::testing
