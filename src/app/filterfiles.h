// The filter files of a week: block filters (.tfd), filter values (.bld), sequence rules
// (.seq) and the sign-change settings (.tzw). Plain records, no header; the record count
// follows from the file size.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "filters/block.h"
#include "filters/odds.h"
#include "filters/percent.h"
#include "filters/sequence.h"
#include "filters/signchange.h"

namespace velmora {

inline constexpr std::size_t kBlockRecordSize = 46;
inline constexpr std::size_t kValueRecordSize = 356;
inline constexpr std::size_t kSequenceRecordSize = 14;
inline constexpr std::size_t kSignChangeRecordSize = 5;
inline constexpr std::size_t kValueRecordCount = 6;  // the odds filter, then five percentages

using Bytes = std::vector<std::uint8_t>;

// One value record, doubles little-endian.
std::array<std::uint8_t, kValueRecordSize> EncodeValueRecord(const TFilterValueRecord& record);
TFilterValueRecord DecodeValueRecord(std::span<const std::uint8_t, kValueRecordSize> bytes);

Bytes EncodeBlocks(const std::vector<TBlockFilter>& blocks);
Bytes EncodeSequences(const std::vector<TSequenceRule>& rules);
Bytes EncodeFilterValues(const TOddsFilter& odds, const TPercentFilters& percent);
Bytes EncodeSignChange(const TSignChangeFilter& filter);

// Each parser refuses a damaged or foreign file whole with a German message.
struct BlocksContent {
    std::vector<TBlockFilter> blocks;
    std::string error;
};
BlocksContent ParseBlocks(const Bytes& bytes);

struct SequencesContent {
    std::vector<TSequenceRule> rules;
    std::string error;
};
// Refuses lengths outside 1 to 8 and pattern bytes other than 0, 1, 2 and 9.
SequencesContent ParseSequences(const Bytes& bytes);

struct FilterValuesContent {
    // The records present, in file order: odds first, then percentage filters 1 to 5.
    std::vector<TFilterValueRecord> records;
    std::string error;
};
// An empty file is refused: it lacks even the odds record.
FilterValuesContent ParseFilterValues(const Bytes& bytes);

// Applies the records read: the odds filter and as many percentage filters as there are;
// the others keep what they held.
void ApplyFilterValues(const std::vector<TFilterValueRecord>& records, TOddsFilter& odds,
                       TPercentFilters& percent);

// The bytes present, up to five, are taken field by field; missing ones leave fields as
// they were. "oder" counts as ticked only for the byte value 1.
void ApplySignChange(const Bytes& bytes, TSignChangeFilter& filter);

}  // namespace velmora
