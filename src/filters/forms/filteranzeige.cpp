#include "filters/forms/filteranzeige.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "app/forms/uiports.h"
#include "app/forms/weeksignals.h"
#include "app/forms/windowimage.h"
#include "app/workingweek.h"
#include "filters/filterdisplay.h"

namespace velmora {

namespace {

// The drawing area "anzfeld": paints the table from the current block list.
class FilterArea : public QWidget {
  public:
    FilterArea(WorkingWeek& week, QWidget* parent) : QWidget(parent), week_(week) {
        setObjectName("anzfeld");
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        const Workspace& state = week_.State();
        const FilterDisplayPicture picture = FilterDisplayLayout(state.filters.blocks, state.games);
        QPainter painter(this);
        painter.setFont(font());
        const int ascent = QFontMetrics(font()).ascent();
        for (const PlacedText& text : picture.Texts()) {
            painter.setPen(text.red ? QColor(Qt::red) : palette().color(QPalette::WindowText));
            painter.drawText(text.x, text.y + ascent, QString::fromStdString(text.text));
        }
    }

  private:
    WorkingWeek& week_;
};

}  // namespace

QFont FilterWindowFont() {
    QFont font("Fixedsys");
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // The largest size that keeps to the layout's character cell.
    for (int pixels = kFilterLineHeight - 2; pixels >= 8; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(QChar('M')) <= kFilterCharWidth &&
            metrics.height() <= kFilterLineHeight)
            break;
    }
    return font;
}

TFilteranzeige::TFilteranzeige(WorkingWeek& week, UiPorts& ports, WeekSignals& weekSignals,
                               QWidget* parent)
    : QWidget(parent, Qt::Tool), week_(week), ports_(ports) {
    setObjectName("TFilteranzeige");
    setWindowTitle("Filteranzeige");

    area_ = new FilterArea(week_, this);
    area_->setFont(FilterWindowFont());

    close_ = new QPushButton("Schließen", this);
    close_->setObjectName("Schliessen");
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    connect(&weekSignals, &WeekSignals::Changed, this, [this](unsigned what) {
        if (isVisible() && (what & (kFiltersChanged | kTipPlanChanged)) != 0)
            FitToBlocks();
    });

    FitToBlocks();
}

// Closed by its button or the window's frame: the menu item is no longer ticked.
void TFilteranzeige::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    week_.FilterDisplayClosed();
}

void TFilteranzeige::showEvent(QShowEvent* event) {
    FitToBlocks();
    PlaceBesideParent();
    QWidget::showEvent(event);
}

void TFilteranzeige::keyPressEvent(QKeyEvent* event) {
    if (event->text() == "d" || event->text() == "D") {
        ports_.PrintWindowImage(this);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFilteranzeige::mouseDoubleClickEvent(QMouseEvent*) {
    SaveWindowImage(this, "Filteranzeige.BMP", ports_);
}

void TFilteranzeige::FitToBlocks() {
    const Workspace& state = week_.State();
    const FilterDisplayPicture picture = FilterDisplayLayout(state.filters.blocks, state.games);
    setFixedSize(picture.width, picture.height);
    area_->setGeometry(0, 0, picture.areaWidth, picture.areaHeight);
    close_->setGeometry((picture.width - kFilterCloseWidth) / 2, picture.closeTop,
                        kFilterCloseWidth, kFilterCloseHeight);
    area_->update();
}

void TFilteranzeige::PlaceBesideParent() {
    if (parentWidget() == nullptr)
        return;
    const QRect main = parentWidget()->window()->frameGeometry();
    QPoint place(main.right() + 1, main.top());
    // Stay on the screen when the main window leaves no room to its right.
    if (const QScreen* screen = parentWidget()->window()->screen()) {
        const QRect free = screen->availableGeometry();
        const int frameWidth = frameGeometry().width();
        place.setX(std::max(free.left(), std::min(place.x(), free.right() + 1 - frameWidth)));
        place.setY(std::max(free.top(), place.y()));
    }
    move(place);
}

}  // namespace velmora
