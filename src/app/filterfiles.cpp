#include "app/filterfiles.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace velmora {
namespace {

static_assert(std::endian::native == std::endian::little,
              "the files hold little-endian doubles, as does this machine");

std::string NotAMultiple(const char* kind, std::size_t size, std::size_t record) {
    return "Die " + std::string(kind) + " ist beschädigt: ihre Größe von " + std::to_string(size) +
           " Bytes ist kein Vielfaches von " + std::to_string(record) + " Bytes je Eintrag.";
}

template <class Record>
std::vector<Record> SplitRecords(const Bytes& bytes) {
    std::vector<Record> records(bytes.size() / sizeof(Record));
    if (!records.empty())
        std::memcpy(records.data(), bytes.data(), bytes.size());
    return records;
}

template <class Record>
Bytes JoinRecords(const std::vector<Record>& records) {
    Bytes bytes(records.size() * sizeof(Record));
    if (!bytes.empty())
        std::memcpy(bytes.data(), records.data(), bytes.size());
    return bytes;
}

}  // namespace

std::array<std::uint8_t, kValueRecordSize> EncodeValueRecord(const TFilterValueRecord& record) {
    std::array<std::uint8_t, kValueRecordSize> bytes{};
    std::size_t at = 0;
    auto put = [&](double value) {
        std::memcpy(bytes.data() + at, &value, sizeof value);
        at += sizeof value;
    };
    for (const auto& game : record.values)
        for (double value : game)
            put(value);
    put(record.minValue);
    put(record.maxValue);
    bytes[352] = record.active;
    bytes[353] = record.orNext;
    bytes[354] = record.reserved[0];
    bytes[355] = record.reserved[1];
    return bytes;
}

TFilterValueRecord DecodeValueRecord(std::span<const std::uint8_t, kValueRecordSize> bytes) {
    TFilterValueRecord record;
    std::size_t at = 0;
    auto take = [&](double& value) {
        std::memcpy(&value, bytes.data() + at, sizeof value);
        at += sizeof value;
    };
    for (auto& game : record.values)
        for (double& value : game)
            take(value);
    take(record.minValue);
    take(record.maxValue);
    record.active = bytes[352];
    record.orNext = bytes[353];
    record.reserved = {bytes[354], bytes[355]};
    return record;
}

Bytes EncodeBlocks(const std::vector<TBlockFilter>& blocks) {
    return JoinRecords(blocks);
}

Bytes EncodeSequences(const std::vector<TSequenceRule>& rules) {
    return JoinRecords(rules);
}

Bytes EncodeFilterValues(const TOddsFilter& odds, const TPercentFilters& percent) {
    Bytes bytes;
    bytes.reserve(kValueRecordCount * kValueRecordSize);
    const auto append = [&bytes](const TFilterValueRecord& record) {
        const auto encoded = EncodeValueRecord(record);
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    };
    append(odds);
    for (const TPercentFilter& filter : percent)
        append(filter);
    return bytes;
}

Bytes EncodeSignChange(const TSignChangeFilter& filter) {
    return {filter.min1, filter.max1, filter.min2, filter.max2, filter.orSecond};
}

BlocksContent ParseBlocks(const Bytes& bytes) {
    if (bytes.size() % kBlockRecordSize != 0)
        return {{}, NotAMultiple("Blockfilterdatei", bytes.size(), kBlockRecordSize)};
    return {SplitRecords<TBlockFilter>(bytes), {}};
}

SequencesContent ParseSequences(const Bytes& bytes) {
    if (bytes.size() % kSequenceRecordSize != 0)
        return {{}, NotAMultiple("Sequenzdatei", bytes.size(), kSequenceRecordSize)};
    std::vector<TSequenceRule> rules = SplitRecords<TSequenceRule>(bytes);
    for (std::size_t r = 0; r < rules.size(); ++r) {
        const TSequenceRule& rule = rules[r];
        const bool lengthOk = rule.length >= 1 && rule.length <= kMaxPatternLength;
        const bool signsOk =
            lengthOk && std::all_of(rule.pattern.begin(), rule.pattern.begin() + rule.length,
                                    [](std::uint8_t b) { return IsSign(b) || b == kAnySign; });
        if (!signsOk) {
            return {{},
                    "Die Sequenzdatei ist beschädigt: Sequenz " + std::to_string(r + 1) +
                        (lengthOk ? " enthält ein Zeichen, das weder 0, 1, 2 noch * ist."
                                  : " hat keine Länge von 1 bis 8 Zeichen.")};
        }
    }
    return {std::move(rules), {}};
}

FilterValuesContent ParseFilterValues(const Bytes& bytes) {
    if (bytes.size() % kValueRecordSize != 0)
        return {{}, NotAMultiple("Filterwertdatei", bytes.size(), kValueRecordSize)};
    const std::size_t count = bytes.size() / kValueRecordSize;
    if (count == 0)
        return {{}, "Die Filterwertdatei ist leer: es fehlt schon der Quotenfilter."};
    if (count > kValueRecordCount) {
        return {{},
                "Die Filterwertdatei enthält " + std::to_string(count) +
                    " Einträge; erwartet sind höchstens 6."};
    }
    FilterValuesContent content;
    for (std::size_t r = 0; r < count; ++r) {
        content.records.push_back(DecodeValueRecord(std::span<const std::uint8_t, kValueRecordSize>(
            bytes.data() + r * kValueRecordSize, kValueRecordSize)));
    }
    return content;
}

void ApplyFilterValues(const std::vector<TFilterValueRecord>& records, TOddsFilter& odds,
                       TPercentFilters& percent) {
    if (records.empty())
        return;
    static_cast<TFilterValueRecord&>(odds) = records[0];
    for (std::size_t k = 1; k < records.size() && k <= percent.size(); ++k)
        static_cast<TFilterValueRecord&>(percent[k - 1]) = records[k];
}

void ApplySignChange(const Bytes& bytes, TSignChangeFilter& filter) {
    std::uint8_t* fields[] = {&filter.min1, &filter.max1, &filter.min2, &filter.max2,
                              &filter.orSecond};
    const std::size_t present = std::min(bytes.size(), kSignChangeRecordSize);
    for (std::size_t i = 0; i < present; ++i)
        *fields[i] = bytes[i];
    if (present == kSignChangeRecordSize)
        filter.orSecond = bytes[4] == 1 ? 1 : 0;
}

}  // namespace velmora
