// "Schein justieren": the offset by which the slip print is moved to meet the boxes of the
// slips as this printer feeds them, and a test page to find it. OK keeps the offset in the
// program's settings; a test page prints with the values as they stand in the window.
#pragma once

#include <QDialog>
#include <optional>

#include "app/slipprint.h"

class QLineEdit;

namespace velmora {

class UiPorts;
class WorkingWeek;

class TScheinjustierung : public QDialog {
    Q_OBJECT
  public:
    TScheinjustierung(const WorkingWeek& week, UiPorts& ports, QWidget* parent);

    void OkClick();
    void TestseiteClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // The offset as typed; nothing, after saying which field is wrong, when it cannot be used.
    std::optional<SlipOffset> Entered();

    const WorkingWeek& week_;
    UiPorts& ports_;
    QLineEdit* right_ = nullptr;
    QLineEdit* down_ = nullptr;
};

}  // namespace velmora
