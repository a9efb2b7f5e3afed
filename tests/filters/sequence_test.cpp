#include "filters/sequence.h"

#include <gtest/gtest.h>

#include <vector>

#include "filterrows.h"

namespace velmora {
namespace {

using testing::Row;
using testing::Rule;

int Count(std::string_view pattern, std::string_view row) {
    return countOccurrences(Row(row).data(), Rule(pattern, 0, 8), static_cast<int>(row.size()));
}

TEST(Sequence, OccurrencesOverlap) {
    EXPECT_EQ(Count("11", "11100000000"), 2);
    EXPECT_EQ(Count("11", "11011000000"), 2);
    EXPECT_EQ(Count("11", "10101010101"), 0);
    EXPECT_EQ(Count("111", "11111111111"), 9);
    const TSequenceRule pairOfOnes = Rule("11", 0, 1);
    EXPECT_FALSE(passesSequence(Row("11100000000").data(), pairOfOnes, 11));
    EXPECT_FALSE(passesSequence(Row("11011000000").data(), pairOfOnes, 11));
    EXPECT_TRUE(passesSequence(Row("10101010101").data(), pairOfOnes, 11));
}

TEST(Sequence, WildcardsMatchAnySign) {
    const std::string row = "12011101120";
    EXPECT_EQ(Count("*1", row), 5);  // games 2..11 holding "1"
    EXPECT_EQ(Count("1*", row), 6);  // games 1..10 holding "1"
    for (int n = kMinGames; n <= kMaxGames; ++n)
        EXPECT_EQ(Count("***", std::string(static_cast<std::size_t>(n), '2')), n - 2);
    EXPECT_EQ(Count("1*0", "12011022222"), 2);  // at games 1 and 4
}

TEST(Sequence, OnlyTheFirstLengthPatternBytesCount) {
    TSequenceRule rule = Rule("10", 0, 8);
    rule.pattern[2] = 2;  // left over beyond the length
    EXPECT_EQ(countOccurrences(Row("10101010101").data(), rule, 11), 5);
}

TEST(Sequence, NothingBeyondTheLastGameIsRead) {
    // The byte after game 11 would complete one more "11".
    std::vector<Sign> buffer = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1};
    EXPECT_EQ(countOccurrences(buffer.data(), Rule("11", 0, 8), 11), 0);
    EXPECT_EQ(countOccurrences(buffer.data(), Rule("11", 0, 8), 12), 1);
    EXPECT_EQ(countOccurrences(buffer.data(), Rule("1*", 0, 8), 11), 0);
}

TEST(Sequence, ARuleLongerThanTheRowNeverOccurs) {
    TSequenceRule rule = Rule("********", 0, 8);
    rule.length = 12;  // only a damaged record can be this long
    EXPECT_EQ(countOccurrences(Row("11111111111").data(), rule, 11), 0);
    rule.length = 200;
    EXPECT_EQ(countOccurrences(Row("11111111111111").data(), rule, 14), 0);
}

TEST(Sequence, BoundsAreInclusive) {
    const TTipRow row = Row("12011022222");  // "1*0" twice
    EXPECT_TRUE(passesSequence(row.data(), Rule("1*0", 2, 2), 11));
    EXPECT_FALSE(passesSequence(row.data(), Rule("1*0", 3, 8), 11));
    EXPECT_FALSE(passesSequence(row.data(), Rule("1*0", 0, 1), 11));
}

TEST(SequenceList, ChainsWorkAsForBlocks) {
    auto passes = [](const std::vector<TSequenceRule>& rules, std::string_view row) {
        return passesSequenceRules(Row(row).data(), rules, static_cast<int>(row.size()));
    };
    EXPECT_TRUE(passes({}, "00000000000"));
    // The first with "oder": failing it and meeting the second passes; meeting the first
    // passes whatever the second says.
    const std::vector<TSequenceRule> chain = {Rule("22", 1, 8, true), Rule("00", 1, 8)};
    EXPECT_TRUE(passes(chain, "00111111111"));
    EXPECT_TRUE(passes(chain, "22111111111"));
    EXPECT_FALSE(passes(chain, "12121212121"));
    // Unlinked rules must all be met; a linked last rule cannot fail the list.
    EXPECT_FALSE(passes({Rule("22", 1, 8), Rule("00", 1, 8)}, "22111111111"));
    EXPECT_TRUE(passes({Rule("22", 1, 8), Rule("00", 1, 8, true)}, "22111111111"));
}

}  // namespace
}  // namespace velmora
