// The system: an ordered list of rows, packed into one buffer of N-byte rows.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/sign.h"
#include "model/tiprow.h"

namespace velmora {

class TRowList {
  public:
    explicit TRowList(int games = kMinGames) : games_(games) {}

    int Games() const { return games_; }
    // Changing the row length empties the list: rows of another length are meaningless.
    void SetGames(int games);

    std::int32_t Count() const { return static_cast<std::int32_t>(bytes_.size() / games_); }
    bool Empty() const { return bytes_.empty(); }
    void Clear() { bytes_.clear(); }

    void Append(std::span<const Sign> row);
    void Append(const Sign* row) { bytes_.insert(bytes_.end(), row, row + games_); }
    void Append(const TTipRow& row) { Append(row.signs()); }
    // Appends every row of another list of the same game count.
    void AppendAll(const TRowList& other);

    const Sign* Row(std::int32_t index) const { return bytes_.data() + Offset(index); }
    std::span<const Sign> RowSpan(std::int32_t index) const { return {Row(index), Span()}; }
    TTipRow Get(std::int32_t index) const { return TTipRow(RowSpan(index)); }

    // Removes one row; the rows behind it move up.
    void Delete(std::int32_t index);
    // Keeps the rows whose flag is set, in their order. keep.size() must equal Count().
    void KeepWhere(const std::vector<bool>& keep);

    void Reserve(std::int64_t rows) { bytes_.reserve(static_cast<std::size_t>(rows) * games_); }
    void ShrinkToFit() { bytes_.shrink_to_fit(); }

    // The packed rows, row after row, as stored in a row file.
    std::span<const Sign> Bytes() const { return bytes_; }
    // Replaces the content by packed rows; the size must be a multiple of the game count.
    void AssignBytes(std::vector<Sign> bytes);

    bool operator==(const TRowList&) const = default;

  private:
    std::size_t Offset(std::int32_t index) const {
        return static_cast<std::size_t>(index) * static_cast<std::size_t>(games_);
    }
    std::size_t Span() const { return static_cast<std::size_t>(games_); }

    int games_;
    std::vector<Sign> bytes_;
};

}  // namespace velmora
