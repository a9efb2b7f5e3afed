#include "evaluation/forms/gewinntabelle.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSpinBox>
#include <QTableWidget>
#include <QWindow>
#include <numeric>

#include "app/forms/busycursor.h"
#include "app/forms/uiports.h"
#include "app/forms/windowimage.h"
#include "app/workingweek.h"
#include "evaluation/forms/decimalseparator.h"
#include "evaluation/tipdistribution.h"

namespace velmora {

namespace {

constexpr int kWindowWidth = 696;
constexpr int kWindowHeight = 480;
constexpr std::array<int, 6> kColumnWidths{50, 50, 50, 50, 50, 118};
constexpr int kGridRowHeight = 24;
constexpr int kResultsLeft = 430;
constexpr int kMinimumLimit = 999999;

QString Caption(int n, int errors) {
    return QString::fromStdString(ClassCaption(n, errors));
}

// Keeps the user's hands off every other window while a long run lets events through: the
// run reads and extends the system, which the main window could otherwise replace under it.
class InputOnlyTo : public QObject {
  public:
    explicit InputOnlyTo(QWidget& window) : window_(window) { qApp->installEventFilter(this); }
    ~InputOnlyTo() override { qApp->removeEventFilter(this); }
    InputOnlyTo(const InputOnlyTo&) = delete;
    InputOnlyTo& operator=(const InputOnlyTo&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Shortcut:
            case QEvent::ShortcutOverride:
            case QEvent::ContextMenu:
            case QEvent::TouchBegin:
            case QEvent::Drop:
            case QEvent::Close:
                return !Inside(watched);
            default:
                return false;
        }
    }

  private:
    // The desktop hands input to a window's QWindow first, which passes it to the widgets.
    bool Inside(QObject* watched) const {
        if (const auto* widget = qobject_cast<QWidget*>(watched))
            return widget == &window_ || window_.isAncestorOf(widget);
        if (const auto* handle = qobject_cast<QWindow*>(watched))
            return handle == window_.windowHandle();
        return false;
    }

    QWidget& window_;
};

// The status line of a long run, and the pending events handled at most every 25 ms, so that
// Esc is felt at once and the counting loses nothing measurable.
class LongRunProgress : public RunObserver {
  public:
    explicit LongRunProgress(QLabel& status) : status_(status) {}

    void ShowProgress(std::int32_t percent) override {
        if (percent == shown_)
            return;
        shown_ = percent;
        status_.setText(QString::fromStdString(WinTableProgressText(percent)));
    }
    // The first call comes before any outcome is counted: an Esc typed at once counts at once.
    void ProcessEvents() override {
        if (clock_.isValid() && clock_.elapsed() < 25)
            return;
        QApplication::processEvents();
        clock_.start();
    }

  private:
    QLabel& status_;
    QElapsedTimer clock_;
    std::int32_t shown_ = -1;
};

}  // namespace

TGewinntabelle::TGewinntabelle(WorkingWeek& week, UiPorts& ports, QWidget* parent)
    : QDialog(parent), week_(week), ports_(ports) {
    setObjectName("TGewinntabelle");
    setWindowTitle("Gewinntabelle");
    setFixedSize(kWindowWidth, kWindowHeight);
    BuildSettings();
    BuildResults();
    BuildButtons();
}

void TGewinntabelle::BuildSettings() {
    auto* basis = new QGroupBox("Berechnungsgrundlage", this);
    basis->setObjectName("GroupBox1");
    basis->setGeometry(8, 8, 170, 74);
    allOptions_ = new QCheckBox("mit allen Optionen", basis);
    allOptions_->setObjectName("CheckBox2");
    allOptions_->setGeometry(10, 22, 155, 20);
    allOptions_->setChecked(true);
    connect(allOptions_, &QCheckBox::clicked, this, [this] { SelectMainTips(0); });
    mainTips_ = new QCheckBox("Grundtippvorgabe", basis);
    mainTips_->setObjectName("CheckBox1");
    mainTips_->setGeometry(10, 46, 155, 20);

    auto* correct = new QGroupBox("richtige Grundtips", this);
    correct->setObjectName("RadioGroup1");
    correct->setGeometry(186, 8, 236, 74);
    for (int j = 0; j < 10; ++j) {
        auto* button = new QRadioButton(QString::number(kMinGames - j), correct);
        button->setObjectName((j == 0 ? "Z" : "z") + QString::number(j));
        button->setGeometry(10 + 44 * (j % 5), 22 + 24 * (j / 5), 42, 20);
        connect(button, &QRadioButton::clicked, this, [this, j] { SelectMainTips(j); });
        correct_[static_cast<std::size_t>(j)] = button;
    }
    correct_[0]->setChecked(true);

    auto* minimum = new QGroupBox("Mindestgarantie", this);
    minimum->setObjectName("GroupBox2");
    minimum->setGeometry(8, 412, 414, 60);
    const std::array<const char*, 3> names{"min10spin", "min9spin", "min8spin"};
    for (int r = 0; r < 3; ++r) {
        auto* label = new QLabel(QString::number(r + 2) + ". Rang", minimum);
        label->setGeometry(10 + 136 * r, 26, 56, 20);
        auto* spin = new QSpinBox(minimum);
        spin->setObjectName(names[static_cast<std::size_t>(r)]);
        spin->setRange(0, kMinimumLimit);
        spin->setGeometry(66 + 136 * r, 24, 64, 24);
        label->setBuddy(spin);
        minimum_[static_cast<std::size_t>(r)] = spin;
    }
    settingControls_ = {basis, correct, minimum};
}

