#include "filters/forms/quotblockform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>

#include "app/forms/uiports.h"
#include "app/forms/windowimage.h"
#include "app/workingweek.h"
#include "filters/forms/prozform.h"
#include "filters/oddseditor.h"

namespace velmora {
namespace {

constexpr int kLabelWidth = 100;
constexpr int kEditWidth = 100;
constexpr int kLineHeight = 24;
constexpr int kButtonHeight = 28;

// OK keeps the value of a text that is not a number; the user learns which ones.
QString KeptValuesMessage(const std::vector<std::string>& places) {
    QString message = "Kein gültiger Zahlenwert, der bisherige Wert bleibt bei: ";
    for (std::size_t i = 0; i < places.size(); ++i)
        message += (i > 0 ? "; " : "") + QString::fromStdString(places[i]);
    return message;
}

}  // namespace

Tquotblockform::Tquotblockform(WorkingWeek& week, UiPorts& ports, QWidget* parent)
    : QDialog(parent),
      week_(week),
      ports_(ports),
      grid_(new ValueGrid(
          &OddsGridKey, [](const QString& cell) { return OddsCellEditText(cell.toStdString()); },
          this)),
      panel_(new QWidget(this)),
      minEdit_(new QLineEdit("1", panel_)),
      maxEdit_(new QLineEdit("1", panel_)),
      active_(new QCheckBox("Aktiv", panel_)) {
    setObjectName("Tquotblockform");
    setWindowTitle(kOddsFormCaption);
    setModal(false);

    // The warning waits until the cell's editor is open.
    connect(
        grid_, &ValueGrid::EditWarning, this,
        [this](const QString& text) { ports_.ShowMessage(this, MessageKind::Warning, text); },
        Qt::QueuedConnection);

    constexpr int editLeft = kLabelWidth + 4;
    int top = 0;
    auto addField = [this, &top](const char* labelName, const QString& label, QLineEdit* edit,
                                 const char* editName) {
        auto* text = new QLabel(label, panel_);
        text->setObjectName(labelName);
        text->setGeometry(0, top, kLabelWidth, kLineHeight);
        edit->setObjectName(editName);
        edit->setGeometry(editLeft, top, kEditWidth, kLineHeight);
        ValueKeyFilter::Install(edit, &OddsBandKey);
        top += kLineHeight + 6;
    };
    addField("Label1", "Mindetstquote:", minEdit_, "Edit1");
    addField("Label2", "Höchstquote", maxEdit_, "Edit2");

    top += 4;
    active_->setObjectName("aktiv");
    active_->setGeometry(0, top, editLeft + kEditWidth, kLineHeight);
    top += kLineHeight + 14;

    const int buttonWidth = (editLeft + kEditWidth - 6) / 2;
    auto* ok = new QPushButton("OK", panel_);
    ok->setObjectName("BitBtn1");
    ok->setAutoDefault(false);
    ok->setGeometry(0, top, buttonWidth, kButtonHeight);
    connect(ok, &QPushButton::clicked, this, &Tquotblockform::BitBtn1Click);
    auto* cancel = new QPushButton("Abbrechen", panel_);
    cancel->setObjectName("BitBtn2");
    cancel->setAutoDefault(false);
    cancel->setGeometry(buttonWidth + 6, top, buttonWidth, kButtonHeight);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    panel_->resize(editLeft + kEditWidth, top + kButtonHeight);

    ShowRecord();
    SaveWindowImage(this, kOddsFormImage);
}

void Tquotblockform::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        ShowRecord();
    QDialog::showEvent(event);
}

void Tquotblockform::ShowRecord() {
    const Workspace& state = week_.State();
    const ValueFormFields fields = ShowOddsFilter(state.filters.odds, state.games);
    ShowValueFields({grid_, minEdit_, maxEdit_, active_}, fields, state.games);
    LayOutValueForm(*this, *grid_, *panel_);
}

void Tquotblockform::BitBtn1Click() {
    const ValueFormFields fields = ReadValueFields({grid_, minEdit_, maxEdit_, active_});
    const std::vector<std::string> kept = week_.ConfirmOddsFilter(fields);
    if (!kept.empty())
        ports_.ShowMessage(this, MessageKind::Warning, KeptValuesMessage(kept));
    accept();
}

}  // namespace velmora
