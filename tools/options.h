// velmora-cli: the checks of option values, as CLI11 validators that say in German which rule
// a value breaks.
//
// CLI11 runs the validators on the text of a value before it converts the text, so a bad value
// never reaches CLI11's own (English) conversion error. The number checks read decimal only
// and hand the number on in plain decimal: CLI11 itself would read "010" as octal and "0x10"
// as hexadecimal, and "-1" as a huge unsigned number.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

namespace velmora::cli {

class Checks {
  public:
    // Looks at a value's text, may rewrite it for the conversion, and returns "" for a good
    // value, else the complaint the user reads.
    using Rule = std::function<std::string(std::string& text)>;

    Checks();

    // A validator from a rule; `description` is shown after the option's type in the help.
    CLI::Validator Of(Rule rule, std::string description = {}) const;
    // One of CLI11's validators with `rule` and the value given as its complaint.
    CLI::Validator German(CLI::Validator validator, std::string rule) const;

    // A whole number from low to high.
    CLI::Validator Whole(std::int64_t low, std::int64_t high, std::string rule) const;
    // A whole number from 0 to the largest 64-bit unsigned number.
    CLI::Validator Unsigned(std::string rule) const;
    // A number above low and up to high, such as 2.5.
    CLI::Validator Decimal(double low, double high, std::string rule) const;
    // Any finite number, such as -1, 0.4 or 1e6, for a value whose range the command judges.
    CLI::Validator Number(std::string rule) const;
    // The games of a row file, 11 to 14.
    CLI::Validator GameCount() const;
    // The rows of one slip: 6, 8, 10 or 12.
    CLI::Validator RowsPerSlip() const;
    // One of the words (in any case), passed on as it stands in the list.
    CLI::Validator Word(std::vector<std::string> words, std::string rule) const;
    // One of the words, passed on as the number of its value, so that an enum option takes it.
    template <class Enum>
    CLI::Validator Choice(std::vector<std::pair<std::string, Enum>> choices,
                          std::string rule) const;
    // The value of the switch `name` when one is given, such as --json=ja: only what CLI11
    // reads as yes or no.
    CLI::Validator Switch(std::string name) const;

    // The complaint about the value CLI11 refused, as the rule gave it; CLI11's own message
    // puts the option's name in front of it. Empty while nothing was refused.
    const std::string& Complaint() const { return *complaint_; }

  private:
    CLI::Validator ChoiceOf(std::vector<std::pair<std::string, long long>> choices,
                            std::string rule) const;

    std::shared_ptr<std::string> complaint_;
};

template <class Enum>
CLI::Validator Checks::Choice(std::vector<std::pair<std::string, Enum>> choices,
                              std::string rule) const {
    std::vector<std::pair<std::string, long long>> numbered;
    for (const auto& [word, value] : choices)
        numbered.emplace_back(word, static_cast<long long>(value));
    return ChoiceOf(std::move(numbered), std::move(rule));
}

// Adds a switch whose value, if one is given, must read as yes or no.
CLI::Option* AddSwitch(CLI::App& command, const std::string& name, bool& value,
                       const std::string& description, const Checks& checks);

// --games, 11 to 14, for the commands that read rows without a week.
void AddGamesOption(CLI::App& command, int& games, const Checks& checks);
// --games and --rows: a row file of that game count to read.
void AddRowFileOptions(CLI::App& command, int& games, std::string& rows, const Checks& checks);
// --rows for the commands that read a week: a row file of the plan's game count.
void AddPlanRowsOption(CLI::App& command, std::string& rows);

}  // namespace velmora::cli
