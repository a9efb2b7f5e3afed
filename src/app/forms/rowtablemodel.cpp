#include "app/forms/rowtablemodel.h"

namespace velmora {

void RowTableModel::Show(const TRowList& rows) {
    beginResetModel();
    rows_ = rows;
    games_ = rows.Games();
    endResetModel();
}

void RowTableModel::Clear(int games, int blankColumns) {
    beginResetModel();
    rows_ = TRowList(games);
    games_ = games;
    blankColumns_ = blankColumns;
    endResetModel();
}

int RowTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : games_;
}

int RowTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return rows_.Empty() ? blankColumns_ : static_cast<int>(rows_.Count());
}

QVariant RowTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= rows_.Count() || index.row() >= games_)
        return {};
    if (role == Qt::DisplayRole)
        return QString(QChar(SignChar(rows_.Row(index.column())[index.row()])));
    if (role == Qt::TextAlignmentRole)
        return Qt::AlignCenter;
    return {};
}

QVariant RowTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole)
        return section + 1;  // game numbers down the side, row numbers along the top
    if (role == Qt::TextAlignmentRole && orientation == Qt::Vertical)
        return Qt::AlignCenter;
    return {};
}

}  // namespace velmora
