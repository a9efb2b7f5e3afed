#include "commandline.h"

#include <memory>
#include <new>
#include <optional>

#include <CLI/CLI.hpp>

#include "cli_json.h"
#include "cli_support.h"
#include "command.h"
#include "commands/chances.h"
#include "commands/distribution.h"
#include "commands/eliminate.h"
#include "commands/evaluate.h"
#include "commands/export.h"
#include "commands/filter.h"
#include "commands/generate.h"
#include "commands/import.h"
#include "commands/info.h"
#include "commands/reduce.h"
#include "commands/show.h"
#include "commands/slips.h"
#include "commands/wintable.h"
#include "options.h"

namespace velmora::cli {

namespace {

std::vector<std::unique_ptr<Command>> AllCommands() {
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<GenerateCommand>());
    commands.push_back(std::make_unique<FilterCommand>());
    commands.push_back(std::make_unique<EliminateCommand>());
    commands.push_back(std::make_unique<ShowCommand>());
    commands.push_back(std::make_unique<ReduceCommand>());
    commands.push_back(std::make_unique<InfoCommand>());
    commands.push_back(std::make_unique<EvaluateCommand>());
    commands.push_back(std::make_unique<WinTableCommand>());
    commands.push_back(std::make_unique<ChancesCommand>());
    commands.push_back(std::make_unique<SlipsCommand>());
    commands.push_back(std::make_unique<DistributionCommand>());
    commands.push_back(std::make_unique<ExportCommand>());
    commands.push_back(std::make_unique<ImportCommand>());
    return commands;
}

void GermanLabels(CLI::App& app) {
    const auto formatter = app.get_formatter();
    formatter->label("Usage", "Aufruf");
    formatter->label("OPTIONS", "OPTIONEN");
    formatter->label("SUBCOMMAND", "UNTERBEFEHL");
    formatter->label("SUBCOMMANDS", "UNTERBEFEHLE");
    formatter->label("REQUIRED", "PFLICHT");
    formatter->label("Positionals", "Argumente");
    formatter->label("Needs", "Benötigt");
    formatter->label("Excludes", "Schließt aus");
}

const std::string kHelpHint = std::string(" Hilfe: ") + kProgram + " --help";

// The options of the chosen sub-command (none when none was chosen).
std::vector<const CLI::Option*> ChosenOptions(const CLI::App& app) {
    std::vector<const CLI::Option*> options;
    for (const CLI::App* sub : app.get_subcommands()) {
        for (const CLI::Option* option : sub->get_options())
            options.push_back(option);
    }
    return options;
}

// The option a command-line word names: "--out" or "--out=…".
const CLI::Option* NamedOption(const CLI::App& app, const std::string& word) {
    const std::string name = word.substr(0, word.find('='));
    for (const CLI::Option* option : ChosenOptions(app)) {
        if (option->check_name(name))
            return option;
    }
    return nullptr;
}

// What was wrong with the call, in German. CLI11 tells the kind of mistake by the type of its
// error; which option it concerns is found from what CLI11 has read, never from its English
// message.
std::string GermanMisuse(const CLI::ParseError& error, const CLI::App& app,
                         const std::vector<std::string>& args, const Checks& checks,
                         const std::string& commandList) {
    if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr &&
        !checks.Complaint().empty()) {
        return checks.Complaint();
    }
    if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
        for (const CLI::Option* option : ChosenOptions(app)) {
            if (option->get_required() && option->count() == 0)
                return "Die Option " + option->get_name() + " fehlt." + kHelpHint;
        }
        return "Es fehlt eine Pflichtangabe." + kHelpHint;
    }
    if (dynamic_cast<const CLI::RequiresError*>(&error) != nullptr) {
        for (const CLI::Option* option : ChosenOptions(app)) {
            if (option->count() == 0)
                continue;
            for (const CLI::Option* needed : option->get_needs()) {
                if (needed->count() == 0) {
                    return "Die Option " + option->get_name() + " gilt nur zusammen mit " +
                           needed->get_name() + ".";
                }
            }
        }
    }
    if (dynamic_cast<const CLI::ExcludesError*>(&error) != nullptr) {
        // Options exclude each other here only where one of them is to be given.
        for (const CLI::Option* option : ChosenOptions(app)) {
            if (option->count() == 0)
                continue;
            for (const CLI::Option* other : option->get_excludes()) {
                if (other->count() > 0) {
                    return "Bitte genau eine der Optionen " + option->get_name() + " und " +
                           other->get_name() + " angeben.";
                }
            }
        }
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        // An option of a fixed number of values, such as five shares.
        for (const CLI::Option* option : ChosenOptions(app)) {
            const int wanted = option->get_expected_max();
            if (wanted > 1 && option->get_expected_min() == wanted && option->count() > 0 &&
                option->count() != static_cast<std::size_t>(wanted)) {
                const char delimiter = option->get_delimiter();
                return "Die Option " + option->get_name() + " braucht genau " +
                       std::to_string(wanted) + " Werte" +
                       (delimiter == ',' ? ", durch Kommas getrennt" : "") + "; angegeben wurden " +
                       std::to_string(option->count()) + "." + kHelpHint;
            }
        }
        for (const CLI::Option* option : ChosenOptions(app)) {
            if (option->get_expected_max() > 0 &&
                option->count() > static_cast<std::size_t>(option->get_expected_max())) {
                return "Die Option " + option->get_name() +
                       " darf nur einmal und mit einem Wert angegeben werden." + kHelpHint;
            }
        }
        // A value missing: CLI11 ran out of words, so the option is the last one given.
        if (!args.empty()) {
            if (const CLI::Option* option = NamedOption(app, args.back()))
                return "Der Option " + option->get_name() + " fehlt ihr Wert." + kHelpHint;
        }
        return "Eine Option hat nicht die richtige Zahl von Werten." + kHelpHint;
    }
    if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
        std::string list;
        for (const std::string& extra : app.remaining(true))
            list += (list.empty() ? "'" : ", '") + extra + "'";
        if (app.get_subcommands().empty()) {
            return "Unbekannter Unterbefehl oder unbekannte Angabe: " + list + ". Möglich sind " +
                   commandList + ".";
        }
        return "Unerwartete Angabe: " + list + ".";
    }
    if (dynamic_cast<const CLI::ConversionError*>(&error) != nullptr)
        return "Ungültiger Optionswert." + kHelpHint;
    return "Ungültiger Aufruf (" + std::string(error.what()) + ")." + kHelpHint;
}

