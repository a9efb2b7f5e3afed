#include "app/forms/rowtablemodel.h"

#include "app/rownumbers.h"

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

// The numbers are made when a section is painted or pointed at, never for every row at once.
QVariant RowTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return section + 1;  // the game numbers
        if (role == Qt::TextAlignmentRole)
            return Qt::AlignCenter;
        return {};
    }
    // The empty columns before "Tippreihen anzeigen" hold no row and carry no number.
    if (section < 0 || section >= rows_.Count())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(RowNumberText(section));
    if (role == Qt::ToolTipRole)
        return QString::fromStdString(RowNumberTip(section));
    return {};
}

}  // namespace velmora
