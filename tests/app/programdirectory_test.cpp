#include "app/programdirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/tempdir.h"

namespace velmora {
namespace {

class UserDirectory : public testing::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        const char* old = std::getenv("XDG_DATA_HOME");
        saved_ = old != nullptr ? old : "";
        hadValue_ = old != nullptr;
        setenv("XDG_DATA_HOME", Path("home").c_str(), 1);
        std::filesystem::create_directories(Path("set"));
    }
    void TearDown() override {
        if (hadValue_)
            setenv("XDG_DATA_HOME", saved_.c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
        TempDirTest::TearDown();
    }

    std::string saved_;
    bool hadValue_ = false;
};

TEST_F(UserDirectory, FirstUseCopiesTheDefaultSetAndLaterUseKeepsTheUsersFiles) {
    WriteBytes("set/AKTUELLEWOCHE.TTD", {1, 2, 3});
    WriteBytes("set/schein.dat", {4});
    const std::string directory = UserProgramDirectory(Path("set"));
    EXPECT_EQ(directory, Path("home/velmora") + "/");
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
