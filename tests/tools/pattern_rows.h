// Rows for the command-line tests, in-process and end to end alike.
#pragma once

#include <cstdint>
#include <vector>

namespace velmora::cli::testing {

// Rows whose sign in game g (from 0) of row r is (r / 7 + g * (r % 5 + 1)) mod 3, so that
// the rows differ from each other in changing ways; packed as a row file holds them.
inline std::vector<std::uint8_t> PatternRowBytes(int rows, int games) {
    std::vector<std::uint8_t> bytes;
    for (int r = 0; r < rows; ++r) {
        for (int g = 0; g < games; ++g)
            bytes.push_back(static_cast<std::uint8_t>((r / 7 + g * (r % 5 + 1)) % 3));
    }
    return bytes;
}

}  // namespace velmora::cli::testing
