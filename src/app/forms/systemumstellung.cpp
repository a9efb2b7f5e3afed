#include "app/forms/systemumstellung.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "app/forms/uiports.h"
#include "app/workingweek.h"
#include "evaluation/tipdistribution.h"

namespace velmora {

namespace {

constexpr int kColumnWidth = 40;
constexpr int kRowHeight = 26;
constexpr int kGridLeft = 8;
constexpr int kGridTop = 68;
const QColor kHeadingColor(212, 208, 200);

// Why the system cannot be shown, or an empty string.
QString InvalidSystem(const TRowList& rows, int games) {
    const std::string reason = UnusableRowsReason(rows, games);
    return reason.empty()
               ? QString()
               : "Die Systemumstellung ist nicht möglich: " + QString::fromStdString(reason);
}

}  // namespace

// Draws only a line under each cell when whole game rows are dragged.
class GridLineDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool horizontalOnly = false;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!horizontalOnly)
            return;
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

TTippverteilung2::TTippverteilung2(WorkingWeek& week, UiPorts& ports, QWidget* parent)
    : QDialog(parent),
      week_(week),
      ports_(ports),
      grid_(new QTableWidget(this)),
      delegate_(new GridLineDelegate(this)),
      signMode_(new QRadioButton("Tipp umstellen", this)),
      gameMode_(new QRadioButton("Spiel umstellen", this)) {
    setObjectName("TTippverteilung2");
    setWindowTitle("Systemumstellung");
    setModal(true);

    auto* close = new QPushButton("Schließen", this);
    close->setObjectName("BitBtn1");
    close->setGeometry(kGridLeft, 8, 90, 26);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    signMode_->setObjectName("RadioButton1");
    gameMode_->setObjectName("RadioButton2");
    signMode_->setGeometry(kGridLeft, 40, 120, 22);
    gameMode_->setGeometry(kGridLeft + 124, 40, 120, 22);
    signMode_->setChecked(true);
    connect(signMode_, &QRadioButton::toggled, this, &TTippverteilung2::ApplySelectionStyle);

    grid_->setObjectName("StringGrid1");
    grid_->setItemDelegate(delegate_);
    grid_->setColumnCount(4);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setMinimumSectionSize(kColumnWidth);
    grid_->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    grid_->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->viewport()->setCursor(Qt::PointingHandCursor);
    grid_->viewport()->installEventFilter(this);
    grid_->setRowCount(1);
    grid_->setGeometry(kGridLeft, kGridTop, 4 * kColumnWidth + 4, kRowHeight + 5);
    for (int column = 0; column < 4; ++column)
        SetCell(0, column, column == 0 ? QString() : QString(SignChar(kDisplayOrder[column - 1])),
                true);
    ApplySelectionStyle();
    setFixedSize(4 * kColumnWidth + 4 + 2 * kGridLeft + 80,
                 kGridTop + (kMaxGames + 1) * kRowHeight + 5 + kGridLeft);
}

RearrangeMode TTippverteilung2::Mode() const {
    return gameMode_->isChecked() ? RearrangeMode::Games : RearrangeMode::Signs;
}

void TTippverteilung2::ApplySelectionStyle() {
    const bool games = Mode() == RearrangeMode::Games;
    grid_->setSelectionBehavior(games ? QAbstractItemView::SelectRows
                                      : QAbstractItemView::SelectItems);
    grid_->setShowGrid(!games);
    delegate_->horizontalOnly = games;
    grid_->clearSelection();
    grid_->viewport()->update();
}

void TTippverteilung2::SetCell(int row, int column, const QString& text, bool heading) {
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(heading ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (heading)
        cell->setBackground(kHeadingColor);
    grid_->setItem(row, column, cell);
}

void TTippverteilung2::Refresh() {
    const Workspace& s = week_.State();
    const QString error = InvalidSystem(s.rows, s.games);
    showsSystem_ = error.isEmpty();
    if (!showsSystem_) {
        grid_->setRowCount(1);
        ports_.ShowMessage(this, MessageKind::Error, error);
    } else {
        const TipCounts counts = TipDistribution(s.rows);
        grid_->setRowCount(s.games + 1);
        for (int g = 1; g <= s.games; ++g) {
            SetCell(g, 0, QString::number(g), true);
            for (int slot = 0; slot < kSignCount; ++slot)
                SetCell(g, slot + 1, QString::number(counts[g - 1][kDisplayOrder[slot]]), false);
        }
        // Large systems need more than the default width for their counts.
        for (int column = 1; column < 4; ++column) {
            grid_->resizeColumnToContents(column);
            if (grid_->columnWidth(column) < kColumnWidth)
                grid_->setColumnWidth(column, kColumnWidth);
        }
    }
    int width = 4;
    for (int column = 0; column < 4; ++column)
        width += grid_->columnWidth(column);
    grid_->resize(width, grid_->rowCount() * kRowHeight + 5);
    ApplySelectionStyle();
}

void TTippverteilung2::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        Refresh();
    QDialog::showEvent(event);
}

bool TTippverteilung2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            grid_->viewport()->setCursor(Qt::DragMoveCursor);
            dragStart_ = grid_->indexAt(mouse->position().toPoint());
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            grid_->viewport()->setCursor(Qt::PointingHandCursor);
            Drop(grid_->indexAt(mouse->position().toPoint()));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TTippverteilung2::Drop(const QModelIndex& target) {
    const QModelIndex start = dragStart_;
    dragStart_ = QModelIndex();
    // Outside any cell, or while the system cannot be shown, nothing changes.
    if (!showsSystem_ || !start.isValid() || !target.isValid())
        return;
    if (week_.Rearrange(Mode(), start.column(), start.row(), target.column(), target.row()))
        Refresh();
}

}  // namespace velmora
