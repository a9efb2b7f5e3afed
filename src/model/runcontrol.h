// How long runs (generation, reduction) talk to the window that started them.
#pragma once

#include <atomic>
#include <cstdint>

namespace velmora {

// Set by "Abbruch"; the long loops read it at fixed points.
class AbortFlag {
  public:
    void Set() { set_.store(true, std::memory_order_relaxed); }
    void Clear() { set_.store(false, std::memory_order_relaxed); }
    bool IsSet() const { return set_.load(std::memory_order_relaxed); }

  private:
    std::atomic<bool> set_{false};
};

// Receives the progress of a run. The window lets pending messages be handled in
// ProcessEvents, which is where "Abbruch" can be clicked.
class RunObserver {
  public:
    virtual ~RunObserver() = default;
    virtual void ProcessEvents() {}
    // The progress number: accepted rows during the enumeration, kept rows during a reduction.
    virtual void ShowProgress(std::int32_t /*number*/) {}
    // The row count of the smallest cover an optimised reduction has found so far.
    virtual void ShowBestCover(std::int32_t rows) { ShowProgress(rows); }
    // The seconds an optimised reduction may still take at most, every few tenths of a second.
    virtual void ShowTimeLeft(double /*seconds*/) {}
};

// Seconds since some fixed start; the runs with a time budget read it, tests replace it.
class RunClock {
  public:
    virtual ~RunClock() = default;
    virtual double Seconds() const = 0;
};

// Progress is shown whenever the counted rows reach a multiple of ten.
inline void ReportRowCount(RunObserver& observer, std::int32_t count) {
    if (count % 10 == 0)
        observer.ShowProgress(count);
}

}  // namespace velmora
