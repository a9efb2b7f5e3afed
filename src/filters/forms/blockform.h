// The block filter editor "Filterblock N": a grid of marks per game and sign, the selection
// help, the bounds on the hits and on hit games in succession, and the "oder" link. It loads
// its block from the main window's state each time it is shown and hands the result back by
// signal; the main window stores or deletes the block.
#pragma once

#include <QDialog>
#include <QMetaType>
#include <QTableWidget>

#include "filters/blockeditor.h"

class QCheckBox;
class QSpinBox;

namespace velmora {

class WorkingWeek;
class UiPorts;

// The mark grid: a mouse press on a cell, or Enter on the current cell, asks to toggle it.
// Nothing can be typed into it.
class BlockGrid : public QTableWidget {
    Q_OBJECT
  public:
    using QTableWidget::QTableWidget;

  signals:
    void ToggleRequested(int row, int column);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class TBlockform : public QDialog {
    Q_OBJECT
  public:
    TBlockform(int number, WorkingWeek& week, UiPorts& ports, QWidget* parent = nullptr);

    int Number() const { return number_; }

    // Cancel: clears every mark and closes; nothing is handed back. Escape and closing the
    // window do the same.
    void reject() override;

  signals:
    // OK with the block as the form shows it.
    void BlockConfirmed(int number, velmora::TBlockFilter block);
    // "Blockfilter löschen" for a block that exists.
    void BlockDeleteRequested(int number);

  protected:
    void showEvent(QShowEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void Load();
    void ShowMarks();
    void Toggle(int row, int column);
    void TakeValues();
    void BitBtn1Click();
    void Button6Click();

    const int number_;
    WorkingWeek& week_;
    UiPorts& ports_;
    // The game count the grid was built for.
    int games_ = kMinGames;
    BlockFormFields fields_;

    BlockGrid* grid_;
    QSpinBox* tendency_;
    QSpinBox* minHits_;
    QSpinBox* maxHits_;
    QSpinBox* maxRun_;
    QCheckBox* orBox_;
};

}  // namespace velmora

Q_DECLARE_METATYPE(velmora::TBlockFilter)
