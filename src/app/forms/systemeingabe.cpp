#include "app/forms/systemeingabe.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <algorithm>

#include "app/forms/rownumberheader.h"
#include "app/forms/uiports.h"
#include "app/rownumbers.h"
#include "app/workingweek.h"

namespace velmora {

namespace {

constexpr int kCellSize = 15;
constexpr int kGridLeft = 8;
constexpr int kGridTop = 8;
constexpr int kGridWidth = 560;

bool IsEntryText(const QString& text) {
    return text.isEmpty() ||
           (text.size() == 1 && text[0].unicode() < 128 && AcceptsEntryKey(text[0].toLatin1()));
}

}  // namespace

// ---- EntryTableModel ----

void EntryTableModel::Fill(const TRowList& rows, int games) {
    beginResetModel();
    games_ = std::max(games, 1);
    columns_ = std::max<int>(rows.Count(), 1);
    cells_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(games_), '\0');
    // Rows of another game count fill only the games both have; the rest stays empty.
    const int shared = std::min(games_, rows.Games());
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        const Sign* row = rows.Row(r);
        for (int g = 0; g < shared; ++g)
            if (IsSign(row[g]))
                cells_[At(r, g)] = SignChar(row[g]);
    }
    endResetModel();
}

void EntryTableModel::AppendColumn() {
    beginInsertColumns({}, columns_, columns_);
    cells_.resize(cells_.size() + static_cast<std::size_t>(games_), '\0');
    ++columns_;
    endInsertColumns();
}

void EntryTableModel::ClearColumn(int column) {
    if (column < 0 || column >= columns_)
        return;
    std::fill_n(cells_.begin() + static_cast<std::ptrdiff_t>(At(column, 0)), games_, '\0');
    emit dataChanged(index(0, column), index(games_ - 1, column));
}

std::string EntryTableModel::Cell(int column, int game) const {
    if (column < 0 || column >= columns_ || game < 0 || game >= games_)
        return {};
    const char c = cells_[At(column, game)];
    return c == '\0' ? std::string() : std::string(1, c);
}

std::vector<EntryColumn> EntryTableModel::ColumnsFrom(int first, int count) const {
    std::vector<EntryColumn> columns;
    const int end = std::min(columns_, first + count);
    for (int c = std::max(first, 0); c < end; ++c) {
        EntryColumn column;
        column.reserve(static_cast<std::size_t>(games_));
        for (int g = 0; g < games_; ++g)
            column.push_back(Cell(c, g));
        columns.push_back(std::move(column));
    }
    return columns;
}

int EntryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : games_;
}

int EntryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= columns_ || index.row() >= games_)
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(Cell(index.column(), index.row()));
    if (role == Qt::TextAlignmentRole)
        return Qt::AlignCenter;
    return {};
}

bool EntryTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() >= columns_ ||
        index.row() >= games_)
        return false;
    const QString text = value.toString();
    if (!IsEntryText(text))
        return false;
    cells_[At(index.column(), index.row())] = text.isEmpty() ? '\0' : text[0].toLatin1();
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags EntryTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

// Every column is a row, a new empty one too; its number is made when it is painted.
QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return section + 1;  // the game numbers
        if (role == Qt::TextAlignmentRole)
            return Qt::AlignCenter;
        return {};
    }
    if (section < 0 || section >= columns_)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(RowNumberText(section));
    if (role == Qt::ToolTipRole)
        return QString::fromStdString(RowNumberTip(section));
    return {};
}

// ---- EntryGridView ----

void EntryGridView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    const QString text = event->text();
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        if (current.isValid())
            model()->setData(current, QString());
        event->accept();
        return;
    }
    const bool printable = !text.isEmpty() && text[0].isPrint();
    if (!printable) {
        QTableView::keyPressEvent(event);  // moving between cells
        return;
    }
    event->accept();
    if (!current.isValid() || text.size() != 1 || text[0].unicode() >= 128 ||
        !AcceptsEntryKey(text[0].toLatin1()))
        return;
    model()->setData(current, text);
    // Typing a row goes down the games of the column.
    if (current.row() + 1 < model()->rowCount())
        setCurrentIndex(model()->index(current.row() + 1, current.column()));
}

// ---- TSystemeingabe ----

