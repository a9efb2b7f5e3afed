// filter: the rows of a row file that pass every filter of the week, limited as generate limits.
#pragma once

#include <string>

#include "cli_support.h"
#include "command.h"
#include "commands/limit.h"

namespace velmora::cli {

class FilterCommand final : public Command {
  public:
    FilterCommand();
    void AddOptions(CLI::App& command, const Checks& checks) override;
    void Run(std::ostream& out, std::ostream& err) override;

  private:
    WeekArgs week_;
    LimitOptions limit_;
    std::string rows_;
    std::string out_;
};

}  // namespace velmora::cli
