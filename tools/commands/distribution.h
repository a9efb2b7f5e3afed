// distribution: for each game the number of rows with the sign codes 0, 1 and 2. Prints one
// JSON object.
#pragma once

#include <string>

#include "command.h"

namespace velmora::cli {

class DistributionCommand final : public Command {
  public:
    DistributionCommand();
    void AddOptions(CLI::App& command, const Checks& checks) override;
    void Run(std::ostream& out, std::ostream& err) override;

  private:
    int games_ = 0;
    std::string rows_;
};

}  // namespace velmora::cli
