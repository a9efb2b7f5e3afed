#include "app/dialogs.h"

#include <filesystem>

namespace velmora {

std::string WithDefaultExtension(const std::string& name, const std::string& extension) {
    if (extension.empty() || std::filesystem::path(name).has_extension())
        return name;
    return name + "." + extension;
}

}  // namespace velmora
