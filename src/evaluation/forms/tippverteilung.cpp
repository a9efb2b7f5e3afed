#include "evaluation/forms/tippverteilung.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

#include "evaluation/tipdistribution.h"

namespace velmora {

namespace {

constexpr int kCellWidth = 24;
constexpr int kRowHeight = 22;
constexpr int kTableLeft = 8;
constexpr int kTableTop = 42;
constexpr int kWidth = 171;  // the window, as long as the counts fit
constexpr int kHeight = 425;
const QColor kHeadingColor(212, 208, 200);

// Why the system cannot be shown, or an empty string.
QString InvalidInput(const TRowList& rows, int games) {
    const std::string reason = UnusableRowsReason(rows, games);
    return reason.empty() ? QString()
                          : "Die Tippverteilung kann nicht angezeigt werden: " +
                                QString::fromStdString(reason);
}

}  // namespace

TTippverteilung::TTippverteilung(QWidget* parent)
    : QDialog(parent), table_(new QTableWidget(this)) {
    setObjectName("TTippverteilung");
    setWindowTitle("Tippverteilung");
    setFixedSize(kWidth, kHeight);

    auto* close = new QPushButton("Schließen", this);
    close->setObjectName("Schliessen");
    close->setGeometry(kTableLeft, 8, 90, 26);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    // The heading row and the game column are the table's first row and column, drawn grey.
    table_->setObjectName("StringGrid1");
    table_->setColumnCount(4);
    table_->horizontalHeader()->hide();
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setMinimumSectionSize(kCellWidth);
    table_->horizontalHeader()->setDefaultSectionSize(kCellWidth);
    table_->verticalHeader()->setMinimumSectionSize(kRowHeight);
    table_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    // The window grows with its counts, so every column is always seen whole.
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setRowCount(1);
    WriteHeadings();
    FitToColumns();
}

// The columns as wide as their widest text, at least the default width; the window at its
// usual size, or wider when the columns need it.
void TTippverteilung::FitToColumns() {
    int columns = 0;
    for (int column = 0; column < table_->columnCount(); ++column) {
        table_->resizeColumnToContents(column);
        if (table_->columnWidth(column) < kCellWidth)
            table_->setColumnWidth(column, kCellWidth);
        columns += table_->columnWidth(column);
    }
    const int tableWidth = std::max(kWidth - 2 * kTableLeft, columns + 2 * table_->frameWidth());
    setFixedSize(tableWidth + 2 * kTableLeft, kHeight);
    table_->setGeometry(kTableLeft, kTableTop, tableWidth, kHeight - kTableTop - kTableLeft);
}

void TTippverteilung::SetCell(int row, int column, const QString& text, bool heading) {
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled);
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (heading)
        cell->setBackground(kHeadingColor);
    table_->setItem(row, column, cell);
}

void TTippverteilung::WriteHeadings() {
    SetCell(0, 0, QString(), true);
    for (int slot = 0; slot < kSignCount; ++slot)
        SetCell(0, slot + 1, QString(SignChar(kDisplayOrder[slot])), true);
}

QString TTippverteilung::Refresh(const TRowList& rows, int games) {
    if (const QString error = InvalidInput(rows, games); !error.isEmpty())
        return error;

    const TipCounts counts = TipDistribution(rows);
    table_->setRowCount(games + 1);
    WriteHeadings();
    for (int g = 1; g <= games; ++g) {
        SetCell(g, 0, QString::number(g), true);
        for (int slot = 0; slot < kSignCount; ++slot)
            SetCell(g, slot + 1, QString::number(counts[g - 1][kDisplayOrder[slot]]), false);
    }
    FitToColumns();
    return {};
}

}  // namespace velmora
