#include "model/reduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "model/enumeration.h"
#include "model/rowcode.h"
#include "support/abortat.h"
#include "support/literal_reduction.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using testing::RowsFromStrings;
using testing::RowStrings;

TRowList Reduced(TRowList rows, int level, CoverageIndex method = CoverageIndex::Automatic) {
    AbortFlag abort;
    RunObserver observer;
    ReduceToGuarantee(rows, level, abort, observer, method);
    return rows;
}

TRowList LiterallyReduced(TRowList rows, int level) {
    AbortFlag abort;
    RunObserver observer;
    literal::ReduceToGuarantee(rows, level, abort, observer);
    return rows;
}

// Checks the guarantee and that the result is a duplicate-free selection of the input.
void ExpectGuarantee(const TRowList& input, const TRowList& kept, int level) {
    const int n = input.Games();
    std::set<RowCode> inputCodes, keptCodes;
    for (std::int32_t r = 0; r < input.Count(); ++r)
        inputCodes.insert(EncodeRow(input.Row(r), n));
    for (std::int32_t r = 0; r < kept.Count(); ++r) {
        const RowCode code = EncodeRow(kept.Row(r), n);
        EXPECT_TRUE(inputCodes.count(code)) << "kept row " << r << " is not an input row";
        EXPECT_TRUE(keptCodes.insert(code).second) << "kept row " << r << " twice";
    }
    for (std::int32_t r = 0; r < input.Count(); ++r) {
        bool covered = false;
        for (std::int32_t k = 0; k < kept.Count() && !covered; ++k)
            covered = WithinDistance(input.Row(r), kept.Row(k), n, level);
        ASSERT_TRUE(covered) << "input row " << r << " lies farther than " << level;
    }
}

TEST(ReduceToGuarantee, SmallExamples) {
    // One game with three signs, everything else fixed: all rows at distance 1.
    std::vector<std::string> games(11, "500");
    games[6] = "531";
    EXPECT_EQ(Reduced(testing::FullSystemOf(testing::PlanFromTendencies(games), 11), 1).Count(), 1);

    EXPECT_EQ(RowStrings(Reduced(RowsFromStrings({"11111111111"}), 1)),
              std::vector<std::string>{"11111111111"});
    // Distance 2 at level 1: both stay. Distance 1: the second replaces the first.
    EXPECT_EQ(Reduced(RowsFromStrings({"11111111111", "11111111100"}), 1).Count(), 2);
    EXPECT_EQ(RowStrings(Reduced(RowsFromStrings({"11111111111", "11111111110"}), 1)),
              std::vector<std::string>{"11111111110"});

    TRowList empty(12);
    EXPECT_TRUE(Reduced(empty, 2).Empty());
}

TEST(ReduceToGuarantee, KeepsTheGuaranteeOnFullSystems) {
    std::vector<std::string> games(12, "500");
    for (int g = 0; g < 8; ++g)
        games[g] = g % 3 == 0 ? "350" : "531";
    const TRowList full = testing::FullSystemOf(testing::PlanFromTendencies(games), 12);
    for (int level = 1; level <= 3; ++level) {
        const TRowList kept = Reduced(full, level);
        EXPECT_LT(kept.Count(), full.Count());
        ExpectGuarantee(full, kept, level);
        EXPECT_EQ(kept, Reduced(full, level)) << "not deterministic";
    }
}

// Random lists of every shape the reduction may meet: full systems, systems cut by
// random filters, rows no tip plan would give, and duplicates.
TRowList RandomList(std::mt19937_64& random, int n) {
    TRowList rows(n);
    const int shape = static_cast<int>(random() % 4);
    if (shape == 0 || shape == 1) {
        std::vector<std::string> games(n);
        const char* choices[] = {"500", "050", "530", "305", "531", "153", "215"};
        int size = 1;
        for (auto& game : games) {
            game = choices[random() % (size > 150 ? 2 : 7)];
            size *= static_cast<int>(
                std::count_if(game.begin(), game.end(), [](char c) { return c > '0'; }));
        }
        TRowList full = testing::FullSystemOf(testing::PlanFromTendencies(games), n);
        if (shape == 0)
            return full;
        const std::uint64_t keepOneIn = 2 + random() % 5;
        std::vector<bool> keep(static_cast<std::size_t>(full.Count()));
        for (auto&& k : keep)
            k = random() % keepOneIn != 0;
        full.KeepWhere(keep);
        return full;
    }
    // Rows anywhere in the code space, in a few clusters, some of them repeated.
    const int count = 1 + static_cast<int>(random() % 300);
    TTipRow centre(n);
    for (int r = 0; r < count; ++r) {
        if (r % 40 == 0)
            for (int g = 0; g < n; ++g)
                centre[g] = static_cast<Sign>(random() % 3);
        TTipRow row = centre;
        for (int g = 0; g < n; ++g)
            if (random() % 4 == 0)
                row[g] = static_cast<Sign>(random() % 3);
        rows.Append(row);
        if (shape == 3 && random() % 5 == 0)
            rows.Append(row);
    }
    return rows;
}

