// velmora-cli: builds, thins and inspects systems from the command line, without the window.
//
// Exit codes: 0 success, 1 a file could not be read or written or its content is unusable,
// 2 the call itself was wrong (unknown or missing options, values out of range).

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <clocale>
#include <cstdint>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "app/rowfile.h"
#include "app/tipplanfile.h"
#include "filters/filterset.h"
#include "model/coverage.h"
#include "model/generation.h"
#include "model/reduction.h"
#include "model/rowlist.h"
#include "model/runcontrol.h"
#include "model/sign.h"
#include "model/tipplan.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr const char* kProgram = "velmora-cli";
constexpr const char* kGameCountRule = "Die Spielzahl muss zwischen 11 und 14 liegen.";

// Any bad input or failed file operation ends the command; main prints the message.
struct CliError {
    std::string message;
    int exitCode = kExitFailure;
};

[[noreturn]] void UsageError(std::string message) {
    throw CliError{std::move(message), kExitUsage};
}
[[noreturn]] void Failure(std::string message) {
    throw CliError{std::move(message), kExitFailure};
}

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
                          const std::string& rule) {
    const std::optional<std::int64_t> value = ParseWhole<std::int64_t>(text);
    if (!value || *value < low || *value > high) {
        UsageError(rule + " Angegeben wurde '" + text + "'.");
    }
    return *value;
}

int GameCount(const std::string& text) {
    return static_cast<int>(
        WholeInRange(text, velmora::kMinGames, velmora::kMaxGames, kGameCountRule));
}

std::string RowsText(std::int64_t count) {
    return std::to_string(count) + (count == 1 ? " Reihe" : " Reihen");
}

