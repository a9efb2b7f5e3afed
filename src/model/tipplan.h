// The tip plan: for each game which signs are allowed and how strongly each is favoured.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/codespace.h"
#include "model/sign.h"
#include "model/tiprow.h"

namespace velmora {

// One sign of one game: the sign code and its internal tendency (> 0 means tipped).
struct TipPair {
    Sign sign = 0;
    std::int8_t tendency = 0;

    bool Allowed() const { return tendency > 0; }
    bool operator==(const TipPair&) const = default;
};

// The three pairs of one game. Their order depends on the arrangement last applied.
struct GameEntry {
    std::array<TipPair, kSignCount> pairs{{{0, 0}, {1, 0}, {2, 0}}};

    bool operator==(const GameEntry&) const = default;
};

class TTipPlan {
  public:
    // Games are numbered 1..14 as on screen.
    const GameEntry& Game(int game) const { return games_[Index(game)]; }
    GameEntry& Game(int game) { return games_[Index(game)]; }

    // Writes the tendency of a sign, then brings the game into display order and sorts it.
    void SetTendency(int game, Sign sign, std::int8_t value);
    std::int8_t Tendency(int game, Sign sign) const;

    int AllowedCount(int game) const;
    bool TipsComplete(int n) const;
    // Product of the allowed counts of games 1..n that have at least one allowed sign.
    std::int32_t FullSystemSize(int n) const;
    // The rows of that full system as a space of codes; an untipped game counts with every
    // sign.
    RowSpace FullSystemSpace(int n) const;

    void ToDisplayOrder(int game);
    void ToSignOrder(int game);
    // The fixed three-step exchange sort; equal tendencies are never swapped.
    void SortByTendency(int game);

    void AllToDisplayOrder(int n);
    void AllToTendencyOrder(int n);  // display order first, then the sort

    // For each game the sign of its first pair (the main tip once in tendency order).
    TTipRow MainTipRow(int n) const;

    // "VOLLSYSTEM: 729 Reihen" or "Es Fehlen noch Tips".
    std::string StatusText(int n) const;

    // Back to the state of a new plan: nothing tipped.
    void Reset() { games_ = {}; }

    bool operator==(const TTipPlan&) const = default;

  private:
    static int Index(int game);
    void PlaceBySign(int game, const std::array<Sign, kSignCount>& order);

    std::array<GameEntry, kMaxGames> games_{};
};

}  // namespace velmora
