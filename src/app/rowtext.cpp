#include "app/rowtext.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <new>
#include <span>

#include "app/binaryfile.h"
#include "app/utf8path.h"

namespace velmora {
namespace {

constexpr const char* kAllowedSigns = "(erlaubt sind 1, 0, X und 2)";
constexpr const char* kNothingTaken = " Es wurde keine Reihe übernommen.";

char SignText(Sign sign, char draw) {
    return sign == 0 ? draw : SignChar(sign);
}

void AppendPlainRow(std::string& text, const Sign* row, int games, const RowTextOptions& options) {
    for (int g = 0; g < games; ++g) {
        if (g > 0 && options.blankBetween)
            text += ' ';
        text += SignText(row[g], options.draw);
    }
}

void AppendSeparatedRow(std::string& text, const Sign* row, int games, char separator, char draw) {
    for (int g = 0; g < games; ++g) {
        text += separator;
        text += SignText(row[g], draw);
    }
}

std::string CsvHeader(int games) {
    std::string header = "Reihe";
    for (int g = 1; g <= games; ++g)
        header += ";Spiel " + std::to_string(g);
    return header + '\n';
}

// ---------------------------------------------------------------------------------------------
// Reading

int SignOf(char c) {
    switch (c) {
        case '1':
            return 1;
        case '2':
            return 2;
        case '0':
        case 'x':
        case 'X':
            return 0;
        default:
            return -1;
    }
}

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == ';';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || byte >= 0x80;
}

struct Token {
    std::string_view text;
    std::size_t offset = 0;  // in the line
};

void SplitTokens(std::string_view line, std::vector<Token>& tokens) {
    tokens.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSeparator(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !IsSeparator(line[i]))
            ++i;
        if (i > start)
            tokens.push_back({line.substr(start, i - start), start});
    }
}

bool AllOf(std::string_view text, bool (*test)(char)) {
    return std::all_of(text.begin(), text.end(), test);
}

bool IsSignChar(char c) {
    return SignOf(c) >= 0;
}

std::size_t Length(std::span<const Token> tokens) {
    std::size_t length = 0;
    for (const Token& token : tokens)
        length += token.text.size();
    return length;
}

// The tokens that hold the signs: an E-line's after its "E", a CSV line's after its row
// number, else all. A leading number is a row number unless the whole line reads as exactly
// one row of signs.
std::span<const Token> SignTokens(std::span<const Token> tokens, std::string_view line, int games) {
    const std::string_view first = tokens.front().text;
    if (first == "E" || first == "e")
        return tokens.subspan(1);
    if (tokens.size() < 2 || !AllOf(first, IsDigit))
        return tokens;
    const std::size_t rest = Length(tokens.subspan(1));
    const bool oneRow = AllOf(first, IsSignChar) && rest + first.size() == std::size_t(games);
    if (oneRow)
        return tokens;
    const bool numbered = rest == std::size_t(games) || !AllOf(first, IsSignChar) ||
                          line.find(';') != std::string_view::npos;
    return numbered ? tokens.subspan(1) : tokens;
}

// The character at `offset` of the line, as a message shows it.
std::string CharacterText(std::string_view line, std::size_t offset) {
    const auto lead = static_cast<unsigned char>(line[offset]);
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", lead);
    if (lead < 0x20 || lead == 0x7F)
        return std::string("das Steuerzeichen ") + hex;
    std::size_t length = 1;
    if (lead >= 0x80) {
        length = lead >= 0xF0 && lead < 0xF5   ? 4
                 : lead >= 0xE0                ? 3
                 : lead >= 0xC2 && lead < 0xE0 ? 2
                                               : 0;
        if (length == 0 || offset + length > line.size())
            return std::string("das Byte ") + hex;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(line[offset + k]) & 0xC0) != 0x80)
                return std::string("das Byte ") + hex;
        }
    }
    return "„" + std::string(line.substr(offset, length)) + "“";
}

// The position of the byte at `offset` as a reader counts characters, from 1.
std::size_t CharacterColumn(std::string_view line, std::size_t offset) {
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset; ++i)
        column += (static_cast<unsigned char>(line[i]) & 0xC0) != 0x80;
    return column;
}

// A first line such as "Stryktipset" or "Reihe;Spiel 1;…" names the game or heads columns.
bool IsHeading(std::span<const Token> tokens) {
    const char first = tokens.front().text.front();
    return IsLetter(first) && first != 'x' && first != 'X' && tokens.front().text != "E" &&
           tokens.front().text != "e";
}

// Reads the signs of one line into `row`; returns what is wrong with it, or "".
std::string ReadLine(std::string_view line, std::span<const Token> tokens, int games, bool firstRow,
                     Sign* row) {
    const std::span<const Token> signs = SignTokens(tokens, line, games);
    std::size_t count = 0;
    for (const Token& token : signs) {
        for (std::size_t k = 0; k < token.text.size(); ++k) {
            const int sign = SignOf(token.text[k]);
            if (sign < 0) {
                const std::size_t offset = token.offset + k;
                return ", Zeichen " + std::to_string(CharacterColumn(line, offset)) + ": " +
                       CharacterText(line, offset) + " ist kein Tippzeichen " + kAllowedSigns + ".";
            }
            if (count < std::size_t(games))
                row[count] = static_cast<Sign>(sign);
            ++count;
        }
    }
    if (count == std::size_t(games))
        return {};
    if (firstRow && count >= std::size_t(kMinGames) && count <= std::size_t(kMaxGames)) {
        return ": Die Reihen haben " + std::to_string(count) + " Spiele, die Woche aber " +
               std::to_string(games) + ".";
    }
    if (count == 0)
        return ": Die Zeile enthält keine Tippzeichen.";
    return ": Die Reihe hat " + std::to_string(count) + " Tippzeichen statt " +
           std::to_string(games) + ".";
}

}  // namespace

