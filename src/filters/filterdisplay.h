// What the filter display ("Filteranzeige") and the filter check ("Filtercheck") show: texts at
// pixel positions in their windows and the windows' sizes, computed from the block list and the
// result row. The windows only draw what these functions return.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "evaluation/windetermination.h"
#include "filters/block.h"

namespace velmora {

// The close button both windows carry below their texts.
inline constexpr int kFilterCloseWidth = 80;
inline constexpr int kFilterCloseHeight = 28;

// The character cell the layouts are made for: both windows use a fixed-width font no wider
// and no higher than this, so that texts in neighbouring positions never touch.
inline constexpr int kFilterCharWidth = 7;
inline constexpr int kFilterLineHeight = 16;

// A text whose top left corner lies at (x, y).
struct PlacedText {
    int x = 0;
    int y = 0;
    std::string text;
    bool red = false;
    bool operator==(const PlacedText&) const = default;
};

// The width of a text in the fixed-width font (UTF-8, one cell per character).
int TextWidth(const std::string& text);

// One block of the filter display.
struct DisplayColumn {
    PlacedText header;              // "k." or "k. or "
    std::vector<PlacedText> marks;  // the marked signs, game by game in display order
    PlacedText bounds;              // "min-max" below the games
};

struct FilterDisplayPicture {
    int width = 0;  // the window
    int height = 0;
    int areaWidth = 0;  // the drawing area "anzfeld" at the window's top left
    int areaHeight = 0;
    int closeTop = 0;                    // the close button below the drawing area
    std::vector<PlacedText> gameLabels;  // "Sp. 1" ... "Sp.14"
    std::vector<DisplayColumn> columns;  // one per block

    std::vector<PlacedText> Texts() const;
};

// The whole block list as a table for n games. A game count outside 0..14 is treated as the
// nearest one inside.
FilterDisplayPicture FilterDisplayLayout(const std::vector<TBlockFilter>& blocks, int n);

// One block the result does not meet.
struct CheckColumn {
    int block = 0;                       // its number in the list, from 1
    PlacedText header;                   // "Filter: k"
    std::vector<PlacedText> signs;       // the result's sign of games 1..n, red where marked
    std::array<PlacedText, 3> headings;  // "Min", "Max", "Max z"
    std::array<PlacedText, 3> values;    // minHits, maxHits, maxRun
};

struct FilterCheckPicture {
    int width = 0;
    int height = 0;
    int closeTop = 0;  // the close button, below everything else
    // "Alle Filter sind OK", "Folgende Filter sind nicht erfüllt!", or why the result cannot
    // be checked.
    PlacedText top;
    std::vector<CheckColumn> columns;  // in list order, the c-th at x = 120 * c
    // "Sp. 1" ... "Sp.14" at the left of the columns' lines, as in the filter display; only
    // when there is a column.
    std::vector<PlacedText> gameLabels;
    // False when the game count or the result does not allow a check.
    bool checked = false;
};

// Every block judged on its own against the result, "oder" links aside. The result needs a
// sign 0, 1 or 2 in each of the n games (11 to 14); otherwise the top text says what is
// missing and no column is shown.
FilterCheckPicture FilterCheckLayout(const TResultRow& result, int n,
                                     const std::vector<TBlockFilter>& blocks);

}  // namespace velmora
