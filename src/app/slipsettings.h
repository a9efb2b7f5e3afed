// The slip settings file "schein.dat": 4-byte little-endian integers, the seventh of which
// is the number of rows per slip. The others belong to the installation and stay as they are.
#pragma once

#include <optional>
#include <string>

namespace velmora {

struct SlipSettings {
    std::optional<int> rowsPerSlip;  // set when the seventh value is 6, 8, 10 or 12
    std::string error;               // the file could not be read
};

SlipSettings ReadSlipSettings(const std::string& path);

// Writes the choice as the seventh value of the existing file. Returns an error text or "".
std::string StoreRowsPerSlip(const std::string& path, int rowsPerSlip);

}  // namespace velmora
