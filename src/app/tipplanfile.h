// The tip plan file: one 84-byte record per game, the game count being the record count.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/tipplan.h"

namespace velmora {

// One game's record. Bytes 77 to 82 hold the three tip pairs; the rest is reserved and
// carried unchanged.
struct GameRecord {
    static constexpr std::size_t kSize = 84;
    static constexpr std::size_t kPairsOffset = 77;

    std::array<std::uint8_t, kSize> bytes{};

    // A record as "&Neu" or a larger game count creates it: (0, 0), (1, 0), (2, 0).
    static GameRecord Blank();

    TipPair Pair(int slot) const;
    void SetPair(int slot, TipPair pair);

    bool operator==(const GameRecord&) const = default;
};

// The tip plan as stored: one record per game, game 1 first.
using TipPlanStream = std::vector<GameRecord>;

struct TipPlanFileContent {
    TipPlanStream records;
    std::string error;  // empty when the file was read
    bool ok() const { return error.empty(); }
};

// Reads and checks a tip plan file: a whole number of records, 11 to 14 of them, and in
// every record the three sign codes 0, 1 and 2 once each. Anything else is refused whole.
TipPlanFileContent ReadTipPlanFile(const std::string& path);
TipPlanFileContent ParseTipPlan(const std::vector<std::uint8_t>& bytes);

// Writes the records as they stand. Returns an error text or "".
std::string WriteTipPlanFile(const std::string& path, const TipPlanStream& records);

// Places each record's pairs by sign code into its game, in display order; returns the
// game count (the number of records). Games beyond it keep what they held.
int LoadTipPlan(const TipPlanStream& records, TTipPlan& plan);

// Writes the plan's pairs, in the order the plan holds them, into the records.
void SyncTipPlan(TipPlanStream& records, const TTipPlan& plan);

// Cuts the records to n games or extends them with blank records.
void ResizeTipPlanStream(TipPlanStream& records, int n);

}  // namespace velmora
