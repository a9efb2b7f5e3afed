// Tip plan files: ParseTipPlan, and for an accepted file the way into the tip plan and back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/tipplanfile.h"
#include "fuzz_support.h"
#include "model/coverage.h"
#include "model/rowlist.h"

using namespace velmora;

namespace {

std::vector<std::uint8_t> Join(const TipPlanStream& records) {
    std::vector<std::uint8_t> bytes;
    for (const GameRecord& record : records)
        bytes.insert(bytes.end(), record.bytes.begin(), record.bytes.end());
    return bytes;
}

// The tendency a record gives a sign, wherever its pair stands.
std::int8_t TendencyIn(const GameRecord& record, Sign sign) {
    for (int slot = 0; slot < kSignCount; ++slot)
        if (record.Pair(slot).sign == sign)
            return record.Pair(slot).tendency;
    std::abort();  // the parser promised every sign once
}

// Everything but the pair bytes is reserved and must come back unchanged.
bool SameReserved(const GameRecord& a, const GameRecord& b) {
    return std::equal(a.bytes.begin(), a.bytes.begin() + GameRecord::kPairsOffset,
                      b.bytes.begin()) &&
           a.bytes.back() == b.bytes.back();
}

// Every record holds its game's pairs in the order the plan holds them.
bool HoldsPlanOrder(const TipPlanStream& records, const TTipPlan& plan) {
    for (std::size_t g = 0; g < records.size(); ++g)
        for (int slot = 0; slot < kSignCount; ++slot)
            if (!(records[g].Pair(slot) == plan.Game(static_cast<int>(g) + 1).pairs[slot]))
                return false;
    return true;
}

void CheckRefused(const std::vector<std::uint8_t>& bytes, const TipPlanFileContent& content) {
    VELMORA_FUZZ_CHECK(!content.error.empty());
    VELMORA_FUZZ_CHECK(content.records.empty());
    // Refusal must have a cause: a size off the record grid, a game count outside 11 to 14,
    // or a record whose pairs do not hold 0, 1 and 2 once each.
    const std::size_t games = bytes.size() / GameRecord::kSize;
    if (bytes.size() % GameRecord::kSize != 0 || !IsValidGameCount(static_cast<int>(games)))
        return;
    bool damaged = false;
    for (std::size_t g = 0; g < games && !damaged; ++g) {
        std::array<int, 256> seen{};
        for (int slot = 0; slot < kSignCount; ++slot)
            ++seen[bytes[g * GameRecord::kSize + GameRecord::kPairsOffset + 2 * slot]];
        damaged = seen[0] != 1 || seen[1] != 1 || seen[2] != 1;
    }
    VELMORA_FUZZ_CHECK(damaged);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes = fuzz::ToBytes(data, size);
    const TipPlanFileContent content = ParseTipPlan(bytes);
    if (!content.ok()) {
        CheckRefused(bytes, content);
        return 0;
    }
    const TipPlanStream& records = content.records;
    const int n = static_cast<int>(records.size());
    VELMORA_FUZZ_CHECK(IsValidGameCount(n));
    VELMORA_FUZZ_CHECK(Join(records) == bytes);

    // Into the plan: every sign keeps its tendency, the pairs stand in display order.
    TTipPlan plan;
    VELMORA_FUZZ_CHECK(LoadTipPlan(records, plan) == n);
    for (int g = 1; g <= n; ++g) {
        for (int slot = 0; slot < kSignCount; ++slot)
            VELMORA_FUZZ_CHECK(plan.Game(g).pairs[slot].sign == kDisplayOrder[slot]);
        for (Sign s = 0; s < kSignCount; ++s)
            VELMORA_FUZZ_CHECK(plan.Tendency(g, s) == TendencyIn(records[g - 1], s));
    }
    for (int g = n + 1; g <= kMaxGames; ++g)
        VELMORA_FUZZ_CHECK(plan.Game(g) == GameEntry{});

    // Back into the records: reserved bytes untouched, and reading them again gives the
    // same plan; records already in display order come back byte for byte.
    TipPlanStream synced = records;
    SyncTipPlan(synced, plan);
    VELMORA_FUZZ_CHECK(HoldsPlanOrder(synced, plan));
    TTipPlan reloaded;
    LoadTipPlan(synced, reloaded);
    VELMORA_FUZZ_CHECK(reloaded == plan);
    bool displayOrder = true;
    for (int g = 0; g < n; ++g) {
        VELMORA_FUZZ_CHECK(SameReserved(synced[g], records[g]));
        for (int slot = 0; slot < kSignCount; ++slot)
            displayOrder = displayOrder && records[g].Pair(slot).sign == kDisplayOrder[slot];
    }
    if (displayOrder)
        VELMORA_FUZZ_CHECK(synced == records);

    // What the window does with a loaded plan: change a tendency, sort by tendency, save,
    // read the file again.
    const int changedGame = 1 + bytes[GameRecord::kPairsOffset] % n;
    const Sign changedSign = bytes[GameRecord::kPairsOffset + 1] % kSignCount;
    const auto newTendency = static_cast<std::int8_t>(bytes[GameRecord::kPairsOffset + 3]);
    plan.SetTendency(changedGame, changedSign, newTendency);
    VELMORA_FUZZ_CHECK(plan.Tendency(changedGame, changedSign) == newTendency);
    plan.AllToTendencyOrder(n);
    const TTipRow mainTip = plan.MainTipRow(n);
    VELMORA_FUZZ_CHECK(mainTip.size() == n);
    for (int g = 1; g <= n; ++g) {
        VELMORA_FUZZ_CHECK(IsSign(mainTip[g - 1]));
        for (Sign s = 0; s < kSignCount; ++s)  // the main tip is the most favoured sign
            VELMORA_FUZZ_CHECK(plan.Tendency(g, mainTip[g - 1]) >= plan.Tendency(g, s));
    }
    VELMORA_FUZZ_CHECK(!plan.StatusText(n).empty());
    const std::int32_t full = plan.FullSystemSize(n);
    VELMORA_FUZZ_CHECK(full >= 1 && full <= 4782969);  // 3^14
    SyncTipPlan(synced, plan);
    VELMORA_FUZZ_CHECK(HoldsPlanOrder(synced, plan));
    const TipPlanFileContent reread = ParseTipPlan(Join(synced));
    VELMORA_FUZZ_CHECK(reread.ok());
    TTipPlan fromSaved;
    LoadTipPlan(reread.records, fromSaved);
    for (int g = 1; g <= n; ++g)
        for (Sign s = 0; s < kSignCount; ++s)
            VELMORA_FUZZ_CHECK(fromSaved.Tendency(g, s) == plan.Tendency(g, s));

    // The main tip row as a one-row system covers exactly its own signs.
    TRowList system(n);
    system.Append(mainTip);
    const TCoverageTable coverage = UpdateCoverage(system);
    std::size_t allowedElsewhere = 0;
    for (int g = 1; g <= n; ++g)
        for (Sign s = 0; s < kSignCount; ++s)
            allowedElsewhere += s != mainTip[g - 1] && plan.Tendency(g, s) > 0;
    const std::vector<GameSign> missingSigns = MissingSigns(plan, n, coverage);
    VELMORA_FUZZ_CHECK(missingSigns.size() == allowedElsewhere);
    for (const GameSign& missing : missingSigns) {
        VELMORA_FUZZ_CHECK(missing.game >= 1 && missing.game <= n);
        VELMORA_FUZZ_CHECK(plan.Tendency(missing.game, missing.sign) > 0);
        VELMORA_FUZZ_CHECK(mainTip[missing.game - 1] != missing.sign);
    }

    // Another game count: the first games stay, new ones are blank and still readable.
    for (int m = kMinGames; m <= kMaxGames; ++m) {
        TipPlanStream resized = synced;
        ResizeTipPlanStream(resized, m);
        VELMORA_FUZZ_CHECK(static_cast<int>(resized.size()) == m);
        for (int g = 0; g < std::min(m, n); ++g)
            VELMORA_FUZZ_CHECK(resized[g] == synced[g]);
        for (int g = n; g < m; ++g)
            VELMORA_FUZZ_CHECK(resized[g] == GameRecord::Blank());
        VELMORA_FUZZ_CHECK(ParseTipPlan(Join(resized)).ok());
    }
    return 0;
}
