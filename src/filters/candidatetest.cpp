#include "filters/candidatetest.h"

namespace velmora {

CandidateTest::CandidateTest(const TFilterSet& filters, int n)
    : n_(n),
      allGames_((Mask{1} << n) - 1),
      percent_(filters.percent),
      requiredChains_(filters.requiredChains),
      odds_(filters.odds),
      signChange_(filters.signChange),
      signChangeInUse_(signChange_.inUse(n)) {
    for (int g = 0; g < n; ++g) {
        for (Sign s = 0; s < kSignCount; ++s) {
            for (int f = 0; f < kPercentFilterCount; ++f)
                percentValues_[g][s][f] = percent_[static_cast<std::size_t>(f)].values[g][s];
        }
    }
    for (unsigned outcome = 0; outcome < metChains_.size(); ++outcome) {
        metChains_[outcome] = static_cast<std::uint8_t>(CountMetPercentChains(
            percent_, [outcome](int f) { return (outcome >> (2 * f) & 1) != 0; },
            [outcome](int f) { return (outcome >> (2 * f + 1) & 1) != 0; }));
    }

    for (const TBlockFilter& source : filters.blocks) {
        Block block;
        for (int g = 0; g < n; ++g) {
            for (Sign s = 0; s < kSignCount; ++s) {
                if (source.Marked(g + 1, s))
                    block.marked[s] |= Mask{1} << g;
            }
        }
        block.minHits = source.minHits;
        block.maxHits = source.maxHits;
        block.window = source.maxRun < n ? source.maxRun + 1 : 0;
        block.orNext = source.orNext;
        blocks_.push_back(block);
    }

    for (const TSequenceRule& source : filters.sequences) {
        Rule rule;
        rule.minCount = source.minCount;
        rule.maxCount = source.maxCount;
        rule.orNext = source.orNext;
        const int length = source.length;
        // A rule longer than the row or than its pattern field occurs nowhere.
        if (length <= n && length <= static_cast<int>(source.pattern.size())) {
            rule.starts = (Mask{1} << (n - length + 1)) - 1;
            for (int j = 0; j < length; ++j) {
                const std::uint8_t byte = source.pattern[j];
                if (byte == kAnySign)
                    continue;
                if (!IsSign(byte)) {
                    rule.starts = 0;  // demands a sign no row has
                    break;
                }
                rule.offset[rule.fixedCount] = static_cast<std::uint8_t>(j);
                rule.sign[rule.fixedCount] = byte;
                ++rule.fixedCount;
            }
        }
        rules_.push_back(rule);
    }

    needMasks_ = !blocks_.empty() || !rules_.empty() || signChangeInUse_;
}

}  // namespace velmora
