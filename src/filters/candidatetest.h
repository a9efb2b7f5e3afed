// The test every candidate row of the generation passes through, as an ordered chain
// of stages: the first stage that rejects drops the row, the later ones are not run.
//
// Order: blocks, percentages (with the required chains), odds when active, sequences,
// sign changes when in use. The settings are copied at construction, so the test stays
// valid however the filter set changes afterwards. Blocks, sequences and sign changes are
// evaluated on bit masks of the row (bit g - 1 of mask s set when game g has sign s), the
// percentage chains through a table of met chains per combination of met bands; the
// outcome is that of passesBlock, passesPercentFilters, passesSequence and
// TSignChangeFilter::passes. A stage that restricts nothing costs one test of a flag.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "filters/chain.h"
#include "filters/filterset.h"
#include "model/sign.h"

namespace velmora {

class CandidateTest {
  public:
    CandidateTest(const TFilterSet& filters, int n);

    bool Accepts(const Sign* row) const {
        const RowMasks masks = needMasks_ ? MasksOf(row) : RowMasks{};
        return PassesBlocks(masks) && PassesPercentages(row) && PassesOdds(row) &&
               PassesSequences(masks) && PassesSignChanges(masks);
    }

    bool SignChangeInUse() const { return signChangeInUse_; }

  private:
    using Mask = std::uint32_t;
    struct RowMasks {
        std::array<Mask, kSignCount> bySign{};
    };

    struct Block {
        std::array<Mask, kSignCount> marked{};  // games whose sign s is marked
        int minHits = 0;
        int maxHits = 0;
        int window = 0;  // maxRun + 1: hit runs this long fail; 0 when no run can be that long
        std::uint8_t orNext = 0;
    };

    struct Rule {
        Mask starts = 0;  // start positions that fit the row at all
        int fixedCount = 0;
        std::array<std::uint8_t, 10> offset{};  // pattern positions that are not "*" ...
        std::array<Sign, 10> sign{};            // ... and the sign each demands
        int minCount = 0;
        int maxCount = 0;
        std::uint8_t orNext = 0;
    };

    RowMasks MasksOf(const Sign* row) const {
        Mask ones = 0;
        Mask twos = 0;
        for (int g = 0; g < n_; ++g) {
            ones |= static_cast<Mask>(row[g] == 1) << g;
            twos |= static_cast<Mask>(row[g] == 2) << g;
        }
        return {{allGames_ & ~(ones | twos), ones, twos}};
    }

    // Set bits of a mask; the masks hold at most 15 bits.
    static int Count(Mask m) {
        m = m - ((m >> 1) & 0x55555555u);
        m = (m & 0x33333333u) + ((m >> 2) & 0x33333333u);
        m = (m + (m >> 4)) & 0x0F0F0F0Fu;
        return static_cast<int>((m * 0x01010101u) >> 24);
    }

    static bool PassesBlock(const Block& block, const RowMasks& masks) {
        const Mask hits = (masks.bySign[0] & block.marked[0]) |
                          (masks.bySign[1] & block.marked[1]) | (masks.bySign[2] & block.marked[2]);
        if (block.window > 0) {
            // Bit p of `run` stays set while games p.. p + covered - 1 are all hits.
            Mask run = hits;
            int covered = 1;
            while (2 * covered <= block.window) {
                run &= run >> covered;
                covered *= 2;
            }
            if (covered < block.window)
                run &= run >> (block.window - covered);
            if (run != 0)
                return false;
        }
        const int count = Count(hits);
        return block.minHits <= count && count <= block.maxHits;
    }

    static bool PassesRule(const Rule& rule, const RowMasks& masks) {
        Mask at = rule.starts;
        for (int i = 0; i < rule.fixedCount; ++i)
            at &= masks.bySign[rule.sign[i]] >> rule.offset[i];
        const int count = Count(at);
        return rule.minCount <= count && count <= rule.maxCount;
    }

    bool PassesBlocks(const RowMasks& masks) const {
        return blocks_.empty() ||
               PassesChainedList(std::span<const Block>(blocks_),
                                 [&](const Block& block) { return PassesBlock(block, masks); });
    }

    bool PassesPercentages(const Sign* row) const {
        if (requiredChains_ <= 0)
            return true;
        // The sums of all five filters side by side, each in game order as rowMean adds.
        PercentLanes sums{};
        for (int g = 0; g < n_; ++g) {
            const PercentLanes& values = percentValues_[g][row[g]];
            for (int f = 0; f < kPercentLanes; ++f)
                sums[f] += values[f];
        }
        // Two bits per filter, met as a first member and met as an alternative; the met
        // chains for each combination were counted beforehand.
        const long double reciprocal = kReciprocalOfGames[n_];
        unsigned outcome = 0;
        for (int f = 0; f < kPercentFilterCount; ++f) {
            const TPercentFilter& filter = percent_[static_cast<std::size_t>(f)];
            const double mean = static_cast<double>(static_cast<long double>(sums[f]) * reciprocal);
            outcome |= static_cast<unsigned>(WithinFirstMemberBand(mean, filter, n_)) << (2 * f);
            outcome |= static_cast<unsigned>(WithinBand(mean, filter)) << (2 * f + 1);
        }
        return metChains_[outcome] >= requiredChains_;
    }

    bool PassesOdds(const Sign* row) const {
        if (!odds_.active)
            return true;
        const double product = rowProduct(row, odds_, n_);
        return odds_.minValue <= product && product <= odds_.maxValue;
    }

    bool PassesSequences(const RowMasks& masks) const {
        return rules_.empty() ||
               PassesChainedList(std::span<const Rule>(rules_),
                                 [&](const Rule& rule) { return PassesRule(rule, masks); });
    }

    bool PassesSignChanges(const RowMasks& masks) const {
        if (!signChangeInUse_)
            return true;
        const Mask same = (masks.bySign[0] & (masks.bySign[0] >> 1)) |
                          (masks.bySign[1] & (masks.bySign[1] >> 1)) |
                          (masks.bySign[2] & (masks.bySign[2] >> 1));
        const int changes = n_ - 1 - Count(same);
        const TSignChangeFilter& f = signChange_;
        return (f.min1 <= changes && changes <= f.max1) ||
               (f.orSecond == 1 && f.min2 <= changes && changes <= f.max2);
    }

    // Lanes for the five percentage filters, one spare to fill pairs.
    static constexpr int kPercentLanes = kPercentFilterCount + 1;
    using PercentLanes = std::array<double, kPercentLanes>;

    int n_;
    Mask allGames_;
    std::vector<Block> blocks_;
    TPercentFilters percent_;
    // percentValues_[game - 1][sign][filter - 1]
    std::array<std::array<PercentLanes, kSignCount>, kMaxGames> percentValues_{};
    std::array<std::uint8_t, 1u << (2 * kPercentFilterCount)> metChains_{};
    int requiredChains_;
    TOddsFilter odds_;
    std::vector<Rule> rules_;
    TSignChangeFilter signChange_;
    bool signChangeInUse_;
    bool needMasks_;
};

}  // namespace velmora