// Both indexes must give the literal result. The code-space index is slow on sparse lists
// of 13 and 14 games (its walks cover the whole code space), so there it is checked on the
// dense lists of the next test.
bool CodeSpaceIsCheap(int n) {
    return n <= 12;
}

TEST(ReduceToGuarantee, MatchesTheLiteralProcedureOnRandomLists) {
    std::mt19937_64 random(20261209);
    for (int trial = 0; trial < 1200; ++trial) {
        const int n = 11 + trial % 4;
        const int level = 1 + (trial / 4) % 3;
        const TRowList input = RandomList(random, n);
        const std::vector<std::string> literal = RowStrings(LiterallyReduced(input, level));
        const TRowList scanned = Reduced(input, level, CoverageIndex::ListScan);
        ASSERT_EQ(RowStrings(scanned), literal) << "trial " << trial << ", n " << n << ", level "
                                                << level << ", rows " << input.Count();
        if (CodeSpaceIsCheap(n)) {
            ASSERT_EQ(RowStrings(Reduced(input, level, CoverageIndex::CodeSpace)), literal)
                << "trial " << trial << ", n " << n << ", level " << level;
        }
        if (trial % 50 == 0)
            ExpectGuarantee(input, scanned, level);
    }
}

TEST(ReduceToGuarantee, CodeSpaceIndexMatchesOnDenseListsOfManyGames) {
    for (int n = 13; n <= 14; ++n) {
        std::vector<std::string> games(n, "050");
        for (int g = 0; g < 7; ++g)
            games[g * 2] = g % 2 ? "153" : "531";
        TRowList input = testing::FullSystemOf(testing::PlanFromTendencies(games), n);
        input.Delete(100);  // no longer a whole full system
        for (int level = 1; level <= 3; ++level) {
            EXPECT_EQ(RowStrings(Reduced(input, level, CoverageIndex::CodeSpace)),
                      RowStrings(LiterallyReduced(input, level)))
                << "n " << n << ", level " << level;
        }
    }
}

// A tip plan of n games with 1 to 3 signs each and random tendencies, its full system
// at most about maxRows rows.
TTipPlan RandomTipPlan(std::mt19937_64& random, int n, std::int64_t maxRows) {
    std::vector<std::string> games(n);
    std::int64_t size = 1;
    for (auto& game : games) {
        int signs = 1 + static_cast<int>(random() % 3);
        while (signs > 1 && size * signs > maxRows)
            --signs;
        size *= signs;
        game = "000";
        for (int placed = 0; placed < signs;) {
            char& slot = game[random() % 3];
            if (slot == '0') {
                slot = static_cast<char>('1' + random() % 9);
                ++placed;
            }
        }
    }
    return testing::PlanFromTendencies(games);
}

// Filters of the kinds a week uses, loose enough to keep a fair part of the system.
TFilterSet RandomFilters(std::mt19937_64& random, int n) {
    TFilterSet filters = TFilterSet::PassingAll(n);
    if (random() % 2 == 0) {
        filters.signChange.min1 = static_cast<std::uint8_t>(random() % 4);
        filters.signChange.max1 = static_cast<std::uint8_t>(n - 1 - random() % 4);
    }
    const int blocks = static_cast<int>(random() % 3);
    for (int b = 0; b < blocks; ++b) {
        TBlockFilter block;
        int marked = 0;
        for (int g = 1; g <= n; ++g) {
            for (Sign sign = 0; sign < kSignCount; ++sign) {
                if (random() % 4 == 0) {
                    block.SetMarked(g, sign, true);
                    ++marked;
                }
            }
        }
        block.minHits = static_cast<std::uint8_t>(random() % 3);
        block.maxHits = static_cast<std::uint8_t>(std::max(marked / 2, 2));
        block.maxRun = static_cast<std::uint8_t>(2 + random() % 4);
        filters.blocks.push_back(block);
    }
    return filters;
}

