// Whole-file reads and crash-safe whole-file writes for the program's binary files.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmora {

struct FileBytes {
    std::vector<std::uint8_t> bytes;
    std::string error;  // empty when the file was read
    bool ok() const { return error.empty(); }
};

FileBytes ReadWholeFile(const std::string& path);

// Writes the bytes to a temporary file beside the target and renames it over the target,
// so that a failed save never leaves a half-written file. Returns an error text or "".
std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace velmora
