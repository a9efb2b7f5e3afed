#include "model/forms/tipplanform.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "app/forms/uiports.h"
#include "app/forms/weeksignals.h"
#include "app/forms/windowimage.h"
#include "app/weektexts.h"
#include "app/workingweek.h"

namespace velmora {
namespace {

constexpr int kRowHeight = 21;
constexpr int kGridLeft = 80;
constexpr int kGridTop = 46;
constexpr int kHeaderHeight = 20;
constexpr int kCellWidth = 24;
constexpr int kTipLeft = 180;
constexpr int kToggleLeft = 228;
constexpr int kPanelLeft = 308;

int LineTop(int game) {
    return kGridTop + kHeaderHeight + 1 + kRowHeight * (game - 1);
}

}  // namespace

QString GameLabel(int game) {
    return (game < 10 ? "Spiel  " : "Spiel ") + QString::number(game);
}

void TipGrid::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || text.isEmpty() || !text.front().isPrint()) {
        if (key != Qt::Key_Backspace && key != Qt::Key_Delete) {
            QTableWidget::keyPressEvent(event);
            return;
        }
    }
    if (text == "d" || text == "D") {
        emit PrintRequested();
        return;
    }
    QTableWidgetItem* cell = currentItem();
    if (cell == nullptr)
        return;
    const QChar typed = text.isEmpty() ? QChar('0') : text.front();
    cell->setText(typed >= '1' && typed <= '9' ? QString(typed) : QString("0"));
    emit DigitTyped(currentRow(), currentColumn());
}

TTipplan::TTipplan(WorkingWeek& week, UiPorts& ports, WeekSignals& weekSignals, QWidget* parent)
    : QDialog(parent),
      week_(week),
      ports_(ports),
      title_(new QLabel(this)),
      grid_(new TipGrid(this)),
      entry_(new QSpinBox(this)) {
    setObjectName("TTipplan");
    setWindowTitle("Tipplan");
    setModal(false);

    title_->setObjectName("Titel");
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    title_->setFont(bold);
    title_->setGeometry(10, 4, 400, 20);

    auto* heading = new QLabel("Interne Tendenz", this);
    heading->setGeometry(kGridLeft - 8, 26, 104, 18);
    auto* tipHeading = new QLabel("Tip", this);
    tipHeading->setGeometry(kTipLeft, 26, 40, 18);

    grid_->setObjectName("tippgrid");
    grid_->setColumnCount(3);
    grid_->setHorizontalHeaderLabels({"1", "0", "2"});
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setFixedHeight(kHeaderHeight);
    grid_->horizontalHeader()->setDefaultSectionSize(kCellWidth);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setTabKeyNavigation(true);
    connect(grid_, &TipGrid::DigitTyped, this, &TTipplan::CellTyped);
    connect(grid_, &TipGrid::PrintRequested, this, [this] { ports_.PrintWindowImage(this); });

    auto* counts = new QGroupBox("Spielzahl", this);
    counts->setGeometry(kPanelLeft, kGridTop, 100, 120);
    for (int i = 0; i < 4; ++i) {
        const int games = kMinGames + i;
        auto* choice = new QRadioButton(QString::number(games), counts);
        choice->setObjectName("b" + QString::number(games));
        choice->setGeometry(12, 22 + 23 * i, 70, 20);
        connect(choice, &QRadioButton::clicked, this, [this, games] { ChooseGameCount(games); });
        gameCounts_[static_cast<std::size_t>(i)] = choice;
    }
    gameCounts_[0]->setChecked(true);

    auto* entryLabel = new QLabel("Eintrag", this);
    entryLabel->setGeometry(kPanelLeft, kGridTop + 128, 50, 22);
    entry_->setObjectName("EintrSpin");
    entry_->setRange(1, 9);
    entry_->setValue(3);
    entry_->setGeometry(kPanelLeft + 50, kGridTop + 128, 50, 22);

    auto* close = new QPushButton("Schließen", this);
    close->setObjectName("Schliessen");
    close->setGeometry(kPanelLeft, kGridTop + 160, 100, 26);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);

    setFixedWidth(kPanelLeft + 115);
    connect(&weekSignals, &WeekSignals::Changed, this, [this](unsigned what) {
        if (isVisible() && (what & kTipPlanChanged) != 0)
            ShowPlan();
    });
}

// After a change made elsewhere (another week, undo): the lines for the game count, the
// cells that differ from the plan, the tips and the title.
void TTipplan::ShowPlan() {
    const Workspace& state = week_.State();
    if (static_cast<int>(lines_.size()) != state.games) {
        BuildLines();
        return;
    }
    for (int g = 1; g <= state.games; ++g) {
        for (int slot = 0; slot < 3; ++slot) {
            const QString value = QString::number(state.plan.Tendency(g, kDisplayOrder[slot]));
            QTableWidgetItem* cell = grid_->item(g - 1, slot);
            if (cell != nullptr && cell->text() != value)
                cell->setText(value);
        }
        RefreshGame(g);
    }
    RefreshTitle();
}

void TTipplan::ShowForGameCount() {
    const int games = week_.State().games;
    gameCounts_[static_cast<std::size_t>(games - kMinGames)]->setChecked(true);
    show();
    raise();
    activateWindow();
}