std::string RowsAsText(const TRowList& rows, const RowTextOptions& options, std::int32_t first,
                       std::int32_t count) {
    const int games = rows.Games();
    const std::int32_t end = count < 0
                                 ? rows.Count()
                                 : static_cast<std::int32_t>(std::min<std::int64_t>(
                                       rows.Count(), std::int64_t{std::max(first, 0)} + count));
    first = std::clamp<std::int32_t>(first, 0, end);
    std::string text;
    const std::size_t perRow = options.format == RowTextFormat::Plain && !options.blankBetween
                                   ? std::size_t(games) + 1
                                   : 2 * std::size_t(games) + 10;
    text.reserve(perRow * static_cast<std::size_t>(end - first) + 16 * games);

    switch (options.format) {
        case RowTextFormat::Plain:
            for (std::int32_t r = first; r < end; ++r) {
                AppendPlainRow(text, rows.Row(r), games, options);
                text += '\n';
            }
            break;
        case RowTextFormat::Csv:
            text += CsvHeader(games);
            for (std::int32_t r = first; r < end; ++r) {
                text += std::to_string(r + 1);
                AppendSeparatedRow(text, rows.Row(r), games, ';', options.draw);
                text += '\n';
            }
            break;
        case RowTextFormat::ELine:
            if (!options.heading.empty())
                text += options.heading + '\n';
            for (std::int32_t r = first; r < end; ++r) {
                text += 'E';
                AppendSeparatedRow(text, rows.Row(r), games, ',', 'X');
                text += '\n';
            }
            break;
    }
    return text;
}

RowTextContent ParseRowText(std::string_view text, int games, const std::string& source) {
    RowTextContent content{TRowList(games), {}, 0};
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);  // the byte order mark some editors write

    std::vector<Token> tokens;
    std::array<Sign, kMaxGames> row{};
    bool firstLine = true;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        SplitTokens(line, tokens);
        if (tokens.empty())
            continue;

        const std::string problem = ReadLine(line, tokens, games, content.rows.Empty(), row.data());
        const bool heading = firstLine && IsHeading(tokens);
        firstLine = false;
        if (problem.empty()) {
            content.rows.Append(std::span<const Sign>(row.data(), std::size_t(games)));
            continue;
        }
        if (heading)
            continue;
        content.rows.Clear();
        content.badLine = lineNumber;
        content.error = source + " lässt sich nicht einlesen. Zeile " + std::to_string(lineNumber) +
                        problem + kNothingTaken;
        return content;
    }
    if (content.rows.Empty())
        content.error = source + " enthält keine Tippreihen.";
    return content;
}

RowTextContent ReadRowTextFile(const std::string& path, int games) {
    FileBytes file = ReadWholeFile(path);
    if (!file.ok())
        return {TRowList(games), file.error, 0};
    const std::string_view text(reinterpret_cast<const char*>(file.bytes.data()),
                                file.bytes.size());
    return ParseRowText(text, games, "Die Datei '" + path + "'");
}

std::vector<std::string> ExportFileNames(const std::string& path, std::int32_t rows,
                                         std::int32_t rowsPerFile) {
    if (rowsPerFile <= 0 || rows <= rowsPerFile)
        return {path};
    const std::filesystem::path target = PathOf(path);
    const std::string stem = NameOf(target.stem());
    const std::string extension = NameOf(target.extension());
    const std::int32_t parts = (rows - 1) / rowsPerFile + 1;
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(parts));
    for (std::int32_t k = 1; k <= parts; ++k) {
        const std::filesystem::path part =
            target.parent_path() / PathOf(stem + "_" + std::to_string(k) + extension);
        names.push_back(NameOf(part));
    }
    return names;
}

ExportOutcome ExportRows(const std::string& path, const TRowList& rows,
                         const RowTextOptions& options, std::int32_t rowsPerFile) {
    ExportOutcome outcome;
    const std::vector<std::string> names = ExportFileNames(path, rows.Count(), rowsPerFile);
    const std::int32_t perFile = names.size() == 1 ? rows.Count() : rowsPerFile;
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::int32_t first = static_cast<std::int32_t>(k) * perFile;
        const std::int32_t count = std::min(perFile, rows.Count() - first);
        try {
            const std::string text = RowsAsText(rows, options, first, count);
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
            outcome.error = WriteFileAtomically(names[k], std::span(bytes, text.size()));
        } catch (const std::bad_alloc&) {
            outcome.error = "Für die Datei '" + names[k] +
                            "' reicht der Arbeitsspeicher nicht; sie wurde nicht geschrieben.";
        }
        if (!outcome.ok())
            return outcome;
        outcome.written.push_back(names[k]);
        outcome.rowsIn.push_back(count);
    }
    return outcome;
}

}  // namespace velmora
