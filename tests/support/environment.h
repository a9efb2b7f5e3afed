// Environment variables set for a test's scope, the same way on every system.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "app/utf8path.h"

namespace velmora::testing {

// Sets the variable to the UTF-8 value, or removes it (nullopt).
inline void SetEnvironmentValue(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
    // An empty value removes the variable there.
    _wputenv_s(WideOf(name).c_str(), value ? WideOf(*value).c_str() : L"");
#else
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
#endif
}

// Sets an environment variable for the scope, or removes it (nullopt); restores it after.
class ScopedEnvironment {
  public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value)
        : name_(std::move(name)), previous_(EnvironmentValue(name_.c_str())) {
        SetEnvironmentValue(name_, value);
    }
    ~ScopedEnvironment() { SetEnvironmentValue(name_, previous_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace velmora::testing
