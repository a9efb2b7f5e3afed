#include "app/programdirectory.h"

#include <cwchar>
#include <filesystem>
#include <optional>
#include <system_error>

#include "app/utf8path.h"

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
// The installer's entry under "App Paths"; its value PATH names the program directory.
std::string RegisteredPath() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                      L"Software\\microsoft\\windows\\CurrentVersion\\app Paths\\velmora.exe", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    std::wstring value(32768, L'\0');
    DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    DWORD type = 0;
    const bool read =
        RegQueryValueExW(key, L"PATH", nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ);
    RegCloseKey(key);
    if (!read)
        return {};
    // The stored string may or may not end in its terminating zero.
    value.resize(size / sizeof(wchar_t));
    value.resize(std::wcslen(value.c_str()));
    if (type == REG_EXPAND_SZ) {
        std::wstring expanded(32768, L'\0');
        const DWORD length = ExpandEnvironmentStringsW(value.c_str(), expanded.data(),
                                                       static_cast<DWORD>(expanded.size()));
        if (length == 0 || length > expanded.size())
            return {};
        expanded.resize(length - 1);
        value = expanded;
    }
    return Utf8Of(value);
}
#endif

}  // namespace

std::string ProgramDirectory() {
#ifdef _WIN32
    if (std::string registered = RegisteredPath(); !registered.empty())
        return WithSeparator(registered);
#endif
    if (const std::optional<std::string> path = EnvironmentValue("VELMORA_PATH");
        path && !path->empty())
        return WithSeparator(*path);
    return {};
}

std::string UserProgramDirectory(const std::string& defaultSet) {
    namespace fs = std::filesystem;
    fs::path base;
    if (const std::optional<std::string> data = EnvironmentValue("XDG_DATA_HOME");
        data && !data->empty())
        base = PathOf(*data);
    else if (const std::optional<std::string> home = EnvironmentValue("HOME");
             home && !home->empty())
        base = PathOf(*home) / ".local" / "share";
    else
        return {};
    const fs::path directory = base / "velmora";
    std::error_code error;
    fs::create_directories(directory, error);
    if (error)
        return {};
    for (const auto& entry : fs::directory_iterator(PathOf(defaultSet), error)) {
        const fs::path target = directory / entry.path().filename();
        if (entry.is_regular_file() && !fs::exists(target, error))
            fs::copy_file(entry.path(), target, error);  // a failed copy leaves the others
    }
    if (!fs::exists(directory / "AKTUELLEWOCHE.TTD", error))
        return {};
    return WithSeparator(NameOf(directory));
}

}  // namespace velmora
