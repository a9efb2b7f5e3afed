#include "filters/block.h"

#include <gtest/gtest.h>

#include <vector>

#include "filterrows.h"

namespace velmora {
namespace {

using testing::BlockOn;
using testing::Row;

TEST(Block, HitsCountMarkedSignsOfTheFirstNGames) {
    TBlockFilter block;
    block.SetMarked(1, 1, true);
    block.SetMarked(2, 0, true);
    block.SetMarked(2, 2, true);
    block.SetMarked(12, 1, true);  // beyond 11 games
    EXPECT_EQ(blockHits(Row("12111111111").data(), block, 11), 2);
    EXPECT_EQ(blockHits(Row("01111111111").data(), block, 11), 0);
    EXPECT_EQ(blockHits(Row("111111111111").data(), block, 11), 1);
    EXPECT_EQ(blockHits(Row("111111111111").data(), block, 12), 2);
}

TEST(Block, ABlockWithoutMarksIsMetExactlyWhenZeroHitsAreAllowed) {
    TBlockFilter block;
    block.maxHits = 11;
    block.maxRun = 0;
    const TTipRow row = Row("10210210210");
    EXPECT_TRUE(passesBlock(row.data(), block, 11));
    block.minHits = 1;
    EXPECT_FALSE(passesBlock(row.data(), block, 11));
}

TEST(Block, NoRunOfHitsMayExceedTheRunLimit) {
    const TBlockFilter block = BlockOn(1, 11, 0, 11, 3);
    const TTipRow threes = Row("11101110111");
    EXPECT_EQ(longestHitRun(threes.data(), block, 11), 3);
    EXPECT_TRUE(passesBlock(threes.data(), block, 11));
    const TTipRow four = Row("11110000000");
    EXPECT_EQ(longestHitRun(four.data(), block, 11), 4);
    EXPECT_FALSE(passesBlock(four.data(), block, 11));
    // A run at the very end counts as well.
    EXPECT_FALSE(passesBlock(Row("00000001111").data(), block, 11));
    // Limit 0 admits no hit at all.
    EXPECT_FALSE(passesBlock(Row("00000000001").data(), BlockOn(1, 11, 0, 11, 0), 11));
    EXPECT_TRUE(passesBlock(Row("00000000000").data(), BlockOn(1, 11, 0, 11, 0), 11));
}

TEST(Block, HitBoundsAreInclusive) {
    const TBlockFilter block = BlockOn(2, 11, 2, 3, 11);
    EXPECT_FALSE(passesBlock(Row("20000000000").data(), block, 11));
    EXPECT_TRUE(passesBlock(Row("20000000002").data(), block, 11));
    EXPECT_TRUE(passesBlock(Row("20000200002").data(), block, 11));
    EXPECT_FALSE(passesBlock(Row("20020200002").data(), block, 11));
    EXPECT_FALSE(passesBlock(Row("00000000000").data(), BlockOn(2, 11, 3, 2, 11), 11));
}

class BlockList : public ::testing::Test {
  protected:
    // Blocks on "1" that a row meets with at least `hits` ones.
    static TBlockFilter AtLeastOnes(int hits, bool orNext = false) {
        return BlockOn(1, kMaxGames, hits, 14, 14, orNext);
    }
    bool Passes(std::string_view row) const {
        return passesBlockFilters(Row(row).data(), blocks, static_cast<int>(row.size()));
    }
    std::vector<TBlockFilter> blocks;
};

TEST_F(BlockList, EmptyListPassesEveryRow) {
    EXPECT_TRUE(Passes("00000000000"));
}

TEST_F(BlockList, EveryUnlinkedBlockMustBeMet) {
    blocks = {AtLeastOnes(1), AtLeastOnes(2)};
    EXPECT_TRUE(Passes("11000000000"));
    EXPECT_FALSE(Passes("10000000000"));
}

TEST_F(BlockList, AChainNeedsOneMetMember) {
    // Three blocks, the first with "oder": the first two form a chain, the third stands alone.
    const TBlockFilter first = BlockOn(1, 11, 1, 11, 11, true);  // some "1"
    const TBlockFilter second = BlockOn(0, 11, 1, 11, 11);       // some "0"
    const TBlockFilter third = BlockOn(2, 11, 1, 11, 11);        // some "2"
    blocks = {first, second, third};
    EXPECT_TRUE(Passes("00000000002"));   // fails the first, meets the second and third
    EXPECT_TRUE(Passes("11111111112"));   // meets the first; the second is not tested
    EXPECT_FALSE(Passes("22222222222"));  // fails the first two
    EXPECT_FALSE(Passes("10000000000"));  // the chain is met, the third is not
}

TEST_F(BlockList, ALinkedBlockEndingTheListIsMetEvenWhenItFails) {
    blocks = {AtLeastOnes(1), AtLeastOnes(5, true)};
    EXPECT_TRUE(Passes("10000000000"));
    EXPECT_FALSE(Passes("00000000000"));  // the first block still decides
}

TEST_F(BlockList, AMetMemberSkipsTheRestOfALongChain) {
    blocks = {AtLeastOnes(1, true), AtLeastOnes(9, true), AtLeastOnes(9), AtLeastOnes(2)};
    EXPECT_TRUE(Passes("11000000000"));   // chain met by its first member; 4th met
    EXPECT_FALSE(Passes("10000000000"));  // chain met, the fourth is not
    EXPECT_FALSE(Passes("00000000000"));  // the last member of the chain fails
}

}  // namespace
}  // namespace velmora
