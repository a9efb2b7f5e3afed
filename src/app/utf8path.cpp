#include "app/utf8path.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>
#endif

namespace velmora {

#ifdef _WIN32

std::wstring WideOf(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

std::string Utf8Of(const std::wstring& wide) {
    if (wide.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

std::filesystem::path PathOf(const std::string& name) {
    return std::filesystem::path(WideOf(name));
}

// With forward slashes, as the window toolkit writes names there too: a name joined from a
// folder and a file then reads the same whichever of them built it.
std::string NameOf(const std::filesystem::path& path) {
    return Utf8Of(path.generic_wstring());
}

std::FILE* OpenFile(const std::string& name, const char* mode) {
    return _wfopen(WideOf(name).c_str(), WideOf(mode).c_str());
}

std::optional<std::string> EnvironmentValue(const char* variable) {
    const wchar_t* value = _wgetenv(WideOf(variable).c_str());
    if (value == nullptr)
        return std::nullopt;
    return Utf8Of(value);
}

std::vector<std::string> CommandLineArguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(Utf8Of(wide[i]));
    LocalFree(wide);
    return arguments;
}

#else

std::filesystem::path PathOf(const std::string& name) {
    return std::filesystem::path(name);
}

std::string NameOf(const std::filesystem::path& path) {
    return path.native();
}

std::FILE* OpenFile(const std::string& name, const char* mode) {
    return std::fopen(name.c_str(), mode);
}

std::optional<std::string> EnvironmentValue(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

#endif

}  // namespace velmora
