#include "app/binaryfile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <thread>

#include "app/systemerror.h"
#include "support/tempdir.h"
#include "support/unusualfiles.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(SystemErrorText, EveryReasonIsGermanAndTheFallbackNamesTheNumber) {
    for (int error = 1; error <= 133; ++error) {
        const std::string text = SystemErrorText(error);
        EXPECT_NE(text, std::strerror(error)) << error;
        EXPECT_EQ(text.find("error"), std::string::npos) << error << ": " << text;
        EXPECT_EQ(text.back(), '.') << error;
    }
    EXPECT_EQ(SystemErrorText(ELOOP).find("Zu viele Ebenen symbolischer Verknüpfungen"), 0u);
    EXPECT_EQ(SystemErrorText(4711), "Unbekannter Systemfehler Nr. 4711.");
}

#ifndef _WIN32

using testing::AfterItReturnsWithin;
using testing::Unusual;

class FileReading : public testing::TempDirTest {};

TEST_F(FileReading, RefusesWhatIsNoRegularFileWithoutWaiting) {
    for (const Unusual kind : testing::kUnusualEntries) {
        SCOPED_TRACE(testing::Describe(kind));
        testing::Plant(kind, Path("rows.prd"));
        const FileBytes file = AfterItReturnsWithin(
            std::chrono::seconds(20), [&] { return ReadWholeFile(Path("rows.prd")); });
        EXPECT_FALSE(file.ok());
        EXPECT_NE(file.error.find(std::string("'").append(Path("rows.prd")).append("'")),
                  std::string::npos)
            << file.error;
        EXPECT_NE(file.error.find(testing::ExpectedReason(kind)), std::string::npos) << file.error;
    }
    const FileBytes device = ReadWholeFile("/dev/null");
    EXPECT_NE(device.error.find("Gerät"), std::string::npos) << device.error;

    // A link to a file is read as the file.
    WriteBytes("real.prd", {1, 2, 3});
    fs::remove(Path("rows.prd"));
    fs::create_symlink("real.prd", Path("rows.prd"));
    EXPECT_EQ(ReadWholeFile(Path("rows.prd")).bytes, (std::vector<std::uint8_t>{1, 2, 3}));
}

class FileSaving : public testing::TempDirTest {
  protected:
    // Every entry of the test directory, with "/" after folders.
    std::set<std::string> Entries(const fs::path& folder) const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string() +
                         (fs::is_directory(entry.symlink_status()) ? "/" : ""));
        return names;
    }
    std::set<std::string> Entries() const { return Entries(dir_); }

    static fs::perms Permissions(const std::string& path) {
        return fs::symlink_status(path).permissions() & fs::perms::all;
    }
};

