// eliminate: the rows of a row file that fail at least one filter of the week, without a limit.
#pragma once

#include <string>

#include "cli_support.h"
#include "command.h"

namespace velmora::cli {

class EliminateCommand final : public Command {
  public:
    EliminateCommand();
    void AddOptions(CLI::App& command, const Checks& checks) override;
    void Run(std::ostream& out, std::ostream& err) override;

  private:
    WeekArgs week_;
    std::string rows_;
    std::string out_;
};

}  // namespace velmora::cli
