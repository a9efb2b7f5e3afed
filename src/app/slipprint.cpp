#include "app/slipprint.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace velmora {
namespace {

// The gap between two slips of a band, beyond their row columns.
int SlipGap(int n) {
    return n <= 12 ? 300 : n == 13 ? 310 : 320;
}

// The nominal place of game g (from 1) of the row in column `place` of slip `slot`; y is
// upward, so an offset downward lowers it.
DrawCall SlipDigit(int n, int rowsPerSlip, int slot, int place, int g, char sign,
                   SlipOffset offset) {
    const int x = 150 + 30 * place + (slot % 3) * (30 * rowsPerSlip + SlipGap(n));
    const int band = (slot / 3) * (50 * n + 50);
    return {x + offset.dx, -(200 + 50 * g + band) - offset.dy, std::string(1, sign)};
}

}  // namespace

std::int32_t SlipPageCount(const TRowList& rows, int rowsPerSlip) {
    const std::int64_t perPage = std::int64_t{kSlipsPerPage} * rowsPerSlip;
    return static_cast<std::int32_t>((rows.Count() + perPage - 1) / perPage);
}

std::size_t MaxSlipPageCalls(int games, int rowsPerSlip) {
    return static_cast<std::size_t>(kSlipsPerPage) * static_cast<std::size_t>(rowsPerSlip) *
           static_cast<std::size_t>(games);
}

// Every page but the last is full: nine slips of R rows. So page p starts at row 9 R p, and
// its slips are the slips 9 p to 9 p + 8 of the system; the last slip may be partly filled.
void LayoutSlipPage(const TRowList& rows, int rowsPerSlip, std::int32_t page, SlipDocument& calls,
                    SlipOffset offset) {
    calls.clear();
    const int n = rows.Games();
    const std::int64_t perPage = std::int64_t{kSlipsPerPage} * rowsPerSlip;
    const std::int64_t first = perPage * page;
    const std::int64_t end = std::min<std::int64_t>(first + perPage, rows.Count());
    for (std::int64_t i = first; i < end; ++i) {
        const int onPage = static_cast<int>(i - first);
        const int slot = onPage / rowsPerSlip;
        const int place = onPage % rowsPerSlip;
        const Sign* row = rows.Row(static_cast<std::int32_t>(i));
        for (int g = 1; g <= n; ++g)
            calls.push_back(
                SlipDigit(n, rowsPerSlip, slot, place, g, SignChar(row[g - 1]), offset));
    }
}

std::vector<SlipDocument> LayoutSlips(const TRowList& rows, int rowsPerSlip, SlipOffset offset) {
    std::vector<SlipDocument> documents(static_cast<std::size_t>(SlipPageCount(rows, rowsPerSlip)));
    for (std::size_t page = 0; page < documents.size(); ++page)
        LayoutSlipPage(rows, rowsPerSlip, static_cast<std::int32_t>(page), documents[page], offset);
    return documents;
}

SlipDocument LayoutSlipTestPage(int games, int rowsPerSlip, SlipOffset offset) {
    SlipDocument calls;
    constexpr std::array<char, 3> kDigits{'1', '0', '2'};
    for (int place = 0; place < rowsPerSlip; ++place)
        for (int g = 1; g <= games; ++g)
            calls.push_back(SlipDigit(games, rowsPerSlip, 0, place, g,
                                      kDigits[static_cast<std::size_t>((place + g - 1) % 3)],
                                      offset));
    // The marks sit one column and one game outside the field, where no box is.
    for (const int place : {-1, rowsPerSlip})
        for (const int g : {0, games + 1})
            calls.push_back(SlipDigit(games, rowsPerSlip, 0, place, g, '+', offset));
    return calls;
}

std::optional<int> ParseSlipOffset(const std::string& millimetres) {
    std::size_t at = 0;
    auto skipBlanks = [&] {
        while (at < millimetres.size() && millimetres[at] == ' ')
            ++at;
    };
    skipBlanks();
    int sign = 1;
    if (at < millimetres.size() && (millimetres[at] == '+' || millimetres[at] == '-')) {
        sign = millimetres[at] == '-' ? -1 : 1;
        ++at;
    } else if (millimetres.compare(at, 3, "−") == 0) {  // the typographic minus
        sign = -1;
        at += 3;
    }
    int whole = 0;
    int digits = 0;
    while (at < millimetres.size() && std::isdigit(static_cast<unsigned char>(millimetres[at]))) {
        whole = std::min(whole * 10 + (millimetres[at] - '0'), 1000);
        ++digits;
        ++at;
    }
    int tenth = 0;
    if (at < millimetres.size() && (millimetres[at] == ',' || millimetres[at] == '.')) {
        ++at;
        if (at < millimetres.size() && std::isdigit(static_cast<unsigned char>(millimetres[at]))) {
            tenth = millimetres[at] - '0';
            ++digits;
            ++at;
        }
        // "1,50" is still one decimal place; "1,55" is not.
        while (at < millimetres.size() && millimetres[at] == '0')
            ++at;
    }
    skipBlanks();
    if (digits == 0 || at != millimetres.size())
        return std::nullopt;
    const int tenths = whole * 10 + tenth;
    if (tenths > kMaxSlipOffset)
        return std::nullopt;
    return sign * tenths;
}

std::string SlipOffsetText(int tenths) {
    const int size = tenths < 0 ? -tenths : tenths;
    std::string text = tenths < 0 ? "-" : "";
    text += std::to_string(size / 10);
    text += ',';
    text += static_cast<char>('0' + size % 10);
    return text;
}

}  // namespace velmora
