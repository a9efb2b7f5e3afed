// The win table printout as a report model: bands of fields with their texts and places,
// independent of whatever paints them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "evaluation/wintable.h"

namespace velmora {

// A field of a band: its place from the band's left and top edge in millimetres, and its text.
struct ReportField {
    double left = 0;
    double top = 0;
    std::string text;
};

struct ReportBand {
    double height = 0;  // millimetres
    std::vector<ReportField> fields;
};

// A4 portrait, 10 mm margins, Arial 10 pt, left-aligned, no frames.
struct ReportPage {
    static constexpr double kWidth = 210;
    static constexpr double kHeight = 297;
    static constexpr double kMargin = 10;
    static constexpr const char* kFont = "Arial";
    static constexpr int kFontPoints = 10;
};

inline constexpr const char* kReportTitle = "Höchste mögliche Gewinnklasse in Prozent";

// What the win table window shows and the printout reads from it.
struct WinTableView {
    std::array<std::string, 6> headings;     // "11er" … "7er", "Zahl der Fälle"
    std::array<std::string, 5> classLabels;  // "11er" … "7er"
    std::array<std::string, 5> valueLabels;  // the percentages as shown
    std::vector<TWinPattern> patterns;       // sorted
    std::int32_t total = 0;
};

// The record cursor of the report engine: -1 before the first pattern.
class WinTableReport {
  public:
    explicit WinTableReport(WinTableView view) : view_(std::move(view)) {}

    // Nothing is printed when there is no pattern.
    bool Printable() const { return !view_.patterns.empty(); }

    void BeforePrinting() { cursor_ = -1; }
    // Asked before each detail line: whether another follows; moves the cursor on to it.
    bool NeedData();

    ReportBand Heading() const;  // printed at the top of every page
    ReportBand Detail() const;   // the pattern at the cursor
    ReportBand Summary() const;  // once, after the last detail line

    // All bands in printing order, the heading once, for tests and simple painters.
    std::vector<ReportBand> Bands();

  private:
    WinTableView view_;
    int cursor_ = -1;
};

// The window's texts for a run of n games.
WinTableView MakeWinTableView(int n, const WinTableResult& result, char decimalSeparator);

}  // namespace velmora
