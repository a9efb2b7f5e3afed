// Manual row entry: the entry grid's columns become the system.
#pragma once

#include <string>
#include <vector>

#include "model/rowlist.h"

namespace velmora {

inline constexpr const char* kIncompleteRowMessage =
    "Eine Reihe war unvollständig und wird nicht mit übernommen";

// One column of the entry grid: a cell text per game, game 1 first.
using EntryColumn = std::vector<std::string>;

// The columns of the current system, one per row, for filling the grid.
std::vector<EntryColumn> ColumnsOf(const TRowList& rows);

struct TakeOver {
    TRowList rows;
    int incomplete = 0;  // columns dropped; one message each
};

// Columns holding exactly "1", "0" or "2" in each of the n games become rows in their order.
TakeOver TakeOverColumns(const std::vector<EntryColumn>& columns, int n);

// Only "0", "1" and "2" reach a cell.
inline bool AcceptsEntryKey(char key) {
    return key == '0' || key == '1' || key == '2';
}

}  // namespace velmora
