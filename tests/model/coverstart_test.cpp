#include "model/coverstart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "filters/signchange.h"
#include "support/fakeclock.h"

namespace velmora {
namespace {

// Every row of the space, in code order.
std::vector<RowCode> RowsOfSpace(const RowSpace& space) {
    std::vector<RowCode> rows;
    for (RowCode code = 0; code < CodeSpaceSize(space.games); ++code) {
        if (space.Contains(code))
            rows.push_back(code);
    }
    return rows;
}

// The rows of the space no codeword reaches, by comparing every pair.
std::int64_t Uncovered(const RowSpace& space, const std::vector<RowCode>& code, int level) {
    std::int64_t uncovered = 0;
    for (RowCode row : RowsOfSpace(space)) {
        const PackedRow packed = PackCode(row, space.games);
        uncovered += std::none_of(code.begin(), code.end(), [&](RowCode word) {
            return PackedDistance(packed, PackCode(word, space.games)) <= level;
        });
    }
    return uncovered;
}

RowSpace SpaceOf(const std::vector<std::uint8_t>& masks) {
    RowSpace space{static_cast<int>(masks.size()), {}};
    std::copy(masks.begin(), masks.end(), space.signs.begin());
    return space;
}

struct Budgeted {
    AbortFlag abort;
    RunObserver observer;
    RunBudget budget{abort, observer, 1e9};
    std::mt19937_64 random{7};
};

TEST(TernaryAndBinaryCovers, CoverTheirWholeSpace) {
    Budgeted run;
    for (int m = 1; m <= 7; ++m) {
        for (int radius = 0; radius <= 3; ++radius) {
            const std::vector<RowCode> ternary = TernaryCover(m, radius, run.budget, run.random);
            EXPECT_EQ(Uncovered(RowSpace::Full(m), ternary, radius), 0) << m << " r" << radius;
            EXPECT_EQ(std::set<RowCode>(ternary.begin(), ternary.end()).size(), ternary.size());

            const std::vector<std::uint32_t> binary =
                BinaryCover(m, radius, run.budget, run.random);
            for (std::uint32_t word = 0; word < (1u << m); ++word) {
                EXPECT_TRUE(
                    std::any_of(binary.begin(), binary.end(),
                                [&](std::uint32_t w) { return std::popcount(w ^ word) <= radius; }))
                    << m << " r" << radius << " word " << word;
            }
        }
    }
    // The perfect codes: Hamming codes of 4 and 13 games, the binary one of 7.
    EXPECT_EQ(TernaryCover(4, 1, run.budget, run.random).size(), 9u);
    EXPECT_EQ(TernaryCover(13, 1, run.budget, run.random).size(), 59049u);
    EXPECT_EQ(BinaryCover(7, 1, run.budget, run.random).size(), 16u);
}

// Plans that mix games of one, two and three signs, against an exhaustive check: the
// product stays inside the space and covers all of it.
TEST(CoverSpace, CoversMixedSpacesExhaustively) {
    const std::vector<std::vector<std::uint8_t>> spaces = {
        {0b111, 0b111, 0b011, 0b101, 0b110, 0b001, 0b111, 0b011},
        {0b011, 0b011, 0b011, 0b011, 0b011, 0b011, 0b100, 0b111},
        {0b111, 0b111, 0b111, 0b111, 0b010, 0b110, 0b101},
        {0b001, 0b010, 0b100},
        {0b101, 0b101, 0b101, 0b101, 0b101, 0b101, 0b101, 0b101, 0b101},
    };
    Budgeted run;
    for (const auto& masks : spaces) {
        const RowSpace space = SpaceOf(masks);
        for (int level = 1; level <= 3; ++level) {
            const std::vector<RowCode> code = CoverSpace(space, level, run.budget, run.random);
            EXPECT_TRUE(std::all_of(code.begin(), code.end(),
                                    [&](RowCode row) { return space.Contains(row); }));
            EXPECT_EQ(Uncovered(space, code, level), 0) << "level " << level;
            EXPECT_LE(static_cast<std::int64_t>(code.size()), space.Size());
        }
    }
    // Three-sign games with a Hamming code and two-sign games taken whole beat the other
    // split: 9 x 4 rows rather than 81 x 2.
    const RowSpace mixed = SpaceOf({0b111, 0b111, 0b111, 0b111, 0b011, 0b011});
    EXPECT_EQ(CoverSpace(mixed, 1, run.budget, run.random).size(), 36u);
}

// A list that drops the rows with many sign changes, as the default range of the sign-change
// filter does: the fit finds a variant that keeps at least as many rows of the list and
// still covers the whole space.
TEST(FitToList, KeepsMoreRowsInTheListAndStaysACover) {
    Budgeted run;
    for (const auto& masks : std::vector<std::vector<std::uint8_t>>{
             std::vector<std::uint8_t>(8, 0b111),
             {0b111, 0b011, 0b111, 0b110, 0b111, 0b111, 0b101, 0b111}}) {
        const RowSpace space = SpaceOf(masks);
        const int n = space.games;
        std::vector<bool> inList(CodeSpaceSize(n), false);
        std::array<Sign, kMaxGames> row{};
        for (RowCode code : RowsOfSpace(space)) {
            DecodeRow(code, n, row.data());
            inList[code] = countSignChanges(row.data(), n) <= n - 3;
        }
        const std::vector<RowCode> code = CoverSpace(space, 1, run.budget, run.random);
        const std::vector<RowCode> fitted =
            FitToList(code, space, inList, std::int64_t{1} << 22, run.budget, run.random);
        auto inside = [&](const std::vector<RowCode>& rows) {
            return std::count_if(rows.begin(), rows.end(), [&](RowCode r) { return inList[r]; });
        };
        EXPECT_GE(inside(fitted), inside(code));
        EXPECT_EQ(fitted.size(), code.size());
        EXPECT_TRUE(std::all_of(fitted.begin(), fitted.end(),
                                [&](RowCode r) { return space.Contains(r); }));
        EXPECT_EQ(Uncovered(space, fitted, 1), 0);
    }
}

// When the list is the code itself with two signs of a game exchanged, the fit finds it.
TEST(FitToList, FindsARelabelledCopyOfTheCode) {
    Budgeted run;
    const RowSpace space = RowSpace::Full(6);
    const std::vector<RowCode> code = CoverSpace(space, 1, run.budget, run.random);
    std::vector<bool> inList(CodeSpaceSize(6), false);
    for (RowCode row : code) {
        const RowCode sign = row / kPow3[3] % 3;
        inList[row - sign * kPow3[3] + (sign == 2 ? 2 : 1 - sign) * kPow3[3]] = true;
    }
    const std::vector<RowCode> fitted =
        FitToList(code, space, inList, std::int64_t{1} << 22, run.budget, run.random);
    EXPECT_TRUE(std::all_of(fitted.begin(), fitted.end(), [&](RowCode r) { return inList[r]; }));
}

TEST(CoverGreedily, CompletesACoverEvenWhenTheTimeIsUp) {
    TRowList rows(9);
    std::mt19937_64 random(3);
    for (int r = 0; r < 900; ++r) {
        TTipRow row(9);
        for (int g = 0; g < 9; ++g)
            row[g] = static_cast<Sign>(random() % 3);
        rows.Append(row);
    }
    for (double seconds : {1e9, 0.0}) {
        AbortFlag abort;
        RunObserver observer;
        testing::StepClock clock(0.001);
        RunBudget budget(abort, observer, seconds, &clock);
        const CoverBalls balls(rows, 2, nullptr);
        std::vector<Id> kept{0};
        CoverGreedily(balls, kept, budget, random);
        std::vector<bool> covered(static_cast<std::size_t>(balls.Count()), false);
        for (Id id : kept)
            balls.ForEachWithin(id, [&](Id near) { covered[near] = true; });
        EXPECT_TRUE(std::all_of(covered.begin(), covered.end(), [](bool c) { return c; }))
            << "budget " << seconds;
        EXPECT_EQ(kept.front(), 0);
    }
}

}  // namespace
}  // namespace velmora
