// The files last opened or saved, as the file menu lists them: the most recent first, each
// file once, at most five.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

class RecentFiles {
  public:
    static constexpr std::size_t kMaxEntries = 5;
    // What makes two names one file; names with the same key are the same entry.
    using Key = std::function<std::string(const std::string&)>;

    explicit RecentFiles(Key key = {});

    const std::vector<std::string>& Names() const { return names_; }
    // The name goes to the front, in place of any entry for the same file; the oldest falls
    // off beyond the maximum. An empty name is no file and changes nothing.
    void Push(const std::string& name);
    // Returns whether an entry for the name's file was there.
    bool Remove(const std::string& name);
    // A list kept elsewhere, most recent first; empty names and repeats are dropped.
    void Assign(const std::vector<std::string>& names);

  private:
    std::string KeyOf(const std::string& name) const;

    Key key_;
    std::vector<std::string> names_;
};

// The keys of the program's two lists. A week is named after its tip plan file, whose
// extension's case varies between opening and saving and which is found on disk whatever
// the case of its letters; a row file is taken by its exact name. Both are compared as
// absolute paths.
std::string RecentWeekKey(const std::string& tipPlanName);
std::string RecentSystemKey(const std::string& rowFileName);
// The form a name is listed in: absolute, so that it still works from another directory.
std::string RecentEntryName(const std::string& name);

}  // namespace velmora
