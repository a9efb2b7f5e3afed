#include "app/forms/systemexport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/forms/programsettings.h"
#include "app/forms/translations.h"

namespace velmora {

TSystemexport::TSystemexport(WorkingWeek& week, WeekView& view, QWidget* parent)
    : QDialog(parent), week_(week), view_(view) {
    setObjectName("TSystemexport");
    setWindowTitle("System exportieren");
    setModal(true);

    auto* form = new QGroupBox("Form", this);
    plain_ = new QRadioButton("Text, eine Reihe je Zeile", form);
    plain_->setObjectName("FormText");
    csv_ = new QRadioButton("CSV-Tabelle (Reihe;Spiel 1;…)", form);
    csv_->setObjectName("FormCsv");
    eLines_ = new QRadioButton("E-Zeilen (E,1,X,2,…)", form);
    eLines_->setObjectName("FormEZeilen");
    auto* forms = new QVBoxLayout(form);
    forms->addWidget(plain_);
    forms->addWidget(csv_);
    forms->addWidget(eLines_);

    draw_ = new QComboBox(this);
    draw_->setObjectName("Unentschieden");
    draw_->addItems({"0", "X"});
    blanks_ = new QCheckBox("Leerzeichen zwischen den Tippzeichen", this);
    blanks_->setObjectName("Leerzeichen");
    heading_ = new QLineEdit(this);
    heading_->setObjectName("ErsteZeile");
    heading_->setPlaceholderText("keine");
    split_ = new QCheckBox("höchstens", this);
    split_->setObjectName("Aufteilen");
    rowsPerFile_ = new QSpinBox(this);
    rowsPerFile_->setObjectName("ReihenJeDatei");
    rowsPerFile_->setRange(1, 10'000'000);
    rowsPerFile_->setLocale(ToolkitLocale());
    rowsPerFile_->setGroupSeparatorShown(true);
    rowsPerFile_->setValue(10'000);
    rowsPerFile_->setSuffix(" Reihen je Datei");
    auto* splitRow = new QHBoxLayout;
    splitRow->addWidget(split_);
    splitRow->addWidget(rowsPerFile_, 1);
    example_ = new QLabel(this);
    example_->setObjectName("Beispiel");
    example_->setTextFormat(Qt::PlainText);
    example_->setFont(QFont("Monospace"));

    auto* choices = new QFormLayout;
    choices->addRow("Unentschieden als:", draw_);
    choices->addRow("", blanks_);
    choices->addRow("Erste Zeile:", heading_);
    choices->addRow("Aufteilen:", splitRow);
    choices->addRow("Beispiel:", example_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("Exportieren …", QDialogButtonBox::AcceptRole);
    ok->setObjectName("Exportieren");
    QPushButton* cancel = buttons->addButton("Abbrechen", QDialogButtonBox::RejectRole);
    cancel->setObjectName("Abbrechen");
    connect(ok, &QPushButton::clicked, this, &TSystemexport::ExportierenClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(form);
    layout->addLayout(choices);
    layout->addWidget(buttons);

    for (QRadioButton* button : {plain_, csv_, eLines_})
        connect(button, &QRadioButton::toggled, this, &TSystemexport::ShowChoices);
    connect(draw_, &QComboBox::currentIndexChanged, this, &TSystemexport::ShowChoices);
    connect(blanks_, &QCheckBox::toggled, this, &TSystemexport::ShowChoices);
    connect(split_, &QCheckBox::toggled, this, &TSystemexport::ShowChoices);
    connect(heading_, &QLineEdit::textChanged, this, &TSystemexport::ShowChoices);
    SetRequest(StoredExport());
}

RowExport TSystemexport::Request() const {
    RowExport request;
    request.text.format = csv_->isChecked()      ? RowTextFormat::Csv
                          : eLines_->isChecked() ? RowTextFormat::ELine
                                                 : RowTextFormat::Plain;
    request.text.draw = draw_->currentIndex() == 1 ? 'X' : '0';
    request.text.blankBetween = blanks_->isChecked();
    request.text.heading = heading_->text().trimmed().toStdString();
    request.rowsPerFile = split_->isChecked() ? rowsPerFile_->value() : 0;
    return request;
}

void TSystemexport::SetRequest(const RowExport& request) {
    switch (request.text.format) {
        case RowTextFormat::Plain:
            plain_->setChecked(true);
            break;
        case RowTextFormat::Csv:
            csv_->setChecked(true);
            break;
        case RowTextFormat::ELine:
            eLines_->setChecked(true);
            break;
    }
    draw_->setCurrentIndex(request.text.draw == 'X' ? 1 : 0);
    blanks_->setChecked(request.text.blankBetween);
    heading_->setText(QString::fromStdString(request.text.heading));
    split_->setChecked(request.rowsPerFile > 0);
    if (request.rowsPerFile > 0)
        rowsPerFile_->setValue(request.rowsPerFile);
    ShowChoices();
}

void TSystemexport::showEvent(QShowEvent* event) {
    ShowChoices();  // the system may have changed since the window was last open
    QDialog::showEvent(event);
}

void TSystemexport::ShowChoices() {
    const RowExport request = Request();
    const RowTextFormat format = request.text.format;
    draw_->setEnabled(format != RowTextFormat::ELine);
    blanks_->setEnabled(format == RowTextFormat::Plain);
    heading_->setEnabled(format == RowTextFormat::ELine);
    rowsPerFile_->setEnabled(split_->isChecked());

    const TRowList& rows = week_.State().rows;
    if (rows.Empty()) {
        example_->clear();
        return;
    }
    TRowList first(rows.Games());
    first.Append(rows.Row(0));
    QStringList lines = QString::fromStdString(RowsAsText(first, request.text)).split('\n');
    lines.removeAll(QString());
    example_->setText(lines.join('\n'));
}

void TSystemexport::ExportierenClick() {
    const RowExport request = Request();
    StoreExport(request);
    if (week_.ExportSystem(request, view_))
        accept();
}

}  // namespace velmora