class CommandLine {
  public:
    CommandLine();
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

  private:
    std::string CommandList() const;

    CLI::App app_;
    Checks checks_;
    std::vector<std::unique_ptr<Command>> commands_;
    std::vector<CLI::App*> subcommands_;
};

CommandLine::CommandLine()
    : app_(
          "Velmora – Systemwetten im Fußballtoto von der Kommandozeile: Reihen aus einem "
          "Tippplan unter den Filtern der Woche erzeugen, Reihendateien filtern, bereinigen, auf "
          "eine Gewinngarantie verkleinern und auswerten: gegen ein Ergebnis, als Gewinntabelle, "
          "als Gewinnchancen, als Scheindruck und als Tippverteilung; Reihen als Text aus- und "
          "einlesen.",
          kProgram),
      commands_(AllCommands()) {
    GermanLabels(app_);
    app_.option_defaults()->group("Optionen");
    app_.set_help_flag("-h,--help", "Diese Hilfe anzeigen und beenden");
    app_.footer(
        "Rückgabewert: 0 bei Erfolg, 1 bei Datei- oder Datenfehlern, 2 bei ungültigem Aufruf.\n"
        "Hilfe zu einem Unterbefehl: velmora-cli UNTERBEFEHL --help");
    app_.require_subcommand(0, 1);
    for (const std::unique_ptr<Command>& command : commands_) {
        CLI::App* sub = app_.add_subcommand(command->Name(), command->Description());
        sub->group("Unterbefehle");
        sub->get_help_ptr()->group("Optionen");
        command->AddOptions(*sub, checks_);
        subcommands_.push_back(sub);
    }
}

std::string CommandLine::CommandList() const {
    std::string list;
    for (std::size_t k = 0; k < commands_.size(); ++k) {
        list += (k == 0 ? "" : k + 1 == commands_.size() ? " und " : ", ") + commands_[k]->Name();
    }
    return list;
}

int CommandLine::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        // CLI11 takes the words last first.
        app_.parse(std::vector<std::string>(args.rbegin(), args.rend()));
    } catch (const CLI::CallForHelp& help) {
        app_.exit(help, out, err);
        EnsureWritten(out);
        return kExitOk;
    } catch (const CLI::CallForAllHelp& help) {
        app_.exit(help, out, err);
        EnsureWritten(out);
        return kExitOk;
    } catch (const CLI::ParseError& error) {
        UsageError(GermanMisuse(error, app_, args, checks_, CommandList()));
    }
    for (std::size_t k = 0; k < commands_.size(); ++k) {
        if (subcommands_[k]->parsed()) {
            commands_[k]->Run(out, err);
            // The summaries and reports in text are answers as much as the JSON ones.
            EnsureWritten(out);
            return kExitOk;
        }
    }
    UsageError("Bitte einen Unterbefehl angeben: " + CommandList() + "." + kHelpHint);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        CommandLine commandLine;
        return commandLine.Run(args, out, err);
    } catch (const CliError& error) {
        err << "Fehler: " << error.message << '\n';
        return error.exitCode;
    } catch (const std::bad_alloc&) {
        err << "Fehler: Nicht genug Arbeitsspeicher. Es wurde keine Datei geschrieben.\n";
        return kExitFailure;
    } catch (const std::exception& error) {
        err << "Fehler: Unerwarteter Fehler: " << error.what() << '\n';
        return kExitFailure;
    }
}

}  // namespace velmora::cli
