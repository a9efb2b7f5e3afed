#include "app/recentfiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/filesetnames.h"
#include "app/utf8path.h"

namespace velmora {

RecentFiles::RecentFiles(Key key) : key_(std::move(key)) {}

std::string RecentFiles::KeyOf(const std::string& name) const {
    return key_ ? key_(name) : name;
}

void RecentFiles::Push(const std::string& name) {
    if (name.empty())
        return;
    Remove(name);
    names_.insert(names_.begin(), name);
    if (names_.size() > kMaxEntries)
        names_.resize(kMaxEntries);
}

bool RecentFiles::Remove(const std::string& name) {
    const std::string key = KeyOf(name);
    const auto gone = std::remove_if(names_.begin(), names_.end(),
                                     [&](const std::string& kept) { return KeyOf(kept) == key; });
    const bool found = gone != names_.end();
    names_.erase(gone, names_.end());
    return found;
}

void RecentFiles::Assign(const std::vector<std::string>& names) {
    names_.clear();
    // Oldest first, so that each push puts the more recent one in front.
    for (auto name = names.rbegin(); name != names.rend(); ++name)
        Push(*name);
}

std::string RecentEntryName(const std::string& name) {
    if (name.empty())
        return name;
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(PathOf(name), ignored);
    return NameOf((absolute.empty() ? PathOf(name) : absolute).lexically_normal());
}

std::string RecentWeekKey(const std::string& tipPlanName) {
    const std::string name = TipPlanNameTtd(RecentEntryName(tipPlanName));
    const ResolvedFileName file = ResolveFileName(name);
    return file.ok() ? file.path : name;
}

std::string RecentSystemKey(const std::string& rowFileName) {
    return RecentEntryName(rowFileName);
}

}  // namespace velmora
