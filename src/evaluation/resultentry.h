// Entering a result in the win determination from the keyboard: the signs typed, clicked or
// pasted before "&Start" stores them, and the game that the next typed sign goes to.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/windetermination.h"

namespace velmora {

// The sign a typed or pasted character stands for: "1", "0", "2", "X" or "x" (for "0") and
// "?" (unknown, kAnySign); nothing for any other character.
std::optional<Sign> ResultSignOf(char32_t c);

// A result written as text, such as "1021X0?2": one sign per game, blanks, tabs, commas,
// semicolons and line breaks between them skipped.
struct ResultText {
    std::vector<Sign> signs;
    // Empty when the text could be read; otherwise, in German, which character at which
    // position (counted in characters from 1) is not a sign.
    std::string error;
};
ResultText ParseResultText(std::string_view utf8);

class ResultEntry {
  public:
    ResultEntry() = default;
    // Starts at the first unknown game of the shown result, or at game 1 when it is complete.
    ResultEntry(const TResultRow& shown, int games);

    int Games() const { return games_; }
    // The game the next typed sign goes to, 1..Games(); Games() + 1 once the last game has
    // been typed, which marks no game.
    int Current() const { return current_; }
    bool AtEnd() const { return current_ > games_; }
    const TResultRow& Signs() const { return signs_; }

    // A typed sign (or kAnySign) for the current game, which then moves on by one. False, and
    // nothing changes, after the last game.
    bool Type(Sign sign);
    // A sign clicked in a game's line: that game gets it and the next game becomes current.
    void Set(int game, Sign sign);
    // Backspace: the game before the current one becomes current again and is set back to
    // unknown, as a typed character is taken back. False at game 1.
    bool Back();
    // The marker alone moves, to a game 1..Games() or the end; anything else is ignored.
    void MoveTo(int game);

    // A pasted result. A text with a sign for every game fills games 1..N; a shorter one fills
    // from the current game on, as if typed. Returns the German reason when the text is not
    // taken; nothing changes then.
    std::string Paste(std::string_view utf8);

  private:
    TResultRow signs_;
    int games_ = 0;
    int current_ = 1;
};

}  // namespace velmora
