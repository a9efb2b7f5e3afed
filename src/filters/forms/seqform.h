// The sequence rule editor "N. Sequenz": the pattern, the bounds on its occurrences and the
// "oder" link. Opened modally for one rule at a time; it hands the result back by signal and
// the main window stores or deletes the rule and rebuilds its buttons.
#pragma once

#include <QDialog>
#include <QMetaType>

#include "filters/sequenceeditor.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace velmora {

class WorkingWeek;
class UiPorts;

class Tseqform : public QDialog {
    Q_OBJECT
  public:
    Tseqform(WorkingWeek& week, UiPorts& ports, QWidget* parent = nullptr);

    // Loads rule `number` (or a new rule one past the end of the list) and shows the form
    // modally.
    void Edit(int number);
    int Number() const { return number_; }

  signals:
    // OK with a pattern: the rule as the form shows it.
    void SequenceConfirmed(int number, velmora::TSequenceRule rule);
    // "Sequenz löschen" for a rule that exists.
    void SequenceDeleteRequested(int number);

  private:
    void Load(int number);
    void BitBtn1Click();
    void Button6Click();

    WorkingWeek& week_;
    UiPorts& ports_;
    int number_ = 1;

    QLineEdit* pattern_;
    QSpinBox* minCount_;
    QSpinBox* maxCount_;
    QCheckBox* orBox_;
};

}  // namespace velmora

Q_DECLARE_METATYPE(velmora::TSequenceRule)
