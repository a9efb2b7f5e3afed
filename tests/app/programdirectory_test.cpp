#include "app/programdirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/environment.h"
#include "support/tempdir.h"

namespace velmora {
namespace {

class UserDirectory : public testing::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        saved_ = EnvironmentValue("XDG_DATA_HOME");
        testing::SetEnvironmentValue("XDG_DATA_HOME", Path("home"));
        std::filesystem::create_directories(Path("set"));
    }
    void TearDown() override {
        testing::SetEnvironmentValue("XDG_DATA_HOME", saved_);
        TempDirTest::TearDown();
    }

    std::optional<std::string> saved_;
};

TEST_F(UserDirectory, FirstUseCopiesTheDefaultSetAndLaterUseKeepsTheUsersFiles) {
    WriteBytes("set/AKTUELLEWOCHE.TTD", {1, 2, 3});
    WriteBytes("set/schein.dat", {4});
    const std::string directory = UserProgramDirectory(Path("set"));
    EXPECT_EQ(PathOf(directory).lexically_normal(),
              PathOf(Path("home/velmora/")).lexically_normal());
    EXPECT_EQ(ReadBytes("home/velmora/schein.dat"), std::vector<std::uint8_t>{4});

    WriteBytes("home/velmora/AKTUELLEWOCHE.TTD", {9});  // the user's own week
    std::filesystem::remove(Path("home/velmora/schein.dat"));
    EXPECT_EQ(UserProgramDirectory(Path("set")), directory);
    EXPECT_EQ(ReadBytes("home/velmora/AKTUELLEWOCHE.TTD"), std::vector<std::uint8_t>{9});
    EXPECT_EQ(ReadBytes("home/velmora/schein.dat"), std::vector<std::uint8_t>{4});
}

TEST_F(UserDirectory, WithoutADefaultSetThereIsNoUserDirectoryToUse) {
    EXPECT_EQ(UserProgramDirectory(Path("missing")), "");
}

}  // namespace
}  // namespace velmora
