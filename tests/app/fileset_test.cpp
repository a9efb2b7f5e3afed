#include "app/fileset.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/filesetnames.h"
#include "app/rowfile.h"
#include "support/tempdir.h"
#include "support/unusualfiles.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

class WeekFileSet : public testing::TempDirTest {
  protected:
    // A 13-game plan on which every game allows "1".
    void WriteWeek(const std::string& name) {
        TipPlanStream records(13, GameRecord::Blank());
        for (GameRecord& record : records)
            record.SetPair(1, {1, 5});
        ASSERT_EQ(WriteTipPlanFile(Path(name), records), "");
    }

    static Bytes OneBlock() {
        TBlockFilter block;
        block.SetMarked(1, 1, true);
        block.maxHits = 1;
        return EncodeBlocks({block});
    }
};

TEST_F(WeekFileSet, OnlyMembersThatDoNotExistAreMissingAndNothingIsCreated) {
    WriteWeek("w.ttd");
    const WeekFiles files = ReadWeekFiles(Path("w.TTD"));
    ASSERT_TRUE(files.ok()) << files.error;
    EXPECT_EQ(files.missing,
              (std::vector<std::string>{Path("w.tfd"), Path("w.seq"), Path("w.tzw")}));
    EXPECT_FALSE(files.valuesPresent);
    EXPECT_FALSE(files.signChangePresent);
    EXPECT_EQ(FiltersOf(files, 13).blocks.size(), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

    CreateMissingSiblings(files);
    EXPECT_TRUE(fs::exists(Path("w.tfd")));
    EXPECT_TRUE(fs::exists(Path("w.seq")));
    EXPECT_TRUE(fs::exists(Path("w.tzw")));
    EXPECT_FALSE(fs::exists(Path("w.bld")));  // a missing filter value file is never created
}

TEST_F(WeekFileSet, AnEmptyFilterValueFileRefusesTheWeek) {
    WriteWeek("w.ttd");
    WriteBytes("w.bld", {});
    const WeekFiles files = ReadWeekFiles(Path("w.ttd"));
    EXPECT_FALSE(files.ok());
    EXPECT_NE(files.error.find(Path("w.bld")), std::string::npos) << files.error;
    EXPECT_NE(files.error.find("leer"), std::string::npos) << files.error;
}

#ifndef _WIN32

// A member that exists but cannot be read is not missing: the week is refused with a message
// naming it, instead of running without that filter. The same holds for the tip plan file and
// a row file.
TEST_F(WeekFileSet, EveryFileThatCannotBeReadIsRefusedByName) {
    WriteWeek("w.ttd");
    for (const testing::Unusual kind : testing::kUnusualEntries) {
        SCOPED_TRACE(testing::Describe(kind));
        for (const char* name : {"w.tfd", "w.seq", "w.tzw", "w.bld", "plan.ttd"}) {
            SCOPED_TRACE(name);
            testing::Plant(kind, Path(name));
            const std::string week = name == std::string("plan.ttd") ? "plan.ttd" : "w.ttd";
            const WeekFiles files = testing::AfterItReturnsWithin(
                std::chrono::seconds(20), [&] { return ReadWeekFiles(Path(week)); });
            EXPECT_FALSE(files.ok());
            EXPECT_NE(files.error.find(std::string("'").append(Path(name)).append("'")),
                      std::string::npos)
                << files.error;
            EXPECT_NE(files.error.find(testing::ExpectedReason(kind)), std::string::npos)
                << files.error;
            fs::remove_all(Path(name));
        }
        testing::Plant(kind, Path("rows.prd"));
        const RowFileContent rows = testing::AfterItReturnsWithin(
            std::chrono::seconds(20), [&] { return ReadRowFile(Path("rows.prd"), 13); });
        EXPECT_NE(rows.error.find(testing::ExpectedReason(kind)), std::string::npos) << rows.error;
    }
}

#endif

TEST_F(WeekFileSet, TheExactNameWinsAndSeveralCaseVariantsAreRefused) {
    if (!NamesDifferInCase())
        GTEST_SKIP() << "names differing only in case are one file here";
    WriteWeek("w.ttd");
    WriteBytes("w.tfd", OneBlock());
    WriteBytes("W.TFD", {});
    const WeekFiles exact = ReadWeekFiles(Path("w.ttd"));
    ASSERT_TRUE(exact.ok()) << exact.error;
    EXPECT_EQ(exact.blocks.size(), 1u);

    // "w.TTD" derives "w.TfD": neither file has exactly that name.
    const WeekFiles ambiguous = ReadWeekFiles(Path("w.TTD"));
    EXPECT_FALSE(ambiguous.ok());
    EXPECT_NE(ambiguous.error.find("'W.TFD' und 'w.tfd'"), std::string::npos) << ambiguous.error;

    WriteBytes("W.TTD", {});
    EXPECT_NE(ReadWeekFiles(Path("w.Ttd")).error.find("nicht eindeutig"), std::string::npos);
}

}  // namespace
}  // namespace velmora
