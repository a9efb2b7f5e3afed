// A run observer that sets the abort flag during a chosen call of ProcessEvents, as "Abbruch"
// would, and keeps the progress numbers it was shown.
#pragma once

#include <cstdint>
#include <vector>

#include "model/runcontrol.h"

namespace velmora::testing {

struct AbortAt : RunObserver {
    AbortFlag& abort;
    int call;
    std::vector<std::int32_t> shown;  // best covers arrive here too
    AbortAt(AbortFlag& a, int c) : abort(a), call(c) {}
    void ProcessEvents() override {
        if (--call == 0)
            abort.Set();
    }
    void ShowProgress(std::int32_t number) override { shown.push_back(number); }
};

}  // namespace velmora::testing
