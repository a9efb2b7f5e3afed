// Printing the system on betting slips: the core's draw calls painted on paper.
#pragma once

#include <QPageLayout>

#include "app/slipprint.h"

class QPainter;

namespace velmora {

// The whole A4 sheet with its origin at the top-left corner, since the slips are placed
// relative to the paper's edge.
QPageLayout SlipPageLayout();

// Paints one page: x to the right and y upward in tenths of a millimetre from the origin, each
// digit's top-left corner at its point, in Arial 5 mm high.
void PaintSlipPage(QPainter& painter, const SlipDocument& page);

}  // namespace velmora
