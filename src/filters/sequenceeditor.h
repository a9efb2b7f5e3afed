// The logic of the sequence buttons on the main window and of the sequence form.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "filters/listbuttons.h"
#include "filters/numberedlist.h"
#include "filters/sequence.h"

namespace velmora {

// The pattern as the user writes it: the digits of the sign codes, "*" for any sign.
std::string PatternText(const TSequenceRule& rule);
// A rule's button caption: pattern, two blanks, "min-max", and " or" when linked
// ("1*0  1-3 or").
std::string SequenceCaption(const TSequenceRule& rule);

// One button per rule, "btseq_N" captioned as above, and after them one for a new rule,
// captioned "N. Sequenz".
std::vector<ListButton> SequenceButtons(std::span<const TSequenceRule> rules);
// After "Neu" the list is empty and its single button reads "1.Sequenz".
std::vector<ListButton> SequenceButtonsAfterNew();

// The form for rule N: caption "N. Sequenz", the "oder" box "oder Sequenz N+1".
std::string SequenceFormCaption(int number);
std::string SequenceOrCaption(int number);

// The spin edits' ranges.
inline constexpr int kSequenceMinCountLimit = 6;
inline constexpr int kSequenceMaxCountLimit = 8;

struct SequenceFormFields {
    std::string pattern;  // Edit1
    int minCount = 0;     // SpinEdit1, 0 to 6
    int maxCount = 0;     // SpinEdit2, 0 to 8
    bool orNext = false;  // CheckBox1
};

// Showing the form for rule `number`: an existing rule as it is (bounds held within the
// spin edits' ranges); beyond the list a new rule: empty pattern, no "oder", 0 to n - 1
// cut back to 8.
SequenceFormFields ShowSequence(std::span<const TSequenceRule> rules, int number, int n);

// A key typed into the pattern field holding `current`: the character to enter, or
// nothing when the key is swallowed. "0", "1", "2", "*" pass, a blank becomes "*",
// backspace always passes; a character is refused once the field holds 8.
std::optional<char> SequencePatternKey(std::string_view current, char32_t key);

struct SequenceConfirmation {
    std::optional<TSequenceRule> rule;  // the rule to store with StoreNumberedEntry
    std::string error;                  // a pattern the field should not have let through
};
// OK: an empty pattern stores nothing (neither rule nor error). Otherwise the rule: length
// = characters, "*" as 9 and digits as their value, bounds and "oder" from the form. A
// pattern of more than 8 characters or with other characters, bounds outside the spin
// edits' ranges, or a minimum above the maximum give a message and store nothing.
SequenceConfirmation BuildSequenceRule(const SequenceFormFields& fields);

}  // namespace velmora
