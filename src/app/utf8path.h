// File names, environment values and command-line arguments are UTF-8 strings throughout the
// program. Windows hands narrow strings over in its ANSI code page, which cannot hold most
// names with umlauts; there they travel as wide characters. Elsewhere the bytes pass unchanged,
// so that a name in any encoding the system accepts still opens.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// The system's path for a UTF-8 file name, and back (on Windows with forward slashes, which
// it takes as well as backslashes).
std::filesystem::path PathOf(const std::string& name);
std::string NameOf(const std::filesystem::path& path);

// std::fopen for a UTF-8 name.
std::FILE* OpenFile(const std::string& name, const char* mode);

// The environment variable's value as UTF-8; nullopt when it is not set.
std::optional<std::string> EnvironmentValue(const char* variable);

// The program's arguments after its own name, as UTF-8.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

#ifdef _WIN32
std::wstring WideOf(const std::string& utf8);
std::string Utf8Of(const std::wstring& wide);
#endif

}  // namespace velmora
