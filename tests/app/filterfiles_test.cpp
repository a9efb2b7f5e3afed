#include "app/filterfiles.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/filesetnames.h"
#include "support/tempdir.h"

namespace velmora {
namespace {

TEST(FilterFiles, ValueRecordLayout) {
    TFilterValueRecord record;
    record.values[2][1] = 2.5;  // game 3, sign "1"
    record.minValue = -1.0;
    record.maxValue = 1e6;
    record.active = 1;
    record.orNext = 1;
    record.reserved = {7, 8};
    const auto bytes = EncodeValueRecord(record);
    double at = 0;
    std::memcpy(&at, bytes.data() + 24 * 2 + 8 * 1, 8);
    EXPECT_EQ(at, 2.5);
    std::memcpy(&at, bytes.data() + 336, 8);
    EXPECT_EQ(at, -1.0);
    std::memcpy(&at, bytes.data() + 344, 8);
    EXPECT_EQ(at, 1e6);
    EXPECT_EQ(bytes[352], 1);
    EXPECT_EQ(bytes[353], 1);
    EXPECT_EQ(bytes[355], 8);
    EXPECT_EQ(DecodeValueRecord(bytes), record);

    const Bytes file = EncodeFilterValues(TOddsFilter::Defaults(), TPercentFilters{});
    EXPECT_EQ(file.size(), 2136u);
    std::memcpy(&at, file.data() + 344, 8);
    EXPECT_EQ(at, 1000000.0);
}

TEST(FilterFiles, ShortValueFileLeavesLaterFiltersAsTheyWere) {
    TOddsFilter odds = TOddsFilter::Defaults();
    TPercentFilters percent{};
    percent[1].minValue = 42;
    TOddsFilter storedOdds = TOddsFilter::Defaults();
    storedOdds.active = 1;
    TPercentFilters stored{};
    stored[0].maxValue = 60;
    Bytes file = EncodeFilterValues(storedOdds, stored);
    file.resize(2 * kValueRecordSize);

    const FilterValuesContent content = ParseFilterValues(file);
    ASSERT_TRUE(content.error.empty());
    ApplyFilterValues(content.records, odds, percent);
    EXPECT_EQ(odds.active, 1);
    EXPECT_EQ(percent[0].maxValue, 60);
    EXPECT_EQ(percent[1].minValue, 42);

    EXPECT_FALSE(ParseFilterValues(Bytes(355)).error.empty());
    EXPECT_FALSE(ParseFilterValues(Bytes(7 * kValueRecordSize)).error.empty());
}

TEST(FilterFiles, BlocksAndSequencesRoundTripAndRefuseDamage) {
    TBlockFilter block;
    block.SetMarked(14, 2, true);
    block.minHits = 1;
    block.maxHits = 9;
    block.orNext = 1;
    block.maxRun = 3;
    const Bytes blocks = EncodeBlocks({block, TBlockFilter{}});
    ASSERT_EQ(blocks.size(), 92u);
    EXPECT_EQ(blocks[41], 1);
    EXPECT_EQ(blocks[44], 1);
    EXPECT_EQ(ParseBlocks(blocks).blocks, (std::vector<TBlockFilter>{block, TBlockFilter{}}));
    EXPECT_NE(ParseBlocks(Bytes(47)).error.find("Vielfaches von 46"), std::string::npos);

    TSequenceRule rule;
    rule.pattern = {1, 9, 0};
    rule.length = 3;
    rule.minCount = 1;
    rule.maxCount = 3;
    const Bytes rules = EncodeSequences({rule});
    EXPECT_EQ(rules, (Bytes{1, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 1, 3}));
    EXPECT_EQ(ParseSequences(rules).rules, std::vector<TSequenceRule>{rule});

    Bytes tooLong = rules;
    tooLong[11] = 9;
    EXPECT_NE(ParseSequences(tooLong).error.find("Sequenz 1"), std::string::npos);
    Bytes badSign = rules;
    badSign[1] = 3;
    EXPECT_FALSE(ParseSequences(badSign).error.empty());
    Bytes beyondLength = rules;
    beyondLength[5] = 200;  // outside the length: ignored
    EXPECT_TRUE(ParseSequences(beyondLength).error.empty());
    EXPECT_FALSE(ParseSequences(Bytes(15)).error.empty());
}

TEST(FilterFiles, SignChangeBytes) {
    TSignChangeFilter filter;
    ApplySignChange({1, 5, 7, 9, 2}, filter);
    EXPECT_EQ(filter, (TSignChangeFilter{1, 5, 7, 9, 0}));  // only 1 ticks "oder"
    ApplySignChange({3, 4}, filter);
    EXPECT_EQ(filter, (TSignChangeFilter{3, 4, 7, 9, 0}));
    EXPECT_EQ(EncodeSignChange(filter), (Bytes{3, 4, 7, 9, 0}));
}

TEST(FileSetNames, DerivedFromTheTipPlanName) {
    EXPECT_EQ(BlockFilterName("x.ttd"), "x.tfd");
    EXPECT_EQ(BlockFilterName("X.TTD"), "X.TfD");
    EXPECT_EQ(FilterValueName("x.ttd"), "x.bld");
    EXPECT_EQ(FilterValueName("X.TTD"), "X.blD");
    EXPECT_EQ(SequenceName("week1.ttd"), "week1.seq");
    EXPECT_EQ(SignChangeName("week1.ttd"), "week1.tzw");
    EXPECT_EQ(TipPlanNameTtd("week1.ttd"), "week1.TTD");
    for (const char* shortName : {"", "a", "ab"}) {
        EXPECT_EQ(TipPlanNameTtd(shortName), std::string(shortName) + ".TTD");
        EXPECT_FALSE(BlockFilterName(shortName).empty());
    }
}

class ResolveNames : public testing::TempDirTest {};

TEST_F(ResolveNames, FindsAFileThatDiffersOnlyInCase) {
    WriteBytes("week1.ttd", {});
    EXPECT_EQ(ResolveFileName(Path("week1.TTD")).path, Path("week1.ttd"));
    EXPECT_EQ(ResolveFileName(Path("week1.ttd")).path, Path("week1.ttd"));
    EXPECT_EQ(ResolveFileName(Path("week2.TfD")).path, Path("week2.TfD"));
    EXPECT_EQ(ResolveFileName(Path("week2.TfD"), true).path, Path("week2.tfd"));
}

TEST_F(ResolveNames, PrefersTheExactNameAndNeverPicksOneOfSeveral) {
    if (!NamesDifferInCase())
        GTEST_SKIP() << "names differing only in case are one file here";
    WriteBytes("AktuelleWoche.tfd", {});
    WriteBytes("aktuellewoche.tfd", {});
    EXPECT_EQ(ResolveFileName(Path("aktuellewoche.tfd")).path, Path("aktuellewoche.tfd"));
    for (const bool forWriting : {false, true}) {
        const ResolvedFileName ambiguous = ResolveFileName(Path("AKTUELLEWOCHE.TfD"), forWriting);
        EXPECT_FALSE(ambiguous.ok());
        EXPECT_NE(ambiguous.error.find("'AktuelleWoche.tfd' und 'aktuellewoche.tfd'"),
                  std::string::npos)
            << ambiguous.error;
    }
#ifndef _WIN32
    // An entry of exactly the name is the name, even a link that leads nowhere.
    std::filesystem::create_symlink("nowhere", Path("AKTUELLEWOCHE.TfD"));
    EXPECT_EQ(ResolveFileName(Path("AKTUELLEWOCHE.TfD")).path, Path("AKTUELLEWOCHE.TfD"));
#endif
}

}  // namespace
}  // namespace velmora
