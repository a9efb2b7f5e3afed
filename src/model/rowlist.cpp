#include "model/rowlist.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace velmora {

void TRowList::SetGames(int games) {
    assert(IsValidGameCount(games));
    if (games != games_)
        bytes_.clear();
    games_ = games;
}

void TRowList::Append(std::span<const Sign> row) {
    assert(row.size() == Span());
    bytes_.insert(bytes_.end(), row.begin(), row.end());
}

void TRowList::AppendAll(const TRowList& other) {
    assert(other.games_ == games_);
    bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
}

void TRowList::Delete(std::int32_t index) {
    assert(index >= 0 && index < Count());
    auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(Offset(index));
    bytes_.erase(first, first + games_);
}

void TRowList::KeepWhere(const std::vector<bool>& keep) {
    assert(keep.size() == static_cast<std::size_t>(Count()));
    std::size_t write = 0;
    for (std::size_t i = 0; i < keep.size(); ++i) {
        if (!keep[i])
            continue;
        const std::size_t read = i * Span();
        if (read != write)
            std::copy_n(bytes_.begin() + read, Span(), bytes_.begin() + write);
        write += Span();
    }
    bytes_.resize(write);
}

void TRowList::AssignBytes(std::vector<Sign> bytes) {
    assert(bytes.size() % Span() == 0);
    bytes_ = std::move(bytes);
}

}  // namespace velmora
