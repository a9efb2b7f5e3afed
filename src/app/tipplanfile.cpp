#include "app/tipplanfile.h"

#include <algorithm>

#include "app/binaryfile.h"

namespace velmora {

GameRecord GameRecord::Blank() {
    GameRecord record;
    for (int slot = 0; slot < kSignCount; ++slot) {
        record.SetPair(slot, {static_cast<Sign>(slot), 0});
    }
    return record;
}

TipPair GameRecord::Pair(int slot) const {
    const std::size_t at = kPairsOffset + 2 * static_cast<std::size_t>(slot);
    return {bytes[at], static_cast<std::int8_t>(bytes[at + 1])};
}

void GameRecord::SetPair(int slot, TipPair pair) {
    const std::size_t at = kPairsOffset + 2 * static_cast<std::size_t>(slot);
    bytes[at] = pair.sign;
    bytes[at + 1] = static_cast<std::uint8_t>(pair.tendency);
}

namespace {

bool HoldsEachSignOnce(const GameRecord& record) {
    std::array<bool, kSignCount> seen{};
    for (int slot = 0; slot < kSignCount; ++slot) {
        const Sign sign = record.Pair(slot).sign;
        if (!IsSign(sign) || seen[sign])
            return false;
        seen[sign] = true;
    }
    return true;
}

}  // namespace

TipPlanFileContent ParseTipPlan(const std::vector<std::uint8_t>& bytes) {
    TipPlanFileContent content;
    if (bytes.size() % GameRecord::kSize != 0) {
        content.error = "Die Datei ist keine Tippplandatei: ihre Größe von " +
                        std::to_string(bytes.size()) +
                        " Bytes ist kein Vielfaches von 84 Bytes je Spiel.";
        return content;
    }
    const std::size_t games = bytes.size() / GameRecord::kSize;
    if (!IsValidGameCount(static_cast<int>(games))) {
        content.error = "Die Tippplandatei enthält " + std::to_string(games) +
                        " Spiele; möglich sind 11 bis 14 Spiele.";
        return content;
    }
    TipPlanStream records(games);
    for (std::size_t g = 0; g < games; ++g) {
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(g * GameRecord::kSize),
                    GameRecord::kSize, records[g].bytes.begin());
        if (!HoldsEachSignOnce(records[g])) {
            content.error = "Die Tippplandatei ist beschädigt: Spiel " + std::to_string(g + 1) +
                            " enthält nicht genau die Tippzeichen 1, 0 und 2.";
            return content;
        }
    }
    content.records = std::move(records);
    return content;
}

TipPlanFileContent ReadTipPlanFile(const std::string& path) {
    FileBytes file = ReadWholeFile(path);
    if (!file.ok())
        return {{}, file.error};
    TipPlanFileContent content = ParseTipPlan(file.bytes);
    if (!content.ok())
        content.error = "'" + path + "': " + content.error;
    return content;
}

std::string WriteTipPlanFile(const std::string& path, const TipPlanStream& records) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(records.size() * GameRecord::kSize);
    for (const GameRecord& record : records) {
        bytes.insert(bytes.end(), record.bytes.begin(), record.bytes.end());
    }
    return WriteFileAtomically(path, bytes);
}

int LoadTipPlan(const TipPlanStream& records, TTipPlan& plan) {
    const int games = std::min(static_cast<int>(records.size()), kMaxGames);
    for (int g = 1; g <= games; ++g) {
        GameEntry& entry = plan.Game(g);
        for (int slot = 0; slot < kSignCount; ++slot)
            entry.pairs[slot] = records[g - 1].Pair(slot);
        plan.ToDisplayOrder(g);
    }
    return games;
}

void SyncTipPlan(TipPlanStream& records, const TTipPlan& plan) {
    const int games = std::min(static_cast<int>(records.size()), kMaxGames);
    for (int g = 1; g <= games; ++g) {
        for (int slot = 0; slot < kSignCount; ++slot) {
            records[g - 1].SetPair(slot, plan.Game(g).pairs[slot]);
        }
    }
}

void ResizeTipPlanStream(TipPlanStream& records, int n) {
    records.resize(static_cast<std::size_t>(n), GameRecord::Blank());
}

}  // namespace velmora
