#include "evaluation/forms/gewinnermittlung.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>

#include "app/forms/programsettings.h"
#include "app/forms/uiports.h"
#include "app/forms/windowimage.h"
#include "app/workingweek.h"
#include "evaluation/forms/decimalseparator.h"
#include "filters/forms/filteranzeige.h"
#include "filters/forms/filtercheck.h"

namespace velmora {

namespace {

constexpr int kWindowWidth = 711;
constexpr int kWindowHeight = 365;
constexpr int kFixedTop = 8;
constexpr int kFixedHeight = 24;
constexpr int kLineHeight = 20;
constexpr int kDetailLeft = 275;
const QColor kMissingSignColor = Qt::red;
const QColor kCoveredSignColor = Qt::black;
// The marker spans the line's buttons and its sign and stops short of "Fehler".
constexpr int kMarkerLeft = 4;
constexpr int kMarkerWidth = 116;

int LineTop(int game) {
    return kLineHeight * game + 20;
}

// The detail lines of one error count. It keeps only the row indices and formats a line when
// the list asks for it, so that a system of a million rows costs no million strings.
class DetailListModel : public QAbstractListModel {
  public:
    DetailListModel(const TRowList& rows, int rowsPerSlip, QObject* parent)
        : QAbstractListModel(parent), rows_(rows), rowsPerSlip_(rowsPerSlip) {}

