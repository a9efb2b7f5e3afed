// The velmora-cli executable itself: a run on the bundled week, a refused call, and the ending
// when memory runs out, which needs a process of its own with a limited address space.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/tempdir.h"
#include "tools/pattern_rows.h"

namespace velmora::testing {
namespace {

struct Finished {
    int exitCode = -1;  // -1: ended by a signal
    std::string err;
    std::string outFile;  // where stdout went
};

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliProgramTest : public TempDirTest {
  protected:
    // Runs velmora-cli in the scratch directory, with at most `kib` KiB of address space if
    // given; stdout goes to the file `out`.
    Finished Run(const std::vector<std::string>& args, std::optional<long> kib = std::nullopt,
                 const std::string& out = "stdout.txt") {
        const std::string outPath = Path(out);
        const std::string errPath = Path("stderr.txt");
        const pid_t child = ::fork();
        if (child == 0) {
            if (::chdir(dir_.c_str()) != 0)
                ::_exit(120);
            const int outFile = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int errFile = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (outFile < 0 || errFile < 0 || ::dup2(outFile, 1) < 0 || ::dup2(errFile, 2) < 0)
                ::_exit(121);
            if (kib) {
                const rlimit limit{static_cast<rlim_t>(*kib) * 1024,
                                   static_cast<rlim_t>(*kib) * 1024};
                if (::setrlimit(RLIMIT_AS, &limit) != 0)
                    ::_exit(122);
            }
            std::vector<char*> argv;
            std::string program = VELMORA_CLI;
            argv.push_back(program.data());
            std::vector<std::string> copies = args;
            for (std::string& arg : copies)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(123);
        }
        int status = 0;
        EXPECT_EQ(::waitpid(child, &status, 0), child);
        Finished finished;
        if (WIFEXITED(status))
            finished.exitCode = WEXITSTATUS(status);
        finished.err = Contents(errPath);
        finished.outFile = outPath;
        return finished;
    }

    std::string Out(const Finished& finished) const { return Contents(finished.outFile); }

    static constexpr const char* kWeek = VELMORA_DATA_DIR "/AKTUELLEWOCHE.TTD";
};

TEST_F(CliProgramTest, GeneratesOnTheBundledWeek) {
    const Finished run = Run({"generate", "--plan", kWeek, "--guarantee", "1", "--out", "g1.prd"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Out(run).rfind("Systemgröße: ", 0), 0u) << Out(run);
    const auto size = std::filesystem::file_size(Path("g1.prd"));
    EXPECT_GT(size, 0u);
    EXPECT_EQ(size % 13, 0u);
}

TEST_F(CliProgramTest, ARefusedCallSaysWhyOnStderr) {
    const Finished run = Run({"generate", "--plan", kWeek, "--guarantee", "4", "--out", "o.prd"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err,
              "Fehler: Die Garantiestufe muss 0, 1, 2 oder 3 sein. Angegeben wurde '4'.\n");
    EXPECT_EQ(Out(run), "");
    EXPECT_FALSE(std::filesystem::exists(Path("o.prd")));
}

// Running out of memory ends every sub-command with the German message and exit 1, without an
// answer and without an output file; it never aborts.
class CliMemoryTest : public CliProgramTest {
  protected:
    void SetUp() override {
        CliProgramTest::SetUp();
#if VELMORA_SANITIZE
        GTEST_SKIP() << "address-space limits do not work under the address sanitizer";
#endif
    }

    // All three signs in each game.
    void WriteFullPlan(const std::string& name, int games) const {
        std::vector<std::uint8_t> plan;
        for (int g = 0; g < games; ++g) {
            plan.insert(plan.end(), 77, 0);
            plan.insert(plan.end(), {0, 3, 1, 5, 2, 1, 0});
        }
        WriteBytes(name, plan);
    }

    void WritePatternRows(const std::string& name, int rows, int games) const {
        WriteBytes(name, velmora::cli::testing::PatternRowBytes(rows, games));
    }

    void WriteZeros(const std::string& name, std::size_t bytes) const {
        std::ofstream out(Path(name), std::ios::binary);
        const std::string block(1 << 16, '\0');
        for (std::size_t left = bytes; left > 0; left -= std::min(left, block.size()))
            out.write(block.data(), static_cast<std::streamsize>(std::min(left, block.size())));
    }

    void ExpectOutOfMemory(const Finished& run) const {
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err,
                  "Fehler: Nicht genug Arbeitsspeicher. Es wurde keine Datei geschrieben.\n");
        EXPECT_EQ(Out(run), "");
        for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
            EXPECT_NE(entry.path().filename().string().rfind("out.prd", 0), 0u)
                << "out of memory, yet " << entry.path() << " was written";
        }
    }

    static constexpr long kLimit = 16384;
};

TEST_F(CliMemoryTest, EverySubCommandEndsCleanly) {
    WriteFullPlan("all14.ttd", 14);
    // The limit leaves room for the program and a small answer; a machine whose libraries need
    // more cannot run this case.
    WritePatternRows("small.prd", 300, 14);
    if (Run({"info", "--games", "14", "--rows", "small.prd", "--json"}, kLimit).exitCode != 0)
        GTEST_SKIP() << kLimit << " KiB do not suffice here even for a small answer";

    // 2,400,000 rows of sign 0: 33.6 MB, twice the limit. Reading them fails before anything
    // is written.
    WriteZeros("big.prd", 14 * 2400000);
    const std::string zeros(14, '0');
    const std::vector<std::vector<std::string>> reading = {
        {"info", "--games", "14", "--rows", "big.prd", "--json"},
        {"distribution", "--games", "14", "--rows", "big.prd"},
        {"slips", "--games", "14", "--rows", "big.prd", "--per-slip", "12"},
        {"evaluate", "--plan", "all14.ttd", "--rows", "big.prd", "--result", zeros, "--details"},
        {"wintable", "--plan", "all14.ttd", "--rows", "big.prd", "--out", "out.prd"},
        {"filter", "--plan", "all14.ttd", "--rows", "big.prd", "--guarantee", "0", "--out",
         "out.prd"},
        {"reduce", "--games", "14", "--rows", "big.prd", "--guarantee", "1", "--out", "out.prd"},
        {"export", "--games", "14", "--rows", "big.prd", "--format", "csv", "--out", "out.prd"},
    };
    for (const std::vector<std::string>& call : reading) {
        SCOPED_TRACE(call[0]);
        ExpectOutOfMemory(Run(call, kLimit));
    }
    std::filesystem::remove(Path("big.prd"));

    // The plan fits, but not the 4,782,969 rows of its full system, nor the win table's tables
    // over every possible row: the shortage comes after reading, still before anything is
    // written.
    for (const std::vector<std::string>& call :
         {std::vector<std::string>{"generate", "--plan", "all14.ttd", "--guarantee", "0", "--out",
                                   "out.prd"},
          std::vector<std::string>{"wintable", "--plan", "all14.ttd", "--rows", "small.prd",
                                   "--out", "out.prd"}}) {
        SCOPED_TRACE(call[0]);
        ExpectOutOfMemory(Run(call, kLimit));
    }
}

// Long answers of rows that fit, under a range of limits: slips and detail lines either come
// whole or end as above; never an abort, never a cut answer.
TEST_F(CliMemoryTest, LongAnswersComeWholeOrNotAtAll) {
    WriteFullPlan("eleven.ttd", 11);
    WritePatternRows("small.prd", 300, 11);
    if (Run({"info", "--games", "11", "--rows", "small.prd", "--json"}, kLimit).exitCode != 0)
        GTEST_SKIP() << kLimit << " KiB do not suffice here even for a small answer";
    WriteZeros("zeros6k.prd", 11 * 6000);
    WriteZeros("zeros100k.prd", 11 * 100000);
    const std::vector<std::vector<std::string>> calls = {
        {"slips", "--games", "11", "--rows", "zeros6k.prd", "--per-slip", "12"},
        {"evaluate", "--plan", "eleven.ttd", "--rows", "zeros100k.prd", "--result",
         std::string(11, '?'), "--details"},
    };
    for (const std::vector<std::string>& call : calls) {
        SCOPED_TRACE(call[0]);
        const Finished complete = Run(call, std::nullopt, "complete.out");
        ASSERT_EQ(complete.exitCode, 0) << complete.err;
        const std::string answer = Out(complete);
        for (long kib = 8192; kib <= 32768; kib += 4096) {
            SCOPED_TRACE(kib);
            const Finished limited = Run(call, kib);
            if (limited.exitCode == 0) {
                EXPECT_TRUE(Out(limited) == answer) << "another answer than without a limit";
                EXPECT_EQ(limited.err, "");
            } else {
                ExpectOutOfMemory(limited);
            }
        }
    }
}

// An export split into parts under a range of limits: every part there is whole, and a message
// that nothing was written is never wrong.
TEST_F(CliMemoryTest, ExportedPartsAreWholeAndTheMessageTrue) {
    WritePatternRows("small.prd", 300, 11);
    if (Run({"info", "--games", "11", "--rows", "small.prd", "--json"}, kLimit).exitCode != 0)
        GTEST_SKIP() << kLimit << " KiB do not suffice here even for a small answer";
    WriteZeros("zeros100k.prd", 11 * 100000);
    const std::vector<std::string> call = {
        "export", "--games", "11",    "--rows", "zeros100k.prd",    "--format",
        "eline",  "--split", "20000", "--out",  "complete/part.txt"};
    std::filesystem::create_directory(dir_ / "complete");
    ASSERT_EQ(Run(call).exitCode, 0);
    std::vector<std::string> parts;
    for (int k = 1; k <= 5; ++k)
        parts.push_back(Contents(dir_ / "complete" / ("part_" + std::to_string(k) + ".txt")));

    std::vector<std::string> limited = call;
    limited.back() = "part.txt";
    for (long kib = 8192; kib <= 32768; kib += 2048) {
        SCOPED_TRACE(kib);
        const Finished run = Run(limited, kib);
        int written = 0;
        for (int k = 1; k <= 5; ++k) {
            const std::filesystem::path part = dir_ / ("part_" + std::to_string(k) + ".txt");
            if (!std::filesystem::exists(part))
                continue;
            ++written;
            EXPECT_TRUE(Contents(part) == parts[k - 1]) << part << " is not whole";
            std::filesystem::remove(part);
        }
        if (run.exitCode == 0) {
            EXPECT_EQ(written, 5);
            continue;
        }
        EXPECT_EQ(run.exitCode, 1);
        // Short before any part (reading the rows) or at a part, after naming those written.
        const bool atPart = run.err.find(
                                "reicht der Arbeitsspeicher nicht; sie wurde nicht "
                                "geschrieben.") != std::string::npos;
        EXPECT_TRUE(atPart || run.err.starts_with("Fehler: Nicht genug Arbeitsspeicher."))
            << run.err;
        if (run.err.find("Es wurde keine Datei geschrieben.") != std::string::npos) {
            EXPECT_EQ(written, 0) << run.err;
        }
    }
}

}  // namespace
}  // namespace velmora::testing
