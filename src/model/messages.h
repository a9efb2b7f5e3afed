// Messages the core hands to the window, which shows them in message boxes.
#pragma once

#include <string>

namespace velmora {

// Error messages are captioned "Problem" and carry the error icon.
enum class MessageKind { Information, Warning, Error };

class MessagePort {
  public:
    virtual ~MessagePort() = default;
    virtual void ShowMessage(MessageKind /*kind*/, const std::string& /*text*/) {}
};

}  // namespace velmora
