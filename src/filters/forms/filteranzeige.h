// The filter display "Filteranzeige": the block list as a table beside the main window. It
// reads the blocks and the game count each time it is shown; the main window hides and shows
// it again after the blocks have changed.
#pragma once

#include <QFont>
#include <QWidget>

class QPushButton;

namespace velmora {

class SystemForm;
class UiPorts;

// The fixed-width font of both filter windows, small enough for their character cell.
QFont FilterWindowFont();

class TFilteranzeige : public QWidget {
    Q_OBJECT
  public:
    TFilteranzeige(SystemForm& form, UiPorts& ports, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void FitToBlocks();
    void PlaceBesideParent();

    SystemForm& form_;
    UiPorts& ports_;
    QWidget* area_ = nullptr;  // "anzfeld"
    QPushButton* close_ = nullptr;
};

}  // namespace velmora
