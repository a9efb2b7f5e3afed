// The command line run in-process, in a scratch directory of its own, against the bundled week
// and files written for the test.
#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "commandline.h"
#include "support/environment.h"
#include "support/tempdir.h"
#include "tools/pattern_rows.h"

namespace velmora::cli::testing {

using Json = nlohmann::json;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline CliRun RunCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.exitCode = RunCommandLine(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

inline std::ostream& operator<<(std::ostream& stream, const CliRun& run) {
    return stream << "exit " << run.exitCode << "\nstdout: " << run.out << "\nstderr: " << run.err;
}

// A call refused with this message.
struct WrongCall {
    std::string message;
    std::vector<std::string> args;
};

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

using velmora::testing::ScopedEnvironment;

// The bundled week: 13 games, the allowed signs of each in display order.
inline const std::filesystem::path kDataDir = VELMORA_DATA_DIR;
inline const std::string kWeek = (kDataDir / "AKTUELLEWOCHE.TTD").string();
inline constexpr int kWeekGames = 13;
inline const std::vector<std::string> kWeekSigns = {"1", "10", "102", "2",  "12", "102", "10",
                                                    "1", "02", "102", "10", "12", "102"};

// The rows of the week's plan without its filters.
inline std::int64_t FullSize() {
    std::int64_t size = 1;
    for (const std::string& signs : kWeekSigns)
        size *= static_cast<std::int64_t>(signs.size());
    return size;
}

// The bundled file of the week with this extension, in any case.
inline std::filesystem::path WeekFile(const std::string& extension) {
    for (const auto& entry : std::filesystem::directory_iterator(kDataDir)) {
        std::string name = entry.path().extension().string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (name == "." + extension)
            return entry.path();
    }
    ADD_FAILURE() << "the bundled week has no ." << extension << " file";
    return {};
}

inline std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each test works in its own directory, which is also the working directory, so that the
// command lines name files as a user would. "bare/week.ttd" is the bundled plan without its
// filter files: every row of its full system passes.
class CliTest : public velmora::testing::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
        std::filesystem::create_directory(dir_ / "bare");
        std::filesystem::copy_file(kWeek, dir_ / "bare/week.ttd");
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        TempDirTest::TearDown();
    }

    static constexpr const char* kBare = "bare/week.ttd";

    // A call that should succeed.
    CliRun Ok(const std::vector<std::string>& args) {
        CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 0) << ::testing::PrintToString(args) << '\n' << run;
        return run;
    }

    // A refused call: the exit code, a German message on stderr that holds `message`,
    // nothing on stdout.
    CliRun Refused(int exitCode, const std::string& message, const std::vector<std::string>& args) {
        CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, exitCode) << ::testing::PrintToString(args) << '\n' << run;
        EXPECT_EQ(run.err.rfind("Fehler: ", 0), 0u) << run;
        EXPECT_TRUE(Contains(run.err, message)) << "'" << message << "' expected\n" << run;
        EXPECT_EQ(run.out, "") << run;
        return run;
    }

    bool Exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }

    std::int64_t RowCount(const std::string& name, int games = kWeekGames) const {
        const auto size = static_cast<std::int64_t>(std::filesystem::file_size(dir_ / name));
        EXPECT_EQ(size % games, 0) << name << " holds no whole rows of " << games << " games";
        return size / games;
    }

    // The rows of a row file, one string of sign codes per row, sorted.
    std::vector<std::string> SortedRows(const std::string& name, int games = kWeekGames) const {
        const std::vector<std::uint8_t> bytes = ReadBytes(name);
        std::vector<std::string> rows;
        for (std::size_t at = 0; at + games <= bytes.size(); at += games) {
            std::string row;
            for (int g = 0; g < games; ++g)
                row += static_cast<char>('0' + bytes[at + g]);
            rows.push_back(row);
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    // The first row of a row file as a result text of sign digits.
    std::string FirstRowText(const std::string& name, int games = kWeekGames) const {
        const std::vector<std::uint8_t> bytes = ReadBytes(name);
        std::string text;
        for (int g = 0; g < games && g < static_cast<int>(bytes.size()); ++g)
            text += static_cast<char>('0' + bytes[g]);
        return text;
    }

    void WriteText(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
    }

    // A plan file of one game per entry, each entry the allowed signs ("102", "1", "").
    void WritePlan(const std::string& name, const std::vector<std::string>& games) const {
        constexpr std::array<std::pair<int, int>, 3> kTendencies = {{{0, 3}, {1, 5}, {2, 1}}};
        std::vector<std::uint8_t> plan;
        for (const std::string& signs : games) {
            plan.insert(plan.end(), 77, 0);
            for (const auto& [sign, tendency] : kTendencies) {
                const bool tipped = signs.find(static_cast<char>('0' + sign)) != std::string::npos;
                plan.push_back(static_cast<std::uint8_t>(sign));
                plan.push_back(static_cast<std::uint8_t>(tipped ? tendency : 0));
            }
            plan.push_back(0);
        }
        WriteBytes(name, plan);
    }

    void WritePatternRows(const std::string& name, int rows, int games) const {
        WriteBytes(name, velmora::cli::testing::PatternRowBytes(rows, games));
    }

    // A copy of every file of the bundled week in `dir`.
    void CopyWeek(const std::string& dir) const {
        std::filesystem::create_directories(dir_ / dir);
        for (const auto& entry : std::filesystem::directory_iterator(kDataDir))
            std::filesystem::copy_file(entry.path(), dir_ / dir / entry.path().filename());
    }

    // The names in a directory of the scratch directory.
    std::set<std::string> Listing(const std::string& dir) const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_ / dir))
            names.insert(entry.path().filename().string());
        return names;
    }

  private:
    std::filesystem::path previous_;
};

}  // namespace velmora::cli::testing
