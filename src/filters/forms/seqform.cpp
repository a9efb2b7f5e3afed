#include "filters/forms/seqform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValidator>

#include "app/forms/uiports.h"
#include "app/workingweek.h"

namespace velmora {
namespace {

// Every change of the pattern, typed or pasted, is taken as the keys it consists of: "0",
// "1", "2" and "*" stay, a blank becomes "*"; any other character or a ninth one refuses
// the change.
class PatternValidator : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        std::string accepted;
        for (const QChar c : input) {
            const std::optional<char> key = SequencePatternKey(accepted, c.unicode());
            if (!key || *key == '\b')
                return Invalid;
            accepted += *key;
        }
        const QString text = QString::fromStdString(accepted);
        if (text != input)
            input = text;
        return Acceptable;
    }
};

}  // namespace

Tseqform::Tseqform(WorkingWeek& week, UiPorts& ports, QWidget* parent)
    : QDialog(parent),
      week_(week),
      ports_(ports),
      pattern_(new QLineEdit(this)),
      minCount_(new QSpinBox(this)),
      maxCount_(new QSpinBox(this)),
      orBox_(new QCheckBox(this)) {
    setObjectName("seqform");
    setModal(true);

    pattern_->setObjectName("Edit1");
    pattern_->setValidator(new PatternValidator(pattern_));
    pattern_->setMinimumWidth(110);
    auto* hint = new QLabel("0, 1, 2 oder * (Leertaste: *)", this);
    QFont small = hint->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    hint->setFont(small);

    minCount_->setObjectName("SpinEdit1");
    minCount_->setMinimumWidth(56);
    maxCount_->setMinimumWidth(56);
    minCount_->setRange(0, kSequenceMinCountLimit);
    maxCount_->setObjectName("SpinEdit2");
    maxCount_->setRange(0, kSequenceMaxCountLimit);
    orBox_->setObjectName("CheckBox1");

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Sequenz", this), 0, 0);
    fields->addWidget(pattern_, 0, 1);
    fields->addWidget(hint, 1, 1);
    fields->addWidget(new QLabel("mindestens", this), 2, 0);
    fields->addWidget(minCount_, 2, 1, Qt::AlignLeft);
    fields->addWidget(new QLabel("höchstens", this), 3, 0);
    fields->addWidget(maxCount_, 3, 1, Qt::AlignLeft);
    fields->addWidget(orBox_, 4, 0, 1, 2);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("BitBtn1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &Tseqform::BitBtn1Click);
    auto* abort = new QPushButton("Abbruch", this);
    abort->setObjectName("BitBtn2");
    abort->setAutoDefault(false);
    connect(abort, &QPushButton::clicked, this, &Tseqform::reject);
    auto* remove = new QPushButton("Sequenz löschen", this);
    remove->setObjectName("Button6");
    remove->setAutoDefault(false);
    connect(remove, &QPushButton::clicked, this, &Tseqform::Button6Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(abort);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->addWidget(remove);

    Load(1);
}

void Tseqform::Edit(int number) {
    if (number < 1)
        return;
    Load(number);
    ports_.ShowModal(*this);
}

void Tseqform::Load(int number) {
    number_ = number;
    setWindowTitle(QString::fromStdString(SequenceFormCaption(number)));
    orBox_->setText(QString::fromStdString(SequenceOrCaption(number)));
    const Workspace& state = week_.State();
    const SequenceFormFields fields = ShowSequence(state.filters.sequences, number, state.games);
    pattern_->setText(QString::fromStdString(fields.pattern));
    minCount_->setValue(fields.minCount);
    maxCount_->setValue(fields.maxCount);
    orBox_->setChecked(fields.orNext);
    pattern_->setFocus();
}

void Tseqform::BitBtn1Click() {
    const SequenceConfirmation outcome =
        BuildSequenceRule({pattern_->text().toStdString(), minCount_->value(), maxCount_->value(),
                           orBox_->isChecked()});
    if (!outcome.error.empty()) {
        ports_.ShowMessage(this, MessageKind::Error, QString::fromStdString(outcome.error));
        return;
    }
    if (outcome.rule) {
        const auto count = static_cast<int>(week_.State().filters.sequences.size());
        if (number_ > count + 1) {
            ports_.ShowMessage(this, MessageKind::Error,
                               QString("Die %1. Sequenz kann nicht gespeichert werden, es gibt "
                                       "nur %2 Sequenzen.")
                                   .arg(number_)
                                   .arg(count));
            return;
        }
        emit SequenceConfirmed(number_, *outcome.rule);
    }
    accept();
}

void Tseqform::Button6Click() {
    if (static_cast<std::size_t>(number_) <= week_.State().filters.sequences.size())
        emit SequenceDeleteRequested(number_);
    accept();
}

}  // namespace velmora
