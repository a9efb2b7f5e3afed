#include "app/rearrangement.h"

#include <utility>

namespace velmora {

void ExchangeSigns(TRowList& rows, int game, Sign a, Sign b) {
    std::vector<Sign> bytes(rows.Bytes().begin(), rows.Bytes().end());
    for (std::size_t at = static_cast<std::size_t>(game - 1); at < bytes.size();
         at += static_cast<std::size_t>(rows.Games())) {
        if (bytes[at] == a) {
            bytes[at] = b;
        } else if (bytes[at] == b) {
            bytes[at] = a;
        }
    }
    rows.AssignBytes(std::move(bytes));
}

void ExchangeGames(TRowList& rows, int gameA, int gameB) {
    std::vector<Sign> bytes(rows.Bytes().begin(), rows.Bytes().end());
    const auto n = static_cast<std::size_t>(rows.Games());
    for (std::size_t row = 0; row < bytes.size(); row += n)
        std::swap(bytes[row + gameA - 1], bytes[row + gameB - 1]);
    rows.AssignBytes(std::move(bytes));
}

bool ApplyDrag(TRowList& rows, RearrangeMode mode, int fromColumn, int fromRow, int toColumn,
               int toRow) {
    const int n = rows.Games();
    auto isGame = [n](int row) { return row >= 1 && row <= n; };
    if (!isGame(fromRow) || !isGame(toRow))
        return false;
    if (mode == RearrangeMode::Games) {
        if (fromRow == toRow)
            return false;
        ExchangeGames(rows, fromRow, toRow);
        return true;
    }
    auto isSign = [](int column) { return column >= 1 && column <= 3; };
    if (fromRow != toRow || !isSign(fromColumn) || !isSign(toColumn) || fromColumn == toColumn)
        return false;
    ExchangeSigns(rows, fromRow, kDisplayOrder[fromColumn - 1], kDisplayOrder[toColumn - 1]);
    return true;
}

}  // namespace velmora