std::uint64_t ClockSeed() {
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

void WriteRows(const std::string& path, const velmora::TRowList& rows) {
    const std::string error = velmora::WriteRowFile(path, rows);
    if (!error.empty())
        Failure(error);
}

velmora::TRowList ReadRows(const std::string& path, int games) {
    velmora::RowFileContent content = velmora::ReadRowFile(path, games);
    if (content.ok())
        return std::move(content.rows);
    if (content.error == velmora::kGameCountMismatch) {
        Failure("Die Datei '" + path + "' passt nicht zu " + std::to_string(games) +
                " Spielen: " + velmora::kGameCountMismatch +
                " (die Dateigröße ist kein Vielfaches der Spielzahl).");
    }
    Failure(content.error);
}

bool SameExistingFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

// ---------------------------------------------------------------------------------------------
// generate

// Passes the messages of a run to stderr; progress and window hooks have nothing to do here.
class ConsoleGenerationView : public velmora::GenerationView {
  public:
    void ShowMessage(velmora::MessageKind kind, const std::string& text) override {
        switch (kind) {
            case velmora::MessageKind::Information:
                std::cerr << "Hinweis: ";
                break;
            case velmora::MessageKind::Warning:
                std::cerr << "Warnung: ";
                break;
            case velmora::MessageKind::Error:
                std::cerr << "Fehler: ";
                failed_ = true;
                break;
        }
        std::cerr << text << '\n';
    }

    bool Failed() const { return failed_; }

  private:
    bool failed_ = false;
};

struct GenerateArgs {
    std::string plan;
    std::string guarantee;
    std::string count;
    std::string seed;
    std::string out;
    CLI::Option* guaranteeOption = nullptr;
    CLI::Option* countOption = nullptr;
    CLI::Option* seedOption = nullptr;
};

std::string MissingTipsMessage(const velmora::TTipPlan& plan, int games) {
    std::string list;
    int untipped = 0;
    for (int g = 1; g <= games; ++g) {
        if (plan.AllowedCount(g) == 0)
            list += (untipped++ == 0 ? "" : ", ") + std::to_string(g);
    }
    return plan.StatusText(games) + " (ohne Tipp: " + (untipped == 1 ? "Spiel " : "Spiele ") +
           list + "). Es wurde keine Reihendatei geschrieben.";
}

void ReportMissingSigns(const velmora::TTipPlan& plan, int games, const velmora::TRowList& rows) {
    const std::vector<velmora::GameSign> missing =
        velmora::MissingSigns(plan, games, velmora::UpdateCoverage(rows));
    std::cerr << "Warnung: Nicht jedes getippte Zeichen kommt in den Reihen vor:\n";
    for (int g = 1; g <= games; ++g) {
        for (velmora::Sign sign : velmora::kDisplayOrder) {
            const velmora::GameSign entry{g, sign};
            if (std::find(missing.begin(), missing.end(), entry) == missing.end())
                continue;
            std::cerr << "  Spiel " << g << ": Tipp " << velmora::SignChar(sign) << " fehlt\n";
        }
    }
}

int RunGenerate(const GenerateArgs& args) {
    const bool byGuarantee = args.guaranteeOption->count() > 0;
    const bool byCount = args.countOption->count() > 0;
    if (byGuarantee == byCount) {
        UsageError("Bitte genau eine der Optionen --guarantee und --count angeben.");
    }
    if (args.seedOption->count() > 0 && !byCount) {
        UsageError("Die Option --seed gilt nur zusammen mit --count.");
    }

    velmora::GenerationSettings settings;
    std::uint64_t seed = 0;
    if (byGuarantee) {
        settings.limit = velmora::RowLimit::Guarantee;
        settings.guaranteeLevel = static_cast<int>(
            WholeInRange(args.guarantee, 0, 3, "Die Garantiestufe muss 0, 1, 2 oder 3 sein."));
    } else {
        settings.limit = velmora::RowLimit::Count;
        const std::int64_t target =
            WholeInRange(args.count, 0, INT32_MAX,
                         "Die Reihenanzahl muss eine ganze Zahl zwischen 0 und 2147483647 sein.");
        settings.countText = std::to_string(target);
        if (args.seedOption->count() > 0) {
            const std::optional<std::uint64_t> given = ParseWhole<std::uint64_t>(args.seed);
            if (!given) {
                UsageError(
                    "Der Startwert muss eine ganze Zahl zwischen 0 und 18446744073709551615 sein. "
                    "Angegeben wurde '" +
                    args.seed + "'.");
            }
            seed = *given;
        } else {
            seed = ClockSeed();
            std::cerr << "Hinweis: Zufallsstartwert " << seed << " (mit --seed " << seed
                      << " wiederholbar)\n";
        }
    }

    if (SameExistingFile(args.plan, args.out)) {
        UsageError("Die Reihendatei '" + args.out +
                   "' ist die Tippplandatei selbst; sie würde überschrieben.");
    }

    const velmora::TipPlanFileContent file = velmora::ReadTipPlanFile(args.plan);
    if (!file.ok())
        Failure(file.error);
    velmora::TTipPlan plan;
    const int games = velmora::LoadTipPlan(file.records, plan);
    if (!plan.TipsComplete(games))
        Failure(MissingTipsMessage(plan, games));

    velmora::TRowList rows(games);
    velmora::AbortFlag abort;
    ConsoleGenerationView view;
    // No filter settings come with a command line: every row of the full system is a candidate.
    const velmora::GenerationOutcome outcome = velmora::RunGeneration(
        games, plan, velmora::TFilterSet::PassingAll(games), settings, rows, abort, view, seed);
    if (!outcome.generated)
        Failure(MissingTipsMessage(plan, games));
    if (view.Failed())
        Failure("Es wurde keine Reihendatei geschrieben.");

    WriteRows(args.out, rows);
    std::cout << "Systemgröße: " << RowsText(rows.Count()) << '\n';
    if (outcome.coverageFailed)
        ReportMissingSigns(plan, games, rows);
    return kExitOk;
}

// ---------------------------------------------------------------------------------------------
// reduce

struct ReduceArgs {
    std::string games;
    std::string rows;
    std::string guarantee;
    std::string out;
};

int RunReduce(const ReduceArgs& args) {
    const int games = GameCount(args.games);
    const int level = static_cast<int>(
        WholeInRange(args.guarantee, 1, 3, "Die Garantiestufe muss 1, 2 oder 3 sein."));

    velmora::TRowList rows = ReadRows(args.rows, games);
    velmora::AbortFlag abort;
    velmora::RunObserver observer;
    velmora::ReduceToGuarantee(rows, level, abort, observer);

    WriteRows(args.out, rows);
    std::cout << "Systemgröße: " << RowsText(rows.Count()) << '\n';
    return kExitOk;
}

// ---------------------------------------------------------------------------------------------
// info

struct InfoArgs {
    std::string games;
    std::string rows;
    bool json = false;
};

int RunInfo(const InfoArgs& args) {
    const int games = GameCount(args.games);
    const velmora::TRowList rows = ReadRows(args.rows, games);

    // counts[game - 1][sign]
    std::vector<std::array<std::int64_t, velmora::kSignCount>> counts(games);
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        const velmora::Sign* row = rows.Row(r);
        for (int g = 0; g < games; ++g)
            ++counts[g][row[g]];
    }

    if (args.json) {
        nlohmann::ordered_json result;
        result["games"] = games;
        result["rows"] = rows.Count();
        nlohmann::ordered_json signs = nlohmann::ordered_json::array();
        for (int g = 0; g < games; ++g) {
            nlohmann::ordered_json game;
            game["game"] = g + 1;
            for (velmora::Sign sign : velmora::kDisplayOrder) {
                game[std::string(1, velmora::SignChar(sign))] = counts[g][sign];
            }
            signs.push_back(std::move(game));
        }
        result["signs"] = std::move(signs);
        std::cout << result.dump(2) << '\n';
        return kExitOk;
    }

    std::cout << "Spiele: " << games << '\n' << "Reihen: " << rows.Count() << "\n\n";
    std::cout << "Spiel";
    for (velmora::Sign sign : velmora::kDisplayOrder) {
        std::cout << std::setw(10) << velmora::SignChar(sign);
    }
    std::cout << '\n';
    for (int g = 0; g < games; ++g) {
        std::cout << std::setw(5) << g + 1;
        for (velmora::Sign sign : velmora::kDisplayOrder) {
            std::cout << std::setw(10) << counts[g][sign];
        }
        std::cout << '\n';
    }
    return kExitOk;
}

