#include "model/tipplan.h"

#include <cassert>
#include <utility>

namespace velmora {

int TTipPlan::Index(int game) {
    assert(game >= 1 && game <= kMaxGames);
    return game - 1;
}

void TTipPlan::PlaceBySign(int game, const std::array<Sign, kSignCount>& order) {
    GameEntry& entry = Game(game);
    GameEntry placed = entry;
    for (int slot = 0; slot < kSignCount; ++slot) {
        for (const TipPair& pair : entry.pairs) {
            if (pair.sign == order[slot])
                placed.pairs[slot] = pair;
        }
    }
    entry = placed;
}

void TTipPlan::ToDisplayOrder(int game) {
    PlaceBySign(game, {1, 0, 2});
}

void TTipPlan::ToSignOrder(int game) {
    PlaceBySign(game, {0, 1, 2});
}

void TTipPlan::SortByTendency(int game) {
    auto& p = Game(game).pairs;
    auto step = [&p](int a, int b) {
        if (p[a].tendency < p[b].tendency)
            std::swap(p[a], p[b]);
    };
    step(0, 1);
    step(0, 2);
    step(1, 2);
}

void TTipPlan::AllToDisplayOrder(int n) {
    for (int g = 1; g <= n; ++g)
        ToDisplayOrder(g);
}

void TTipPlan::AllToTendencyOrder(int n) {
    for (int g = 1; g <= n; ++g) {
        ToDisplayOrder(g);
        SortByTendency(g);
    }
}

void TTipPlan::SetTendency(int game, Sign sign, std::int8_t value) {
    for (TipPair& pair : Game(game).pairs) {
        if (pair.sign == sign)
            pair.tendency = value;
    }
    ToDisplayOrder(game);
    SortByTendency(game);
}

std::int8_t TTipPlan::Tendency(int game, Sign sign) const {
    for (const TipPair& pair : Game(game).pairs) {
        if (pair.sign == sign)
            return pair.tendency;
    }
    return 0;
}

int TTipPlan::AllowedCount(int game) const {
    int count = 0;
    for (const TipPair& pair : Game(game).pairs)
        count += pair.Allowed();
    return count;
}

bool TTipPlan::TipsComplete(int n) const {
    for (int g = 1; g <= n; ++g) {
        if (AllowedCount(g) == 0)
            return false;
    }
    return true;
}

RowSpace TTipPlan::FullSystemSpace(int n) const {
    RowSpace space{n, {}};
    for (int g = 1; g <= n; ++g) {
        for (const TipPair& pair : Game(g).pairs) {
            if (pair.Allowed())
                space.signs[g - 1] |= static_cast<std::uint8_t>(1u << pair.sign);
        }
        if (space.signs[g - 1] == 0)
            space.signs[g - 1] = RowSpace::kAllSigns;
    }
    return space;
}

std::int32_t TTipPlan::FullSystemSize(int n) const {
    std::int32_t size = 1;
    for (int g = 1; g <= n; ++g) {
        if (int a = AllowedCount(g); a > 0)
            size *= a;
    }
    return size;
}

TTipRow TTipPlan::MainTipRow(int n) const {
    TTipRow row(n);
    for (int g = 1; g <= n; ++g)
        row[g - 1] = Game(g).pairs[0].sign;
    return row;
}

std::string TTipPlan::StatusText(int n) const {
    if (!TipsComplete(n))
        return "Es Fehlen noch Tips";
    return "VOLLSYSTEM: " + std::to_string(FullSystemSize(n)) + " Reihen";
}

}  // namespace velmora
