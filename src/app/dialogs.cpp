#include "app/dialogs.h"

#include <filesystem>

#include "app/utf8path.h"

namespace velmora {

std::string WithDefaultExtension(const std::string& name, const std::string& extension) {
    if (extension.empty() || PathOf(name).has_extension())
        return name;
    return name + "." + extension;
}

}  // namespace velmora
