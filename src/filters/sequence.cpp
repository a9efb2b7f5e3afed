#include "filters/sequence.h"

#include "filters/chain.h"

namespace velmora {

int countOccurrences(const Sign* row, const TSequenceRule& rule, int n) {
    const int length = rule.length;
    if (length > n || length > static_cast<int>(rule.pattern.size()))
        return 0;
    int count = 0;
    for (int p = 0; p + length <= n; ++p) {
        bool match = true;
        for (int j = 0; j < length; ++j)
            match &= rule.pattern[j] == kAnySign || rule.pattern[j] == row[p + j];
        count += match;
    }
    return count;
}

bool passesSequence(const Sign* row, const TSequenceRule& rule, int n) {
    const int count = countOccurrences(row, rule, n);
    return rule.minCount <= count && count <= rule.maxCount;
}

bool passesSequenceRules(const Sign* row, std::span<const TSequenceRule> rules, int n) {
    return PassesChainedList(
        rules, [&](const TSequenceRule& rule) { return passesSequence(row, rule, n); });
}

}  // namespace velmora
