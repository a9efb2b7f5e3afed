#include "app/filesetnames.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/utf8path.h"

namespace velmora {
namespace {

// Names shorter than an extension cannot be derived from; they get one first.
std::string WithRoomForExtension(const std::string& name) {
    return name.size() >= 3 ? name : name + ".ttd";
}

std::string WithoutExtension(const std::string& name) {
    const std::string full = WithRoomForExtension(name);
    return full.substr(0, full.size() - 3);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::string BlockFilterName(const std::string& tipPlanName) {
    std::string name = WithRoomForExtension(tipPlanName);
    name[name.size() - 2] = 'f';
    return name;
}

std::string FilterValueName(const std::string& tipPlanName) {
    std::string name = WithRoomForExtension(tipPlanName);
    name[name.size() - 3] = 'b';
    name[name.size() - 2] = 'l';
    return name;
}

std::string SequenceName(const std::string& tipPlanName) {
    return WithoutExtension(tipPlanName) + "seq";
}

std::string SignChangeName(const std::string& tipPlanName) {
    return WithoutExtension(tipPlanName) + "tzw";
}

std::string TipPlanNameTtd(const std::string& tipPlanName) {
    return WithoutExtension(tipPlanName) + "TTD";
}

ResolvedFileName ResolveFileName(const std::string& name, bool lowerNewExtension) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path path = PathOf(name);
    // The name itself counts whatever it is, even a link that leads nowhere: reading it then
    // says what is wrong with it, instead of quietly taking a file of another name.
    const bool exists = fs::exists(fs::symlink_status(path, error));
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string given = NameOf(path.filename());
    const std::string wanted = Lower(given);
    std::vector<std::string> matches;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = NameOf(it->path().filename());
        if (exists && entry == given)
            return {name, {}};
        if (Lower(entry) == wanted)
            matches.push_back(entry);
    }
    // Where the system ignores the case of names (Windows), the name opens a file of another
    // spelling: that file is the one meant, under the spelling it has on disk.
    if (exists && matches.size() != 1)
        return {name, {}};
    if (matches.size() == 1)
        return {NameOf(path.parent_path() / PathOf(matches.front())), {}};
    if (matches.size() > 1) {
        std::sort(matches.begin(), matches.end());
        std::string list;
        for (std::size_t m = 0; m < matches.size(); ++m) {
            list += m == 0 ? "" : m + 1 == matches.size() ? " und " : ", ";
            list += "'" + matches[m] + "'";
        }
        return {name, "Der Dateiname '" + name + "' ist nicht eindeutig: im Ordner '" +
                          NameOf(folder) + "' liegen " + list +
                          ", die sich nur in Groß- und Kleinschreibung unterscheiden. Bitte alle "
                          "bis auf eine umbenennen oder entfernen."};
    }
    if (!lowerNewExtension || !path.has_extension())
        return {name, {}};
    fs::path lowered = path;
    lowered.replace_extension(PathOf(Lower(NameOf(path.extension()))));
    return {NameOf(lowered), {}};
}

}  // namespace velmora
