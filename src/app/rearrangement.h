// System rearrangement: exchanging two signs of a game, or two games, in every row.
#pragma once

#include "model/rowlist.h"

namespace velmora {

// Every row with sign a in the game gets b, and the reverse.
void ExchangeSigns(TRowList& rows, int game, Sign a, Sign b);
// Every row's signs of the two games change places.
void ExchangeGames(TRowList& rows, int gameA, int gameB);

enum class RearrangeMode { Signs, Games };

// A drag in the distribution grid from one cell to another: columns 1, 2, 3 stand for the
// signs "1", "0", "2", rows 1..n for the games. Drags outside the game rows, or in sign mode
// outside the sign columns or across games, change nothing. Returns whether rows changed.
bool ApplyDrag(TRowList& rows, RearrangeMode mode, int fromColumn, int fromRow, int toColumn,
               int toRow);

}  // namespace velmora
