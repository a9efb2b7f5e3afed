// The reasons the system gives for a failed file operation, in German.
#pragma once

#include <string>

namespace velmora {

// The German text for an errno value, one sentence ending in a full stop. A value without a
// text of its own gives "Unbekannter Systemfehler Nr. <value>.", so that nothing is shown in
// the C library's English.
std::string SystemErrorText(int error);

}  // namespace velmora
