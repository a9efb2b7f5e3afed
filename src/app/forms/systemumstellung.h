// "Systemumstellung": rearranging the current system by dragging in its tip distribution.
// "Tipp umstellen" exchanges two signs of one game in every row, "Spiel umstellen" two games.
#pragma once

#include <QDialog>
#include <QModelIndex>

#include "app/rearrangement.h"

class QRadioButton;
class QTableWidget;

namespace velmora {

class WorkingWeek;
class UiPorts;
class GridLineDelegate;

class TTippverteilung2 : public QDialog {
    Q_OBJECT
  public:
    TTippverteilung2(WorkingWeek& week, UiPorts& ports, QWidget* parent = nullptr);

    // Fills the tip distribution grid from the current system. A system that cannot be shown
    // (rows of another game count, invalid signs) is reported and the grid keeps only its
    // heading; drags then change nothing.
    void Refresh();

    QTableWidget* Grid() const { return grid_; }
    RearrangeMode Mode() const;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ApplySelectionStyle();
    void SetCell(int row, int column, const QString& text, bool heading);
    void Drop(const QModelIndex& target);

    WorkingWeek& week_;
    UiPorts& ports_;
    QTableWidget* grid_;
    GridLineDelegate* delegate_;
    QRadioButton* signMode_;
    QRadioButton* gameMode_;
    QModelIndex dragStart_;  // the cell under the mouse when a button went down
    bool showsSystem_ = false;
};

}  // namespace velmora
