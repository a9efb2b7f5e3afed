// The slip settings file: ReadSlipSettings on the input written to a scratch file, then
// StoreRowsPerSlip and a second read.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/slipsettings.h"
#include "fuzz_support.h"

using namespace velmora;

namespace {

std::filesystem::path g_dir;

void RemoveScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(g_dir, ignored);
}

void Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    VELMORA_FUZZ_CHECK(out.good());
}

std::vector<std::uint8_t> Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::int32_t SeventhValue(const std::vector<std::uint8_t>& bytes) {
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + 24, sizeof value);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "velmora-fuzz-slip-XXXXXX").string();
    VELMORA_FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
    g_dir = pattern;
    std::atexit(RemoveScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes = fuzz::ToBytes(data, size);
    const std::string path = (g_dir / "schein.dat").string();
    Write(path, bytes);

    const SlipSettings read = ReadSlipSettings(path);
    VELMORA_FUZZ_CHECK(read.error.empty());
    if (bytes.size() < 28) {
        VELMORA_FUZZ_CHECK(!read.rowsPerSlip);
    } else {
        const std::int32_t value = SeventhValue(bytes);
        const bool slipSize = value == 6 || value == 8 || value == 10 || value == 12;
        VELMORA_FUZZ_CHECK(read.rowsPerSlip.has_value() == slipSize);
        if (slipSize)
            VELMORA_FUZZ_CHECK(*read.rowsPerSlip == value);
    }

    // Storing a choice changes the seventh value only; a short file is padded with zeros.
    const int choice = 6 + 2 * (size % 4);
    VELMORA_FUZZ_CHECK(StoreRowsPerSlip(path, choice).empty());
    const std::vector<std::uint8_t> stored = Read(path);
    VELMORA_FUZZ_CHECK(stored.size() == std::max<std::size_t>(bytes.size(), 28));
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (i >= 24 && i < 28)
            continue;
        VELMORA_FUZZ_CHECK(stored[i] == (i < bytes.size() ? bytes[i] : 0));
    }
    VELMORA_FUZZ_CHECK(SeventhValue(stored) == choice);
    const SlipSettings reread = ReadSlipSettings(path);
    VELMORA_FUZZ_CHECK(reread.error.empty() && reread.rowsPerSlip == choice);

    // A file that is not there is an error, never a value.
    const SlipSettings missing = ReadSlipSettings((g_dir / "fehlt.dat").string());
    VELMORA_FUZZ_CHECK(!missing.error.empty() && !missing.rowsPerSlip);
    return 0;
}
