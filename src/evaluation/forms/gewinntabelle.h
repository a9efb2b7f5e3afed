// The win tables "Gewinntabelle": the current system against every outcome the tip plan and,
// on request, the filters allow; how often each pattern of wins occurs and in what share of
// the outcomes each class is the highest win. The minimum guarantee adds the outcomes that
// fall short of it to the system while the run goes on.
#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "evaluation/forms/druckvorschau.h"
#include "evaluation/wintable.h"
#include "evaluation/wintablereport.h"
#include "model/runcontrol.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace velmora {

class WorkingWeek;
class UiPorts;

class TGewinntabelle : public QDialog {
    Q_OBJECT
  public:
    TGewinntabelle(WorkingWeek& week, UiPorts& ports, QWidget* parent = nullptr);

    // The start button: one run with the window's settings.
    void StartClick();
    // "Druckmenü": the preview of the printout of the last run.
    void DruckmenuClick();

    // What the printout reads from the window: its headings, labels and last patterns.
    WinTableView View() const;
    int CorrectMainTips() const { return correctMainTips_; }

    // While a long run works, Esc and closing the window cancel it.
    void reject() override;
    bool Running() const { return running_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void BuildSettings();
    void BuildResults();
    void BuildButtons();
    void SelectMainTips(int digit);
    void ShowPatterns();
    // Empty when a run is possible; otherwise why not.
    QString Unusable() const;
    // A run over more than a million outcomes: progress in the status line, Esc cancels.
    WinTableResult RunLong(const WinTableSettings& settings);
    void EnableSettings(bool enabled);

    WorkingWeek& week_;
    UiPorts& ports_;

    QCheckBox* allOptions_ = nullptr;  // "mit allen Optionen"
    QCheckBox* mainTips_ = nullptr;    // "Grundtippvorgabe"
    std::array<QRadioButton*, 10> correct_{};
    std::array<QSpinBox*, 3> minimum_{};
    QTableWidget* grid_ = nullptr;
    QLabel* cases_ = nullptr;
    std::array<QLabel*, kWinClasses> classLabels_{};
    std::array<QLabel*, kWinClasses> valueLabels_{};
    QLabel* status_ = nullptr;
    std::vector<QWidget*> settingControls_;  // disabled while a run works

    AbortFlag abort_;
    bool running_ = false;
    bool closeAfterRun_ = false;

    int correctMainTips_ = kMinGames;
    std::vector<TWinPattern> patterns_;
    std::int32_t total_ = 0;
    TDruckvorschau printout_;
};

}  // namespace velmora
