// The win table printout: the last run of the win table window as a report of bands, painted
// page by page into a preview from which the user prints it or saves a PDF.
#pragma once

#include <QPageLayout>
#include <functional>

#include "evaluation/wintablereport.h"

class QPainter;
class QWidget;

namespace velmora {

class UiPorts;

// A4 portrait with 10 mm margins on every side.
QPageLayout ReportPageLayout();

// Lays the bands out from the top of the paintable area: the heading on every page, one
// detail line per pattern, the summary after the last; newPage starts the next page.
void PaintReport(WinTableReport& report, QPainter& painter, const std::function<void()>& newPage);

class TDruckvorschau {
  public:
    // Opens the preview of the view's report. Returns false, and shows nothing, when the
    // view holds no pattern to print.
    bool Preview(const WinTableView& view, QWidget* parent, UiPorts& ports);
};

}  // namespace velmora