TEST_F(FileSaving, NeverWritesThroughOrOverAnEntryOfTheTemporaryName) {
    fs::create_directory(Path("other"));
    const std::vector<std::uint8_t> victim = {'m', 'i', 'n', 'e'};
    WriteBytes("other/victim", victim);
    WriteBytes("rows.prd", {9, 9});
    // The names a save of rows.prd once used, or might use next.
    WriteBytes("rows.prd.tmp", {5});
    WriteBytes("rows.prd.planted.tmp", {6});
    fs::create_symlink(Path("other/victim"), Path("rows.prd.linked.tmp"));
    UseTemporaryNamesNext({"planted", "linked"});

    ASSERT_EQ(WriteFileAtomically(Path("rows.prd"), std::vector<std::uint8_t>{1, 2, 3}), "");
    EXPECT_EQ(ReadBytes("rows.prd"), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(ReadBytes("rows.prd.tmp"), std::vector<std::uint8_t>{5});
    EXPECT_EQ(ReadBytes("rows.prd.planted.tmp"), std::vector<std::uint8_t>{6});
    EXPECT_TRUE(fs::is_symlink(Path("rows.prd.linked.tmp")));
    EXPECT_EQ(ReadBytes("other/victim"), victim);
    EXPECT_EQ(Entries(), (std::set<std::string>{"other/", "rows.prd", "rows.prd.tmp",
                                                "rows.prd.planted.tmp", "rows.prd.linked.tmp"}));
}

TEST_F(FileSaving, KeepsThePermissionsOfTheOldFile) {
    WriteBytes("private.prd", {1});
    fs::permissions(Path("private.prd"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(WriteFileAtomically(Path("private.prd"), std::vector<std::uint8_t>{2}), "");
    EXPECT_EQ(Permissions(Path("private.prd")), fs::perms::owner_read | fs::perms::owner_write);

    WriteBytes("shared.prd", {1});
    fs::permissions(Path("shared.prd"), fs::perms::owner_all | fs::perms::group_read |
                                            fs::perms::group_write | fs::perms::others_read);
    ASSERT_EQ(WriteFileAtomically(Path("shared.prd"), std::vector<std::uint8_t>{2}), "");
    EXPECT_EQ(Permissions(Path("shared.prd")), fs::perms::owner_all | fs::perms::group_read |
                                                   fs::perms::group_write | fs::perms::others_read);

    // A new file gets what the user's file creation mask allows.
    const mode_t previous = ::umask(027);
    const std::string error = WriteFileAtomically(Path("new.prd"), std::vector<std::uint8_t>{2});
    ::umask(previous);
    ASSERT_EQ(error, "");
    EXPECT_EQ(Permissions(Path("new.prd")),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FileSaving, ALinkStaysALinkAndItsFileIsReplaced) {
    fs::create_directory(Path("real"));
    WriteBytes("real/week.seq", {1});
    fs::permissions(Path("real/week.seq"), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real/week.seq", Path("week.seq"));
    fs::create_symlink("week.seq", Path("again.seq"));  // a link to the link
    ASSERT_EQ(WriteFileAtomically(Path("again.seq"), std::vector<std::uint8_t>{4, 5}), "");
    EXPECT_TRUE(fs::is_symlink(Path("week.seq")));
    EXPECT_TRUE(fs::is_symlink(Path("again.seq")));
    EXPECT_EQ(ReadBytes("real/week.seq"), (std::vector<std::uint8_t>{4, 5}));
    EXPECT_EQ(Permissions(Path("real/week.seq")), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Entries(Path("real")), std::set<std::string>{"week.seq"});

    // A link whose file is missing gets that file.
    fs::create_symlink("real/new.seq", Path("new.seq"));
    ASSERT_EQ(WriteFileAtomically(Path("new.seq"), std::vector<std::uint8_t>{6}), "");
    EXPECT_TRUE(fs::is_symlink(Path("new.seq")));
    EXPECT_EQ(ReadBytes("real/new.seq"), std::vector<std::uint8_t>{6});

    fs::create_symlink("loop.seq", Path("loop.seq"));
    EXPECT_NE(WriteFileAtomically(Path("loop.seq"), std::vector<std::uint8_t>{6})
                  .find("Zu viele Ebenen symbolischer Verknüpfungen"),
              std::string::npos);
}

TEST_F(FileSaving, DoesNotFollowALinkOfAnotherUser) {
    // As in /tmp: someone else's link in a folder that is not theirs.
    WriteBytes("victim", {'m', 'i', 'n', 'e'});
    fs::create_symlink(Path("victim"), Path("Arbeits.dat"));
    if (::lchown(Path("Arbeits.dat").c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "only an administrator can give the link to another user";
    const std::string error =
        WriteFileAtomically(Path("Arbeits.dat"), std::vector<std::uint8_t>{1});
    EXPECT_NE(error.find("einem anderen Benutzer"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes("victim"), (std::vector<std::uint8_t>{'m', 'i', 'n', 'e'}));
    EXPECT_TRUE(fs::is_symlink(Path("Arbeits.dat")));
}

TEST_F(FileSaving, RefusesToReplaceWhatIsNoRegularFile) {
    for (const Unusual kind : {Unusual::NamedPipe, Unusual::Folder}) {
        SCOPED_TRACE(testing::Describe(kind));
        testing::Plant(kind, Path("rows.prd"));
        const std::string error = AfterItReturnsWithin(std::chrono::seconds(20), [&] {
            return WriteFileAtomically(Path("rows.prd"), std::vector<std::uint8_t>{1});
        });
        EXPECT_NE(error.find(testing::ExpectedReason(kind)), std::string::npos) << error;
        EXPECT_EQ(fs::symlink_status(Path("rows.prd")).type(),
                  kind == Unusual::Folder ? fs::file_type::directory : fs::file_type::fifo);
        EXPECT_EQ(Entries().size(), 1u);
    }
}

TEST_F(FileSaving, TwoSavesAtOnceLeaveOneOfThemWhole) {
    constexpr std::size_t kSize = 4 << 20;
    constexpr int kRounds = 8;
    WriteBytes("rows.prd", {0});
    auto save = [this](std::uint8_t fill, std::vector<std::string>& errors) {
        const std::vector<std::uint8_t> bytes(kSize, fill);
        for (int round = 0; round < kRounds; ++round)
            errors.push_back(WriteFileAtomically(Path("rows.prd"), bytes));
    };
    std::vector<std::string> errorsA, errorsB;
    std::thread a(save, std::uint8_t{1}, std::ref(errorsA));
    std::thread b(save, std::uint8_t{2}, std::ref(errorsB));
    a.join();
    b.join();
    for (const auto* errors : {&errorsA, &errorsB})
        for (const std::string& error : *errors)
            EXPECT_EQ(error, "");
    const std::vector<std::uint8_t> result = ReadBytes("rows.prd");
    ASSERT_EQ(result.size(), kSize);
    EXPECT_TRUE(result == std::vector<std::uint8_t>(kSize, 1) ||
                result == std::vector<std::uint8_t>(kSize, 2))
        << "the file mixes both saves";
    EXPECT_EQ(Entries(), std::set<std::string>{"rows.prd"});
}

// A save stopped by SIGTERM removes its temporary file and leaves the old file as it was.
// The child writes a large file once; whenever the write ends before the signal could
// catch it, the round is repeated.
TEST_F(FileSaving, StopSignalRemovesTheTemporaryAndKeepsTheOldFile) {
    constexpr std::size_t kSize = 256u << 20;
    const std::vector<std::uint8_t> old = {'a', 'l', 't'};
    WriteBytes("rows.prd", old);
    bool caught = false;
    for (int round = 0; round < 10 && !caught; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RemoveTemporaryFilesOnStopSignals();
            const std::vector<std::uint8_t> rows(kSize, 1);
            WriteFileAtomically(Path("rows.prd"), rows);
            ::_exit(0);
        }
        int status = 0;
        bool ended = false;
        bool seen = false;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (!seen && !ended && std::chrono::steady_clock::now() < deadline) {
            ended = ::waitpid(child, &status, WNOHANG) == child;
            seen = Entries().size() > 1;
            if (!seen)
                std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        if (!ended) {
            ::kill(child, seen ? SIGTERM : SIGKILL);
            ASSERT_EQ(::waitpid(child, &status, 0), child);
        }
        EXPECT_EQ(Entries(), std::set<std::string>{"rows.prd"}) << "round " << round;
        const std::vector<std::uint8_t> now = ReadBytes("rows.prd");
        if (seen && WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM && now == old) {
            caught = true;
            break;
        }
        // Finished before the signal: then the new file is there whole.
        ASSERT_TRUE(now == old || now == std::vector<std::uint8_t>(kSize, 1)) << "round " << round;
        WriteBytes("rows.prd", old);
    }
    EXPECT_TRUE(caught) << "no round stopped the save while it wrote";
}

#endif

}  // namespace
}  // namespace velmora
