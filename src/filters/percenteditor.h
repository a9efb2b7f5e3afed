// The logic of the five percentage filter forms ("Prozform1" to "Prozform5"). The forms
// hold a ValueFormFields, show it and hand their buttons and keys to these functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "filters/filterset.h"
#include "filters/valueform.h"
#include "model/tipplan.h"

namespace velmora {

inline constexpr const char* kPercentOrCaption = "oder nächster aktiver Prozentblock";
inline constexpr const char* kPercentConvertCaption = "Prozentumwandlung";
inline constexpr const char* kPercentTipPlanCaption = "Tipplan einladen";
inline constexpr const char* kInvalidFloatOperation = "Fehler bei Fließkommaoperation";
inline constexpr const char* kFloatDivisionByZero = "Fließkommadivision durch Null";
// The widest percentage a cell shows in its usual form: 15 significant digits with a sign and
// a decimal point. The forms are made wide enough for it.
inline constexpr const char* kPercentWidestCell = "-33.3333333333333";

// Captions of filter 1 to 5's form: "Prozform1" …, the minimum label ("Mindetstens" on
// the second form), the load button ("" when the form has none, "Block 1 laden" on the
// second, "Blockladen" on the others) and the highest filter number it loads from
// (0 when none; the load spin runs from 1 to this).
std::string PercentFormCaption(int filter);
std::string PercentMinimumLabel(int filter);
std::string PercentLoadButtonCaption(int filter);
int PercentLoadSourceLimit(int filter);

// Showing the form: cells in "%g" form with a point, the band with a decimal comma, both
// with up to 15 significant digits; the check boxes from the flags.
ValueFormFields ShowPercentFilter(const TFilterValueRecord& filter, int n);

// The text a cell shows when editing starts: "0" for an empty cell.
std::string PercentCellEditText(std::string_view cell);

// A key typed into the grid or a band field: the character to enter, or nothing when the
// key is swallowed. Digits, "," and backspace pass, "." becomes ",".
std::optional<char> PercentKey(char32_t key);

// "Tipplan einladen": the cells of games 1..n get the tendencies of "1", "0", "2".
void LoadTipPlanTendencies(ValueFormFields& fields, const TTipPlan& plan, int n);

// "Prozentumwandlung": in every game 1..n each cell is read as the whole number at its
// start (an optional "-" and the digits up to the first other character; none is 0) and
// becomes 100 * value / sum of the game's three, in general notation with at most four
// significant digits and a decimal comma. A game whose sum is 0 stops the conversion with
// the message returned ("Fehler bei Fließkommaoperation" when its three numbers are 0,
// "Fließkommadivision durch Null" otherwise); the games before it stay converted.
std::optional<std::string> ConvertToPercentages(ValueFormFields& fields, int n);

// "Block 1 laden" / "Blockladen": the whole record of filter `source` becomes that of
// filter `target` (both 1 to 5, source below target); the form is then shown afresh from
// it. When active or orNext changed the chains are recomputed (requiredChains becomes
// chainCount). Returns whether they changed; a source the form does not offer changes
// nothing and gives nothing.
std::optional<bool> LoadPercentFilter(TFilterSet& filters, int target, int source);

struct PercentConfirmation {
    bool closed = false;        // everything was stored: the form closes
    std::string error;          // otherwise the message to show; the form stays open
    bool flagsChanged = false;  // active or orNext changed
    bool activeStored = false;  // the main window's check box is to show `active`
};

// OK of filter `filter` (1 to 5): minValue from Edit1, maxValue from Edit2, the cells of games
// 1..n ("1", "0", "2" in each game, every "." turned into ","), active and orNext. Numbers
// are read with a decimal comma. All or nothing: the first text that is not a number gives
// "'%s' ist kein gültiger Fließkommawert" and leaves the filters as they were. When active or
// orNext changed the chains are recomputed.
PercentConfirmation ConfirmPercentFilter(const ValueFormFields& fields, int n, TFilterSet& filters,
                                         int filter);

}  // namespace velmora
