#include "app/forms/slipprinting.h"

#include <QFont>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <cmath>

namespace velmora {

QPageLayout SlipPageLayout() {
    QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

void PaintSlipPage(QPainter& painter, const SlipDocument& page) {
    const double dotsPerTenth = painter.device()->logicalDpiX() / 254.0;
    const double dotsPerTenthY = painter.device()->logicalDpiY() / 254.0;
    QFont font(kSlipFont);
    font.setPixelSize(static_cast<int>(std::lround(kSlipFontHeight * dotsPerTenthY)));
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const DrawCall& call : page) {
        const QPointF topLeft(call.x * dotsPerTenth, -call.y * dotsPerTenthY);
        painter.drawText(QRectF(topLeft, QSizeF(0, 0)),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         QString::fromStdString(call.text));
    }
}

}  // namespace velmora
