// wintable: the rows against every outcome the tip plan and the week's filters allow, counted by
// the wins of the five top ranks; a minimum guarantee adds outcomes covered too weakly as rows.
// Prints one JSON object.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>

#include "cli_support.h"
#include "command.h"

namespace velmora::cli {

// The wins of the 2nd, 3rd and 4th rank every outcome should reach, given as "m2,m3,m4".
struct WinMinimum {
    std::array<std::int32_t, 3> wins{};
};
std::optional<WinMinimum> ParseWinMinimum(const std::string& text);
// How CLI11 converts the option's text, which the option's check has accepted before.
std::istream& operator>>(std::istream& in, WinMinimum& minimum);

class WinTableCommand final : public Command {
  public:
    WinTableCommand();
    void AddOptions(CLI::App& command, const Checks& checks) override;
    void Run(std::ostream& out, std::ostream& err) override;

  private:
    WeekArgs week_;
    std::string rows_;
    bool noOptions_ = false;
    std::string mainTips_;  // judged against the week's games once the week is read
    CLI::Option* mainTipsOption_ = nullptr;
    WinMinimum minimum_;
    std::string out_;
    CLI::Option* outOption_ = nullptr;
};

}  // namespace velmora::cli
