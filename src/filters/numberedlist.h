// The numbered entries of the block and sequence lists: entry N (from 1) is element N - 1.
#pragma once

#include <cstddef>
#include <vector>

namespace velmora {

// Writes entry `number`: replaces it, or appends when number is one more than the count.
// Any other number changes nothing and gives false.
template <class Record>
bool StoreNumberedEntry(std::vector<Record>& list, int number, const Record& record) {
    if (number < 1)
        return false;
    const auto index = static_cast<std::size_t>(number - 1);
    if (index < list.size()) {
        list[index] = record;
    } else if (index == list.size()) {
        list.push_back(record);
    } else {
        return false;
    }
    return true;
}

// Removes entry `number` when it exists; the later ones move up by one place.
template <class Record>
bool DeleteNumberedEntry(std::vector<Record>& list, int number) {
    if (number < 1 || static_cast<std::size_t>(number) > list.size())
        return false;
    list.erase(list.begin() + (number - 1));
    return true;
}

}  // namespace velmora
