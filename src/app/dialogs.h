// The file dialogs the commands ask for; the window answers them with real dialogs.
#pragma once

#include <optional>
#include <string>

namespace velmora {

struct FileDialogRequest {
    std::string filter;            // "Beschreibung|*.ext"
    std::string defaultExtension;  // given to a name typed without one, e.g. "PRD"
    std::string initialName;
};

class FileDialogPort {
  public:
    virtual ~FileDialogPort() = default;
    // The chosen file name, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> OpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFileName(const FileDialogRequest& request) = 0;
};

// A name typed without an extension receives ".ext".
std::string WithDefaultExtension(const std::string& name, const std::string& extension);

}  // namespace velmora
