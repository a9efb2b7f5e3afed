#include "model/codespace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "model/tipplan.h"
#include "model/tiprow.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using Digits = std::array<Sign, kMaxGames>;

Digits DigitsOf(RowCode code, int n) {
    Digits digits{};
    DecodeRow(code, n, digits.data());
    return digits;
}

// The digits of every code of n games, for the brute-force counterparts.
std::vector<Digits> AllDigits(int n) {
    std::vector<Digits> all(CodeSpaceSize(n));
    for (RowCode code = 0; code < CodeSpaceSize(n); ++code)
        all[code] = DigitsOf(code, n);
    return all;
}

int Distance(RowCode a, RowCode b, int n) {
    return RowDistance(DigitsOf(a, n).data(), DigitsOf(b, n).data(), n);
}

// Spaces of up to six games that leave out signs in different places; nullptr is no space.
std::vector<RowSpace> SomeSpaces(int n) {
    static constexpr std::uint8_t kMasks[] = {0b011, 0b111, 0b100, 0b101, 0b010, 0b110};
    RowSpace mixed{n, {}};
    RowSpace single{n, {}};
    for (int g = 0; g < n; ++g) {
        mixed.signs[g] = kMasks[g];
        single.signs[g] = static_cast<std::uint8_t>(1u << (g % 3));
    }
    return {RowSpace::Full(n), mixed, single};
}

// Every code within the radius whose changed games all take a sign the space allows is
// visited exactly once, with its distance, the centre first, and the changes in the order
// of the games changed and then of the sign; with a centre inside the space that is the
// part of the ball inside it.
TEST(CodeSpace, WalkWithinRadiusMatchesEveryCode) {
    for (int n = 1; n <= 6; ++n) {
        const std::vector<Digits> all = AllDigits(n);
        auto distance = [&](RowCode a, RowCode b) {
            return RowDistance(all[a].data(), all[b].data(), n);
        };
        std::vector<const RowSpace*> spaces{nullptr};
        const std::vector<RowSpace> someSpaces = SomeSpaces(n);
        for (const RowSpace& space : someSpaces)
            spaces.push_back(&space);
        for (std::size_t s = 0; s < spaces.size(); ++s) {
            const RowSpace* space = spaces[s];
            for (int radius = 0; radius <= 4; ++radius) {
                for (RowCode centre = 0; centre < CodeSpaceSize(n); ++centre) {
                    SCOPED_TRACE(::testing::Message() << "n " << n << " radius " << radius
                                                      << " centre " << centre << " space " << s);
                    const Digits& from = all[centre];
                    std::map<RowCode, int> seen;
                    std::vector<std::pair<int, int>> previous;
                    bool first = true;
                    ForEachCodeWithin(
                        centre, n, radius,
                        [&](RowCode code, int d) {
                            ASSERT_LT(code, CodeSpaceSize(n));
                            EXPECT_EQ(d, distance(centre, code));
                            EXPECT_TRUE(seen.emplace(code, d).second) << code;
                            const Digits& to = all[code];
                            std::vector<std::pair<int, int>> changes;
                            for (int g = 0; g < n; ++g) {
                                if (to[g] != from[g])
                                    changes.emplace_back(g, (to[g] - from[g] + 3) % 3);
                            }
                            EXPECT_TRUE(first ? changes.empty() : previous < changes);
                            previous = std::move(changes);
                            first = false;
                        },
                        space);
                    std::size_t expected = 0;
                    for (RowCode code = 0; code < CodeSpaceSize(n); ++code) {
                        const Digits& to = all[code];
                        bool reachable = distance(centre, code) <= radius;
                        for (int g = 0; g < n && space != nullptr; ++g)
                            reachable = reachable && (to[g] == from[g] || space->Allows(g, to[g]));
                        expected += reachable;
                        EXPECT_TRUE(!reachable || seen.count(code)) << "missing " << code;
                        const bool inside =
                            space == nullptr || !space->Contains(centre) || space->Contains(code);
                        EXPECT_TRUE(inside || !seen.count(code)) << "outside " << code;
                    }
                    EXPECT_EQ(seen.size(), expected);
                }
            }
        }
    }
}

TEST(CodeSpace, WalkCallsAVisitorWithoutDistanceOnTheSameCodes) {
    std::vector<RowCode> withDistance, without;
    const RowCode centre = EncodeRow(testing::RandomRows(14, 1, 5).Row(0), 14);
    ForEachCodeWithin(centre, 14, 4, [&](RowCode code, int) { withDistance.push_back(code); });
    ForEachCodeWithin(centre, 14, 4, [&](RowCode code) { without.push_back(code); });
    EXPECT_EQ(without, withDistance);
    EXPECT_EQ(static_cast<std::int64_t>(without.size()), BallVolume(14, 4));
}

TEST(CodeSpace, PackedDistanceCountsDifferingGames) {
    std::mt19937 random(11);
    for (int n = 1; n <= kMaxGames; ++n) {
        const TRowList rows = testing::RandomRows(n, 200, static_cast<unsigned>(n));
        for (std::int32_t r = 0; r + 1 < rows.Count(); ++r) {
            const Sign* a = rows.Row(r);
            // Each row also meets a copy of itself changed in at most one game, so that the
            // smallest distances occur too.
            TTipRow near(n);
            std::copy_n(a, n, &near[0]);
            near[static_cast<int>(random() % n)] = static_cast<Sign>(random() % 3);
            for (const Sign* b : {rows.Row(r + 1), static_cast<const Sign*>(&near[0])}) {
                EXPECT_EQ(
                    PackedDistance(PackCode(EncodeRow(a, n), n), PackCode(EncodeRow(b, n), n)),
                    RowDistance(a, b, n))
                    << "n " << n << " row " << r;
            }
        }
    }
}

