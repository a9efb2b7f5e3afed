#include "filters/candidatetest.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "filterrows.h"
#include "filters/rowfilter.h"
#include "model/enumeration.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using testing::Row;

// Random filter settings of every kind, drawn so that each test keeps some rows and drops
// others, with the awkward values mixed in (run limit 0, empty bounds, "oder" at the end).
class RandomFilters {
  public:
    explicit RandomFilters(unsigned seed) : random_(seed) {}

    TTipRow RandomRow(int n) {
        TTipRow row(n);
        for (int g = 0; g < n; ++g)
            row[g] = static_cast<Sign>(Below(3));
        return row;
    }

    TFilterSet Draw(int n) {
        TFilterSet f = TFilterSet::PassingAll(n);
        for (int b = Below(4); b > 0; --b) {
            TBlockFilter block;
            for (int g = 1; g <= kMaxGames; ++g) {
                for (Sign s = 0; s < kSignCount; ++s)
                    block.SetMarked(g, s, Below(3) == 0);
            }
            block.minHits = Byte(Below(n / 2));
            block.maxHits = Byte(Below(3) == 0 ? n : block.minHits + Below(n));
            block.maxRun = Byte(Below(n + 2));
            block.orNext = Below(3) == 0;
            f.blocks.push_back(block);
        }
        for (TPercentFilter& p : f.percent) {
            for (auto& game : p.values) {
                for (double& v : game)
                    v = Below(101);
            }
            // Means spread around 50; bands of varying width around that.
            const double centre = 35 + Below(31);
            const double half = Below(4) == 0 ? 0 : Below(16);
            p.minValue = centre - half;
            p.maxValue = centre + half;
            p.active = Below(3) != 0;
            p.orNext = Below(3) == 0;
        }
        f.RecomputeChains();
        if (Below(3) == 0)
            f.requiredChains = Below(f.chainCount() + 2);
        f.odds.active = Below(2);
        for (auto& game : f.odds.values) {
            for (double& v : game)
                v = 1.0 + Below(8) * 0.25;
        }
        f.odds.minValue = Below(3) == 0 ? 0.0 : 100.0 * Below(40);
        f.odds.maxValue = f.odds.minValue + 500.0 * Below(200);
        for (int r = Below(4); r > 0; --r) {
            TSequenceRule rule;
            rule.length = Byte(1 + Below(kMaxPatternLength));
            for (int j = 0; j < rule.length; ++j)
                rule.pattern[j] = Below(3) == 0 ? kAnySign : Byte(Below(3));
            rule.minCount = Byte(Below(3));
            rule.maxCount = Byte(rule.minCount + Below(6));
            rule.orNext = Below(3) == 0;
            f.sequences.push_back(rule);
        }
        f.signChange = {Byte(Below(n / 2)), Byte(Below(n + 1)), Byte(Below(n)), Byte(Below(n + 1)),
                        Byte(Below(2))};
        return f;
    }

  private:
    int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
    static std::uint8_t Byte(int v) { return static_cast<std::uint8_t>(v); }

    std::mt19937 random_;
};

// Each kind alone, so that no earlier stage hides a fault of a later one.
std::vector<TFilterSet> OneKindEach(const TFilterSet& all, int n) {
    std::vector<TFilterSet> single(5, TFilterSet::PassingAll(n));
    single[0].blocks = all.blocks;
    single[1].percent = all.percent;
    single[1].requiredChains = all.requiredChains;
    single[2].odds = all.odds;
    single[3].sequences = all.sequences;
    single[4].signChange = all.signChange;
    return single;
}