TSystemeingabe::TSystemeingabe(WorkingWeek& week, UiPorts& ports, QWidget* parent)
    : QDialog(parent),
      week_(week),
      ports_(ports),
      model_(this),
      grid_(new EntryGridView(this)),
      footer_(new QWidget(this)),
      rowPosition_(new QLabel("Reihe: 1", footer_)) {
    setObjectName("TSystemeingabe");
    setWindowTitle("Systemeingabe");
    setModal(false);

    grid_->setObjectName("stringgrid1");
    auto* numbers = new RowNumberHeader(kCellSize, grid_);
    numbers->setObjectName("Reihennummern");
    grid_->setHorizontalHeader(numbers);
    grid_->setModel(&model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    for (QHeaderView* header : {grid_->horizontalHeader(), grid_->verticalHeader()}) {
        header->setMinimumSectionSize(kCellSize);
        header->setDefaultSectionSize(kCellSize);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &TSystemeingabe::UpdateRowPosition);
    connect(&model_, &QAbstractItemModel::modelReset, this, &TSystemeingabe::UpdateRowPosition);
    // The hundredth row brings a higher header.
    connect(&model_, &QAbstractItemModel::columnsInserted, this, &TSystemeingabe::FitGrid);

    auto* goTo = new QAction("Gehe zu Reihe …", this);
    goTo->setObjectName("GeheZuReihe");
    goTo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    connect(goTo, &QAction::triggered, this, &TSystemeingabe::GeheZuReiheClick);
    addAction(goTo);

    rowPosition_->setObjectName("Label7");

    auto* newRow = new QPushButton("Neue Reihe", footer_);
    newRow->setObjectName("Neuereihe");
    connect(newRow, &QPushButton::clicked, this, &TSystemeingabe::NeuereiheClick);
    auto* clearRow = new QPushButton("Reihe löschen", footer_);
    clearRow->setObjectName("Reihelschen");
    connect(clearRow, &QPushButton::clicked, this, &TSystemeingabe::ReihelschenClick);
    auto* ok = new QPushButton("OK", footer_);
    ok->setObjectName("BitBtn2");
    connect(ok, &QPushButton::clicked, this, &TSystemeingabe::BitBtn2Click);
    auto* cancel = new QPushButton("Abbrechen", footer_);
    cancel->setObjectName("BitBtn1");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // The buttons stand beneath the grid, whose height FitGrid sets.
    // "Reihe: n" has room for the seven digits of the largest systems.
    rowPosition_->setGeometry(kGridLeft, 4, 136, 20);
    newRow->setGeometry(150, 0, 100, 26);
    clearRow->setGeometry(258, 0, 100, 26);
    ok->setGeometry(376, 0, 90, 26);
    cancel->setGeometry(474, 0, 90, 26);
    grid_->move(kGridLeft, kGridTop);
    grid_->setFixedWidth(kGridWidth);
    FitGrid();
}

// The games and the header of row numbers, which grows with their longest number.
void TSystemeingabe::FitGrid() {
    grid_->setFixedHeight(model_.Games() * 17 + 20 + Numbers().NeededHeight());
    const int footerTop = kGridTop + grid_->height() + 10;
    footer_->setGeometry(0, footerTop, kGridWidth + 2 * kGridLeft, 26);
    setFixedSize(kGridWidth + 2 * kGridLeft, footerTop + 36);
}

RowNumberHeader& TSystemeingabe::Numbers() const {
    return *static_cast<RowNumberHeader*>(grid_->horizontalHeader());
}

void TSystemeingabe::showEvent(QShowEvent* event) {
    // Restoring a minimised window keeps the edits; a new showing starts from the system.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TSystemeingabe::FormShow() {
    const Workspace& s = week_.State();
    model_.Fill(s.rows, s.games);
    FitGrid();
    grid_->setCurrentIndex(model_.index(0, 0));
    grid_->scrollToTop();
    grid_->horizontalScrollBar()->setValue(0);
    UpdateRowPosition();
}

void TSystemeingabe::NeuereiheClick() {
    model_.AppendColumn();
    const QModelIndex cell = model_.index(0, model_.Columns() - 1);
    grid_->setCurrentIndex(cell);
    grid_->scrollTo(cell);
    grid_->setFocus();
}

void TSystemeingabe::ReihelschenClick() {
    const QModelIndex current = grid_->currentIndex();
    if (current.isValid())
        model_.ClearColumn(current.column());
}

void TSystemeingabe::BitBtn2Click() {
    const WorkingWeek::ManualEntryOutcome outcome = week_.TakeOverManualEntry(
        model_.Columns(), model_.Games(),
        [this](int first, int count) { return model_.ColumnsFrom(first, count); });
    if (!outcome.error.empty()) {
        ports_.ShowMessage(this, MessageKind::Error, QString::fromStdString(outcome.error));
        return;
    }
    for (int i = 0; i < outcome.incomplete; ++i)
        ports_.ShowMessage(this, MessageKind::Error, QString::fromUtf8(kIncompleteRowMessage));
    accept();
}

// Strg+G: the row becomes the first column in view (the last ones as far as the grid scrolls)
// and the cursor goes to it, in the game it was in.
void TSystemeingabe::GeheZuReiheClick() {
    const std::optional<std::int32_t> column =
        AskRowColumn(ports_, this, model_.Columns(), std::max(0, Numbers().FirstColumnInView()));
    if (!column)
        return;
    const QModelIndex current = grid_->currentIndex();
    grid_->horizontalScrollBar()->setValue(*column);
    grid_->setCurrentIndex(model_.index(current.isValid() ? current.row() : 0, *column));
    grid_->setFocus();
    UpdateRowPosition();
}

void TSystemeingabe::UpdateRowPosition() {
    const int first = Numbers().FirstColumnInView();
    rowPosition_->setText(QString("Reihe: %1").arg(first < 0 ? 1 : first + 1));
}

}  // namespace velmora