TEST(CodeSpace, BallVolumeCountsTheCodesWithinTheRadius) {
    for (int n = 1; n <= 6; ++n) {
        for (int radius = 0; radius <= n + 2; ++radius) {
            std::int64_t count = 0;
            for (RowCode code = 0; code < CodeSpaceSize(n); ++code)
                count += Distance(0, code, n) <= radius;
            EXPECT_EQ(BallVolume(n, radius), count) << "n " << n << " radius " << radius;
        }
    }
    EXPECT_EQ(BallVolume(14, 4), 1 + 2 * 14 + 4 * 91 + 8 * 364 + 16 * 1001);
    EXPECT_EQ(BallVolume(14, 14), CodeSpaceSize(14));
}

// After each spread every code holds its distance to the nearest origin so far where that
// is within the cap, and Far() beyond it; origins come singly, in batches, repeated and
// already reached.
TEST(CodeSpace, DistanceFieldHoldsNearestDistanceAcrossSpreads) {
    std::mt19937 random(3);
    for (int n : {1, 2, 4, 6}) {
        for (int cap : {0, 1, 2, n, n + 3}) {
            SCOPED_TRACE(::testing::Message() << "n " << n << " cap " << cap);
            const std::vector<Digits> all = AllDigits(n);
            DistanceField field(n, cap);
            EXPECT_EQ(field.Cap(), std::min(n, cap));
            EXPECT_EQ(field.Far(), field.Cap() + 1);
            std::vector<RowCode> origins;
            auto check = [&] {
                for (RowCode code = 0; code < CodeSpaceSize(n); ++code) {
                    int nearest = n + 1;
                    for (RowCode origin : origins)
                        nearest =
                            std::min(nearest, RowDistance(all[origin].data(), all[code].data(), n));
                    const int expected = nearest <= field.Cap() ? nearest : field.Far();
                    ASSERT_EQ(field.At(code), expected) << "code " << code;
                }
            };
            check();
            auto pick = [&] { return static_cast<RowCode>(random() % CodeSpaceSize(n)); };
            for (int round = 0; round < 4; ++round) {
                origins.push_back(pick());
                field.Spread(origins.back());
                check();
                std::vector<RowCode> batch{pick(), pick(), origins.front()};
                batch.push_back(batch.front());
                field.Spread(batch);
                origins.insert(origins.end(), batch.begin(), batch.end());
                check();
            }
        }
    }
}

TEST(CodeSpace, RowSpaceSizeAndContainsMatchTheSigns) {
    for (int n = 1; n <= 6; ++n) {
        for (const RowSpace& space : SomeSpaces(n)) {
            std::int64_t inside = 0;
            for (RowCode code = 0; code < CodeSpaceSize(n); ++code) {
                const Digits digits = DigitsOf(code, n);
                bool allowed = true;
                for (int g = 0; g < n; ++g)
                    allowed = allowed && ((space.signs[g] >> digits[g]) & 1u);
                EXPECT_EQ(space.Contains(code), allowed) << "n " << n << " code " << code;
                inside += allowed;
            }
            EXPECT_EQ(space.Size(), inside) << "n " << n;
            EXPECT_EQ(space.IsFull(), inside == CodeSpaceSize(n));
        }
    }
}

TEST(CodeSpace, TipPlanSpaceHoldsItsFullSystem) {
    // Tendencies for "1", "0", "2": one sign, two, three, an untipped game, one sign.
    TTipPlan plan = testing::PlanFromTendencies({"500", "035", "531", "000", "005"});
    const RowSpace space = plan.FullSystemSpace(5);
    EXPECT_EQ(space.games, 5);
    EXPECT_EQ(std::vector<int>(space.signs.begin(), space.signs.begin() + 5),
              (std::vector<int>{0b010, 0b101, 0b111, 0b111, 0b100}));
    EXPECT_EQ(space.Size(), 18);
    EXPECT_FALSE(space.IsFull());

    // A row list holds 11 to 14 games: the first three games of the plan, then banks.
    std::vector<std::string> tippedGames{"500", "035", "531"};
    tippedGames.resize(11, "050");
    const TTipPlan tippedPlan = testing::PlanFromTendencies(tippedGames);
    const RowSpace tipped = tippedPlan.FullSystemSpace(11);
    const TRowList rows = testing::FullSystemOf(tippedPlan, 11);
    EXPECT_EQ(tipped.Size(), rows.Count());
    for (std::int32_t r = 0; r < rows.Count(); ++r)
        EXPECT_TRUE(tipped.Contains(EncodeRow(rows.Row(r), 11))) << r;

    plan.AllToTendencyOrder(5);
    EXPECT_EQ(plan.FullSystemSpace(5), space);
    EXPECT_TRUE(TTipPlan().FullSystemSpace(4).IsFull());
}

}  // namespace
}  // namespace velmora