void TTipplan::showEvent(QShowEvent* event) {
    BuildLines();
    QDialog::showEvent(event);
}

void TTipplan::hideEvent(QHideEvent* event) {
    DiscardLines();
    QDialog::hideEvent(event);
}

void TTipplan::mouseDoubleClickEvent(QMouseEvent*) {
    SaveWindowImage(this, "tipplan.BMP", ports_);
}

void TTipplan::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        QDialog::keyPressEvent(event);
        return;
    }
    ports_.PrintWindowImage(this);
}

void TTipplan::BuildLines() {
    DiscardLines();
    const Workspace& state = week_.State();
    const int n = state.games;
    gameCounts_[static_cast<std::size_t>(n - kMinGames)]->setChecked(true);

    grid_->setRowCount(n);
    const int gridHeight = kHeaderHeight + n * kRowHeight + 2;
    grid_->setGeometry(kGridLeft, kGridTop, 3 * kCellWidth + 2, gridHeight);
    for (int g = 1; g <= n; ++g) {
        grid_->setRowHeight(g - 1, kRowHeight);
        for (int slot = 0; slot < 3; ++slot) {
            auto* cell =
                new QTableWidgetItem(QString::number(state.plan.Tendency(g, kDisplayOrder[slot])));
            cell->setTextAlignment(Qt::AlignCenter);
            grid_->setItem(g - 1, slot, cell);
        }

        GameLine line{new QLabel(GameLabel(g), this), {}, {}};
        line.label->setObjectName("Spiel" + QString::number(g));
        line.label->setGeometry(10, LineTop(g), 65, kRowHeight);
        for (int p = 0; p < 3; ++p) {
            line.tips[p] = new QLabel(this);
            line.tips[p]->setObjectName("tip" + QString::number(g) + "_" + QString::number(p));
            line.tips[p]->setGeometry(kTipLeft + 14 * p, LineTop(g), 12, kRowHeight);
            line.toggles[p] = new QPushButton(QString(SignChar(kDisplayOrder[p])), this);
            line.toggles[p]->setObjectName("toggle" + QString::number(g) +
                                           SignChar(kDisplayOrder[p]));
            line.toggles[p]->setGeometry(kToggleLeft + 22 * p, LineTop(g), 21, kRowHeight);
            connect(line.toggles[p], &QPushButton::clicked, this, [this, g, p] { Toggle(g, p); });
        }
        lines_.push_back(line);
        RefreshGame(g);
    }
    for (const GameLine& line : lines_) {
        line.label->show();
        for (int p = 0; p < 3; ++p) {
            line.tips[p]->show();
            line.toggles[p]->show();
        }
    }
    setFixedHeight(std::max(gridHeight + 80, kGridTop + 200));
    RefreshTitle();
}

void TTipplan::DiscardLines() {
    for (const GameLine& line : lines_) {
        delete line.label;
        for (int p = 0; p < 3; ++p) {
            delete line.tips[p];
            delete line.toggles[p];
        }
    }
    lines_.clear();
}

void TTipplan::CellTyped(int row, int column) {
    const QString text = grid_->item(row, column)->text();
    if (!text.isEmpty() && text.front().isDigit()) {
        week_.SetTendency(row + 1, kDisplayOrder[column],
                          static_cast<std::int8_t>(text.front().digitValue()));
    }
    RefreshGame(row + 1);
    RefreshTitle();
}

void TTipplan::Toggle(int game, int slot) {
    QTableWidgetItem* cell = grid_->item(game - 1, slot);
    cell->setText(cell->text().toInt() != 0 ? QString("0") : QString::number(entry_->value()));
    TakeTendenciesFromGrid(game);
    RefreshGame(game);
    RefreshTitle();
}

void TTipplan::TakeTendenciesFromGrid(int game) {
    // Read whole first: every change redraws the cells from the plan.
    std::array<int, 3> values{};
    for (int slot = 0; slot < 3; ++slot)
        values[static_cast<std::size_t>(slot)] = grid_->item(game - 1, slot)->text().toInt();
    for (int slot = 0; slot < 3; ++slot) {
        week_.SetTendency(game, kDisplayOrder[slot],
                          static_cast<std::int8_t>(values[static_cast<std::size_t>(slot)]));
    }
}

void TTipplan::RefreshGame(int game) {
    if (game < 1 || game > static_cast<int>(lines_.size()))
        return;
    // The tips in tendency order, whatever order the plan holds them in.
    TTipPlan sorted = week_.State().plan;
    sorted.ToDisplayOrder(game);
    sorted.SortByTendency(game);
    const GameEntry& entry = sorted.Game(game);
    const GameLine& line = lines_[static_cast<std::size_t>(game - 1)];
    for (int p = 0; p < 3; ++p) {
        const TipPair& pair = entry.pairs[static_cast<std::size_t>(p)];
        line.tips[p]->setText(pair.tendency >= 1 ? QString(SignChar(pair.sign)) : QString());
    }
}

void TTipplan::RefreshTitle() {
    title_->setText(QString::fromStdString(LowerStatusText(week_.State())));
}

void TTipplan::ChooseGameCount(int games) {
    week_.SetGameCount(games);
    // Rebuilt for the new number of games.
    hide();
    show();
}

}  // namespace velmora