void TGewinntabelle::BuildResults() {
    cases_ = new QLabel(this);
    cases_->setObjectName("Fallabel");
    cases_->setGeometry(8, 88, 414, 18);

    grid_ = new QTableWidget(0, 6, this);
    grid_->setObjectName("gewinngrid");
    // As wide as its columns and the scroll bar, so no empty strip follows the last column.
    const int columns = std::accumulate(kColumnWidths.begin(), kColumnWidths.end(), 0);
    grid_->setGeometry(
        8, 108, columns + 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width(),
        298);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    grid_->horizontalHeader()->setFixedHeight(kGridRowHeight);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    for (int c = 0; c < 6; ++c)
        grid_->setColumnWidth(c, kColumnWidths[static_cast<std::size_t>(c)]);
    QStringList headings;
    for (int e = 0; e < kWinClasses; ++e)
        headings << Caption(kMinGames, e);
    headings << kCasesHeading;
    grid_->setHorizontalHeaderLabels(headings);

    auto* highest = new QLabel("höchster Gewinn", this);
    highest->setObjectName("Label1");
    highest->setGeometry(kResultsLeft + 20, 12, 120, 20);
    auto* percent = new QLabel("%", this);
    percent->setObjectName("Label2");
    percent->setGeometry(kResultsLeft + 150, 12, 20, 20);
    for (int e = 0; e < kWinClasses; ++e) {
        const int top = 40 + 26 * e;
        auto* label = new QLabel(QString::number(6 - e) + "er", this);
        label->setObjectName("Label" + QString::number(3 + e));
        label->setGeometry(kResultsLeft + 20, top, 60, 20);
        auto* value = new QLabel("0", this);
        value->setObjectName(e == 0 ? "pr0" : "Pr" + QString::number(e));
        value->setGeometry(kResultsLeft + 90, top, 80, 20);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        classLabels_[static_cast<std::size_t>(e)] = label;
        valueLabels_[static_cast<std::size_t>(e)] = value;
    }

    status_ = new QLabel(this);
    status_->setObjectName("Statuslabel");
    status_->setGeometry(kResultsLeft + 20, 300, 250, 44);
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TGewinntabelle::BuildButtons() {
    auto addButton = [this](const QString& name, const QString& caption, int top) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setGeometry(kResultsLeft + 20, top, 150, 28);
        return button;
    };
    QPushButton* start = addButton("BitBtn1", "OK", 190);
    start->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    start->setDefault(true);
    connect(start, &QPushButton::clicked, this, &TGewinntabelle::StartClick);
    QPushButton* print = addButton("Button1", "Druckmenü", 224);
    connect(print, &QPushButton::clicked, this, &TGewinntabelle::DruckmenuClick);
    QPushButton* close = addButton("BitBtn2", "Schließen", 258);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    settingControls_.insert(settingControls_.end(), {start, print, close});
}

void TGewinntabelle::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    const int n = week_.State().games;
    for (int e = 0; e < kWinClasses; ++e) {
        grid_->horizontalHeaderItem(e)->setText(Caption(n, e));
        classLabels_[static_cast<std::size_t>(e)]->setText(Caption(n, e));
    }
    for (int j = 0; j < 10; ++j)
        correct_[static_cast<std::size_t>(j)]->setText(QString::number(n - j));
    SelectMainTips(0);
}

void TGewinntabelle::SelectMainTips(int digit) {
    correct_[static_cast<std::size_t>(digit)]->setChecked(true);
    correctMainTips_ = week_.State().games - digit;
}

