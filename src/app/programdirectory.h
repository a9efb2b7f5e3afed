// Where the program's default files live.
#pragma once

#include <string>

namespace velmora {

// The registered application path on Windows, else the environment variable VELMORA_PATH,
// each with a trailing separator; empty (the working directory) when neither is set.
std::string ProgramDirectory();

// The user's own directory for an installed program: the XDG data home's "velmora/", made
// on first use and given every file of the default set (`defaultSet`, the installed week)
// that it lacks, so that a first start finds a week; files already there are never touched.
// Empty when the directory cannot be made or holds no tip plan afterwards.
std::string UserProgramDirectory(const std::string& defaultSet);

}  // namespace velmora
