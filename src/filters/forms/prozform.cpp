#include "filters/forms/prozform.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <algorithm>

#include "app/forms/controls.h"
#include "app/forms/uiports.h"
#include "app/workingweek.h"
#include "filters/percenteditor.h"

namespace velmora {
namespace {

constexpr int kMargin = 10;
constexpr int kRowHeight = 20;
constexpr int kHeaderHeight = 22;
constexpr int kCellWidth = 64;
constexpr int kNumberWidth = 32;

constexpr int kCellPadding = 12;
constexpr int kPanelGap = 20;
constexpr int kLabelWidth = 84;
constexpr int kEditLeft = kLabelWidth + 4;
constexpr int kEditWidth = 110;
constexpr int kPanelWidth = 260;
constexpr int kLineHeight = 24;
constexpr int kButtonHeight = 28;

// The cell editor: a line edit behind the grid's key map, starting with the grid's text.
class ValueCellDelegate : public QStyledItemDelegate {
  public:
    explicit ValueCellDelegate(ValueGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        ValueKeyFilter::Install(editor, grid_->Keys());
        // Editing starts here; setEditorData may run again while the editor is open.
        const CellEditStart start = grid_->StartEdit(index.data().toString());
        if (!start.warning.empty())
            emit grid_->EditWarning(QString::fromStdString(start.warning));
        return editor;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QLineEdit*>(editor)->setText(
            QString::fromStdString(grid_->StartEdit(index.data().toString()).text));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        model->setData(index, static_cast<QLineEdit*>(editor)->text());
    }

  private:
    ValueGrid* grid_;
};

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The first character of a key that types one, or nothing for keys that do not.
std::optional<char32_t> TypedCharacter(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty() || !text.front().isPrint())
        return std::nullopt;
    return static_cast<char32_t>(text.toUcs4().front());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Keys and grid

ValueKeyFilter::ValueKeyFilter(ValueKeyMap keys, QObject* parent) : QObject(parent), keys_(keys) {}

void ValueKeyFilter::Install(QLineEdit* edit, ValueKeyMap keys) {
    edit->installEventFilter(new ValueKeyFilter(keys, edit));
    // Pasted or dropped text would pass by the key map.
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAcceptDrops(false);
}

bool ValueKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (IsEnter(key.key()) || key.matches(QKeySequence::Paste))
        return true;
    if (key.key() == Qt::Key_Backspace)
        return !keys_(kBackspaceKey);
    const std::optional<char32_t> typed = TypedCharacter(key);
    if (!typed)
        return false;
    const std::optional<char> entered = keys_(*typed);
    if (!entered)
        return true;
    if (static_cast<char32_t>(*entered) == *typed)
        return false;
    if (auto* edit = qobject_cast<QLineEdit*>(watched))
        edit->insert(QString(QChar(*entered)));
    return true;
}

ValueGrid::ValueGrid(ValueKeyMap keys, EditStart editStart, QWidget* parent)
    : QTableWidget(parent), keys_(keys), editStart_(std::move(editStart)) {
    setObjectName("Blockgrid");
    setColumnCount(kSignCount);
    QStringList signs;
    for (Sign s : kDisplayOrder)
        signs << QString(SignChar(s));
    setHorizontalHeaderLabels(signs);
    horizontalHeader()->setFixedHeight(kHeaderHeight);
    horizontalHeader()->setDefaultSectionSize(kCellWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(kNumberWidth);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setItemDelegate(new ValueCellDelegate(this));
}

void ValueGrid::ShowCells(const ValueFormFields& fields, int n) {
    CommitEdit();
    setRowCount(n);
    QStringList games;
    for (int g = 1; g <= n; ++g)
        games << QString::number(g);
    setVerticalHeaderLabels(games);
    for (int row = 0; row < n; ++row) {
        for (int column = 0; column < kSignCount; ++column) {
            QTableWidgetItem* cell = item(row, column);
            if (cell == nullptr) {
                cell = new QTableWidgetItem;
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                setItem(row, column, cell);
            }
            cell->setText(QString::fromStdString(fields.cells[row][kDisplayOrder[column]]));
        }
    }
    // Every number is shown in full, up to its 15 significant digits.
    const int shownWidth = std::max(kCellWidth, stableCellWidth_);
    int cellWidth = shownWidth;
    for (int row = 0; row < n; ++row) {
        for (int column = 0; column < kSignCount; ++column)
            cellWidth =
                std::max(cellWidth,
                         fontMetrics().horizontalAdvance(item(row, column)->text()) + kCellPadding);
    }
    for (int column = 0; column < kSignCount; ++column)
        setColumnWidth(column, cellWidth);
    const int columns = stableCellWidth_ > 0 ? shownWidth : cellWidth;
    const bool scrolls = cellWidth > columns;
    setHorizontalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    resize(kNumberWidth + kSignCount * columns + 2 * frameWidth(),
           kHeaderHeight + n * kRowHeight + 2 * frameWidth() +
               (scrolls ? horizontalScrollBar()->sizeHint().height() : 0));
}

void ValueGrid::KeepWidthFor(const QString& widest) {
    stableCellWidth_ = fontMetrics().horizontalAdvance(widest) + kCellPadding;
}

void ValueGrid::ReadCells(ValueFormFields& fields) const {
    for (int row = 0; row < rowCount() && row < kMaxGames; ++row) {
        for (int column = 0; column < kSignCount; ++column) {
            const QTableWidgetItem* cell = item(row, column);
            fields.cells[row][kDisplayOrder[column]] =
                cell != nullptr ? cell->text().toStdString() : std::string();
        }
    }
}

void ValueGrid::CommitEdit() {
    if (state() != QAbstractItemView::EditingState)
        return;
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            if (QWidget* editor = indexWidget(model()->index(row, column))) {
                commitData(editor);
                closeEditor(editor, QAbstractItemDelegate::NoHint);
                return;
            }
        }
    }
}

