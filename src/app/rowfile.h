// Row files: the rows of a system, N bytes each, no header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/rowlist.h"

namespace velmora {

inline constexpr const char* kGameCountMismatch = "Spielezahlen stimmen nicht überein";

struct RowFileContent {
    TRowList rows;
    std::string error;  // empty when the file was read
    bool ok() const { return error.empty(); }
};

// Rows of n games from a row file's bytes; `source` names the file in messages.
RowFileContent ParseRows(std::vector<std::uint8_t> bytes, int n, const std::string& source);

// Reads a row file of n-game rows. A size that is not a multiple of n, or a byte that is
// not a sign code, refuses the whole file.
RowFileContent ReadRowFile(const std::string& path, int n);

// Writes every row in list order. Returns an error text or "".
std::string WriteRowFile(const std::string& path, const TRowList& rows);

// Removes every row that equals some row of the other list, duplicates included;
// the remaining rows keep their order.
void RemoveRowsPresentIn(TRowList& rows, const TRowList& foreign);

}  // namespace velmora