// ---------------------------------------------------------------------------------------------
// The command line

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

// The first required option of a chosen subcommand that was not given.
std::string MissingRequiredOption(const CLI::App& app) {
    for (const CLI::App* sub : app.get_subcommands()) {
        for (const CLI::Option* option : sub->get_options()) {
            if (option->get_required() && option->count() == 0)
                return option->get_name();
        }
    }
    return {};
}

// CLI11 reports misuse in English; this says it in German.
std::string GermanParseError(const CLI::ParseError& error, const CLI::App& app) {
    const std::string what = error.what();
    const std::string hint = " Hilfe: " + std::string(kProgram) + " --help";
    if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
        const std::string option = MissingRequiredOption(app);
        if (!option.empty())
            return "Die Option " + option + " fehlt." + hint;
        return "Es fehlt eine Pflichtangabe." + hint;
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        const std::string option = what.substr(0, what.find(':'));
        if (what.find("At Most") != std::string::npos) {
            return "Die Option " + option +
                   " darf nur einmal und mit einem Wert angegeben werden." + hint;
        }
        if (option.rfind("-", 0) == 0)
            return "Der Option " + option + " fehlt ihr Wert." + hint;
        return "Eine Option hat nicht die richtige Zahl von Werten." + hint;
    }
    if (dynamic_cast<const CLI::ConversionError*>(&error) != nullptr) {
        const std::string prefix = "Could not convert: ";
        const std::string detail = what.rfind(prefix, 0) == 0 ? what.substr(prefix.size()) : what;
        return "Ungültiger Optionswert: " + detail +
               ". Schalter wie --json nehmen keinen Wert an." + hint;
    }
    return "Ungültiger Aufruf (" + what + ")." + hint;
}

void RejectExtras(const CLI::App& app) {
    const std::vector<std::string> extras = app.remaining(true);
    if (extras.empty())
        return;
    std::string list;
    for (const std::string& extra : extras)
        list += (list.empty() ? "'" : ", '") + extra + "'";
    if (app.get_subcommands().empty()) {
        UsageError("Unbekannter Unterbefehl oder unbekannte Angabe: " + list +
                   ". Möglich sind generate, reduce und info.");
    }
    UsageError("Unerwartete Angabe: " + list + ".");
}

