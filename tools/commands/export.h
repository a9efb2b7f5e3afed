// export: the rows of a row file as text — plain rows, CSV or E-lines — in one file or split
// into numbered files of at most --split rows.
#pragma once

#include <cstdint>
#include <string>

#include "app/rowtext.h"
#include "command.h"

namespace velmora::cli {

class ExportCommand final : public Command {
  public:
    ExportCommand();
    void AddOptions(CLI::App& command, const Checks& checks) override;
    void Run(std::ostream& out, std::ostream& err) override;

  private:
    int games_ = 0;
    std::string rows_;
    RowTextFormat format_ = RowTextFormat::Plain;
    std::string draw_ = "0";
    CLI::Option* drawOption_ = nullptr;
    bool blankBetween_ = false;
    CLI::Option* separatorOption_ = nullptr;
    std::string heading_;
    CLI::Option* headingOption_ = nullptr;
    std::int32_t split_ = 0;
    std::string out_;
};

}  // namespace velmora::cli
