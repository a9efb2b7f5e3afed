#include "app/forms/scheinjustierung.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/forms/programsettings.h"
#include "app/forms/slipprinting.h"
#include "app/forms/uiports.h"
#include "app/workingweek.h"

namespace velmora {

TScheinjustierung::TScheinjustierung(const WorkingWeek& week, UiPorts& ports, QWidget* parent)
    : QDialog(parent), week_(week), ports_(ports) {
    setObjectName("TScheinjustierung");
    setWindowTitle("Schein justieren");

    auto* hint = new QLabel(
        "Um so viele Millimeter wird jede Ziffer des Scheindrucks verschoben, damit sie in den "
        "Kästchen der Scheine landet, wie dieser Drucker sie einzieht. Positive Werte "
        "verschieben nach rechts bzw. nach unten, negative nach links bzw. nach oben; erlaubt "
        "sind −20,0 bis +20,0 mm in Schritten von 0,1 mm. 0 druckt an den üblichen Stellen.",
        this);
    hint->setObjectName("Hinweis");
    hint->setWordWrap(true);

    right_ = new QLineEdit(this);
    right_->setObjectName("VersatzRechts");
    down_ = new QLineEdit(this);
    down_->setObjectName("VersatzUnten");
    auto* fields = new QFormLayout;
    fields->addRow("&Waagerecht (mm, + nach rechts):", right_);
    fields->addRow("&Senkrecht (mm, + nach unten):", down_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OK");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton("Abbrechen", QDialogButtonBox::RejectRole);
    cancel->setObjectName("Abbrechen");
    QPushButton* test = buttons->addButton("&Testseite drucken", QDialogButtonBox::ActionRole);
    test->setObjectName("Testseite");
    connect(ok, &QPushButton::clicked, this, &TScheinjustierung::OkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(test, &QPushButton::clicked, this, &TScheinjustierung::TestseiteClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    setFixedWidth(440);
}

// Always the stored offset: what was typed and cancelled last time is gone.
void TScheinjustierung::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    const SlipOffset stored = StoredSlipOffset();
    right_->setText(QString::fromStdString(SlipOffsetText(stored.dx)));
    down_->setText(QString::fromStdString(SlipOffsetText(stored.dy)));
    right_->setFocus();
    right_->selectAll();
}

std::optional<SlipOffset> TScheinjustierung::Entered() {
    auto read = [this](QLineEdit* field, const QString& name) -> std::optional<int> {
        const std::optional<int> tenths = ParseSlipOffset(field->text().trimmed().toStdString());
        if (!tenths) {
            ports_.ShowMessage(this, MessageKind::Error,
                               "Der " + name + " Versatz „" + field->text() +
                                   "“ ist keine Zahl von −20,0 bis +20,0 mm mit höchstens "
                                   "einer Nachkommastelle.");
            field->setFocus();
            field->selectAll();
        }
        return tenths;
    };
    const std::optional<int> dx = read(right_, "waagerechte");
    if (!dx)
        return std::nullopt;
    const std::optional<int> dy = read(down_, "senkrechte");
    if (!dy)
        return std::nullopt;
    return SlipOffset{*dx, *dy};
}

void TScheinjustierung::OkClick() {
    const std::optional<SlipOffset> offset = Entered();
    if (!offset)
        return;
    StoreSlipOffset(*offset);
    accept();
}

void TScheinjustierung::TestseiteClick() {
    const std::optional<SlipOffset> offset = Entered();
    if (!offset)
        return;
    const Workspace& state = week_.State();
    const SlipDocument page = LayoutSlipTestPage(state.games, state.rowsPerSlip, *offset);
    ports_.Print(this, "Testseite.pdf", SlipPageLayout(), 1,
                 [&page](QPainter& painter, int) { PaintSlipPage(painter, page); });
}

}  // namespace velmora
