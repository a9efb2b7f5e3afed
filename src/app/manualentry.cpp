#include "app/manualentry.h"

namespace velmora {

std::vector<EntryColumn> ColumnsOf(const TRowList& rows) {
    std::vector<EntryColumn> columns;
    columns.reserve(static_cast<std::size_t>(rows.Count()));
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        EntryColumn column;
        for (Sign s : rows.RowSpan(r))
            column.emplace_back(1, SignChar(s));
        columns.push_back(std::move(column));
    }
    return columns;
}

TakeOver TakeOverColumns(const std::vector<EntryColumn>& columns, int n) {
    TakeOver result{TRowList(n), 0};
    for (const EntryColumn& column : columns) {
        TTipRow row(n);
        bool complete = static_cast<int>(column.size()) >= n;
        for (int g = 0; g < n && complete; ++g) {
            const std::string& cell = column[static_cast<std::size_t>(g)];
            complete = cell.size() == 1 && AcceptsEntryKey(cell[0]);
            if (complete)
                row[g] = static_cast<Sign>(cell[0] - '0');
        }
        if (complete) {
            result.rows.Append(row);
        } else {
            ++result.incomplete;
        }
    }
    return result;
}

}  // namespace velmora
