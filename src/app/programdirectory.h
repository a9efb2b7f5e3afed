// Where the program's default files live.
#pragma once

#include <string>

namespace velmora {

// The registered application path on Windows, else the environment variable VELMORA_PATH,
// each with a trailing separator; empty (the working directory) when neither is set.
std::string ProgramDirectory();

}  // namespace velmora
