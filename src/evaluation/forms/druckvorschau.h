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

// Paints bands one below the other from the top of the paintable area and starts a new page,
// heading first, when the next band does not fit on the current one.
class BandPainter {
  public:
    BandPainter(QPainter& painter, ReportBand heading, std::function<void()> newPage,
                int fontPoints = ReportPage::kFontPoints);

    void Add(const ReportBand& band);
    // Room of `height` millimetres below the bands so far, on a new page when it does not fit
    // on this one; returns its top edge in millimetres from the paintable area's.
    double Reserve(double height);
    double DotsPerMm() const { return dotsPerMm_; }

  private:
    void Paint(const ReportBand& band);
    bool Fits(double height) const {
        return top_ <= heading_.height || top_ + height <= pageHeight_;
    }
    void NextPage();

    QPainter& painter_;
    const double dotsPerMm_;
    const double pageHeight_;  // millimetres
    const ReportBand heading_;
    const std::function<void()> newPage_;
    double top_ = 0;
};

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
