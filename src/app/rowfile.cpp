#include "app/rowfile.h"

#include <algorithm>
#include <vector>

#include "app/binaryfile.h"
#include "model/rowcode.h"

namespace velmora {

RowFileContent ReadRowFile(const std::string& path, int n) {
    RowFileContent content{TRowList(n), {}};
    FileBytes file = ReadWholeFile(path);
    if (!file.ok()) {
        content.error = file.error;
        return content;
    }
    if (file.bytes.size() % static_cast<std::size_t>(n) != 0) {
        content.error = kGameCountMismatch;
        return content;
    }
    const auto bad = std::find_if(file.bytes.begin(), file.bytes.end(),
                                  [](std::uint8_t b) { return !IsSign(b); });
    if (bad != file.bytes.end()) {
        const auto row = (bad - file.bytes.begin()) / n + 1;
        content.error = "Die Datei '" + path + "' ist keine Reihendatei: Reihe " +
                        std::to_string(row) +
                        " enthält ein Zeichen, das kein Tippzeichen (0, 1 oder 2) ist. "
                        "Es wurde keine Reihe übernommen.";
        return content;
    }
    content.rows.AssignBytes(std::move(file.bytes));
    return content;
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