int Main(int argc, char** argv) {
    // System error texts (file not found and the like) in the user's language.
    std::setlocale(LC_MESSAGES, "");

    CLI::App app{
        "Velmora – Systemwetten im Fußballtoto von der Kommandozeile: Reihen aus einem Tippplan "
        "erzeugen, Reihendateien auf eine Gewinngarantie verkleinern und auswerten.",
        kProgram};
    GermanLabels(app);
    app.option_defaults()->group("Optionen");
    app.set_help_flag("-h,--help", "Diese Hilfe anzeigen und beenden");
    app.footer(
        "Rückgabewert: 0 bei Erfolg, 1 bei Datei- oder Datenfehlern, 2 bei ungültigem Aufruf.\n"
        "Hilfe zu einem Unterbefehl: velmora-cli UNTERBEFEHL --help");
    app.allow_extras();
    app.require_subcommand(0, 1);

    GenerateArgs generate;
    CLI::App* generateCommand = app.add_subcommand(
        "generate",
        "Das Vollsystem eines Tippplans erzeugen, wahlweise auf eine Gewinngarantie oder eine "
        "Reihenanzahl begrenzen, und als Reihendatei speichern");
    generateCommand->group("Unterbefehle");
    generateCommand->get_help_ptr()->group("Optionen");
    generateCommand
        ->add_option("--plan", generate.plan,
                     "Tippplandatei der Woche (84 Bytes je Spiel, 11 bis 14 Spiele)")
        ->type_name("DATEI")
        ->required();
    generate.guaranteeOption =
        generateCommand
            ->add_option("--guarantee", generate.guarantee,
                         "Gewinngarantie: 0 behält alle Reihen, 1 bis 3 verkleinern das System "
                         "so, dass jede Reihe höchstens so viele Spiele von einer behaltenen "
                         "abweicht (nicht zusammen mit --count)")
            ->type_name("K");
    generate.countOption =
        generateCommand
            ->add_option("--count", generate.count,
                         "Zufällig auf diese Reihenanzahl verkleinern, ganze Zahl ab 0 (nicht "
                         "zusammen mit --guarantee)")
            ->type_name("ANZAHL");
    generate.seedOption = generateCommand
                              ->add_option("--seed", generate.seed,
                                           "Startwert des Zufalls für --count; ohne Angabe "
                                           "gilt die Uhrzeit")
                              ->type_name("ZAHL");
    generateCommand->add_option("--out", generate.out, "Zu schreibende Reihendatei")
        ->type_name("DATEI")
        ->required();

    ReduceArgs reduce;
    CLI::App* reduceCommand =
        app.add_subcommand("reduce", "Eine Reihendatei auf eine Gewinngarantie verkleinern");
    reduceCommand->group("Unterbefehle");
    reduceCommand->get_help_ptr()->group("Optionen");
    reduceCommand->add_option("--games", reduce.games, "Spielzahl der Reihen, 11 bis 14")
        ->type_name("N")
        ->required();
    reduceCommand->add_option("--rows", reduce.rows, "Zu lesende Reihendatei")
        ->type_name("DATEI")
        ->required();
    reduceCommand
        ->add_option("--guarantee", reduce.guarantee,
                     "Gewinngarantie 1, 2 oder 3: jede Reihe weicht höchstens so viele Spiele "
                     "von einer behaltenen ab")
        ->type_name("K")
        ->required();
    reduceCommand
        ->add_option("--out", reduce.out,
                     "Zu schreibende Reihendatei (darf die gelesene Datei sein)")
        ->type_name("DATEI")
        ->required();

    InfoArgs info;
    CLI::App* infoCommand = app.add_subcommand(
        "info", "Reihenanzahl und je Spiel die Häufigkeit der Tipps 1, 0 und 2 anzeigen");
    infoCommand->group("Unterbefehle");
    infoCommand->get_help_ptr()->group("Optionen");
    infoCommand->add_option("--games", info.games, "Spielzahl der Reihen, 11 bis 14")
        ->type_name("N")
        ->required();
    infoCommand->add_option("--rows", info.rows, "Zu lesende Reihendatei")
        ->type_name("DATEI")
        ->required();
    infoCommand->add_flag("--json", info.json, "Ausgabe als JSON-Objekt statt als Tabelle");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForAllHelp& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        UsageError(GermanParseError(error, app));
    }
    RejectExtras(app);

    if (generateCommand->parsed())
        return RunGenerate(generate);
    if (reduceCommand->parsed())
        return RunReduce(reduce);
    if (infoCommand->parsed())
        return RunInfo(info);
    UsageError("Bitte einen Unterbefehl angeben: generate, reduce oder info. Hilfe: " +
               std::string(kProgram) + " --help");
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Main(argc, argv);
    } catch (const CliError& error) {
        std::cerr << "Fehler: " << error.message << '\n';
        return error.exitCode;
    } catch (const std::bad_alloc&) {
        std::cerr << "Fehler: Nicht genug Arbeitsspeicher. Es wurde keine Datei geschrieben.\n";
        return kExitFailure;
    } catch (const std::exception& error) {
        std::cerr << "Fehler: Unerwarteter Fehler: " << error.what() << '\n';
        return kExitFailure;
    }
}
