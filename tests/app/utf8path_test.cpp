// File names with umlauts and blanks from start to end: made, listed, found regardless of
// case, read, replaced and named back; the program directory from the environment and, on
// Windows, from the registry. On Windows these names only survive as wide characters.
#include "app/utf8path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/binaryfile.h"
#include "app/filesetnames.h"
#include "app/programdirectory.h"
#include "app/recentfiles.h"
#include "app/rowtext.h"
#include "support/environment.h"
#include "support/tempdir.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace velmora {
namespace {

namespace fs = std::filesystem;

class Utf8Names : public testing::TempDirTest {
  protected:
    std::string Folder() const { return NameOf(dir_) + "/Mein Ordner ä"; }

    std::set<std::string> Listed(const std::string& folder) const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(PathOf(folder)))
            names.insert(NameOf(entry.path().filename()));
        return names;
    }
};

TEST_F(Utf8Names, AFileIsWrittenReadAndListedUnderItsOwnName) {
    const std::string name = "Wöche 1 Spiel.TTD";
    ASSERT_TRUE(fs::create_directory(PathOf(Folder())));
    const std::string path = Folder() + "/" + name;
    EXPECT_EQ(NameOf(PathOf(path)), path);

    EXPECT_EQ(WriteFileAtomically(path, std::vector<std::uint8_t>{1, 2, 3}), "");
    EXPECT_EQ(WriteFileAtomically(path, std::vector<std::uint8_t>{4, 5}), "");  // replaced
    EXPECT_EQ(Listed(Folder()), std::set<std::string>{name});
    const FileBytes read = ReadWholeFile(path);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.bytes, (std::vector<std::uint8_t>{4, 5}));

    // Named in other case, the existing file is found under its own spelling.
    const ResolvedFileName resolved = ResolveFileName(Folder() + "/wöche 1 spiel.ttd");
    EXPECT_EQ(resolved.error, "");
    EXPECT_EQ(NameOf(PathOf(resolved.path).filename()), name);

    const std::string missing = Folder() + "/Übrig.prd";
    EXPECT_NE(ReadWholeFile(missing).error.find("'" + missing + "'"), std::string::npos);
}

TEST_F(Utf8Names, DerivedNamesKeepTheUmlauts) {
    const std::vector<std::string> parts = ExportFileNames(Folder() + "/Mein System ä.txt", 5, 2);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(NameOf(PathOf(parts[2]).filename()), "Mein System ä_3.txt");
    EXPECT_EQ(NameOf(PathOf(parts[2]).parent_path().filename()), "Mein Ordner ä");

    const std::string recent = RecentEntryName(Folder() + "/./Wöche.TTD");
    EXPECT_EQ(NameOf(PathOf(recent).filename()), "Wöche.TTD");
    EXPECT_TRUE(PathOf(recent).is_absolute());
}

TEST_F(Utf8Names, TheProgramDirectoryFromTheEnvironment) {
    const testing::ScopedEnvironment path("VELMORA_PATH", Folder());
    EXPECT_EQ(ProgramDirectory(), Folder() + "/");
}

#ifdef _WIN32
// The installer's registration wins over the environment; an unregistered program falls back.
TEST_F(Utf8Names, TheProgramDirectoryFromTheRegistry) {
    const wchar_t* const kKey =
        L"Software\\microsoft\\windows\\CurrentVersion\\app Paths\\velmora.exe";
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        GTEST_SKIP() << "velmora is registered on this machine; its entry is left alone";
    }
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    const std::wstring value = WideOf("C:\\Programme\\Välmora Tipp");
    RegSetValueExW(key, L"PATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    {
        const testing::ScopedEnvironment path("VELMORA_PATH", Folder());
        EXPECT_EQ(ProgramDirectory(), "C:\\Programme\\Välmora Tipp/");
    }
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey);
    const testing::ScopedEnvironment path("VELMORA_PATH", Folder());
    EXPECT_EQ(ProgramDirectory(), Folder() + "/");
}
#endif

}  // namespace
}  // namespace velmora
