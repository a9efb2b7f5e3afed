// Rows as text, for playing online and trading systems: the plain form (one row per line,
// "1x111x2111x2" or "1 X 1 1 …"), CSV with a header line, and E-lines ("E,1,X,2,…") after an
// optional line naming the game. Reading takes all of them, and refuses a text whole at its
// first bad line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/rowlist.h"

namespace velmora {

enum class RowTextFormat {
    Plain,  // one row per line
    Csv,    // "Reihe;Spiel 1;…;Spiel N", then "1;1;0;2;…"
    ELine,  // "E,1,X,2,…", the draw always "X"
};

struct RowTextOptions {
    RowTextFormat format = RowTextFormat::Plain;
    char draw = '0';            // '0' or 'X'; E-lines always write 'X'
    bool blankBetween = false;  // plain rows only: "1 0 2" instead of "102"
    std::string heading;        // E-lines only: a first line naming the game, when not empty
};

// The rows [first, first + count) as text, each line ending in "\n"; row numbers in CSV count
// from first + 1, so that split files number their rows as the whole system does.
std::string RowsAsText(const TRowList& rows, const RowTextOptions& options, std::int32_t first = 0,
                       std::int32_t count = -1);

struct RowTextContent {
    TRowList rows;
    std::string error;  // empty when the text was read; names the first bad line
    int badLine = 0;    // that line's number, counted from 1
    bool ok() const { return error.empty(); }
};

// Reads rows of `games` signs. Each line holds the signs 1, 0, X or 2 (either case), with or
// without blanks, commas, semicolons or tabs between them; or is an E-line; or a CSV line whose
// first field is its row number. Blank lines are skipped, and so is a first line that names
// the game or heads the columns. Any other line refuses the whole text: no rows then, and a
// message that begins with `source` ("Die Datei 'x'", "Der Text in der Zwischenablage").
RowTextContent ParseRowText(std::string_view text, int games,
                            const std::string& source = "Der Text");

// Reads a text file of rows; `error` names the file, or the line, when it cannot be used.
RowTextContent ReadRowTextFile(const std::string& path, int games);

// The files an export writes: the path itself, or "name_1.ext", "name_2.ext", … when a
// positive row limit per file splits the system.
std::vector<std::string> ExportFileNames(const std::string& path, std::int32_t rows,
                                         std::int32_t rowsPerFile);

struct ExportOutcome {
    std::vector<std::string> written;
    std::vector<std::int32_t> rowsIn;  // the rows each written file holds
    std::string error;                 // empty when every file was written
    bool ok() const { return error.empty(); }
};

// Writes the rows in system order to the files ExportFileNames names, each one atomically;
// the files written before a failure (also a shortage of memory) stay, and the outcome lists
// them.
ExportOutcome ExportRows(const std::string& path, const TRowList& rows,
                         const RowTextOptions& options, std::int32_t rowsPerFile = 0);

}  // namespace velmora
