#include "app/forms/progressrun.h"

#include <QApplication>

#include "app/forms/systemform.h"
#include "app/forms/uiports.h"
#include "app/weektexts.h"
#include "evaluation/forms/alarm.h"
#include "model/forms/berechanz.h"

namespace velmora {
ProgressRun::ProgressRun(Tsystemform& window, Tberechanz* progress, TAlarm* alarm, UiPorts& ports,
                         AbortFlag& abort)
    : window_(window), progress_(progress), alarm_(alarm), ports_(ports), abort_(abort) {}

ProgressRun::~ProgressRun() {
    HideProgressWindow();
}

void ProgressRun::ShowProgressWindow() {
    if (progress_ == nullptr)
        return;
    // Nothing of an earlier run: the time is shown once an optimised reduction tells it.
    secondsShown_ = -1;
    progress_->SetAbortFlag(&abort_);
    progress_->Cover(&window_);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    cursorSet_ = true;
    QApplication::processEvents();
    clock_.start();
}

void ProgressRun::HideProgressWindow() {
    if (cursorSet_)
        QApplication::restoreOverrideCursor();
    cursorSet_ = false;
    if (progress_ != nullptr)
        progress_->hide();
}

void ProgressRun::ProcessEvents() {
    if (clock_.isValid() && clock_.elapsed() < 25)
        return;
    if (progress_ != nullptr && shown_ != latest_) {
        progress_->SetProgress(latest_);
        shown_ = latest_;
    }
    QApplication::processEvents();
    clock_.start();
}

void ProgressRun::ShowProgress(std::int32_t number) {
    latest_ = number;
    ProcessEvents();
}

// Every improvement is shown: they come seldom, and the user waits for them.
void ProgressRun::ShowBestCover(std::int32_t rows) {
    if (progress_ != nullptr)
        progress_->SetBestCover(rows);
    QApplication::processEvents();
}

// The next ProcessEvents paints it.
void ProgressRun::ShowTimeLeft(double seconds) {
    const int whole = WholeSecondsLeft(seconds);
    if (progress_ == nullptr || whole == secondsShown_)
        return;
    secondsShown_ = whole;
    progress_->SetTimeLeft(whole);
}

void ProgressRun::ShowSystemSize(std::int32_t rows) {
    window_.ShowRunningSize(rows);
}

void ProgressRun::ShowCoverageWarning(const TCoverageTable& coverage) {
    if (alarm_ == nullptr)
        return;
    const Workspace& state = window_.Week().State();
    const QString problem = alarm_->Refresh(state.plan, state.games, coverage);
    if (!problem.isEmpty())
        ports_.ShowMessage(&window_, MessageKind::Error, problem);
    else
        ports_.ShowModal(*alarm_);
}

void ProgressRun::ShowMessage(MessageKind kind, const std::string& text) {
    ports_.ShowMessage(&window_, kind, QString::fromStdString(text));
}

}  // namespace velmora
