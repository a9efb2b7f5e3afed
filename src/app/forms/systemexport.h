// "System exportieren": how the rows are written as text for playing online. OK asks for the
// file name and writes; the window stays open when nothing was written, so that the user can
// change a choice and try again.
#pragma once

#include <QDialog>

#include "app/workingweek.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace velmora {

class TSystemexport : public QDialog {
    Q_OBJECT
  public:
    TSystemexport(WorkingWeek& week, WeekView& view, QWidget* parent);

    // The choices as the window shows them, and showing others.
    RowExport Request() const;
    void SetRequest(const RowExport& request);

    void ExportierenClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Enables the choices the chosen form knows and shows the first row as it will be written.
    void ShowChoices();

    WorkingWeek& week_;
    WeekView& view_;
    QRadioButton* plain_ = nullptr;
    QRadioButton* csv_ = nullptr;
    QRadioButton* eLines_ = nullptr;
    QComboBox* draw_ = nullptr;
    QCheckBox* blanks_ = nullptr;
    QLineEdit* heading_ = nullptr;
    QCheckBox* split_ = nullptr;
    QSpinBox* rowsPerFile_ = nullptr;
    QLabel* example_ = nullptr;
};

}  // namespace velmora