// A dense cluster first: rows close to one centre in random order, then rows anywhere.
TRowList ClusterFirst(std::mt19937_64& random, int n, int clusterRows, int radius) {
    TTipRow centre(n);
    for (int g = 0; g < n; ++g)
        centre[g] = static_cast<Sign>(random() % 3);
    TRowList rows(n);
    rows.Append(centre);
    for (int r = 1; r < clusterRows; ++r) {
        TTipRow row = centre;
        const int changes = 1 + static_cast<int>(random() % radius);
        for (int c = 0; c < changes; ++c) {
            const int g = static_cast<int>(random() % n);
            row[g] = static_cast<Sign>((row[g] + 1 + random() % 2) % 3);
        }
        rows.Append(row);
    }
    const int scattered = static_cast<int>(random() % 200);
    for (int r = 0; r < scattered; ++r) {
        TTipRow row(n);
        for (int g = 0; g < n; ++g)
            row[g] = static_cast<Sign>(random() % 3);
        rows.Append(row);
    }
    return rows;
}

// What the differential runs below have met, so that they can prove they met the hard cases.
struct Met {
    bool manyNearFirstRow = false;  // more than 300 rows within k of the first row
    bool thresholdPastN = false;
    bool thresholdPast255 = false;  // beyond any one-byte distance
};

// Compares both indexes with the literal procedure on one list.
void ExpectLiteralResult(const TRowList& input, int level, bool withCodeSpace, Met& met,
                         const std::string& what) {
    AbortFlag abort;
    RunObserver observer;
    literal::ScanTrace trace;
    TRowList literal = input;
    literal::ReduceToGuarantee(literal, level, abort, observer, &trace);
    met.manyNearFirstRow |= trace.nearFirstRow > 300;
    met.thresholdPastN |= trace.highestThreshold > input.Games();
    met.thresholdPast255 |= trace.highestThreshold > 255;

    const std::vector<std::string> expected = RowStrings(literal);
    ASSERT_EQ(RowStrings(Reduced(input, level, CoverageIndex::ListScan)), expected)
        << what << ": list scan, level " << level << ", " << input.Count() << " rows";
    if (withCodeSpace) {
        ASSERT_EQ(RowStrings(Reduced(input, level, CoverageIndex::CodeSpace)), expected)
            << what << ": code space, level " << level << ", " << input.Count() << " rows";
    }
}

TEST(ReduceToGuarantee, KeepsTheLiteralRowsOfADenseFourteenGameWeek) {
    // Games 1 to 8 on all three signs, 9 to 14 on one: 6,561 rows, 577 of them within three
    // games of the first, so that the first replacement accepts hundreds of candidates.
    std::vector<std::string> games(14, "500");
    for (int g = 0; g < 8; ++g)
        games[g] = "321";
    const TRowList full = testing::FullSystemOf(testing::PlanFromTendencies(games), 14);
    ASSERT_EQ(full.Count(), 6561);
    EXPECT_EQ(LiterallyReduced(full, 3).Count(), 52);
    Met met;
    for (int level = 1; level <= 3; ++level)
        ExpectLiteralResult(full, level, true, met, "14 games, 8 open");
    EXPECT_TRUE(met.thresholdPast255);
}

TEST(ReduceToGuarantee, MatchesTheLiteralProcedureOnRealisticSystems) {
    std::mt19937_64 random(20261210);
    Met met;
    for (int trial = 0; trial < 240; ++trial) {
        const int n = 11 + trial % 4;
        const int level = 1 + (trial / 4) % 3;
        const bool filtered = (trial / 12) % 2 == 1;
        const TTipPlan plan = RandomTipPlan(random, n, 1 + static_cast<int>(random() % 9000));
        const TFilterSet filters = filtered ? RandomFilters(random, n) : TFilterSet::PassingAll(n);
        const TRowList system = testing::SystemOf(plan, n, filters);
        if (system.Empty())
            continue;
        // The code-space index walks the whole space of 13 and 14 games; there the full and
        // the densest systems suffice for it.
        const bool withCodeSpace = n <= 12 || (!filtered && trial % 3 == 0);
        ExpectLiteralResult(system, level, withCodeSpace, met,
                            "trial " + std::to_string(trial) + (filtered ? " filtered" : " full"));
    }
    for (int trial = 0; trial < 60; ++trial) {
        const int n = 11 + trial % 4;
        const int level = 1 + (trial / 4) % 3;
        const TRowList rows =
            ClusterFirst(random, n, 200 + static_cast<int>(random() % 600), level + 1);
        ExpectLiteralResult(rows, level, n <= 12, met, "cluster " + std::to_string(trial));
    }
    EXPECT_TRUE(met.manyNearFirstRow);
    EXPECT_TRUE(met.thresholdPastN);
    EXPECT_TRUE(met.thresholdPast255);
}

