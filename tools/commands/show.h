// show: the tip plan and filters of the week, as a short summary or, with --json, in full.
#pragma once

#include "cli_support.h"
#include "command.h"

namespace velmora::cli {

class ShowCommand final : public Command {
  public:
    ShowCommand();
    void AddOptions(CLI::App& command, const Checks& checks) override;
    void Run(std::ostream& out, std::ostream& err) override;

  private:
    WeekArgs week_;
    bool json_ = false;
};

}  // namespace velmora::cli
