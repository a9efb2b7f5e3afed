// The filter check "Filtercheck": which blocks the result of the win determination does not
// meet, with the result's signs in red where the block marks them. Its labels are built on
// showing and removed on hiding.
#pragma once

#include <QDialog>
#include <vector>

#include "evaluation/windetermination.h"

class QLabel;
class QPushButton;

namespace velmora {

class WorkingWeek;
class TFilteranzeige;

class TFiltercheck : public QDialog {
    Q_OBJECT
  public:
    TFiltercheck(WorkingWeek& week, QWidget* parent = nullptr);

    // Shows the check for a result, or shows it anew when it is open already.
    void ShowFor(const TResultRow& result);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void BuildLabels();
    void DiscardLabels();

    WorkingWeek& week_;
    TResultRow result_;
    QLabel* top_ = nullptr;  // "StaticText1"
    QPushButton* close_ = nullptr;
    std::vector<QLabel*> labels_;
};

// "&Filtercheck" of the win determination: the filter display first, then the check.
void OpenFilterCheck(TFilteranzeige& display, TFiltercheck& check, const TResultRow& result);

}  // namespace velmora