using testing::AbortAt;

TEST(ReduceToGuarantee, AbortKeepsWhatTheLiteralProcedureKeeps) {
    std::mt19937_64 random(99);
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 11 + trial % 4;
        const int level = 1 + trial % 3;
        const TRowList input = RandomList(random, n);
        const int call = 1 + static_cast<int>(random() % 200);

        TRowList literal = input;
        AbortFlag literalAbort;
        AbortAt literalObserver(literalAbort, call);
        literal::ReduceToGuarantee(literal, level, literalAbort, literalObserver);
        for (CoverageIndex method : {CoverageIndex::ListScan, CoverageIndex::CodeSpace}) {
            if (method == CoverageIndex::CodeSpace && !CodeSpaceIsCheap(n))
                continue;
            TRowList fast = input;
            AbortFlag fastAbort;
            AbortAt fastObserver(fastAbort, call);
            ReduceToGuarantee(fast, level, fastAbort, fastObserver, method);
            ASSERT_EQ(RowStrings(fast), RowStrings(literal)) << "trial " << trial;
            ASSERT_EQ(fastObserver.shown, literalObserver.shown);
        }
    }
}

TEST(ReduceToGuarantee, AbortBeforeOrDuringTheFirstStep) {
    for (int n = 11; n <= 14; ++n) {
        TRowList rows(n);
        for (int r = 0; r < 30; ++r)
            rows.Append(TTipRow(n));
        TTipRow last(n);
        last[0] = last[1] = 2;
        rows.Append(last);

        TRowList untouched = rows;
        AbortFlag abort;
        abort.Set();
        RunObserver observer;
        ReduceToGuarantee(untouched, 1, abort, observer);
        EXPECT_TRUE(untouched.Empty()) << n;

        // "Abbruch" during the first front step: 11 and 14 games stop before the back
        // scan, 12 and 13 games look at the flag only after it has kept a row.
        AbortFlag during;
        AbortAt first(during, 1);
        ReduceToGuarantee(rows, 1, during, first);
        if (n == 11 || n == 14) {
            EXPECT_EQ(rows.Count(), 1) << n;
        } else {
            ASSERT_EQ(rows.Count(), 2) << n;
            EXPECT_EQ(rows.Get(1), last) << n;
        }
        EXPECT_EQ(rows.Get(0), TTipRow(n));
    }
}

TEST(ReduceToCount, KeepsTheTargetInOrderAndMatchesSingleDeletions) {
    TRowList rows = testing::FullSystemOf(testing::FullPlan(11), 11);
    rows.KeepWhere([&] {
        std::vector<bool> keep(static_cast<std::size_t>(rows.Count()), false);
        for (std::size_t i = 0; i < keep.size(); i += 1771)
            keep[i] = true;
        return keep;
    }());
    ASSERT_EQ(rows.Count(), 101);
    for (std::uint64_t seed : {1u, 2u, 3u, 77u}) {
        TRowList fast = rows;
        ASSERT_EQ(ReduceToCount(fast, 5, seed), CountReduction::Reduced);
        ASSERT_EQ(fast.Count(), 5);

        // The same random draws, one deletion at a time.
        std::mt19937_64 random(seed);
        auto pick = [&](std::int32_t count) {
            return std::uniform_int_distribution<std::int32_t>(0, count - 1)(random);
        };
        TRowList literal = rows;
        literal::ReduceToCount(literal, 5, pick);
        EXPECT_EQ(fast, literal);

        // Relative order is kept: the survivors appear in the input in the same order.
        std::int32_t at = 0;
        for (std::int32_t r = 0; r < fast.Count(); ++r) {
            while (at < rows.Count() && !(rows.Get(at) == fast.Get(r)))
                ++at;
            EXPECT_LT(at, rows.Count());
        }
    }
    TRowList again = rows;
    EXPECT_EQ(ReduceToCount(again, 101, 1), CountReduction::TargetNotSmaller);
    EXPECT_EQ(ReduceToCount(again, 150, 1), CountReduction::TargetNotSmaller);
    EXPECT_EQ(again, rows);
    EXPECT_EQ(ReduceToCount(again, 0, 1), CountReduction::Reduced);
    EXPECT_TRUE(again.Empty());
    EXPECT_EQ(ReduceToCount(again, 0, 1), CountReduction::TargetNotSmaller);
}

}  // namespace
}  // namespace velmora
