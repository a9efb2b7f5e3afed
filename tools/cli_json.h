// velmora-cli: the JSON answers, written as they are produced instead of built as a tree.
//
// The text is the one a JSON library prints with an indent of two: every member and element
// on a line of its own, "key": value, empty lists and objects as [] and {}. Numbers with a
// fraction and strings that need escaping are formatted by the JSON library itself, so the
// answers stay the same to the byte. Memory does not grow with the answer: the text is passed
// on in pieces of about 64 KiB, and nothing is allocated for plain strings and integers.
// A shorter answer reaches the stream whole by Finish() or not at all: a writer left by an
// exception drops what it holds. No tree means nothing to dismantle when memory runs out, so a
// failure there unwinds like any other.
#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "model/sign.h"

namespace velmora::cli {

class JsonWriter {
  public:
    explicit JsonWriter(std::ostream& out);
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void BeginObject();
    void BeginArray();
    // Closes the innermost open object or list.
    void End();
    // The name of the next member of the open object.
    void Key(std::string_view key);

    void String(std::string_view text);
    void Number(double value);
    void Bool(bool value);
    void Null();
    template <std::integral Int>
    requires(!std::same_as<Int, bool>) void Number(Int value) {
        if constexpr (std::signed_integral<Int>)
            Integer(static_cast<std::int64_t>(value));
        else
            Unsigned(static_cast<std::uint64_t>(value));
    }

    // The answer is complete: the closing newline, and the rest passed on to the stream. A
    // stream that failed to take the text is a failure of the command.
    void Finish();

  private:
    struct Level {
        bool object = false;
        bool empty = true;
    };

    void Integer(std::int64_t value);
    void Unsigned(std::uint64_t value);
    // The separator and indent in front of a value; nothing after a key.
    void BeforeValue();
    void Begin(bool object, char bracket);
    void Indent(std::size_t depth);
    void Escaped(std::string_view text);
    void PassOn(bool always);

    std::ostream& out_;
    std::string buffer_;
    std::array<Level, 8> levels_{};
    std::size_t depth_ = 0;
    bool afterKey_ = false;
};

// Prints an answer that was held back (written into a string stream) until the command's
// files were written; a failing stream is a failure of the command.
void PrintHeldAnswer(std::ostream& out, const std::string& text);

// The answer, whatever its form, has reached the stream; a stream that failed to take all of
// it is a failure of the command.
void EnsureWritten(std::ostream& out);

// For games 1..n an object {"game": g, "1": value(g, 1), "0": value(g, 0), "2": value(g, 2)}.
template <class Value>
void PerGame(JsonWriter& json, int games, Value value) {
    json.BeginArray();
    for (int g = 1; g <= games; ++g) {
        json.BeginObject();
        json.Key("game");
        json.Number(g);
        for (Sign sign : kDisplayOrder) {
            const char key = SignChar(sign);
            json.Key(std::string_view(&key, 1));
            json.Number(value(g, sign));
        }
        json.End();
    }
    json.End();
}

}  // namespace velmora::cli
