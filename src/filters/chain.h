// The "oder" chains of the block and sequence lists, shared by every list test.
#pragma once

#include <cstddef>
#include <span>

namespace velmora {

// Takes the entries in order. A failing entry linked with "oder" hands the decision to the
// next one; a passing linked entry makes the rest of its chain be taken untested, up to and
// including the next unlinked entry. An unlinked entry that fails fails the list. So a
// chain whose last entry is still linked (the end of the list) is met even when all its
// members fail, and an empty list is met.
template <class Entry, class Passes>
bool PassesChainedList(std::span<const Entry> entries, Passes&& passes) {
    bool ok = true;
    std::size_t i = 0;
    while (ok && i < entries.size()) {
        const Entry& entry = entries[i++];
        ok = passes(entry);
        if (entry.orNext == 0)
            continue;
        if (!ok) {
            ok = true;
            continue;
        }
        while (i < entries.size() && entries[i++].orNext != 0) {
        }
    }
    return ok;
}

}  // namespace velmora
