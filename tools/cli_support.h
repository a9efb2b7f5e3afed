// velmora-cli: what every sub-command shares — errors and exit codes, checked option values,
// row files, the week with its filters and the German option setup.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "filters/filterset.h"
#include "model/generation.h"
#include "model/rowlist.h"
#include "model/tipplan.h"

namespace velmora::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

inline constexpr const char* kProgram = "velmora-cli";

// Any bad input or failed file operation ends the command; main prints the message.
struct CliError {
    std::string message;
    int exitCode = kExitFailure;
};

[[noreturn]] void UsageError(std::string message);
[[noreturn]] void Failure(std::string message);

// ---------------------------------------------------------------------------------------------
// Option values. Numbers are taken as text and checked here, so that every complaint about
// them is German and names the rule that was broken.

template <class Int>
std::optional<Int> ParseWhole(const std::string& text) {
    Int value{};
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (text.empty() || error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

std::int64_t WholeInRange(const std::string& text, std::int64_t low, std::int64_t high,
                          const std::string& rule);
int GameCount(const std::string& text);

std::string RowsText(std::int64_t count);

// ---------------------------------------------------------------------------------------------
// Row files

void WriteRows(const std::string& path, const TRowList& rows);
TRowList ReadRows(const std::string& path, int games);
bool SameExistingFile(const std::string& a, const std::string& b);

// ---------------------------------------------------------------------------------------------
// The week: tip plan and filter files

// Passes the messages of a run to stderr; progress and window hooks have nothing to do here.
class ConsoleGenerationView : public GenerationView {
  public:
    void ShowMessage(MessageKind kind, const std::string& text) override;
    bool Failed() const { return failed_; }

  private:
    bool failed_ = false;
};

// --plan and --required, shared by the commands that apply a week's filters.
struct WeekArgs {
    std::string plan;
    std::string required;
    CLI::Option* requiredOption = nullptr;
};

struct Week {
    TTipPlan plan;  // in display order
    int games = 0;
    TFilterSet filters;
};

// The plan and its sibling files; a missing sibling restricts nothing, a damaged one refuses
// the whole week. Missing siblings are not created.
Week LoadWeek(const WeekArgs& args);

// Refuses an output file that is the plan or one of its filter files (also by a name differing
// only in case), as writing rows there would destroy the week.
void ProtectWeekFiles(const std::string& plan, const std::string& givenOut);

// "Spiel 5" or "Spiele 3, 5": the games of 1..games without an allowed sign.
std::string UntippedGamesText(const TTipPlan& plan, int games);

// ---------------------------------------------------------------------------------------------
// The command line

CLI::App* AddCommand(CLI::App& app, const std::string& name, const std::string& description);
CLI::Option* AddOption(CLI::App* command, const std::string& name, std::string& value,
                       const std::string& description, const std::string& type = "DATEI");
// --plan, and --required unless the command only shows the week.
void AddWeekOptions(CLI::App* command, WeekArgs& args, bool withRequired);

}  // namespace velmora::cli
