// The tip plan editor "Tipplan": per game the tendencies of "1", "0" and "2", the tipped
// signs in tendency order, toggle buttons; the game count and the value a toggle enters.
// It edits the week's plan through the core and redraws whenever the plan changes.
#pragma once

#include <QDialog>
#include <QTableWidget>
#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace velmora {

class WorkingWeek;
class UiPorts;
class WeekSignals;

// The tendency grid: one digit per cell. Digits 1 to 9 enter themselves, every other typed
// character enters "0"; "d" and "D" print the editor instead.
class TipGrid : public QTableWidget {
    Q_OBJECT
  public:
    using QTableWidget::QTableWidget;
  signals:
    void DigitTyped(int row, int column);
    void PrintRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class TTipplan : public QDialog {
    Q_OBJECT
  public:
    TTipplan(WorkingWeek& week, UiPorts& ports, WeekSignals& weekSignals,
             QWidget* parent = nullptr);

    // "Tippplan" on the main window: shows the editor with the game count's choice selected.
    void ShowForGameCount();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct GameLine {
        QLabel* label;
        std::array<QLabel*, 3> tips;
        std::array<QPushButton*, 3> toggles;
    };

    void BuildLines();
    void DiscardLines();
    void CellTyped(int row, int column);
    void Toggle(int game, int slot);
    void TakeTendenciesFromGrid(int game);
    void RefreshGame(int game);
    void RefreshTitle();
    void ShowPlan();
    void ChooseGameCount(int games);

    WorkingWeek& week_;
    UiPorts& ports_;
    QLabel* title_;
    TipGrid* grid_;
    QSpinBox* entry_;
    std::array<QRadioButton*, 4> gameCounts_{};
    std::vector<GameLine> lines_;
};

// "Spiel  1" … "Spiel  9", "Spiel 10" … "Spiel 14"
QString GameLabel(int game);

}  // namespace velmora
