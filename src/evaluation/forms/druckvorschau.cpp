#include "evaluation/forms/druckvorschau.h"

#include <QFont>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>

#include "app/forms/uiports.h"

namespace velmora {

BandPainter::BandPainter(QPainter& painter, ReportBand heading, std::function<void()> newPage,
                         int fontPoints)
    : painter_(painter),
      dotsPerMm_(painter.device()->logicalDpiY() / 25.4),
      pageHeight_(painter.device()->height() / dotsPerMm_),
      heading_(std::move(heading)),
      newPage_(std::move(newPage)) {
    QFont font(ReportPage::kFont);
    font.setPointSize(fontPoints);
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    Paint(heading_);
}

void BandPainter::Add(const ReportBand& band) {
    if (!Fits(band.height))
        NextPage();
    Paint(band);
}

double BandPainter::Reserve(double height) {
    if (!Fits(height))
        NextPage();
    const double top = top_;
    top_ += height;
    return top;
}

void BandPainter::NextPage() {
    newPage_();
    top_ = 0;
    Paint(heading_);
}

void BandPainter::Paint(const ReportBand& band) {
    for (const ReportField& field : band.fields) {
        const QPointF topLeft(field.left * dotsPerMm_, (top_ + field.top) * dotsPerMm_);
        painter_.drawText(QRectF(topLeft, QSizeF(0, 0)),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                          QString::fromStdString(field.text));
    }
    top_ += band.height;
}

QPageLayout ReportPageLayout() {
    const double margin = ReportPage::kMargin;
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
}

void PaintReport(WinTableReport& report, QPainter& painter, const std::function<void()>& newPage) {
    report.BeforePrinting();
    BandPainter bands(painter, report.Heading(), newPage);
    while (report.NeedData())
        bands.Add(report.Detail());
    bands.Add(report.Summary());
}

bool TDruckvorschau::Preview(const WinTableView& view, QWidget* parent, UiPorts& ports) {
    auto report = std::make_shared<WinTableReport>(view);
    if (!report->Printable())
        return false;
    // The preview paints again whenever it needs the pages, always from the first pattern.
    ports.Preview(parent, "Gewinntabelle", ReportPageLayout(),
                  [report](QPainter& painter, const std::function<void()>& newPage) {
                      PaintReport(*report, painter, newPage);
                  });
    return true;
}

}  // namespace velmora
