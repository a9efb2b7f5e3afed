// info: the number of rows of a row file and how often each game has each tip.
#pragma once

#include <string>

#include "command.h"

namespace velmora::cli {

class InfoCommand final : public Command {
  public:
    InfoCommand();
    void AddOptions(CLI::App& command, const Checks& checks) override;
    void Run(std::ostream& out, std::ostream& err) override;

  private:
    int games_ = 0;
    std::string rows_;
    bool json_ = false;
};

}  // namespace velmora::cli
