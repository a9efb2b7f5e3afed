// import: rows given as text — plain rows, CSV or E-lines — as a row file.
#pragma once

#include <string>

#include "command.h"

namespace velmora::cli {

class ImportCommand final : public Command {
  public:
    ImportCommand();
    void AddOptions(CLI::App& command, const Checks& checks) override;
    void Run(std::ostream& out, std::ostream& err) override;

  private:
    int games_ = 0;
    std::string text_;
    std::string out_;
};

}  // namespace velmora::cli
