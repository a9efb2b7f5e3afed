// The time budget of an optimised reduction: it lets the window handle "Abbruch", shows
// the time left and reads the clock after a fixed amount of work, not after a fixed time,
// so that a run takes the same course however busy the machine is; only where it stops
// depends on the clock.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "model/runcontrol.h"

namespace velmora {

class SteadyRunClock : public RunClock {
  public:
    double Seconds() const override {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

class RunBudget {
  public:
    // The budget runs from construction; a clock of null is the steady clock.
    RunBudget(const AbortFlag& abort, RunObserver& observer, double seconds,
              const RunClock* clock = nullptr)
        : abort_(abort),
          observer_(observer),
          clock_(clock != nullptr ? *clock : steady_),
          seconds_(seconds),
          start_(clock_.Seconds()),
          timeUp_(seconds <= 0) {}

    // `work` counts visited rows; a check comes about every few milliseconds.
    void Spend(std::int64_t work) {
        pending_ += work;
        if (pending_ >= kWorkPerCheck)
            Check();
    }

    void Check() {
        pending_ = 0;
        observer_.ProcessEvents();
        elapsed_ = clock_.Seconds() - start_;
        if (elapsed_ >= seconds_)
            timeUp_ = true;
        if (elapsed_ - shownAt_ >= kShowEvery || elapsed_ < shownAt_) {
            shownAt_ = elapsed_;
            observer_.ShowTimeLeft(std::max(0.0, seconds_ - elapsed_));
        }
    }

    // The seconds since the start, as of the last check.
    double Elapsed() const { return elapsed_; }
    double Seconds() const { return seconds_; }
    bool Aborted() const { return abort_.IsSet(); }
    bool TimeUp() const { return timeUp_; }
    bool Stopped() const { return Aborted() || TimeUp(); }

  private:
    static constexpr std::int64_t kWorkPerCheck = std::int64_t{1} << 20;
    static constexpr double kShowEvery = 0.25;

    const AbortFlag& abort_;
    RunObserver& observer_;
    SteadyRunClock steady_;
    const RunClock& clock_;
    const double seconds_;
    const double start_;
    std::int64_t pending_ = 0;
    double elapsed_ = 0;
    double shownAt_ = -kShowEvery;
    bool timeUp_;
};

}  // namespace velmora
