#include "app/forms/progressrun.h"

#include <QApplication>
#include <QBoxLayout>
#include <QLabel>

#include "app/forms/systemform.h"
#include "app/forms/uiports.h"
#include "app/weektexts.h"
#include "evaluation/forms/alarm.h"
#include "model/forms/berechanz.h"

namespace velmora {
namespace {

// The time-left line of the progress window, made on the first run: right under the count,
// keeping its place while hidden, so that the count does not move when it appears.
QLabel* TimeLeftLabel(Tberechanz& progress) {
    if (auto* existing = progress.findChild<QLabel*>(kTimeLeftLabel, Qt::FindDirectChildrenOnly))
        return existing;
    auto* label = new QLabel(&progress);
    label->setObjectName(kTimeLeftLabel);
    label->setAlignment(Qt::AlignCenter);
    QSizePolicy policy = label->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
    label->setText(QString::fromStdString(TimeLeftText(0)));  // its height while hidden
    label->hide();
    if (auto* layout = qobject_cast<QBoxLayout*>(progress.layout())) {
        const int count = layout->indexOf(progress.findChild<QLabel*>("Label1"));
        layout->insertWidget(count < 0 ? layout->count() : count + 1, label);
    }
    return label;
}

}  // namespace

ProgressRun::ProgressRun(Tsystemform& window, Tberechanz* progress, TAlarm* alarm, UiPorts& ports,
                         AbortFlag& abort)
    : window_(window),
      progress_(progress),
      timeLeft_(progress != nullptr ? TimeLeftLabel(*progress) : nullptr),
      alarm_(alarm),
      ports_(ports),
      abort_(abort) {}

ProgressRun::~ProgressRun() {
    HideProgressWindow();
}

void ProgressRun::ShowProgressWindow() {
    if (progress_ == nullptr)
        return;
    // Nothing of an earlier run: the time is shown once an optimised reduction tells it.
    timeLeft_->hide();
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
    if (progress_ != nullptr) {
        timeLeft_->hide();
        progress_->hide();
    }
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
    if (timeLeft_ == nullptr)
        return;
    const int whole = WholeSecondsLeft(seconds);
    if (whole == secondsShown_)
        return;
    secondsShown_ = whole;
    timeLeft_->setText(QString::fromStdString(TimeLeftText(whole)));
    timeLeft_->show();
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
