// velmora-cli: what the sub-commands share — errors and exit codes, row files, the week with
// its filters, and the texts of results.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include <CLI/CLI.hpp>

#include "commandline.h"
#include "filters/filterset.h"
#include "model/generation.h"
#include "model/rowlist.h"
#include "model/tipplan.h"

namespace velmora::cli {

inline constexpr const char* kProgram = "velmora-cli";

// Any bad input or failed file operation ends the command; the command line prints the
// message after "Fehler: ".
struct CliError {
    std::string message;
    int exitCode = kExitFailure;
};

[[noreturn]] void UsageError(std::string message);
[[noreturn]] void Failure(std::string message);

// A whole decimal number, all of the text; nothing for anything else.
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

// A value whose range depends on the week, checked once the week is read; a wrong one is a
// usage error saying `rule` and the text given.
std::int64_t WholeInRange(const std::string& text, std::int64_t low, std::int64_t high,
                          const std::string& rule);

std::string RowsText(std::int64_t count);

// The decimal separator of the user's locale. The numeric locale is switched only for the
// look-up, so that nothing else of the program reads or prints numbers differently.
char LocaleDecimalSeparator();

// ---------------------------------------------------------------------------------------------
// Row files

void WriteRows(const std::string& path, const TRowList& rows);
TRowList ReadRows(const std::string& path, int games);
bool SameExistingFile(const std::string& a, const std::string& b);

// Writes the rows and reports "Systemgröße: …" (and the check of an optimised reduction) on
// out, then the warning on err. What is said is put together before the file is written, so
// that a shortage of memory cannot end the command once the file is there.
void WriteResult(std::ostream& out, std::ostream& err, const std::string& path,
                 const TRowList& rows, const std::optional<GuaranteeCheck>& check,
                 const std::string& warning = {});

// ---------------------------------------------------------------------------------------------
// The week: tip plan and filter files

// Passes the messages of a run to err; progress and window hooks have nothing to do here.
class ConsoleGenerationView : public GenerationView {
  public:
    explicit ConsoleGenerationView(std::ostream& err) : err_(err) {}
    void ShowMessage(MessageKind kind, const std::string& text) override;
    bool Failed() const { return failed_; }

  private:
    std::ostream& err_;
    bool failed_ = false;
};

// --plan and --required, shared by the commands that apply a week's filters. --required is
// judged once the week is read, against the number of its percentage chains.
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

// --plan, and --required unless the command only shows the week.
void AddWeekOptions(CLI::App& command, WeekArgs& args, bool withRequired);

}  // namespace velmora::cli
