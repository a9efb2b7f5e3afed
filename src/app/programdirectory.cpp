#include "app/programdirectory.h"

#include <cstdlib>

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

}  // namespace velmora