void ValueGrid::keyPressEvent(QKeyEvent* event) {
    // Enter neither edits nor reaches the form's buttons; keys the map swallows start no edit.
    const std::optional<char32_t> typed = TypedCharacter(*event);
    if (IsEnter(event->key()) || (typed && !keys_(*typed))) {
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void ShowValueFields(const ValueFormControls& controls, const ValueFormFields& fields, int games) {
    controls.grid->ShowCells(fields, games);
    controls.min->setText(QString::fromStdString(fields.minText));
    controls.max->setText(QString::fromStdString(fields.maxText));
    controls.active->setChecked(fields.active);
}

ValueFormFields ReadValueFields(const ValueFormControls& controls) {
    controls.grid->CommitEdit();
    ValueFormFields fields;
    controls.grid->ReadCells(fields);
    fields.minText = controls.min->text().toStdString();
    fields.maxText = controls.max->text().toStdString();
    fields.active = controls.active->isChecked();
    return fields;
}

void LayOutValueForm(QWidget& form, ValueGrid& grid, QWidget& panel) {
    grid.move(kMargin, kMargin);
    panel.move(grid.geometry().right() + 1 + kPanelGap, kMargin);
    const int bottom = std::max(grid.geometry().bottom(), panel.geometry().bottom()) + 1;
    form.setFixedSize(panel.geometry().right() + 1 + kMargin, bottom + kMargin);
}

// ---------------------------------------------------------------------------------------------
// The percentage forms

TProzformBase::TProzformBase(int number, WorkingWeek& week, UiPorts& ports, QWidget* parent)
    : QDialog(parent),
      number_(number),
      week_(week),
      ports_(ports),
      grid_(new ValueGrid(
          &PercentKey,
          [](const QString& cell) {
              return CellEditStart{PercentCellEditText(cell.toStdString()), {}};
          },
          this)),
      panel_(new QWidget(this)),
      minEdit_(new QLineEdit("1", panel_)),
      maxEdit_(new QLineEdit("1", panel_)),
      active_(new QCheckBox("Aktiv", panel_)),
      orNext_(new QCheckBox(kPercentOrCaption, panel_)) {
    // Named after its class, as the other windows are.
    setObjectName(number == 1 ? QString("TProzform") : "TProzform" + QString::number(number));
    // The form keeps its width, whatever the grid shows, so its buttons stay where they are.
    grid_->KeepWidthFor(kPercentWidestCell);
    setWindowTitle(QString::fromStdString(PercentFormCaption(number)));
    setModal(false);

    int top = 0;
    auto addField = [this, &top](const char* labelName, const QString& label, QLineEdit* edit,
                                 const char* editName) {
        auto* text = new QLabel(label, panel_);
        text->setObjectName(labelName);
        text->setGeometry(0, top, kLabelWidth, kLineHeight);
        edit->setObjectName(editName);
        edit->setGeometry(kEditLeft, top, kEditWidth, kLineHeight);
        ValueKeyFilter::Install(edit, &PercentKey);
        top += kLineHeight + 6;
    };
    addField("Label1", QString::fromStdString(PercentMinimumLabel(number)), minEdit_, "Edit1");
    addField("Label2", "Höchstens", maxEdit_, "Edit2");

    top += 4;
    active_->setObjectName("aktiv");
    active_->setGeometry(0, top, kPanelWidth, kLineHeight);
    top += kLineHeight;
    orNext_->setObjectName("CheckBox1");
    orNext_->setGeometry(0, top, kPanelWidth, kLineHeight);
    top += kLineHeight + 10;

    const int buttonWidth = kLabelWidth + 4 + kEditWidth;
    auto* convert =
        AddButton(panel_, "Button1", kPercentConvertCaption, {0, top, buttonWidth, kButtonHeight});
    connect(convert, &QPushButton::clicked, this, &TProzformBase::Button1Click);
    top += kButtonHeight + 4;
    auto* tipPlan =
        AddButton(panel_, "Button2", kPercentTipPlanCaption, {0, top, buttonWidth, kButtonHeight});
    connect(tipPlan, &QPushButton::clicked, this, &TProzformBase::Button2Click);
    top += kButtonHeight + 4;

    const std::string loadCaption = PercentLoadButtonCaption(number);
    if (!loadCaption.empty()) {
        const int sources = PercentLoadSourceLimit(number);
        const int spinWidth = sources > 1 ? 50 : 0;
        auto* load =
            AddButton(panel_, "Button3", QString::fromStdString(loadCaption),
                      {0, top, buttonWidth - spinWidth - (spinWidth ? 6 : 0), kButtonHeight});
        connect(load, &QPushButton::clicked, this, &TProzformBase::Button3Click);
        if (sources > 1) {
            source_ = new QSpinBox(panel_);
            source_->setObjectName("SpinEdit1");
            source_->setRange(1, sources);
            source_->setGeometry(buttonWidth - spinWidth, top, spinWidth, kButtonHeight);
        }
        top += kButtonHeight + 4;
    }

    top += 10;
    const int okWidth = (buttonWidth - 6) / 2;
    auto* ok = AddButton(panel_, "BitBtn1", "OK", {0, top, okWidth, kButtonHeight});
    connect(ok, &QPushButton::clicked, this, &TProzformBase::BitBtn1Click);
    auto* cancel =
        AddButton(panel_, "BitBtn2", "Abbrechen", {okWidth + 6, top, okWidth, kButtonHeight});
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    panel_->resize(kPanelWidth, top + kButtonHeight);
}

void TProzformBase::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        ShowRecord();
    QDialog::showEvent(event);
}

void TProzformBase::ShowRecord() {
    const Workspace& state = week_.State();
    const ValueFormFields fields = ShowPercentFilter(
        state.filters.percent[static_cast<std::size_t>(number_ - 1)], state.games);
    ShowValueFields({grid_, minEdit_, maxEdit_, active_}, fields, state.games);
    orNext_->setChecked(fields.orNext);
    LayOutValueForm(*this, *grid_, *panel_);
}

ValueFormFields TProzformBase::ReadFields() {
    ValueFormFields fields = ReadValueFields({grid_, minEdit_, maxEdit_, active_});
    fields.orNext = orNext_->isChecked();
    return fields;
}

void TProzformBase::Button1Click() {
    ValueFormFields fields = ReadFields();
    const std::optional<std::string> error = ConvertToPercentages(fields, grid_->Games());
    grid_->ShowCells(fields, grid_->Games());
    LayOutValueForm(*this, *grid_, *panel_);
    if (error)
        ports_.ShowMessage(this, MessageKind::Error, QString::fromStdString(*error));
}

void TProzformBase::Button2Click() {
    ValueFormFields fields = ReadFields();
    LoadTipPlanTendencies(fields, week_.State().plan, grid_->Games());
    grid_->ShowCells(fields, grid_->Games());
    LayOutValueForm(*this, *grid_, *panel_);
}

void TProzformBase::Button3Click() {
    const int source = source_ != nullptr ? source_->value() : 1;
    // The record changes at once, whether or not OK follows.
    if (week_.LoadPercentFilter(number_, source))
        ShowRecord();
}

// OK stores all or nothing: a text that is not a number leaves the filter as it was and the
// form open.
void TProzformBase::BitBtn1Click() {
    const PercentConfirmation outcome = week_.ConfirmPercentFilter(number_, ReadFields());
    if (!outcome.closed) {
        ports_.ShowMessage(this, MessageKind::Error, QString::fromStdString(outcome.error));
        return;
    }
    accept();
}

TProzform::TProzform(WorkingWeek& week, UiPorts& ports, QWidget* parent)
    : TProzformBase(1, week, ports, parent) {}
TProzform2::TProzform2(WorkingWeek& week, UiPorts& ports, QWidget* parent)
    : TProzformBase(2, week, ports, parent) {}
TProzform3::TProzform3(WorkingWeek& week, UiPorts& ports, QWidget* parent)
    : TProzformBase(3, week, ports, parent) {}
TProzform4::TProzform4(WorkingWeek& week, UiPorts& ports, QWidget* parent)
    : TProzformBase(4, week, ports, parent) {}
TProzform5::TProzform5(WorkingWeek& week, UiPorts& ports, QWidget* parent)
    : TProzformBase(5, week, ports, parent) {}

TProzformBase* CreatePercentForm(int number, WorkingWeek& week, UiPorts& ports, QWidget* parent) {
    switch (number) {
        case 1:
            return new TProzform(week, ports, parent);
        case 2:
            return new TProzform2(week, ports, parent);
        case 3:
            return new TProzform3(week, ports, parent);
        case 4:
            return new TProzform4(week, ports, parent);
        case 5:
            return new TProzform5(week, ports, parent);
        default:
            return nullptr;
    }
}

}  // namespace velmora
