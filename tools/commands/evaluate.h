// evaluate: the win determination of the rows against a result — rows per error count and, for
// a complete result, the win quota, the means of percentage filters 1 to 3 and the block
// filters the result fails. Prints one JSON object.
#pragma once

#include <string>

#include "cli_support.h"
#include "command.h"

namespace velmora::cli {

class EvaluateCommand final : public Command {
  public:
    EvaluateCommand();
    void AddOptions(CLI::App& command, const Checks& checks) override;
    void Run(std::ostream& out, std::ostream& err) override;

  private:
    WeekArgs week_;
    std::string rows_;
    std::string result_;  // its signs checked while reading, its length against the week
    int perSlip_ = 0;
    CLI::Option* perSlipOption_ = nullptr;
    bool details_ = false;
};

}  // namespace velmora::cli
