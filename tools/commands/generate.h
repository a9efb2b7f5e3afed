// generate: the full system of a tip plan under the week's filters, limited to a guarantee or a
// number of rows, as a row file.
#pragma once

#include <string>

#include "cli_support.h"
#include "command.h"
#include "commands/limit.h"

namespace velmora::cli {

class GenerateCommand final : public Command {
  public:
    GenerateCommand();
    void AddOptions(CLI::App& command, const Checks& checks) override;
    void Run(std::ostream& out, std::ostream& err) override;

  private:
    WeekArgs week_;
    LimitOptions limit_;
    std::string out_;
};

}  // namespace velmora::cli
