// reduce: a row file cut down to a win guarantee.
#pragma once

#include <string>

#include "command.h"

namespace velmora::cli {

class ReduceCommand final : public Command {
  public:
    ReduceCommand();
    void AddOptions(CLI::App& command, const Checks& checks) override;
    void Run(std::ostream& out, std::ostream& err) override;

  private:
    int games_ = 0;
    std::string rows_;
    int guarantee_ = 0;
    std::string out_;
};

}  // namespace velmora::cli
