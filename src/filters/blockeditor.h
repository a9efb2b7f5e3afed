// The logic of the block buttons on the main window and of the block form ("Filterblock N").
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "filters/block.h"
#include "filters/listbuttons.h"
#include "filters/numberedlist.h"
#include "model/tipplan.h"

namespace velmora {

// One button per block, "but_N" captioned "N.Filter" (red when linked with "oder"), and
// after them one for a new block; an empty list leaves the single button "1.Filter".
std::vector<ListButton> BlockButtons(std::span<const TBlockFilter> blocks);

// The form of block N: its name "block_N", caption "Filterblock N", the "oder" box
// "oder Filter N+1", and the label of the run limit.
std::string BlockFormName(int number);
std::string BlockFormCaption(int number);
std::string BlockOrCaption(int number);
inline constexpr const char* kBlockRunLabel = "höchstens\r\nzusammen";

// marks[game - 1][sign code]; the grid shows the signs in the order "1", "0", "2".
using MarkGrid = std::array<std::array<bool, kSignCount>, kMaxGames>;

// What the block form shows and edits.
struct BlockFormFields {
    MarkGrid marks{};
    int minHits = 0;  // SpinEdit4, "mindestens"
    int maxHits = 0;  // SpinEdit3, "höchstens"
    int maxRun = 0;   // SpinEdit2, "höchstens zusammen"
    bool orNext = false;
};

// A new block for n games: no marks, 0 to n hits, runs up to n.
TBlockFilter NewBlock(int n);

// Showing the form of block `number` (1 to count + 1; beyond the list: a new block): the
// marks of games 1..n and the three values, held within the spin edits' range 0 to n.
BlockFormFields ShowBlock(std::span<const TBlockFilter> blocks, int number, int n);

// OK: the record from the form: the marks of games 1..n (later games unmarked), the three
// values held within 0 to n, and "oder". Store it with StoreNumberedEntry.
TBlockFilter BuildBlock(const BlockFormFields& fields, int n);
// OK refuses a block no row can meet because "mindestens" exceeds "höchstens": the message
// to show, or empty when the values fit.
std::string BlockBoundsError(const BlockFormFields& fields);

// Marking a cell by mouse or Enter.
void ToggleMark(MarkGrid& marks, int game, Sign sign);

// "Auswahlhilfe", which only adds marks in games 1..n; the tip plan is not changed.
// "&Einsen", "&Nullen", "&Zweien": the sign wherever the tip plan allows it.
void MarkAllowedSign(MarkGrid& marks, const TTipPlan& plan, int n, Sign sign);
// "&Grundtip": each game's main tip, the first sign in tendency order.
void MarkMainTips(MarkGrid& marks, const TTipPlan& plan, int n);
// "&int. Tendenz": each sign whose internal tendency equals `tendency`.
void MarkTendency(MarkGrid& marks, const TTipPlan& plan, int n, int tendency);

}  // namespace velmora