TEST(CandidateTest, AgreesWithTheRowTestOnRandomRowsAndFilters) {
    RandomFilters draw(2024);
    int accepted = 0;
    int checked = 0;
    for (int round = 0; round < 400; ++round) {
        const int n = kMinGames + round % 4;
        const TFilterSet all = draw.Draw(n);
        std::vector<TFilterSet> sets = OneKindEach(all, n);
        sets.push_back(all);
        for (const TFilterSet& filters : sets) {
            const CandidateTest test(filters, n);
            for (int r = 0; r < 60; ++r) {
                const TTipRow row = draw.RandomRow(n);
                const bool expected = rowPassesFilters(row.data(), filters, n);
                ASSERT_EQ(test.Accepts(row.data()), expected)
                    << "round " << round << ", row " << testing::RowString(row.signs());
                accepted += expected;
                ++checked;
            }
        }
    }
    // Both outcomes occur often enough for the comparison to mean something.
    EXPECT_GT(accepted, checked / 5);
    EXPECT_LT(accepted, checked * 4 / 5);
}

TEST(CandidateTest, AgreesOnDamagedRecords) {
    const int n = 11;
    TFilterSet filters = TFilterSet::PassingAll(n);
    TSequenceRule tooLong = testing::Rule("11", 0, 0);
    tooLong.length = 12;  // occurs nowhere, so 0..0 is met
    TSequenceRule oddSign = testing::Rule("1", 1, 11);
    oddSign.pattern[0] = 5;  // no row has this sign: never met with at least one
    TBlockFilter bytes = testing::BlockOn(1, kMaxGames, 0, 200, 255);
    bytes.marks[0] = 7;  // any byte other than 0 marks
    filters.sequences = {tooLong, oddSign};
    filters.blocks = {bytes};
    const CandidateTest test(filters, n);
    RandomFilters draw(5);
    for (int r = 0; r < 200; ++r) {
        const TTipRow row = draw.RandomRow(n);
        EXPECT_EQ(test.Accepts(row.data()), rowPassesFilters(row.data(), filters, n));
        EXPECT_FALSE(test.Accepts(row.data()));
    }
    filters.sequences = {tooLong};
    EXPECT_TRUE(CandidateTest(filters, n).Accepts(Row("11111111111").data()));
}

TEST(CandidateTest, KeepsItsOwnCopyOfTheSettings) {
    const int n = 11;
    auto filters = std::make_unique<TFilterSet>(TFilterSet::PassingAll(n));
    filters->blocks = {testing::BlockOn(1, n, 3, 11, 11)};
    filters->sequences = {testing::Rule("00", 0, 0)};
    filters->odds = TOddsFilter::Defaults();
    filters->odds.active = 1;
    filters->odds.minValue = 0.0;
    const CandidateTest test(*filters, n);
    filters->blocks.clear();
    filters->sequences.clear();
    filters->odds.maxValue = -1.0;
    filters.reset();
    EXPECT_TRUE(test.Accepts(Row("11121212121").data()));
    EXPECT_FALSE(test.Accepts(Row("11000000000").data()));  // "00" occurs
    EXPECT_FALSE(test.Accepts(Row("22222222211").data()));  // two "1" only
}

// "Filtern" on the unfiltered full system keeps exactly what the generation produces, in
// the same order.
TEST(CandidateTest, GenerationEqualsFilteringTheFullSystem) {
    RandomFilters draw(99);
    const int n = 11;
    TTipPlan plan = testing::PlanFromTendencies(
        {"321", "321", "321", "321", "321", "321", "321", "210", "012", "300", "321"});
    plan.AllToTendencyOrder(n);
    AbortFlag abort;
    RunObserver observer;
    TRowList full(n);
    EnumerateFullSystem(plan, n, CandidateTest(TFilterSet::PassingAll(n), n), full, abort,
                        observer);
    ASSERT_EQ(full.Count(), plan.FullSystemSize(n));
    for (int round = 0; round < 12; ++round) {
        const TFilterSet filters = draw.Draw(n);
        TRowList generated(n);
        EnumerateFullSystem(plan, n, CandidateTest(filters, n), generated, abort, observer);
        TRowList filtered(n);
        for (std::int32_t r = 0; r < full.Count(); ++r) {
            if (rowPassesFilters(full.Row(r), filters, n))
                filtered.Append(full.Row(r));
        }
        EXPECT_EQ(generated, filtered) << "round " << round;
    }
}

}  // namespace
}  // namespace velmora
