// What a generation run shows while it works: the progress window over the main window, its
// count, the best cover and the time left of an optimised reduction, the coverage warning and
// messages.
#pragma once

#include <QElapsedTimer>
#include <cstdint>

#include "model/generation.h"

namespace velmora {

class TAlarm;
class Tberechanz;
class Tsystemform;
class UiPorts;

// Lets the window handle pending events while a run works, at most every 25 ms: often enough
// for "Abbruch" and the count to feel immediate, rarely enough to cost the run nothing.
class ProgressRun : public GenerationView {
  public:
    ProgressRun(Tsystemform& window, Tberechanz* progress, TAlarm* alarm, UiPorts& ports,
                AbortFlag& abort);
    ~ProgressRun() override;

    void ShowProgressWindow() override;
    void HideProgressWindow() override;
    void ProcessEvents() override;
    void ShowProgress(std::int32_t number) override;
    void ShowBestCover(std::int32_t rows) override;
    // Shown only when the whole seconds change: it comes every few tenths of a second.
    void ShowTimeLeft(double seconds) override;
    void ShowSystemSize(std::int32_t rows) override;
    void ShowCoverageWarning(const TCoverageTable& coverage) override;
    void ShowMessage(MessageKind kind, const std::string& text) override;

  private:
    Tsystemform& window_;
    Tberechanz* progress_;
    TAlarm* alarm_;
    UiPorts& ports_;
    AbortFlag& abort_;
    QElapsedTimer clock_;
    std::int32_t latest_ = 0;
    std::int32_t shown_ = -1;
    int secondsShown_ = -1;
    bool cursorSet_ = false;
};

// The name of the time-left line in the progress window.

}  // namespace velmora
