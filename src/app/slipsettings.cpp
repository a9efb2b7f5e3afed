#include "app/slipsettings.h"

#include <cstdint>
#include <cstring>

#include "app/binaryfile.h"

namespace velmora {
namespace {

constexpr std::size_t kRowsPerSlipOffset = 6 * 4;

bool IsSlipSize(std::int32_t rows) {
    return rows == 6 || rows == 8 || rows == 10 || rows == 12;
}

}  // namespace

SlipSettings ReadSlipSettings(const std::string& path) {
    const FileBytes file = ReadWholeFile(path);
    if (!file.ok())
        return {std::nullopt, file.error};
    if (file.bytes.size() < kRowsPerSlipOffset + 4)
        return {};
    std::int32_t rows = 0;
    std::memcpy(&rows, file.bytes.data() + kRowsPerSlipOffset, sizeof rows);
    return {IsSlipSize(rows) ? std::optional<int>(rows) : std::nullopt, {}};
}

std::string StoreRowsPerSlip(const std::string& path, int rowsPerSlip) {
    FileBytes file = ReadWholeFile(path);
    if (!file.ok())
        return file.error;
    if (file.bytes.size() < kRowsPerSlipOffset + 4)
        file.bytes.resize(kRowsPerSlipOffset + 4, 0);
    const std::int32_t value = rowsPerSlip;
    std::memcpy(file.bytes.data() + kRowsPerSlipOffset, &value, sizeof value);
    return WriteFileAtomically(path, file.bytes);
}

}  // namespace velmora
