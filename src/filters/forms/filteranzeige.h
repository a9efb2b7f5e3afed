// The filter display "Filteranzeige": the block list as a table beside the main window. It
// redraws whenever the week's filters change; whether it is shown is the week's to say, and
// closing it by its own button tells the week.
#pragma once

#include <QFont>
#include <QWidget>

class QPushButton;

namespace velmora {

class WorkingWeek;
class UiPorts;
class WeekSignals;

// The fixed-width font of both filter windows, small enough for their character cell.
QFont FilterWindowFont();

class TFilteranzeige : public QWidget {
    Q_OBJECT
  public:
    TFilteranzeige(WorkingWeek& week, UiPorts& ports, WeekSignals& weekSignals,
                   QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void FitToBlocks();
    void PlaceBesideParent();

    WorkingWeek& week_;
    UiPorts& ports_;
    QWidget* area_ = nullptr;  // "anzfeld"
    QPushButton* close_ = nullptr;
};

}  // namespace velmora
