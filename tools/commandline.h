// velmora-cli: builds, thins and inspects systems from the command line, without the window.
//
// Exit codes: 0 success, 1 a file could not be read or written or its content is unusable,
// 2 the call itself was wrong (unknown or missing options, values out of range).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace velmora::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Reads the arguments after the program name and runs the sub-command they name. The answer
// goes to out; every message goes to err, a refusal as "Fehler: …". Returns the exit code.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace velmora::cli
