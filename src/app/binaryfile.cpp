#include "app/binaryfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace velmora {
namespace {

// The reason of a failed file operation, in German where the common cases allow.
std::string Reason(int error) {
    switch (error) {
        case ENOENT:
            return "Die Datei oder der Ordner existiert nicht.";
        case EACCES:
        case EPERM:
            return "Zugriff verweigert.";
        case EISDIR:
            return "Das ist ein Ordner, keine Datei.";
        case ENOSPC:
            return "Auf dem Datenträger ist kein Platz mehr.";
        case EROFS:
            return "Der Datenträger ist schreibgeschützt.";
        default:
            return std::strerror(error);
    }
}

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

}  // namespace

FileBytes ReadWholeFile(const std::string& path) {
    FileBytes result;
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        result.error = "Die Datei '" + path + "' kann nicht geöffnet werden: " + Reason(EISDIR);
        return result;
    }
    File file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        result.error = "Die Datei '" + path + "' kann nicht geöffnet werden: " + Reason(errno);
        return result;
    }
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        result.bytes.insert(result.bytes.end(), buffer, buffer + got);
    if (std::ferror(file.get())) {
        result.bytes.clear();
        result.error = "Die Datei '" + path + "' kann nicht gelesen werden: " + Reason(errno);
    }
    return result;
}

std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string temporary = path + ".tmp";
    File file(std::fopen(temporary.c_str(), "wb"), &std::fclose);
    if (!file)
        return "Die Datei '" + path + "' kann nicht angelegt werden: " + Reason(errno);
    const bool written =
        (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size()) &&
        std::fflush(file.get()) == 0;
    const int error = errno;
    if (std::fclose(file.release()) != 0 || !written) {
        std::remove(temporary.c_str());
        return "Die Datei '" + path +
               "' kann nicht geschrieben werden: " + Reason(written ? errno : error);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int renameError = errno;
        std::remove(temporary.c_str());
        return "Die Datei '" + path + "' kann nicht geschrieben werden: " + Reason(renameError);
    }
    return {};
}

}  // namespace velmora
