#include "filters/forms/blockform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/forms/uiports.h"
#include "app/forms/windowimage.h"
#include "app/workingweek.h"

namespace velmora {
namespace {

constexpr int kRowHeight = 19;
constexpr int kHeaderHeight = 20;
constexpr int kCellWidth = 26;
constexpr int kGameColumnWidth = 28;
constexpr const char* kImageName = "block.BMP";

QSpinBox* SpinEdit(QWidget* parent, const char* name) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setMinimumWidth(56);
    return spin;
}

}  // namespace

void BlockGrid::mousePressEvent(QMouseEvent* event) {
    QTableWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex cell = indexAt(event->position().toPoint());
    if (cell.isValid())
        emit ToggleRequested(cell.row(), cell.column());
}

// Each press of a quick double click toggles, so clicking twice quickly leaves the cell as it
// was.
void BlockGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void BlockGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const QModelIndex cell = currentIndex();
        if (cell.isValid())
            emit ToggleRequested(cell.row(), cell.column());
        event->accept();
        return;
    }
    // Typed characters neither enter text nor jump to a cell.
    const QString text = event->text();
    if (!text.isEmpty() && text.front().isPrint()) {
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

TBlockform::TBlockform(int number, WorkingWeek& week, UiPorts& ports, QWidget* parent)
    : QDialog(parent),
      number_(number),
      week_(week),
      ports_(ports),
      grid_(new BlockGrid(this)),
      tendency_(SpinEdit(this, "SpinEdit1")),
      minHits_(SpinEdit(this, "SpinEdit4")),
      maxHits_(SpinEdit(this, "SpinEdit3")),
      maxRun_(SpinEdit(this, "SpinEdit2")),
      orBox_(new QCheckBox(QString::fromStdString(BlockOrCaption(number)), this)) {
    setObjectName(QString::fromStdString(BlockFormName(number)));
    setWindowTitle(QString::fromStdString(BlockFormCaption(number)));
    setModal(false);

    grid_->setObjectName("Blockgrid");
    grid_->setColumnCount(kSignCount);
    grid_->setHorizontalHeaderLabels({"1", "0", "2"});
    grid_->horizontalHeader()->setFixedHeight(kHeaderHeight);
    grid_->horizontalHeader()->setDefaultSectionSize(kCellWidth);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->verticalHeader()->setFixedWidth(kGameColumnWidth);
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setSectionsClickable(false);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setTabKeyNavigation(false);
    connect(grid_, &BlockGrid::ToggleRequested, this, &TBlockform::Toggle);

    auto* help = new QGroupBox("Auswahlhilfe", this);
    auto* helpLayout = new QGridLayout(help);
    const auto helpButton = [this, help](const char* caption, const char* name) {
        auto* button = new QPushButton(QString::fromUtf8(caption), help);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    };
    const char* captions[kSignCount] = {"&Einsen", "&Nullen", "&Zweien"};
    const char* names[kSignCount] = {"Einsen", "Nullen", "Zweien"};
    for (int i = 0; i < kSignCount; ++i) {
        QPushButton* button = helpButton(captions[i], names[i]);
        const Sign sign = kDisplayOrder[i];
        connect(button, &QPushButton::clicked, this, [this, sign] {
            MarkAllowedSign(fields_.marks, week_.State().plan, games_, sign);
            ShowMarks();
        });
        helpLayout->addWidget(button, i, 0);
    }
    QPushButton* mainTips = helpButton("&Grundtip", "Grundtip");
    connect(mainTips, &QPushButton::clicked, this, [this] {
        MarkMainTips(fields_.marks, week_.State().plan, games_);
        ShowMarks();
    });
    helpLayout->addWidget(mainTips, 0, 1);
    QPushButton* tendency = helpButton("&int. Tendenz", "Tendenz");
    connect(tendency, &QPushButton::clicked, this, [this] {
        MarkTendency(fields_.marks, week_.State().plan, games_, tendency_->value());
        ShowMarks();
    });
    helpLayout->addWidget(tendency, 1, 1);
    tendency_->setParent(help);
    tendency_->setRange(0, 11);
    tendency_->setValue(1);
    helpLayout->addWidget(tendency_, 2, 1);

    auto* bounds = new QGridLayout;
    auto* atLeast = new QLabel("mindestens", this);
    auto* atMost = new QLabel("höchstens", this);
    auto* runLabel = new QLabel(QString::fromUtf8(kBlockRunLabel).replace("\r\n", "\n"), this);
    runLabel->setObjectName("Label3");
    for (QLabel* label : {atLeast, atMost, runLabel})
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    bounds->addWidget(atLeast, 0, 0);
    bounds->addWidget(atMost, 0, 1);
    bounds->addWidget(runLabel, 0, 2);
    bounds->addWidget(minHits_, 1, 0);
    bounds->addWidget(maxHits_, 1, 1);
    bounds->addWidget(maxRun_, 1, 2);

    orBox_->setObjectName("oderbox");

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("BitBtn1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TBlockform::BitBtn1Click);
    auto* cancel = new QPushButton("Abbrechen", this);
    cancel->setObjectName("BitBtn2");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &TBlockform::reject);
    auto* remove = new QPushButton("Blockfilter löschen", this);
    remove->setObjectName("Button6");
    remove->setAutoDefault(false);
    connect(remove, &QPushButton::clicked, this, &TBlockform::Button6Click);

    auto* confirm = new QHBoxLayout;
    confirm->addWidget(ok);
    confirm->addWidget(cancel);

    auto* side = new QVBoxLayout;
    side->addWidget(help);
    side->addSpacing(6);
    side->addLayout(bounds);
    side->addSpacing(6);
    side->addWidget(orBox_);
    side->addStretch();
    side->addLayout(confirm);
    side->addWidget(remove);

    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(grid_, 0, Qt::AlignTop);
    layout->addSpacing(6);
    layout->addLayout(side);

    Load();
}

void TBlockform::reject() {
    fields_.marks = {};
    ShowMarks();
    QDialog::reject();
}

void TBlockform::showEvent(QShowEvent* event) {
    // Restoring a minimized window keeps what the user was doing.
    if (!event->spontaneous())
        Load();
    QDialog::showEvent(event);
}

void TBlockform::mouseDoubleClickEvent(QMouseEvent*) {
    SaveWindowImage(this, kImageName, ports_);
}

void TBlockform::Load() {
    const Workspace& state = week_.State();
    games_ = state.games;
    fields_ = ShowBlock(state.filters.blocks, number_, games_);

    grid_->setRowCount(games_);
    QStringList games;
    for (int g = 1; g <= games_; ++g)
        games << QString::number(g);
    grid_->setVerticalHeaderLabels(games);
    const int frame = 2 * grid_->frameWidth();
    grid_->setFixedSize(kGameColumnWidth + kSignCount * kCellWidth + frame,
                        kHeaderHeight + games_ * kRowHeight + frame);
    grid_->setCurrentCell(0, 0);

    for (QSpinBox* spin : {minHits_, maxHits_, maxRun_})
        spin->setRange(0, games_);
    minHits_->setValue(fields_.minHits);
    maxHits_->setValue(fields_.maxHits);
    maxRun_->setValue(fields_.maxRun);
    orBox_->setChecked(fields_.orNext);
    ShowMarks();
}

void TBlockform::ShowMarks() {
    for (int row = 0; row < grid_->rowCount(); ++row) {
        for (int column = 0; column < kSignCount; ++column) {
            QTableWidgetItem* cell = grid_->item(row, column);
            if (cell == nullptr) {
                cell = new QTableWidgetItem;
                cell->setTextAlignment(Qt::AlignCenter);
                grid_->setItem(row, column, cell);
            }
            const bool marked = fields_.marks[static_cast<std::size_t>(row)][kDisplayOrder[column]];
            cell->setText(marked ? "X" : "");
        }
    }
}

void TBlockform::Toggle(int row, int column) {
    if (row < 0 || row >= games_ || column < 0 || column >= kSignCount)
        return;
    ToggleMark(fields_.marks, row + 1, kDisplayOrder[column]);
    ShowMarks();
}

void TBlockform::TakeValues() {
    fields_.minHits = minHits_->value();
    fields_.maxHits = maxHits_->value();
    fields_.maxRun = maxRun_->value();
    fields_.orNext = orBox_->isChecked();
}

void TBlockform::BitBtn1Click() {
    TakeValues();
    const std::string error = BlockBoundsError(fields_);
    if (!error.empty()) {
        ports_.ShowMessage(this, MessageKind::Error, QString::fromStdString(error));
        return;
    }
    // A form left over from a longer list must not leave a gap in it.
    const auto count = static_cast<int>(week_.State().filters.blocks.size());
    if (number_ < 1 || number_ > count + 1) {
        ports_.ShowMessage(this, MessageKind::Error,
                           QString("Filterblock %1 kann nicht gespeichert werden, es gibt nur %2 "
                                   "Blockfilter.")
                               .arg(number_)
                               .arg(count));
        return;
    }
    emit BlockConfirmed(number_, BuildBlock(fields_, games_));
    accept();
}

void TBlockform::Button6Click() {
    if (static_cast<std::size_t>(number_) > week_.State().filters.blocks.size())
        return;
    emit BlockDeleteRequested(number_);
    // The form stays open; it now shows what has become block N, or a new block when N was the
    // last, so that OK cannot write the deleted block over its successor. It stays in front of
    // the filter display, which the main window has shown afresh.
    if (isVisible()) {
        Load();
        raise();
        activateWindow();
    }
}

}  // namespace velmora
