#include "evaluation/resultentry.h"

#include <cstdio>

namespace velmora {

namespace {

constexpr char32_t kInvalidUtf8 = 0xFFFD;

// One character of UTF-8 text from `at` on; a byte that starts no valid sequence is taken
// alone, so that a broken text is still walked character by character.
char32_t NextCharacter(std::string_view text, std::size_t& at, std::string_view& bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 1;
    char32_t c = lead;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else if (lead >= 0x80) {
        length = 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (at + i >= text.size() || (byte(at + i) & 0xC0) != 0x80) {
            length = 0;
            break;
        }
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    if (length == 0) {
        bytes = {};
        ++at;
        return kInvalidUtf8;
    }
    bytes = text.substr(at, length);
    at += length;
    return c;
}

bool Skipped(char32_t c) {
    return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\n' || c == '\r';
}

// The character as the message shows it: itself in quotes, or its code when it cannot be seen.
std::string Shown(char32_t c, std::string_view bytes) {
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == 0xA0 || bytes.empty()) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
        return std::string("mit dem Code ") + code;
    }
    return "„" + std::string(bytes) + "“";
}

}  // namespace

std::optional<Sign> ResultSignOf(char32_t c) {
    switch (c) {
        case '1':
            return Sign{1};
        case '0':
        case 'X':
        case 'x':
            return Sign{0};
        case '2':
            return Sign{2};
        case '?':
            return kAnySign;
        default:
            return std::nullopt;
    }
}

ResultText ParseResultText(std::string_view utf8) {
    ResultText parsed;
    std::size_t at = 0;
    int position = 0;
    while (at < utf8.size()) {
        std::string_view bytes;
        const char32_t c = NextCharacter(utf8, at, bytes);
        ++position;
        if (Skipped(c))
            continue;
        if (const std::optional<Sign> sign = ResultSignOf(c)) {
            parsed.signs.push_back(*sign);
            continue;
        }
        parsed.signs.clear();
        parsed.error = "Das Zeichen " + Shown(c, bytes) + " an Stelle " + std::to_string(position) +
                       " ist kein Tippzeichen. Erlaubt sind 1, 0, 2, X und ?; Leerzeichen, "
                       "Tabulatoren, Kommas, Semikolons und Zeilenwechsel dazwischen werden "
                       "übergangen.";
        break;
    }
    return parsed;
}

ResultEntry::ResultEntry(const TResultRow& shown, int games) : signs_(shown), games_(games) {
    current_ = 1;
    while (current_ <= games_ && signs_.signs[current_ - 1] != kAnySign)
        ++current_;
    if (current_ > games_)
        current_ = 1;
}

bool ResultEntry::Type(Sign sign) {
    if (AtEnd())
        return false;
    signs_.signs[current_ - 1] = sign;
    ++current_;
    return true;
}

void ResultEntry::Set(int game, Sign sign) {
    if (game < 1 || game > games_)
        return;
    signs_.signs[game - 1] = sign;
    current_ = game + 1;
}

bool ResultEntry::Back() {
    if (current_ <= 1)
        return false;
    --current_;
    signs_.signs[current_ - 1] = kAnySign;
    return true;
}

void ResultEntry::MoveTo(int game) {
    if (game >= 1 && game <= games_ + 1)
        current_ = game;
}

std::string ResultEntry::Paste(std::string_view utf8) {
    const ResultText text = ParseResultText(utf8);
    if (!text.error.empty())
        return text.error;
    const int count = static_cast<int>(text.signs.size());
    if (count == 0)
        return "Der Text enthält kein Tippzeichen. Erlaubt sind 1, 0, 2, X und ?.";
    if (count > games_) {
        return "Der Text enthält " + std::to_string(count) + " Tippzeichen, es gibt aber nur " +
               std::to_string(games_) + " Spiele.";
    }
    // A whole result replaces the whole row wherever the marker stands.
    const int first = count == games_ ? 1 : current_;
    const int free = games_ - first + 1;
    if (count > free) {
        const std::string room = free == 0 ? "nach dem letzten Spiel ist aber kein Spiel mehr frei"
                                           : "ab Spiel " + std::to_string(first) +
                                                 " sind aber nur noch " + std::to_string(free) +
                                                 (free == 1 ? " Spiel" : " Spiele") + " frei";
        return "Der Text enthält " + std::to_string(count) + " Tippzeichen, " + room +
               ". Ein vollständiges Ergebnis mit " + std::to_string(games_) +
               " Tippzeichen wird immer ab Spiel 1 eingetragen.";
    }
    for (int i = 0; i < count; ++i)
        signs_.signs[first - 1 + i] = text.signs[i];
    current_ = first + count;
    return {};
}

}  // namespace velmora
