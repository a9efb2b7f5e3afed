#include "app/rowfile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempdir.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using testing::RowsFromStrings;
using testing::RowStrings;

class RowFile : public testing::TempDirTest {};

TEST_F(RowFile, RoundTripKeepsOrderAndDuplicates) {
    const TRowList rows = RowsFromStrings({"1021021021021", "0000000000000", "1021021021021"});
    ASSERT_EQ(WriteRowFile(Path("a.prd"), rows), "");
    EXPECT_EQ(ReadBytes("a.prd").size(), 39u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);  // no temporary
    const RowFileContent back = ReadRowFile(Path("a.prd"), 13);
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_EQ(back.rows, rows);

    ASSERT_EQ(WriteRowFile(Path("empty.prd"), TRowList(13)), "");
    EXPECT_TRUE(ReadRowFile(Path("empty.prd"), 13).rows.Empty());
}

TEST_F(RowFile, RefusesWrongSizesAndBytesThatAreNoSigns) {
    WriteBytes("twelve.prd", std::vector<std::uint8_t>(12 * 5, 1));
    EXPECT_EQ(ReadRowFile(Path("twelve.prd"), 13).error, "Spielezahlen stimmen nicht überein");
    // The size alone decides: 156 rows of 12 are 144 rows of 13.
    WriteBytes("both.prd", std::vector<std::uint8_t>(12 * 156, 0));
    EXPECT_EQ(ReadRowFile(Path("both.prd"), 13).rows.Count(), 144);

    std::vector<std::uint8_t> bytes(11 * 3, 2);
    bytes[11 + 4] = 9;
    WriteBytes("nine.prd", bytes);
    const RowFileContent nine = ReadRowFile(Path("nine.prd"), 11);
    EXPECT_FALSE(nine.ok());
    EXPECT_NE(nine.error.find("Reihe 2"), std::string::npos);
    EXPECT_TRUE(nine.rows.Empty());

    EXPECT_FALSE(ReadRowFile(Path("missing.prd"), 11).ok());
    const RowFileContent folder = ReadRowFile(dir_.string(), 11);
    EXPECT_NE(folder.error.find("Ordner"), std::string::npos) << folder.error;
}

TEST_F(RowFile, SaveIntoAMissingDirectoryFailsWithoutCreatingAnything) {
    const std::string error =
        WriteRowFile(Path("no/such/dir/x.prd"), RowsFromStrings({"11111111111"}));
    EXPECT_NE(error, "");
    EXPECT_FALSE(std::filesystem::exists(Path("no")));
}

TEST(RemoveRowsPresentIn, RemovesEveryCopyAndKeepsTheRestInOrder) {
    TRowList rows = RowsFromStrings(
        {"11111111111", "22222222222", "11111111111", "00000000000", "11111111111"});
    RemoveRowsPresentIn(rows, RowsFromStrings({"11111111111", "12121212121"}));
    EXPECT_EQ(RowStrings(rows), (std::vector<std::string>{"22222222222", "00000000000"}));
    RemoveRowsPresentIn(rows, RowsFromStrings({"12121212121"}));
    EXPECT_EQ(rows.Count(), 2);
}

}  // namespace
}  // namespace velmora
