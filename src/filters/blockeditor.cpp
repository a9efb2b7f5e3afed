#include "filters/blockeditor.h"

#include <algorithm>

namespace velmora {
namespace {

std::uint8_t WithinGames(int value, int n) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, n));
}

}  // namespace

std::vector<ListButton> BlockButtons(std::span<const TBlockFilter> blocks) {
    std::vector<ListButton> buttons;
    const int count = static_cast<int>(blocks.size());
    for (int number = 1; number <= count + 1; ++number) {
        const bool red = number <= count && blocks[number - 1].orNext != 0;
        buttons.push_back({"but_" + std::to_string(number), std::to_string(number) + ".Filter", red,
                           220, 50 + 20 * number, 80, 20});
    }
    return buttons;
}

std::string BlockFormName(int number) {
    return "block_" + std::to_string(number);
}

std::string BlockFormCaption(int number) {
    return "Filterblock " + std::to_string(number);
}

std::string BlockOrCaption(int number) {
    return "oder Filter " + std::to_string(number + 1);
}

TBlockFilter NewBlock(int n) {
    TBlockFilter block;
    block.minHits = 0;
    block.maxHits = static_cast<std::uint8_t>(n);
    block.maxRun = static_cast<std::uint8_t>(n);
    return block;
}

BlockFormFields ShowBlock(std::span<const TBlockFilter> blocks, int number, int n) {
    const bool existing = number >= 1 && static_cast<std::size_t>(number) <= blocks.size();
    const TBlockFilter block = existing ? blocks[number - 1] : NewBlock(n);
    BlockFormFields fields;
    for (int g = 1; g <= n; ++g) {
        for (Sign s = 0; s < kSignCount; ++s)
            fields.marks[g - 1][s] = block.Marked(g, s);
    }
    fields.minHits = WithinGames(block.minHits, n);
    fields.maxHits = WithinGames(block.maxHits, n);
    fields.maxRun = WithinGames(block.maxRun, n);
    fields.orNext = block.orNext != 0;
    return fields;
}

TBlockFilter BuildBlock(const BlockFormFields& fields, int n) {
    TBlockFilter block;
    for (int g = 1; g <= n; ++g) {
        for (Sign s = 0; s < kSignCount; ++s)
            block.SetMarked(g, s, fields.marks[g - 1][s]);
    }
    block.minHits = WithinGames(fields.minHits, n);
    block.maxHits = WithinGames(fields.maxHits, n);
    block.maxRun = WithinGames(fields.maxRun, n);
    block.orNext = fields.orNext ? 1 : 0;
    return block;
}

std::string BlockBoundsError(const BlockFormFields& fields) {
    if (fields.minHits <= fields.maxHits)
        return {};
    return "\"mindestens\" (" + std::to_string(fields.minHits) +
           ") ist größer als \"höchstens\" (" + std::to_string(fields.maxHits) +
           "): diesen Block erfüllt keine Reihe.";
}

void ToggleMark(MarkGrid& marks, int game, Sign sign) {
    bool& mark = marks[game - 1][sign];
    mark = !mark;
}

void MarkAllowedSign(MarkGrid& marks, const TTipPlan& plan, int n, Sign sign) {
    for (int g = 1; g <= n; ++g) {
        if (plan.Tendency(g, sign) > 0)
            marks[g - 1][sign] = true;
    }
}

void MarkMainTips(MarkGrid& marks, const TTipPlan& plan, int n) {
    TTipPlan sorted = plan;
    sorted.AllToTendencyOrder(n);
    const TTipRow mainTips = sorted.MainTipRow(n);
    for (int g = 1; g <= n; ++g)
        marks[g - 1][mainTips[g - 1]] = true;
}

void MarkTendency(MarkGrid& marks, const TTipPlan& plan, int n, int tendency) {
    for (int g = 1; g <= n; ++g) {
        for (Sign s = 0; s < kSignCount; ++s) {
            if (plan.Tendency(g, s) == tendency)
                marks[g - 1][s] = true;
        }
    }
}

}  // namespace velmora
