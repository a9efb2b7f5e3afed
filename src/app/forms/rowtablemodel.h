// The row display's data: games as table rows, tip rows as columns, one sign digit per cell.
// It reads a snapshot of the system taken by "Tippreihen anzeigen", so the display keeps
// showing what it showed until the next request, whatever happens to the system meanwhile.
// No item exists per cell: a million rows cost their packed bytes and nothing more.
#pragma once

#include <QAbstractTableModel>

#include "model/rowlist.h"

namespace velmora {

class RowTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // "Tippreihen anzeigen": the rows of the system, one column each.
    void Show(const TRowList& rows);
    // Empties the display, leaving `blankColumns` empty columns for `games` games.
    void Clear(int games, int blankColumns);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    std::int32_t ShownRows() const { return rows_.Count(); }

  private:
    TRowList rows_{kMinGames};
    int games_ = kMinGames;
    int blankColumns_ = 12;
};

}  // namespace velmora
