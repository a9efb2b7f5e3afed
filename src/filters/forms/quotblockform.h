// The odds filter editor "Quotenblock": the odds of every sign of every game, the band of
// combined odds and "Aktiv". It shows a ValueFormFields and hands OK to the core
// (filters/oddseditor.h).
#pragma once

#include <QDialog>

#include "filters/valueform.h"

class QCheckBox;
class QLineEdit;

namespace velmora {

class WorkingWeek;
class UiPorts;
class ValueGrid;

class Tquotblockform : public QDialog {
    Q_OBJECT
  public:
    // Saves its picture as "Quote.BMP" in the working directory.
    Tquotblockform(WorkingWeek& week, UiPorts& ports, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ShowRecord();
    void BitBtn1Click();  // OK

    WorkingWeek& week_;
    UiPorts& ports_;
    ValueGrid* grid_;
    QWidget* panel_;  // everything right of the grid
    QLineEdit* minEdit_;
    QLineEdit* maxEdit_;
    QCheckBox* active_;
};

}  // namespace velmora
