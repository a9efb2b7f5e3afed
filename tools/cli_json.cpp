#include "cli_json.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "cli_support.h"

namespace velmora::cli {

namespace {

constexpr std::size_t kPiece = 64 * 1024;
constexpr const char* kOutputFailed = "Die Ausgabe konnte nicht vollständig geschrieben werden.";
constexpr std::size_t kIndent = 2;

// Printable ASCII other than the quote and the backslash stands in a JSON string as it is.
bool Plain(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c >= 0x20 && c <= 0x7e && c != '"' && c != '\\'; });
}

}  // namespace

JsonWriter::JsonWriter(std::ostream& out) : out_(out) {
    buffer_.reserve(2 * kPiece);
}

void JsonWriter::BeginObject() {
    Begin(true, '{');
}

void JsonWriter::BeginArray() {
    Begin(false, '[');
}

void JsonWriter::Begin(bool object, char bracket) {
    BeforeValue();
    if (depth_ == levels_.size())
        throw std::logic_error("JSON-Ausgabe zu tief verschachtelt");
    levels_[depth_++] = {object, true};
    buffer_ += bracket;
}

void JsonWriter::End() {
    if (depth_ == 0 || afterKey_)
        throw std::logic_error("JSON-Ausgabe: Ende ohne offene Liste oder offenes Objekt");
    const Level level = levels_[--depth_];
    if (!level.empty) {
        buffer_ += '\n';
        Indent(depth_);
    }
    buffer_ += level.object ? '}' : ']';
    PassOn(false);
}

void JsonWriter::Key(std::string_view key) {
    if (depth_ == 0 || !levels_[depth_ - 1].object || afterKey_)
        throw std::logic_error("JSON-Ausgabe: Name außerhalb eines Objekts");
    BeforeValue();
    Escaped(key);
    buffer_ += ": ";
    afterKey_ = true;
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (depth_ == 0)
        return;
    Level& level = levels_[depth_ - 1];
    buffer_ += level.empty ? "\n" : ",\n";
    level.empty = false;
    Indent(depth_);
}

void JsonWriter::Indent(std::size_t depth) {
    buffer_.append(depth * kIndent, ' ');
}

void JsonWriter::Escaped(std::string_view text) {
    if (Plain(text)) {
        buffer_ += '"';
        buffer_ += text;
        buffer_ += '"';
    } else {
        buffer_ += nlohmann::ordered_json(std::string(text)).dump();
    }
}

void JsonWriter::String(std::string_view text) {
    BeforeValue();
    Escaped(text);
    PassOn(false);
}

void JsonWriter::Number(double value) {
    BeforeValue();
    buffer_ += nlohmann::ordered_json(value).dump();
}

void JsonWriter::Integer(std::int64_t value) {
    BeforeValue();
    char digits[24];
    buffer_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void JsonWriter::Unsigned(std::uint64_t value) {
    BeforeValue();
    char digits[24];
    buffer_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    buffer_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    buffer_ += "null";
}

void JsonWriter::Finish() {
    if (depth_ != 0 || afterKey_)
        throw std::logic_error("JSON-Ausgabe: unvollständig beendet");
    buffer_ += '\n';
    PassOn(true);
    if (!out_.flush())
        Failure(kOutputFailed);
}

void JsonWriter::PassOn(bool always) {
    if (!always && buffer_.size() < kPiece)
        return;
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
    // Stop at once rather than compute the rest of a long answer for nobody.
    if (!out_)
        Failure(kOutputFailed);
}

void PrintHeldAnswer(std::ostream& out, const std::string& text) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    EnsureWritten(out);
}

void EnsureWritten(std::ostream& out) {
    if (!out.flush())
        Failure(kOutputFailed);
}

}  // namespace velmora::cli