QString TGewinntabelle::Unusable() const {
    const Workspace& state = week_.State();
    const QString prefix = "Die Gewinntabelle ist nicht möglich: ";
    const std::string reason = UnusableRowsReason(state.rows, state.games);
    if (!reason.empty())
        return prefix + QString::fromStdString(reason);
    if (!state.plan.TipsComplete(state.games))
        return prefix + "Im Tippplan fehlen noch Tips.";
    return {};
}

void TGewinntabelle::StartClick() {
    if (running_)
        return;
    if (const QString reason = Unusable(); !reason.isEmpty()) {
        ports_.ShowMessage(this, MessageKind::Error, reason);
        return;
    }
    WinTableSettings settings;
    settings.allOptions = allOptions_->isChecked();
    settings.mainTipsRequired = mainTips_->isChecked();
    settings.correctMainTips = correctMainTips_;
    for (std::size_t r = 0; r < minimum_.size(); ++r)
        settings.minimum[r] = minimum_[r]->value();

    WinTableResult result;
    if (IsLongWinTable(week_.State().plan, week_.State().games)) {
        result = RunLong(settings);
        if (result.aborted)
            return;
    } else {
        const BusyCursor busy;
        result = week_.RunWinTable(settings);
        status_->clear();
    }
    patterns_ = std::move(result.patterns);
    total_ = result.total;
    ShowPatterns();
    if (!patterns_.empty()) {
        const char separator = LocaleDecimalSeparator();
        for (int e = 0; e < kWinClasses; ++e) {
            valueLabels_[static_cast<std::size_t>(e)]->setText(QString::fromStdString(
                PercentageText(result.percentages[static_cast<std::size_t>(e)], separator)));
        }
        cases_->setText(QString::fromStdString(CasesText(total_)));
    }
    if (result.rowsAdded > 0)
        ports_.ShowMessage(this, MessageKind::Information, kRowsAddedMessage);
}

WinTableResult TGewinntabelle::RunLong(const WinTableSettings& settings) {
    WinTableResult result;
    {
        const BusyCursor busy;
        const InputOnlyTo onlyHere(*this);
        running_ = true;
        closeAfterRun_ = false;
        abort_.Clear();
        EnableSettings(false);
        LongRunProgress progress(*status_);
        progress.ShowProgress(0);
        QApplication::processEvents();  // the status line before the work starts
        result = week_.RunWinTable(settings, abort_, progress);
        running_ = false;
        EnableSettings(true);
    }
    status_->setText(result.aborted ? kWinTableAborted : "");
    if (closeAfterRun_)
        hide();
    return result;
}

void TGewinntabelle::EnableSettings(bool enabled) {
    for (QWidget* control : settingControls_)
        control->setEnabled(enabled);
}

void TGewinntabelle::reject() {
    if (running_)
        abort_.Set();
    else
        QDialog::reject();
}

void TGewinntabelle::closeEvent(QCloseEvent* event) {
    if (!running_) {
        QDialog::closeEvent(event);
        return;
    }
    // The run unwinds first; the window goes once the system is as it was.
    abort_.Set();
    closeAfterRun_ = true;
    event->ignore();
}

void TGewinntabelle::ShowPatterns() {
    auto cell = [](std::int32_t number) {
        auto* item = new QTableWidgetItem(QString::number(number));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return item;
    };
    grid_->clearContents();
    grid_->setRowCount(static_cast<int>(patterns_.size()));
    for (int r = 0; r < grid_->rowCount(); ++r) {
        const TWinPattern& pattern = patterns_[static_cast<std::size_t>(r)];
        for (int c = 0; c < kWinClasses; ++c)
            grid_->setItem(r, c, cell(pattern.counts[static_cast<std::size_t>(c)]));
        grid_->setItem(r, kWinClasses, cell(pattern.multiplicity));
    }
}

WinTableView TGewinntabelle::View() const {
    WinTableView view;
    for (int c = 0; c < 6; ++c)
        view.headings[static_cast<std::size_t>(c)] =
            grid_->horizontalHeaderItem(c)->text().toStdString();
    for (std::size_t e = 0; e < kWinClasses; ++e) {
        view.classLabels[e] = classLabels_[e]->text().toStdString();
        view.valueLabels[e] = valueLabels_[e]->text().toStdString();
    }
    view.patterns = patterns_;
    view.total = total_;
    return view;
}

void TGewinntabelle::DruckmenuClick() {
    if (!printout_.Preview(View(), this, ports_)) {
        ports_.ShowMessage(this, MessageKind::Information,
                           "Die Gewinntabelle enthält keine Zeile; es gibt nichts zu drucken.");
    }
}

void TGewinntabelle::mouseDoubleClickEvent(QMouseEvent*) {
    if (running_)
        return;
    SaveWindowImage(this, "gewinntab.BMP", ports_);
}

}  // namespace velmora
