#include "app/programdirectory.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace velmora {
namespace {

std::string WithSeparator(std::string directory) {
    if (!directory.empty() && directory.back() != '/' && directory.back() != '\\')
        directory += '/';
    return directory;
}

#ifdef _WIN32
std::string RegisteredPath() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                      "Software\\microsoft\\windows\\CurrentVersion\\app Paths\\velmora.exe", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    DWORD type = 0;
    const bool read = RegQueryValueExA(key, "PATH", nullptr, &type, reinterpret_cast<BYTE*>(value),
                                       &size) == ERROR_SUCCESS &&
                      type == REG_SZ;
    RegCloseKey(key);
    return read ? std::string(value) : std::string();
}
#endif

}  // namespace

std::string ProgramDirectory() {
#ifdef _WIN32
    if (std::string registered = RegisteredPath(); !registered.empty())
        return WithSeparator(registered);
#endif
    if (const char* path = std::getenv("VELMORA_PATH"); path != nullptr && *path != '\0')
        return WithSeparator(path);
    return {};
}

std::string UserProgramDirectory(const std::string& defaultSet) {
    namespace fs = std::filesystem;
    fs::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0')
        base = data;
    else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        base = fs::path(home) / ".local" / "share";
    else
        return {};
    const fs::path directory = base / "velmora";
    std::error_code error;
    fs::create_directories(directory, error);
    if (error)
        return {};
    for (const auto& entry : fs::directory_iterator(defaultSet, error)) {
        const fs::path target = directory / entry.path().filename();
        if (entry.is_regular_file() && !fs::exists(target, error))
            fs::copy_file(entry.path(), target, error);  // a failed copy leaves the others
    }
    if (!fs::exists(directory / "AKTUELLEWOCHE.TTD", error))
        return {};
    return WithSeparator(directory.string());
}

}  // namespace velmora
