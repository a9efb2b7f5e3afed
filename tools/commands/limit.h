// velmora-cli: --guarantee, --count, --optimised, --outside, --seconds, --steps and --seed,
// shared by generate and filter.
#pragma once

#include <cstdint>
#include <ostream>

#include <CLI/CLI.hpp>

#include "model/generation.h"
#include "options.h"

namespace velmora::cli {

struct Limit {
    GenerationSettings settings;
    std::uint64_t seed = 0;  // of the random cut to --count
};

class LimitOptions {
  public:
    void Add(CLI::App& command, const Checks& checks);

    // The limit the options ask for; refuses a call that gives neither or both of --guarantee
    // and --count, or --seed with neither --count nor --optimised. Without --seed the random
    // cut takes the clock, and err says which start value that was.
    Limit Settings(std::ostream& err) const;

  private:
    int guarantee_ = 0;
    std::int32_t count_ = 0;
    bool optimised_ = false;
    bool outside_ = false;
    double seconds_ = 0;
    std::int64_t steps_ = 0;
    std::uint64_t seed_ = 0;
    CLI::Option* guaranteeOption_ = nullptr;
    CLI::Option* countOption_ = nullptr;
    CLI::Option* secondsOption_ = nullptr;
    CLI::Option* stepsOption_ = nullptr;
    CLI::Option* seedOption_ = nullptr;
};

}  // namespace velmora::cli