    void SetIndices(std::vector<std::int32_t> indices, int rowsPerSlip) {
        beginResetModel();
        indices_ = std::move(indices);
        rowsPerSlip_ = rowsPerSlip;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(indices_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= static_cast<int>(indices_.size()) ||
            role != Qt::DisplayRole)
            return {};
        const std::int32_t row = indices_[static_cast<std::size_t>(index.row())];
        // The system may have changed since the evaluation; its lines are then gone.
        if (row >= rows_.Count() || rowsPerSlip_ <= 0)
            return {};
        return QString::fromStdString(DetailLine(rows_, row, rowsPerSlip_));
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

  private:
    const TRowList& rows_;
    int rowsPerSlip_;
    std::vector<std::int32_t> indices_;
};

QFont DetailFont() {
    QFont font("courier");
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QLabel* FixedLabel(const QString& text, const QString& name, int x, int width, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(x, kFixedTop, width, kFixedHeight);
    return label;
}

QPushButton* FixedButton(const QString& text, const QString& name, int x, int width,
                         QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(x, kFixedTop, width, kFixedHeight);
    return button;
}

void SetTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

}  // namespace

Tgewinnermittlung::Tgewinnermittlung(WorkingWeek& week, UiPorts& ports, TFilteranzeige* display,
                                     TFiltercheck* check, QWidget* parent)
    : QDialog(parent), week_(week), ports_(ports), display_(display), check_(check) {
    setObjectName("Tgewinnermittlung");
    setWindowTitle("Gewinnermittlung");
    setFixedSize(kWindowWidth, kWindowHeight);

    neu_ = FixedButton("&Neu", "Neu", 5, 70, this);
    vorgabe_ = FixedLabel("Vorgabe", "Vorgabe", 80, 54, this);
    start_ = FixedButton("&Start", "Start", 136, 100, this);
    detailangaben_ = new QCheckBox("Detailangaben", this);
    detailangaben_->setObjectName("Detailangaben");
    detailangaben_->setGeometry(243, kFixedTop, 116, kFixedHeight);
    gewinnquote_ = FixedLabel("Gewinnquote", "Gewinnquote", 362, 100, this);
    for (int k = 0; k < 3; ++k) {
        const QString number = QString::number(k + 1);
        percent_[k] = FixedLabel("Proz. " + number, "Proz" + number, 464 + 48 * k, 46, this);
    }
    filtercheck_ = FixedButton("&Filtercheck", "Filtercheck", 624, 82, this);
    filtercheck_->setEnabled(false);

    marker_ = new QFrame(this);
    marker_->setObjectName("Aktuelles_Spiel");
    marker_->setFrameStyle(QFrame::Box | QFrame::Plain);
    marker_->setLineWidth(2);
    QPalette markerPalette = marker_->palette();
    markerPalette.setColor(QPalette::WindowText, QColor(0, 90, 200));
    markerPalette.setColor(QPalette::Window, QColor(200, 225, 255));
    marker_->setPalette(markerPalette);
    marker_->setAutoFillBackground(true);
    marker_->hide();

    // The keys of the result entry work whichever control has the focus; a drop-down list
    // would otherwise take the digits for its own search.
    for (QWidget* control :
         {static_cast<QWidget*>(neu_), static_cast<QWidget*>(start_),
          static_cast<QWidget*>(detailangaben_), static_cast<QWidget*>(filtercheck_)})
        FilterKeys(control);
    detailangaben_->setChecked(StoredWinDetails());

    connect(neu_, &QPushButton::clicked, this, &Tgewinnermittlung::NeuClick);
    connect(start_, &QPushButton::clicked, this, &Tgewinnermittlung::StartClick);
    connect(detailangaben_, &QCheckBox::clicked, this, &Tgewinnermittlung::DetailangabenClick);
    connect(filtercheck_, &QPushButton::clicked, this, &Tgewinnermittlung::FilterCheckClick);
}

Tgewinnermittlung::~Tgewinnermittlung() = default;

void Tgewinnermittlung::showEvent(QShowEvent* event) {
    // Restoring a minimised window is no new showing.
    if (!event->spontaneous())
        BuildLines();
    QDialog::showEvent(event);
    // A result is typed and then evaluated with Enter; the first button, "&Neu", would forget
    // every stored result instead.
    if (!event->spontaneous())
        start_->setFocus();
}

void Tgewinnermittlung::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        DiscardLines();
    QDialog::hideEvent(event);
}

void Tgewinnermittlung::mouseDoubleClickEvent(QMouseEvent*) {
    SaveWindowImage(this, "gewinnermit.BMP", ports_);
}

void Tgewinnermittlung::BuildLines() {
    DiscardLines();
    const Workspace& state = week_.State();
    const int n = state.games;
    if (IsValidGameCount(n)) {
        const TResultRow& result = results_.For(n);
        entry_ = ResultEntry(result, n);
        const bool details = detailangaben_->isChecked();
        for (int i = 1; i <= n; ++i) {
            const QString game = QString::number(i);
            const int top = LineTop(i);
            Line line;
            for (int slot = 0; slot < kSignCount; ++slot) {
                const Sign sign = kDisplayOrder[slot];
                auto* button = new QPushButton(QString(QChar(SignChar(sign))), this);
                button->setObjectName("tipb" + game + QChar(SignChar(sign)));
                button->setGeometry(10 + 20 * slot, top, 20, 20);
                button->setFocusPolicy(Qt::TabFocus);
                connect(button, &QPushButton::clicked, this,
                        [this, i, sign] { SignClicked(i, sign); });
                line.buttons[slot] = button;
                FilterKeys(button);
            }
            line.unknown = new QPushButton("?", this);
            line.unknown->setObjectName("tipb" + game + "?");
            line.unknown->setGeometry(10 + 20 * kSignCount, top, 20, 20);
            line.unknown->setFocusPolicy(Qt::TabFocus);
            line.unknown->setToolTip("Spiel " + game + " auf „?“ (unbekannt) zurücksetzen");
            connect(line.unknown, &QPushButton::clicked, this,
                    [this, i] { SignClicked(i, kAnySign); });
            FilterKeys(line.unknown);
            const Sign stored = result.signs[i - 1];
            line.sign = new QLabel(IsSign(stored) ? QString(QChar(SignChar(stored))) : "?", this);
            line.sign->setObjectName("Spiel_" + game);
            line.sign->setGeometry(100, top, 12, 20);

            line.errors = new QLabel(QString::number(i - 1) + " Fehler", this);
            line.errors->setObjectName("Fehler_" + game);
            line.errors->setGeometry(150, top, 20, 20);
            line.errors->adjustSize();
            line.errors->move(150, top);

            line.count = new QLabel(this);
            line.count->setObjectName("Fehlerzahl_" + game);
            SetCount(line, QString());

            if (details) {
                auto* list = new QComboBox(this);
                list->setObjectName("gew_" + game);
                list->setFont(DetailFont());
                list->setGeometry(kDetailLeft, top, 18 * n + 150, 20);
                list->setEditable(false);
                // Measuring every item for the list's width would format every line.
                list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
                if (auto* view = qobject_cast<QListView*>(list->view()))
                    view->setUniformItemSizes(true);
                list->setModel(new DetailListModel(state.rows, state.rowsPerSlip, list));
                list->setEnabled(false);
                FilterKeys(list);
                line.details = list;
            }
            lines_.push_back(line);
        }
        for (Line& line : lines_) {
            for (QPushButton* button : line.buttons)
                button->show();
            line.unknown->show();
            line.sign->show();
            line.errors->show();
            line.count->show();
            if (line.details != nullptr)
                line.details->show();
        }
    } else {
        entry_ = ResultEntry();
    }
    UpdateFilterCheckButton();
    coverage_ = UpdateCoverage(state.rows);
    UpdateMarker();
}

void Tgewinnermittlung::DiscardLines() {
    for (Line& line : lines_) {
        for (QPushButton* button : line.buttons)
            delete button;
        delete line.unknown;
        delete line.sign;
        delete line.errors;
        delete line.count;
        delete line.details;  // its model with it
    }
    lines_.clear();
    marker_->hide();
}

// The filter check works on the stored result, so it is offered only while that is complete.
void Tgewinnermittlung::UpdateFilterCheckButton() {
    const int n = week_.State().games;
    filtercheck_->setEnabled(IsValidGameCount(n) && results_.For(n).Complete(n));
}

// The count label ends before the detail list, however many digits the count has.
void Tgewinnermittlung::SetCount(Line& line, const QString& text) {
    line.count->setText(text);
    const int width = std::max(20, line.count->fontMetrics().horizontalAdvance(text) + 2);
    const int top = line.errors->y();
    line.count->setGeometry(std::min(250, kDetailLeft - 2 - width), top, width, 20);
}

QString Tgewinnermittlung::Unusable(bool details) const {
    const Workspace& state = week_.State();
    const QString prefix = "Die Gewinnermittlung ist nicht möglich: ";
    if (!IsValidGameCount(state.games)) {
        return prefix + QString::number(state.games) +
               " Spiele sind nicht möglich, erlaubt sind 11 bis 14 Spiele.";
    }
    if (!state.rows.Empty() && state.rows.Games() != state.games) {
        return prefix + "Die Reihen haben " + QString::number(state.rows.Games()) +
               " Spiele, eingestellt sind aber " + QString::number(state.games) + " Spiele.";
    }
    if (details && state.games == kMinGames && state.rowsPerSlip <= 0) {
        return prefix + "Die Zahl der Reihen je Schein (" + QString::number(state.rowsPerSlip) +
               ") ist ungültig.";
    }
    return {};
}

void Tgewinnermittlung::SignClicked(int game, Sign sign) {
    if (game < 1 || game > static_cast<int>(lines_.size()))
        return;
    entry_.Set(game, sign);
    ShowSign(game);
    UpdateMarker();
}

// The label shows the entry's sign, coloured by the coverage; "?" in the standard colour.
void Tgewinnermittlung::ShowSign(int game) {
    if (game < 1 || game > static_cast<int>(lines_.size()))
        return;
    QLabel* label = lines_[static_cast<std::size_t>(game - 1)].sign;
    const Sign sign = entry_.Signs().signs[static_cast<std::size_t>(game - 1)];
    if (!IsSign(sign)) {
        label->setText("?");
        label->setPalette(QPalette());
        return;
    }
    label->setText(QString(QChar(SignChar(sign))));
    SetTextColor(label, coverage_.Covered(game, sign) ? kCoveredSignColor : kMissingSignColor);
}

void Tgewinnermittlung::UpdateMarker() {
    const int game = entry_.Current();
    if (lines_.empty() || entry_.AtEnd() || game > static_cast<int>(lines_.size())) {
        marker_->hide();
        return;
    }
    marker_->setGeometry(kMarkerLeft, LineTop(game), kMarkerWidth, kLineHeight);
    marker_->lower();  // behind the buttons and the sign
    marker_->show();
}

void Tgewinnermittlung::FilterKeys(QWidget* control) {
    control->installEventFilter(this);
}

bool Tgewinnermittlung::IsEntryKey(const QKeyEvent& key, bool inList) const {
    if (lines_.empty())
        return false;
    if (key.matches(QKeySequence::Paste))
        return true;
    // Shift is part of "?" on many keyboards; Strg and Alt belong to the shortcuts.
    if ((key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != Qt::NoModifier)
        return false;
    switch (key.key()) {
        case Qt::Key_Backspace:
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            return !inList;
        default:
            break;
    }
    const QString text = key.text();
    return text.size() == 1 && ResultSignOf(text.at(0).unicode()).has_value();
}

bool Tgewinnermittlung::EntryKey(const QKeyEvent& key, bool inList) {
    if (!IsEntryKey(key, inList))
        return false;
    if (key.matches(QKeySequence::Paste)) {
        PasteResult();
        return true;
    }
    const int current = entry_.Current();
    switch (key.key()) {
        case Qt::Key_Backspace:
            if (entry_.Back())
                ShowSign(entry_.Current());
            break;
        case Qt::Key_Up:
            entry_.MoveTo(std::max(1, current - 1));
            break;
        case Qt::Key_Down:
            entry_.MoveTo(current + 1);
            break;
        default:
            if (entry_.Type(*ResultSignOf(key.text().at(0).unicode())))
                ShowSign(current);
            else
                QApplication::beep();  // every game has its sign; Backspace goes back
            break;
    }
    UpdateMarker();
    return true;
}

void Tgewinnermittlung::PasteResult() {
    const ResultEntry before = entry_;
    const std::string error = entry_.Paste(QApplication::clipboard()->text().toStdString());
    if (!error.empty()) {
        ports_.ShowMessage(this, MessageKind::Error,
                           "Das Ergebnis wird nicht eingefügt. " + QString::fromStdString(error));
        return;
    }
    for (int g = 1; g <= entry_.Games(); ++g) {
        if (entry_.Signs().signs[g - 1] != before.Signs().signs[g - 1])
            ShowSign(g);
    }
    UpdateMarker();
}

// Keys that the result entry uses are taken from the shortcuts, so that they reach it.
bool Tgewinnermittlung::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        IsEntryKey(*static_cast<QKeyEvent*>(event), false)) {
        event->accept();
        return true;
    }
    return QDialog::event(event);
}

void Tgewinnermittlung::keyPressEvent(QKeyEvent* event) {
    if (!EntryKey(*event, false))
        QDialog::keyPressEvent(event);
}

bool Tgewinnermittlung::eventFilter(QObject* watched, QEvent* event) {
    const bool inList = qobject_cast<QComboBox*>(watched) != nullptr;
    if (event->type() == QEvent::ShortcutOverride &&
        IsEntryKey(*static_cast<QKeyEvent*>(event), inList)) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress && EntryKey(*static_cast<QKeyEvent*>(event), inList))
        return true;
    return QDialog::eventFilter(watched, event);
}

