#include "evaluation/wintablereport.h"

namespace velmora {
namespace {

constexpr double kColumnLefts[6] = {4.2, 29.6, 55.0, 78.3, 105.8, 131.2};
constexpr double kLineHeight = 10.6;
constexpr double kSummaryHeight = 47.4;
constexpr double kSummaryTops[5] = {12.7, 19.1, 25.4, 31.8, 38.1};

}  // namespace

bool WinTableReport::NeedData() {
    const bool more = cursor_ < static_cast<int>(view_.patterns.size()) - 1;
    ++cursor_;
    return more;
}

ReportBand WinTableReport::Heading() const {
    ReportBand band{kLineHeight, {}};
    for (int c = 0; c < 6; ++c)
        band.fields.push_back({kColumnLefts[c], 4.2, view_.headings[c]});
    return band;
}

ReportBand WinTableReport::Detail() const {
    ReportBand band{kLineHeight, {}};
    const TWinPattern& pattern = view_.patterns.at(static_cast<std::size_t>(cursor_));
    for (int c = 0; c < 5; ++c)
        band.fields.push_back({kColumnLefts[c], 4.2, std::to_string(pattern.counts[c])});
    band.fields.push_back(
        {kColumnLefts[5], 4.2,
         std::to_string(pattern.multiplicity) + " von " + std::to_string(view_.total)});
    return band;
}

ReportBand WinTableReport::Summary() const {
    ReportBand band{kSummaryHeight, {{10.6, 4.2, kReportTitle}}};
    for (int e = 0; e < 5; ++e) {
        band.fields.push_back({10.6, kSummaryTops[e], view_.classLabels[e]});
        band.fields.push_back({38.1, kSummaryTops[e], view_.valueLabels[e] + "%"});
    }
    return band;
}

std::vector<ReportBand> WinTableReport::Bands() {
    std::vector<ReportBand> bands;
    if (!Printable())
        return bands;
    BeforePrinting();
    bands.push_back(Heading());
    while (NeedData())
        bands.push_back(Detail());
    bands.push_back(Summary());
    return bands;
}

WinTableView MakeWinTableView(int n, const WinTableResult& result, char decimalSeparator) {
    WinTableView view;
    for (int e = 0; e < 5; ++e) {
        view.headings[e] = view.classLabels[e] = ClassCaption(n, e);
        view.valueLabels[e] = PercentageText(result.percentages[e], decimalSeparator);
    }
    view.headings[5] = kCasesHeading;
    view.patterns = result.patterns;
    view.total = result.total;
    return view;
}

}  // namespace velmora
