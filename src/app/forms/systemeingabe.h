// "Systemeingabe": typing a system by hand or editing the current one. The grid shows one
// column per row of the system and one grid row per game; "OK" makes its complete columns the
// new system. The columns live in one packed character store, so large systems stay usable.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <QTableView>
#include <vector>

#include "app/manualentry.h"

class QLabel;
class QPushButton;

namespace velmora {

class RowNumberHeader;
class WorkingWeek;
class UiPorts;

// The entry grid's cells: columns are tip rows, rows are games. A cell holds one of the
// characters "0", "1", "2" or nothing.
class EntryTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // The rows of the system, or one empty column when it has none.
    void Fill(const TRowList& rows, int games);
    void AppendColumn();
    void ClearColumn(int column);

    int Games() const { return games_; }
    int Columns() const { return columns_; }
    // The cell text of a column for one game (from 0): "0", "1", "2" or empty.
    std::string Cell(int column, int game) const;
    // The columns from `first`, at most `count` of them, as the core takes them over.
    std::vector<EntryColumn> ColumnsFrom(int first, int count) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Only an empty text or exactly "0", "1" or "2" is stored; anything else changes nothing.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::size_t At(int column, int game) const {
        return static_cast<std::size_t>(column) * static_cast<std::size_t>(games_) +
               static_cast<std::size_t>(game);
    }

    int games_ = kMinGames;
    int columns_ = 0;
    std::vector<char> cells_;  // column after column; '\0' is an empty cell
};

// The grid: a typed "0", "1" or "2" replaces the current cell, Delete and Backspace empty it,
// every other character is discarded; moving between cells is left to the table.
class EntryGridView : public QTableView {
    Q_OBJECT
  public:
    using QTableView::QTableView;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class TSystemeingabe : public QDialog {
    Q_OBJECT
  public:
    TSystemeingabe(WorkingWeek& week, UiPorts& ports, QWidget* parent = nullptr);

    EntryTableModel& Model() { return model_; }
    EntryGridView* Grid() const { return grid_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void NeuereiheClick();
    void ReihelschenClick();
    void BitBtn2Click();
    // Strg+G, "Gehe zu Reihe …"
    void GeheZuReiheClick();
    void UpdateRowPosition();
    void FitGrid();
    RowNumberHeader& Numbers() const;

    WorkingWeek& week_;
    UiPorts& ports_;
    EntryTableModel model_;
    EntryGridView* grid_;
    QWidget* footer_;  // the row position and the buttons beneath the grid
    QLabel* rowPosition_;
};

}  // namespace velmora