void Tgewinnermittlung::NeuClick() {
    DiscardLines();
    results_.Reset();
    BuildLines();
}

void Tgewinnermittlung::StartClick() {
    const bool details = detailangaben_->isChecked();
    if (const QString problem = Unusable(details); !problem.isEmpty()) {
        ports_.ShowMessage(this, MessageKind::Error, problem);
        return;
    }
    const Workspace& state = week_.State();
    const int n = state.games;
    // The game count changed while the window was open: the lines of the new count first.
    if (static_cast<int>(lines_.size()) != n)
        BuildLines();

    for (Line& line : lines_) {
        if (line.details != nullptr) {
            static_cast<DetailListModel*>(line.details->model())->SetIndices({}, state.rowsPerSlip);
            line.details->setEnabled(false);
        }
    }

    TResultRow& result = results_.For(n);
    for (int g = 1; g <= n; ++g) {
        const QString text = lines_[static_cast<std::size_t>(g - 1)].sign->text();
        const int digit = text.size() == 1 ? text.at(0).digitValue() : -1;
        result.signs[g - 1] =
            digit >= 0 && digit < kSignCount ? static_cast<Sign>(digit) : kAnySign;
    }

    Evaluation evaluation = Evaluate(state.rows, result, n, state.filters, details);
    for (int i = 1; i <= n; ++i) {
        Line& line = lines_[static_cast<std::size_t>(i - 1)];
        SetCount(line, QString::number(evaluation.counters[static_cast<std::size_t>(i - 1)]));
        if (line.details != nullptr) {
            auto& rows = evaluation.rowsByErrors[static_cast<std::size_t>(i - 1)];
            const bool any = !rows.empty();
            static_cast<DetailListModel*>(line.details->model())
                ->SetIndices(std::move(rows), state.rowsPerSlip);
            line.details->setEnabled(any);
            line.details->setCurrentIndex(any ? 0 : -1);
        }
    }

    if (evaluation.complete) {
        const char separator = LocaleDecimalSeparator();
        gewinnquote_->setText(
            QString::fromStdString(ProductText(evaluation.product.value_or(0.0), n, separator)));
        for (int k = 0; k < 3; ++k)
            percent_[k]->setText(QString::fromStdString(MeanText(evaluation.means[k], separator)));
    }
    filtercheck_->setEnabled(evaluation.complete);
}

// Hiding and showing again would end the modal showing, so the lines are rebuilt in place.
void Tgewinnermittlung::DetailangabenClick() {
    StoreWinDetails(detailangaben_->isChecked());
    BuildLines();
}

void Tgewinnermittlung::FilterCheckClick() {
    const int n = week_.State().games;
    if (!IsValidGameCount(n) || !results_.For(n).Complete(n)) {
        ports_.ShowMessage(this, MessageKind::Error,
                           "Der Filtercheck braucht ein vollständiges Ergebnis. Bitte alle "
                           "Spiele eintragen und „Start“ drücken.");
        filtercheck_->setEnabled(false);
        return;
    }
    if (display_ != nullptr && check_ != nullptr)
        OpenFilterCheck(*display_, *check_, results_.For(n));
}

}  // namespace velmora
