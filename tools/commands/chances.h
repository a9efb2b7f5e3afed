// chances: how likely the real result lets the week's filters through, how likely each win class
// is for the rows, and with the other players' tip distribution what the rows are worth against
// their stake. Prints one JSON object.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "cli_support.h"
#include "command.h"
#include "evaluation/chances.h"

namespace velmora::cli {

// "odds" or "percent:K", in any case; nothing for another text. K is not judged here.
std::optional<ChanceSource> ParseChanceSource(const std::string& text);

// The value of --source or --public, as CLI11 converts the text its check has accepted.
struct ChanceSourceArg {
    ChanceSource source;
};
std::istream& operator>>(std::istream& in, ChanceSourceArg& arg);

class ChancesCommand final : public Command {
  public:
    ChancesCommand();
    void AddOptions(CLI::App& command, const Checks& checks) override;
    void Run(std::ostream& out, std::ostream& err) override;

  private:
    // The pool as given, the settings' defaults for what is not; refuses numbers it cannot use.
    PoolSettings PoolOfOptions() const;

    WeekArgs week_;
    std::string rows_;
    ChanceSourceArg source_;
    ChanceSourceArg public_;
    double stakes_ = 0;
    double price_ = 0;
    double rate_ = 0;
    std::vector<double> shares_;
    CLI::Option* publicOption_ = nullptr;
    CLI::Option* stakesOption_ = nullptr;
    CLI::Option* rateOption_ = nullptr;
    CLI::Option* sharesOption_ = nullptr;
};

}  // namespace velmora::cli
