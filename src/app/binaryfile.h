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

// Reads a regular file whole. Anything else (a folder, a named pipe, a device, a link that
// leads nowhere or in a circle) is refused with a German message naming the file; a pipe or a
// device is never waited on.
FileBytes ReadWholeFile(const std::string& path);

// Writes the bytes to a temporary file of its own beside the target and renames it over the
// target, so that a failed or interrupted save never leaves a half-written file and two saves
// at once leave one of them whole. The temporary is created exclusively under a new name and
// never through a link. A target that is a symbolic link stays a link: the file it leads to is
// replaced. An existing file keeps its permissions. Returns an error text or "".
std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// The temporary files of saves carry the target's name followed by ".", twelve hexadecimal
// digits and ".tmp".
inline constexpr const char* kTemporarySuffix = ".tmp";

// When the program is stopped by Strg+C (SIGINT) or SIGTERM during a save, the save's
// temporary file is removed and the program then ends as the signal would have ended it.
// A signal the program was started to ignore stays ignored. Does nothing on Windows.
void RemoveTemporaryFilesOnStopSignals();

// For tests: the next temporary files get these middle parts instead of random digits, in
// turn; a name already taken is skipped as a random one would be.
void UseTemporaryNamesNext(std::vector<std::string> middleParts);

}  // namespace velmora
