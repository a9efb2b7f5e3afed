// Sequence files: ParseSequences, the bytes written back, and the rules read run on rows
// of every game count.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/filterfiles.h"
#include "filters/filterset.h"
#include "filters/sequence.h"
#include "fuzz_support.h"

using namespace velmora;

namespace {

// A rule as the file holds it: a length of 1 to 8 and only 0, 1, 2 or 9 in the pattern
// positions in use.
bool RuleIsSound(const std::uint8_t* record) {
    const int length = record[offsetof(TSequenceRule, length)];
    if (length < 1 || length > kMaxPatternLength)
        return false;
    const std::uint8_t* pattern = record + offsetof(TSequenceRule, pattern);
    return std::all_of(pattern, pattern + length,
                       [](std::uint8_t b) { return IsSign(b) || b == kAnySign; });
}

void CheckRules(const std::vector<TSequenceRule>& rules, const std::uint8_t* data,
                std::size_t size) {
    for (int n = kMinGames; n <= kMaxGames; ++n) {
        TFilterSet filters = TFilterSet::PassingAll(n);
        filters.sequences = rules;
        fuzz::CheckFilterSet(filters, n, data, size, [&](const Sign* row) {
            for (const TSequenceRule& rule : rules) {
                const int count = countOccurrences(row, rule, n);
                VELMORA_FUZZ_CHECK(count >= 0 && count <= n + 1);
                if (rule.length > n || rule.length > rule.pattern.size())
                    VELMORA_FUZZ_CHECK(count == 0);
                else if (rule.length >= 1)
                    VELMORA_FUZZ_CHECK(count <= n - rule.length + 1);
                VELMORA_FUZZ_CHECK(passesSequence(row, rule, n) ==
                                   (rule.minCount <= count && count <= rule.maxCount));
            }
            const bool passes = passesSequenceRules(row, rules, n);
            VELMORA_FUZZ_CHECK(passes == fuzz::ChainsMet(rules, [&](const TSequenceRule& r) {
                                   return passesSequence(row, r, n);
                               }));
        });
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes = fuzz::ToBytes(data, size);
    const SequencesContent content = ParseSequences(bytes);
    bool sound = bytes.size() % kSequenceRecordSize == 0;
    for (std::size_t at = 0; sound && at < bytes.size(); at += kSequenceRecordSize)
        sound = RuleIsSound(bytes.data() + at);
    if (!content.error.empty()) {
        VELMORA_FUZZ_CHECK(content.rules.empty());
        VELMORA_FUZZ_CHECK(!sound);
        // The filters promise that a damaged record, which only a foreign file can hold,
        // occurs nowhere and is never read beyond: try the refused records all the same.
        std::vector<TSequenceRule> damaged(bytes.size() / kSequenceRecordSize);
        if (!damaged.empty())
            std::memcpy(damaged.data(), bytes.data(), damaged.size() * kSequenceRecordSize);
        CheckRules(damaged, data, size);
        return 0;
    }
    VELMORA_FUZZ_CHECK(sound);
    VELMORA_FUZZ_CHECK(content.rules.size() * kSequenceRecordSize == bytes.size());
    VELMORA_FUZZ_CHECK(EncodeSequences(content.rules) == bytes);

    CheckRules(content.rules, data, size);
    return 0;
}
