#include "filters/filterdisplay.h"

#include <algorithm>

namespace velmora {

namespace {

// Filter display: a line of 20 pixels per game, a column of 45 pixels per block.
constexpr int kDisplayColumn = 45;
constexpr int kDisplayMargin = 50;
constexpr int kDisplayAreaPerGame = 25;
constexpr int kDisplayBelowArea = 80;
constexpr int kCloseGap = 10;
// Wide enough for the close button even when there is no block.
constexpr int kDisplayMinWidth = kDisplayColumn + kDisplayMargin;

// Filter check: a column of 120 pixels per failed block. The table's rows are counted from 20
// pixels down, so that the top text has a line of its own above them.
constexpr int kCheckColumn = 120;
constexpr int kTopLeft = 10;
constexpr int kTopTop = 8;
constexpr int kTableShift = 20;
constexpr int kCheckHeaderTop = 15 + kTableShift;
constexpr int kCheckMinWidth = 200;
constexpr int kCheckMinHeight = 60;

int DisplayLineTop(int game) {
    return 20 * game + 5;
}

int CheckLineTop(int game) {
    return 20 * game + 25 + kTableShift;
}

// "Sp. 9" keeps a blank so that it is as wide as "Sp.10".
std::string GameLabel(int game) {
    return (game <= 9 ? "Sp. " : "Sp.") + std::to_string(game);
}

// The "Min" rows sit at 270 in table rows, or below the last game when the games reach further
// (from 12 games on).
int CheckBoundsTop(int n) {
    return std::max(270, CheckLineTop(n) - kTableShift + kFilterLineHeight + 9) + kTableShift;
}

// Trailing blanks take no room on screen.
int VisibleRight(const PlacedText& text) {
    std::string shown = text.text;
    while (!shown.empty() && shown.back() == ' ')
        shown.pop_back();
    return text.x + TextWidth(shown);
}

int Bottom(const PlacedText& text) {
    return text.y + kFilterLineHeight;
}

std::string CannotCheck(const std::string& reason) {
    return "Die Filter können nicht geprüft werden: " + reason;
}

// Empty when the result holds a sign in each game; otherwise why not.
std::string InvalidResult(const TResultRow& result, int n) {
    if (!IsValidGameCount(n)) {
        return CannotCheck(std::to_string(n) +
                           " Spiele sind nicht möglich, erlaubt sind 11 bis 14 Spiele.");
    }
    for (int g = 1; g <= n; ++g) {
        const Sign sign = result.signs[static_cast<std::size_t>(g - 1)];
        if (sign == kAnySign)
            return CannotCheck("Das Ergebnis von Spiel " + std::to_string(g) + " fehlt.");
        if (!IsSign(sign))
            return CannotCheck("Spiel " + std::to_string(g) + " hat kein gültiges Ergebnis.");
    }
    return {};
}

}  // namespace

int TextWidth(const std::string& text) {
    int characters = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++characters;
    return characters * kFilterCharWidth;
}

std::vector<PlacedText> FilterDisplayPicture::Texts() const {
    std::vector<PlacedText> texts = gameLabels;
    for (const DisplayColumn& column : columns) {
        texts.push_back(column.header);
        texts.insert(texts.end(), column.marks.begin(), column.marks.end());
        texts.push_back(column.bounds);
    }
    return texts;
}

FilterDisplayPicture FilterDisplayLayout(const std::vector<TBlockFilter>& blocks, int n) {
    n = std::clamp(n, 0, kMaxGames);
    FilterDisplayPicture picture;

    for (int g = 1; g <= n; ++g) {
        picture.gameLabels.push_back({1, DisplayLineTop(g), GameLabel(g), false});
    }

    for (std::size_t k = 1; k <= blocks.size(); ++k) {
        const TBlockFilter& block = blocks[k - 1];
        const int x = kDisplayColumn * static_cast<int>(k);
        DisplayColumn column;
        column.header = {x + 15, 1, std::to_string(k) + (block.orNext != 0 ? ". or " : "."), false};
        // Each sign keeps its own sub-column: "1", "0", "2".
        for (int g = 1; g <= n; ++g) {
            for (int slot = 0; slot < kSignCount; ++slot) {
                const Sign sign = kDisplayOrder[slot];
                if (block.Marked(g, sign))
                    column.marks.push_back({x + 10 + 10 * slot, DisplayLineTop(g),
                                            std::string(1, SignChar(sign)), false});
            }
        }
        column.bounds = {x + 10, DisplayLineTop(n + 1),
                         std::to_string(block.minHits) + "-" + std::to_string(block.maxHits),
                         false};
        picture.columns.push_back(std::move(column));
    }

    int right = 0;
    int bottom = 0;
    for (const PlacedText& text : picture.Texts()) {
        right = std::max(right, VisibleRight(text));
        bottom = std::max(bottom, Bottom(text));
    }
    const int blockCount = static_cast<int>(blocks.size());
    picture.areaWidth = std::max(kDisplayColumn * blockCount + kDisplayMargin, right + 6);
    picture.areaHeight = std::max(kDisplayAreaPerGame * n, bottom + 4);
    picture.width = std::max(picture.areaWidth, kDisplayMinWidth);
    picture.height = picture.areaHeight + kDisplayBelowArea;
    picture.closeTop = picture.areaHeight + kCloseGap;
    return picture;
}

FilterCheckPicture FilterCheckLayout(const TResultRow& result, int n,
                                     const std::vector<TBlockFilter>& blocks) {
    FilterCheckPicture picture;
    picture.top = {kTopLeft, kTopTop, InvalidResult(result, n), false};
    picture.checked = picture.top.text.empty();

    if (picture.checked) {
        const std::vector<FailedBlock> failed = FailingBlocks(result, n, blocks);
        picture.top.text = failed.empty() ? kAllFiltersOk : kFiltersNotMet;
        const int boundsTop = CheckBoundsTop(n);
        int c = 0;
        for (const FailedBlock& entry : failed) {
            const int x = kCheckColumn * ++c;
            CheckColumn column;
            column.block = entry.number;
            column.header = {x - 40, kCheckHeaderTop, "Filter: " + std::to_string(entry.number),
                             false};
            for (int g = 1; g <= n; ++g) {
                const Sign sign = result.signs[static_cast<std::size_t>(g - 1)];
                column.signs.push_back({x - 20, CheckLineTop(g), std::string(1, SignChar(sign)),
                                        entry.red[static_cast<std::size_t>(g - 1)]});
            }
            // 30 pixels apart, so that "Min", "Max" and "Max z" do not run into each other.
            const std::array<std::string, 3> headings = {"Min", "Max", "Max z"};
            const std::array<int, 3> values = {entry.block.minHits, entry.block.maxHits,
                                               entry.block.maxRun};
            for (std::size_t i = 0; i < 3; ++i) {
                const int left = x - 40 + 30 * static_cast<int>(i);
                column.headings[i] = {left, boundsTop, headings[i], false};
                column.values[i] = {left, boundsTop + 20, std::to_string(values[i]), false};
            }
            picture.columns.push_back(std::move(column));
        }
        // The first column's signs start at 100, well right of "Sp.14".
        if (!picture.columns.empty()) {
            for (int g = 1; g <= n; ++g)
                picture.gameLabels.push_back({kTopLeft, CheckLineTop(g), GameLabel(g), false});
        }
    }

    int right = VisibleRight(picture.top);
    int bottom = Bottom(picture.top);
    for (const CheckColumn& column : picture.columns) {
        for (const PlacedText& text : column.headings)
            right = std::max(right, VisibleRight(text));
        bottom = std::max(bottom, Bottom(column.values.front()));
    }
    picture.width = std::max(kCheckMinWidth, right + 20);
    picture.closeTop = std::max(kCheckMinHeight, bottom + 16);
    picture.height = picture.closeTop + kFilterCloseHeight + kCloseGap;
    return picture;
}

}  // namespace velmora
