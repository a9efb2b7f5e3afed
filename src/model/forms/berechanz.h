// The progress window of a generation run: the count of rows so far and "Abbruch".
// It lies over the main window, without a frame, and takes all input while it is shown, so
// that nothing else can be started while a run works.
#pragma once

#include <QLabel>
#include <QWidget>

#include "model/runcontrol.h"

namespace velmora {

class Tberechanz : public QWidget {
    Q_OBJECT
  public:
    explicit Tberechanz(QWidget* parent = nullptr);

    // The flag "Abbruch" sets; the run clears it at its start.
    void SetAbortFlag(AbortFlag* flag) { abort_ = flag; }
    // Shows the window with the position and size of `mainWindow`.
    void Cover(QWidget* mainWindow);
    void SetProgress(std::int32_t number);
    void SetBestCover(std::int32_t rows);
    // "noch 7 s" under the count, shown from the first call of a run on.
    void SetTimeLeft(int wholeSeconds);

    static QString ProgressText(std::int32_t number);
    static QString BestCoverText(std::int32_t rows);

  private:
    AbortFlag* abort_ = nullptr;
    QLabel* progress_;
    QLabel* timeLeft_;
};

inline constexpr const char* kTimeLeftLabel = "Restzeit";

inline constexpr const char* kProgressHint =
    "Sollte Ihnen die Berechnung zu lange dauern, klicken Sie auf  'Abbruch'. ";

}  // namespace velmora
