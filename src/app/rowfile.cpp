#include "app/rowfile.h"

#include <algorithm>
#include <vector>

#include "app/binaryfile.h"
#include "model/rowcode.h"

namespace velmora {

RowFileContent ParseRows(std::vector<std::uint8_t> bytes, int n, const std::string& source) {
    RowFileContent content{TRowList(n), {}};
    if (bytes.size() % static_cast<std::size_t>(n) != 0) {
        content.error = kGameCountMismatch;
        return content;
    }
    const auto bad =
        std::find_if(bytes.begin(), bytes.end(), [](std::uint8_t b) { return !IsSign(b); });
    if (bad != bytes.end()) {
        const auto row = (bad - bytes.begin()) / n + 1;
        content.error = "Die Datei '" + source + "' ist keine Reihendatei: Reihe " +
                        std::to_string(row) +
                        " enthält ein Zeichen, das kein Tippzeichen (0, 1 oder 2) ist. "
                        "Es wurde keine Reihe übernommen.";
        return content;
    }
    content.rows.AssignBytes(std::move(bytes));
    return content;
}

RowFileContent ReadRowFile(const std::string& path, int n) {
    FileBytes file = ReadWholeFile(path);
    if (!file.ok())
        return {TRowList(n), file.error};
    return ParseRows(std::move(file.bytes), n, path);
}

std::string WriteRowFile(const std::string& path, const TRowList& rows) {
    return WriteFileAtomically(path, rows.Bytes());
}

void RemoveRowsPresentIn(TRowList& rows, const TRowList& foreign) {
    const int n = rows.Games();
    std::vector<bool> present(CodeSpaceSize(n), false);
    for (std::int32_t r = 0; r < foreign.Count(); ++r)
        present[EncodeRow(foreign.Row(r), n)] = true;
    std::vector<bool> keep(static_cast<std::size_t>(rows.Count()));
    for (std::int32_t r = 0; r < rows.Count(); ++r)
        keep[r] = !present[EncodeRow(rows.Row(r), n)];
    rows.KeepWhere(keep);
}

}  // namespace velmora
