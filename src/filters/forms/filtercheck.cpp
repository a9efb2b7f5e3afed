#include "filters/forms/filtercheck.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "app/workingweek.h"
#include "filters/filterdisplay.h"
#include "filters/forms/filteranzeige.h"

namespace velmora {

namespace {

// The layout counts a fixed cell per character; the font may be a fraction of a pixel wider,
// which over a long text would cut off its end.
int LabelWidth(const QLabel& label, const std::string& text) {
    return std::max(TextWidth(text),
                    label.fontMetrics().horizontalAdvance(QString::fromStdString(text))) +
           2;
}

QLabel* PlacedLabel(const PlacedText& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(QString::fromStdString(text.text), parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(text.x, text.y, LabelWidth(*label, text.text), kFilterLineHeight + 2);
    if (text.red) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::red);
        label->setPalette(palette);
    }
    return label;
}

}  // namespace

TFiltercheck::TFiltercheck(WorkingWeek& week, QWidget* parent) : QDialog(parent), week_(week) {
    setObjectName("TFiltercheck");
    setWindowTitle("Filtercheck");
    setModal(false);
    setFont(FilterWindowFont());

    top_ = new QLabel(this);
    top_->setObjectName("StaticText1");
    top_->setTextFormat(Qt::PlainText);

    // Escape closes the window as well, as in every dialog.
    close_ = new QPushButton("Schließen", this);
    close_->setObjectName("Schliessen");
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFiltercheck::ShowFor(const TResultRow& result) {
    result_ = result;
    if (isVisible()) {
        BuildLabels();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void TFiltercheck::showEvent(QShowEvent* event) {
    BuildLabels();
    QDialog::showEvent(event);
}

void TFiltercheck::hideEvent(QHideEvent* event) {
    DiscardLabels();
    QDialog::hideEvent(event);
}

void TFiltercheck::BuildLabels() {
    DiscardLabels();
    const Workspace& state = week_.State();
    const FilterCheckPicture picture =
        FilterCheckLayout(result_, state.games, state.filters.blocks);

    const PlacedText& top = picture.top;
    top_->setText(QString::fromStdString(top.text));
    top_->setGeometry(top.x, top.y, LabelWidth(*top_, top.text), kFilterLineHeight + 2);

    for (std::size_t g = 0; g < picture.gameLabels.size(); ++g) {
        QLabel* label =
            PlacedLabel(picture.gameLabels[g], "Spielnummer_" + QString::number(g + 1), this);
        label->show();
        labels_.push_back(label);
    }

    static const char* const kHeadingNames[3] = {"MinText_", "MaxText_", "MaxzText_"};
    static const char* const kValueNames[3] = {"Min_", "Max_", "Maxz_"};
    for (const CheckColumn& column : picture.columns) {
        const QString k = QString::number(column.block);
        std::vector<QLabel*> added;
        added.push_back(PlacedLabel(column.header, "Filter_" + k, this));
        for (std::size_t g = 0; g < column.signs.size(); ++g) {
            added.push_back(
                PlacedLabel(column.signs[g], "Filter_" + k + "_" + QString::number(g + 1), this));
        }
        for (std::size_t i = 0; i < 3; ++i) {
            added.push_back(PlacedLabel(column.headings[i], kHeadingNames[i] + k, this));
            added.push_back(PlacedLabel(column.values[i], kValueNames[i] + k, this));
        }
        for (QLabel* label : added)
            label->show();
        labels_.insert(labels_.end(), added.begin(), added.end());
    }
    close_->setGeometry((picture.width - kFilterCloseWidth) / 2, picture.closeTop,
                        kFilterCloseWidth, kFilterCloseHeight);
    setFixedSize(picture.width, picture.height);
}

void TFiltercheck::DiscardLabels() {
    for (QLabel* label : labels_)
        delete label;
    labels_.clear();
}

void OpenFilterCheck(TFilteranzeige& display, TFiltercheck& check, const TResultRow& result) {
    display.show();
    display.raise();
    check.ShowFor(result);
}

}  // namespace velmora
