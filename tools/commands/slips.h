// slips: where each digit of the rows goes on the print pages, nine slips a page, in tenths of
// a millimetre with y upwards. Prints one JSON object.
#pragma once

#include <string>

#include "command.h"

namespace velmora::cli {

class SlipsCommand final : public Command {
  public:
    SlipsCommand();
    void AddOptions(CLI::App& command, const Checks& checks) override;
    void Run(std::ostream& out, std::ostream& err) override;

  private:
    int games_ = 0;
    std::string rows_;
    int perSlip_ = 0;
    int offsetRight_ = 0;  // tenths of a millimetre
    int offsetDown_ = 0;
};

}  // namespace velmora::cli
