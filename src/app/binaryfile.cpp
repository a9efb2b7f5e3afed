#include "app/binaryfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace velmora {
namespace {

std::string SystemReason() {
    return std::strerror(errno);
}

}  // namespace

FileBytes ReadWholeFile(const std::string& path) {
    FileBytes result;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.error = "Die Datei '" + path + "' kann nicht geöffnet werden: " + SystemReason();
        return result;
    }
    result.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        result.bytes.clear();
        result.error = "Die Datei '" + path + "' kann nicht gelesen werden: " + SystemReason();
    }
    return result;
}

std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return "Die Datei '" + path + "' kann nicht angelegt werden: " + SystemReason();
        }
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            const std::string reason = SystemReason();
            out.close();
            std::remove(temporary.c_str());
            return "Die Datei '" + path + "' kann nicht geschrieben werden: " + reason;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::remove(temporary.c_str());
        return "Die Datei '" + path + "' kann nicht geschrieben werden: " + error.message();
    }
    return {};
}

}  // namespace velmora
