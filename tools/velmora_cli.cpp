// velmora-cli: builds, thins and inspects systems from the command line, without the window.
// The shared machinery lives in cli_support, the evaluation sub-commands in cli_evaluation.
//
// Exit codes: 0 success, 1 a file could not be read or written or its content is unusable,
// 2 the call itself was wrong (unknown or missing options, values out of range).

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <clocale>
#include <cstdint>
#include <iomanip>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "app/binaryfile.h"
#include "cli_evaluation.h"
#include "cli_json.h"
#include "cli_support.h"
#include "filters/filterset.h"
#include "filters/rowfilter.h"
#include "model/coverage.h"
#include "model/generation.h"
#include "model/reduction.h"
#include "model/rowlist.h"
#include "model/runcontrol.h"
#include "model/sign.h"
#include "model/tipplan.h"

namespace velmora::cli {
namespace {

std::uint64_t ClockSeed() {
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

// --guarantee, --count, --optimised, --seconds, --steps and --seed, shared by generate and
// filter.
struct LimitArgs {
    std::string guarantee;
    std::string count;
    std::string seed;
    std::string seconds;
    std::string steps;
    bool optimised = false;
    CLI::Option* guaranteeOption = nullptr;
    CLI::Option* countOption = nullptr;
    CLI::Option* seedOption = nullptr;
    CLI::Option* secondsOption = nullptr;
    CLI::Option* stepsOption = nullptr;
};

struct Limit {
    velmora::GenerationSettings settings;
    std::uint64_t seed = 0;
};

std::uint64_t Seed(const std::string& text) {
    const std::optional<std::uint64_t> seed = ParseWhole<std::uint64_t>(text);
    if (!seed) {
        UsageError(
            "Der Startwert muss eine ganze Zahl zwischen 0 und 18446744073709551615 sein. "
            "Angegeben wurde '" +
            text + "'.");
    }
    return *seed;
}

double Seconds(const std::string& text) {
    constexpr double kDay = 86400;
    double seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !(seconds > 0 && seconds <= kDay)) {
        UsageError(
            "Die Rechenzeit muss eine Zahl von Sekunden über 0 und höchstens 86400 sein "
            "(etwa 30 oder 2.5). Angegeben wurde '" +
            text + "'.");
    }
    return seconds;
}

Limit ParseLimit(const LimitArgs& args) {
    const bool byGuarantee = args.guaranteeOption->count() > 0;
    const bool byCount = args.countOption->count() > 0;
    if (byGuarantee == byCount) {
        UsageError("Bitte genau eine der Optionen --guarantee und --count angeben.");
    }
    if (args.optimised && !byGuarantee) {
        UsageError("Die Option --optimised gilt nur zusammen mit --guarantee.");
    }
    if (args.secondsOption->count() > 0 && !args.optimised) {
        UsageError("Die Option --seconds gilt nur zusammen mit --optimised.");
    }
    if (args.stepsOption->count() > 0 && !args.optimised) {
        UsageError("Die Option --steps gilt nur zusammen mit --optimised.");
    }
    if (args.seedOption->count() > 0 && !byCount && !args.optimised) {
        UsageError("Die Option --seed gilt nur zusammen mit --count oder --optimised.");
    }

    Limit limit;
    if (byGuarantee) {
        limit.settings.limit = velmora::RowLimit::Guarantee;
        limit.settings.guaranteeLevel = static_cast<int>(
            WholeInRange(args.guarantee, 0, 3, "Die Garantiestufe muss 0, 1, 2 oder 3 sein."));
        limit.settings.optimised = args.optimised;
        if (args.secondsOption->count() > 0)
            limit.settings.optimisation.seconds = Seconds(args.seconds);
        if (args.stepsOption->count() > 0) {
            limit.settings.optimisation.maxIterations =
                WholeInRange(args.steps, 1, INT64_MAX,
                             "Die Zahl der Suchschritte muss eine ganze Zahl ab 1 sein.");
        }
        if (args.seedOption->count() > 0)
            limit.settings.optimisation.seed = Seed(args.seed);
        return limit;
    }
    limit.settings.limit = velmora::RowLimit::Count;
    const std::int64_t target =
        WholeInRange(args.count, 0, INT32_MAX,
                     "Die Reihenanzahl muss eine ganze Zahl zwischen 0 und 2147483647 sein.");
    limit.settings.countText = std::to_string(target);
    if (args.seedOption->count() > 0) {
        limit.seed = Seed(args.seed);
    } else {
        limit.seed = ClockSeed();
        std::cerr << "Hinweis: Zufallsstartwert " << limit.seed << " (mit --seed " << limit.seed
                  << " wiederholbar)\n";
    }
    return limit;
}

// What is said about the result is put together before the file is written, so that a
// shortage of memory cannot end the command once the file is there.
void WriteResult(const std::string& path, const velmora::TRowList& rows,
                 const std::optional<velmora::GuaranteeCheck>& check,
                 const std::string& warning = {}) {
    std::string report = "Systemgröße: " + RowsText(rows.Count()) + '\n';
    if (check)
        report += velmora::GuaranteeCheckText(*check) + '\n';
    WriteRows(path, rows);
    std::cout << report;
    if (check && check->uncovered != 0)
        Failure("Die optimierte Reduktion hat die Gewinngarantie nicht eingehalten.");
    std::cerr << warning;
}

// ---------------------------------------------------------------------------------------------
// generate

struct GenerateArgs {
    WeekArgs week;
    LimitArgs limit;
    std::string out;
};

std::string MissingTipsMessage(const velmora::TTipPlan& plan, int games) {
    return plan.StatusText(games) + " (ohne Tipp: " + UntippedGamesText(plan, games) +
           "). Es wurde keine Reihendatei geschrieben.";
}

// The warning that tipped signs occur in no row, one line per sign.
std::string MissingSignsWarning(const velmora::TTipPlan& plan, int games,
                                const velmora::TRowList& rows) {
    const std::vector<velmora::GameSign> missing =
        velmora::MissingSigns(plan, games, velmora::UpdateCoverage(rows));
    std::string warning = "Warnung: Nicht jedes getippte Zeichen kommt in den Reihen vor:\n";
    for (int g = 1; g <= games; ++g) {
        for (velmora::Sign sign : velmora::kDisplayOrder) {
            const velmora::GameSign entry{g, sign};
            if (std::find(missing.begin(), missing.end(), entry) == missing.end())
                continue;
            warning +=
                "  Spiel " + std::to_string(g) + ": Tipp " + velmora::SignChar(sign) + " fehlt\n";
        }
    }
    return warning;
}

int RunGenerate(const GenerateArgs& args) {
    const Limit limit = ParseLimit(args.limit);
    ProtectWeekFiles(args.week.plan, args.out);
    Week week = LoadWeek(args.week);
    if (!week.plan.TipsComplete(week.games))
        Failure(MissingTipsMessage(week.plan, week.games));

    velmora::TRowList rows(week.games);
    velmora::AbortFlag abort;
    ConsoleGenerationView view;
    const velmora::GenerationOutcome outcome = velmora::RunGeneration(
        week.games, week.plan, week.filters, limit.settings, rows, abort, view, limit.seed);
    if (!outcome.generated)
        Failure(MissingTipsMessage(week.plan, week.games));
    if (view.Failed())
        Failure("Es wurde keine Reihendatei geschrieben.");

    WriteResult(args.out, rows, outcome.guaranteeCheck,
                outcome.coverageFailed ? MissingSignsWarning(week.plan, week.games, rows) : "");
    return kExitOk;
}

// ---------------------------------------------------------------------------------------------
// filter and eliminate

struct FilterArgs {
    WeekArgs week;
    LimitArgs limit;
    std::string rows;
    std::string out;
};

// filter: the rows passing the week's filters, limited as generate limits them.
// eliminate (no limit): the rows failing at least one filter.
int RunFilter(const FilterArgs& args, bool eliminate) {
    const Limit limit = eliminate ? Limit{} : ParseLimit(args.limit);
    ProtectWeekFiles(args.week.plan, args.out);
    const Week week = LoadWeek(args.week);
    velmora::TRowList rows = ReadRows(args.rows, week.games);

    velmora::KeepRowsPassing(rows, week.filters, !eliminate);
    std::optional<velmora::GuaranteeCheck> check;
    if (!eliminate) {
        velmora::AbortFlag abort;
        ConsoleGenerationView view;
        check = velmora::LimitRows(limit.settings, rows, abort, view, limit.seed);
        if (view.Failed())
            Failure("Es wurde keine Reihendatei geschrieben.");
    }
    WriteResult(args.out, rows, check);
    return kExitOk;
}

// ---------------------------------------------------------------------------------------------
// show

struct ShowArgs {
    WeekArgs week;
    bool json = false;
};

// For games 1..n an object {"game": g, "1": value(g, 1), "0": value(g, 0), "2": value(g, 2)}.
template <class Value>
void PerGame(JsonWriter& json, int games, Value value) {
    json.BeginArray();
    for (int g = 1; g <= games; ++g) {
        json.BeginObject();
        json.Key("game");
        json.Number(g);
        for (velmora::Sign sign : velmora::kDisplayOrder) {
            const char key = velmora::SignChar(sign);
            json.Key(std::string_view(&key, 1));
            json.Number(value(g, sign));
        }
        json.End();
    }
    json.End();
}

void ValueRecordJson(JsonWriter& json, const velmora::TFilterValueRecord& record, int games) {
    json.BeginObject();
    json.Key("values");
    PerGame(json, games, [&](int g, velmora::Sign s) { return record.Value(g, s); });
    json.Key("minValue");
    json.Number(record.minValue);
    json.Key("maxValue");
    json.Number(record.maxValue);
    json.Key("active");
    json.Bool(record.active != 0);
    json.Key("orNext");
    json.Bool(record.orNext != 0);
    json.End();
}

std::string PatternText(const velmora::TSequenceRule& rule) {
    std::string text;
    for (int i = 0; i < rule.length && i < velmora::kMaxPatternLength; ++i)
        text += rule.pattern[i] == velmora::kAnySign ? '*' : velmora::SignChar(rule.pattern[i]);
    return text;
}

void BlockJson(JsonWriter& json, const velmora::TBlockFilter& block, int games) {
    json.BeginObject();
    json.Key("marks");
    json.BeginArray();
    for (int g = 1; g <= games; ++g) {
        json.BeginArray();
        for (velmora::Sign sign : velmora::kDisplayOrder) {
            const char mark = velmora::SignChar(sign);
            if (block.Marked(g, sign))
                json.String(std::string_view(&mark, 1));
        }
        json.End();
    }
    json.End();
    json.Key("minHits");
    json.Number(block.minHits);
    json.Key("maxHits");
    json.Number(block.maxHits);
    json.Key("orNext");
    json.Bool(block.orNext != 0);
    json.Key("maxRun");
    json.Number(block.maxRun);
    json.End();
}

void WeekJson(JsonWriter& json, const Week& week) {
    const int games = week.games;
    const velmora::TFilterSet& f = week.filters;
    json.BeginObject();
    json.Key("games");
    json.Number(games);
    json.Key("tips");
    PerGame(json, games, [&](int g, velmora::Sign s) { return week.plan.Tendency(g, s); });
    json.Key("signChange");
    json.BeginObject();
    json.Key("min1");
    json.Number(f.signChange.min1);
    json.Key("max1");
    json.Number(f.signChange.max1);
    json.Key("min2");
    json.Number(f.signChange.min2);
    json.Key("max2");
    json.Number(f.signChange.max2);
    json.Key("orSecond");
    json.Bool(f.signChange.orSecond == 1);
    json.End();
    json.Key("odds");
    ValueRecordJson(json, f.odds, games);
    json.Key("percent");
    json.BeginArray();
    for (const velmora::TPercentFilter& filter : f.percent)
        ValueRecordJson(json, filter, games);
    json.End();
    json.Key("blocks");
    json.BeginArray();
    for (const velmora::TBlockFilter& block : f.blocks)
        BlockJson(json, block, games);
    json.End();
    json.Key("sequences");
    json.BeginArray();
    for (const velmora::TSequenceRule& rule : f.sequences) {
        json.BeginObject();
        json.Key("pattern");
        json.String(PatternText(rule));
        json.Key("orNext");
        json.Bool(rule.orNext != 0);
        json.Key("length");
        json.Number(rule.length);
        json.Key("minCount");
        json.Number(rule.minCount);
        json.Key("maxCount");
        json.Number(rule.maxCount);
        json.End();
    }
    json.End();
    json.Key("chainCount");
    json.Number(f.chainCount());
    json.Key("requiredChains");
    json.Number(f.requiredChains);
    json.End();
}

void PrintWeekSummary(const Week& week) {
    const velmora::TFilterSet& f = week.filters;
    std::cout << "Spiele: " << week.games << '\n' << "Tipps:";
    for (int g = 1; g <= week.games; ++g) {
        std::cout << ' ';
        for (velmora::Sign sign : velmora::kDisplayOrder) {
            if (week.plan.Tendency(g, sign) > 0)
                std::cout << velmora::SignChar(sign);
        }
        if (week.plan.AllowedCount(g) == 0)
            std::cout << '-';
    }
    std::cout << '\n' << week.plan.StatusText(week.games) << '\n';
    std::cout << "Tippzeichenwechsel: " << +f.signChange.min1 << " bis " << +f.signChange.max1;
    if (f.signChange.orSecond == 1)
        std::cout << " oder " << +f.signChange.min2 << " bis " << +f.signChange.max2;
    std::cout << '\n' << "Quotenfilter: " << (f.odds.active != 0 ? "aktiv" : "aus") << '\n';
    const auto active = std::count_if(f.percent.begin(), f.percent.end(),
                                      [](const auto& filter) { return filter.active != 0; });
    std::cout << "Prozentfilter: " << active << " von " << f.percent.size() << " aktiv, "
              << f.requiredChains << " von " << f.chainCount() << " Ketten zu erfüllen\n";
    std::cout << "Blockfilter: " << f.blocks.size() << '\n';
    std::cout << "Sequenzen: " << f.sequences.size();
    for (const velmora::TSequenceRule& rule : f.sequences)
        std::cout << (&rule == &f.sequences.front() ? " (" : ", ") << PatternText(rule);
    std::cout << (f.sequences.empty() ? "\n" : ")\n");
}

int RunShow(const ShowArgs& args) {
    const Week week = LoadWeek(args.week);
    if (args.json) {
        JsonWriter json(std::cout);
        WeekJson(json, week);
        json.Finish();
    } else {
        PrintWeekSummary(week);
    }
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

    WriteResult(args.out, rows, std::nullopt);
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
        JsonWriter json(std::cout);
        json.BeginObject();
        json.Key("games");
        json.Number(games);
        json.Key("rows");
        json.Number(rows.Count());
        json.Key("signs");
        PerGame(json, games, [&](int g, velmora::Sign s) { return counts[g - 1][s]; });
        json.End();
        json.Finish();
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

constexpr const char* kCommandList =
    "generate, filter, eliminate, show, reduce, info, evaluate, wintable, slips und distribution";

void RejectExtras(const CLI::App& app) {
    const std::vector<std::string> extras = app.remaining(true);
    if (extras.empty())
        return;
    std::string list;
    for (const std::string& extra : extras)
        list += (list.empty() ? "'" : ", '") + extra + "'";
    if (app.get_subcommands().empty()) {
        UsageError("Unbekannter Unterbefehl oder unbekannte Angabe: " + list + ". Möglich sind " +
                   kCommandList + ".");
    }
    UsageError("Unerwartete Angabe: " + list + ".");
}

void AddLimitOptions(CLI::App* command, LimitArgs& args) {
    args.guaranteeOption =
        AddOption(command, "--guarantee", args.guarantee,
                  "Gewinngarantie: 0 behält alle Reihen, 1 bis 3 verkleinern das System so, dass "
                  "jede Reihe höchstens so viele Spiele von einer behaltenen abweicht (nicht "
                  "zusammen mit --count)",
                  "K");
    args.countOption = AddOption(command, "--count", args.count,
                                 "Zufällig auf diese Reihenanzahl verkleinern, ganze Zahl ab 0 "
                                 "(nicht zusammen mit --guarantee)",
                                 "ANZAHL");
    command->add_flag(
        "--optimised", args.optimised,
        "Mit --guarantee: dieselbe Garantie mit möglichst wenigen Reihen (Suche statt "
        "festem Durchlauf); das Ergebnis wird geprüft");
    args.secondsOption = AddOption(command, "--seconds", args.seconds,
                                   "Rechenzeit der Suche für --optimised in Sekunden "
                                   "(Vorgabe 10)",
                                   "S");
    args.stepsOption = AddOption(command, "--steps", args.steps,
                                 "Höchstzahl der Suchschritte für --optimised; mit demselben "
                                 "--seed ergibt sie unabhängig von der Rechnerlast dieselben "
                                 "Reihen, solange --seconds nicht vorher abläuft",
                                 "ANZAHL");
    args.seedOption = AddOption(command, "--seed", args.seed,
                                "Startwert des Zufalls für --count (ohne Angabe gilt die Uhrzeit) "
                                "oder für --optimised (Vorgabe 1)",
                                "ZAHL");
}

int Main(int argc, char** argv) {
    // System error texts (file not found and the like) in the user's language.
    std::setlocale(LC_MESSAGES, "");

    CLI::App app{
        "Velmora – Systemwetten im Fußballtoto von der Kommandozeile: Reihen aus einem Tippplan "
        "unter den Filtern der Woche erzeugen, Reihendateien filtern, bereinigen, auf eine "
        "Gewinngarantie verkleinern und auswerten: gegen ein Ergebnis, als Gewinntabelle, als "
        "Scheindruck und als Tippverteilung.",
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
    CLI::App* generateCommand = AddCommand(
        app, "generate",
        "Das Vollsystem eines Tippplans unter den Filtern der Woche erzeugen, wahlweise auf eine "
        "Gewinngarantie oder eine Reihenanzahl begrenzen, und als Reihendatei speichern");
    AddWeekOptions(generateCommand, generate.week, true);
    AddLimitOptions(generateCommand, generate.limit);
    AddOption(generateCommand, "--out", generate.out, "Zu schreibende Reihendatei")->required();

    FilterArgs filter;
    CLI::App* filterCommand = AddCommand(
        app, "filter",
        "Die Reihen einer Reihendatei behalten, die alle Filter der Woche erfüllen, und wie bei "
        "generate begrenzen");
    AddWeekOptions(filterCommand, filter.week, true);
    AddOption(filterCommand, "--rows", filter.rows, "Zu lesende Reihendatei (Spielzahl des Plans)")
        ->required();
    AddLimitOptions(filterCommand, filter.limit);
    AddOption(filterCommand, "--out", filter.out,
              "Zu schreibende Reihendatei (darf die gelesene Datei sein)")
        ->required();

    FilterArgs eliminate;
    CLI::App* eliminateCommand = AddCommand(
        app, "eliminate",
        "Aus einer Reihendatei jede Reihe entfernen, die alle Filter der Woche erfüllt; ohne "
        "Verkleinerung");
    AddWeekOptions(eliminateCommand, eliminate.week, true);
    AddOption(eliminateCommand, "--rows", eliminate.rows,
              "Zu lesende Reihendatei (Spielzahl des Plans)")
        ->required();
    AddOption(eliminateCommand, "--out", eliminate.out,
              "Zu schreibende Reihendatei (darf die gelesene Datei sein)")
        ->required();

    ShowArgs show;
    CLI::App* showCommand = AddCommand(
        app, "show",
        "Tippplan und Filter der Woche anzeigen: ohne --json als kurze Übersicht, mit --json "
        "vollständig (Tendenzen, alle Filterfelder, Ketten)");
    AddWeekOptions(showCommand, show.week, false);
    showCommand->add_flag("--json", show.json, "Ausgabe als JSON-Objekt statt als Übersicht");

    ReduceArgs reduce;
    CLI::App* reduceCommand =
        AddCommand(app, "reduce", "Eine Reihendatei auf eine Gewinngarantie verkleinern");
    AddOption(reduceCommand, "--games", reduce.games, "Spielzahl der Reihen, 11 bis 14", "N")
        ->required();
    AddOption(reduceCommand, "--rows", reduce.rows, "Zu lesende Reihendatei")->required();
    AddOption(reduceCommand, "--guarantee", reduce.guarantee,
              "Gewinngarantie 1, 2 oder 3: jede Reihe weicht höchstens so viele Spiele von einer "
              "behaltenen ab",
              "K")
        ->required();
    AddOption(reduceCommand, "--out", reduce.out,
              "Zu schreibende Reihendatei (darf die gelesene Datei sein)")
        ->required();

    InfoArgs info;
    CLI::App* infoCommand = AddCommand(
        app, "info", "Reihenanzahl und je Spiel die Häufigkeit der Tipps 1, 0 und 2 anzeigen");
    AddOption(infoCommand, "--games", info.games, "Spielzahl der Reihen, 11 bis 14", "N")
        ->required();
    AddOption(infoCommand, "--rows", info.rows, "Zu lesende Reihendatei")->required();
    infoCommand->add_flag("--json", info.json, "Ausgabe als JSON-Objekt statt als Tabelle");

    const EvaluationCommands evaluation(app);

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
    if (filterCommand->parsed())
        return RunFilter(filter, false);
    if (eliminateCommand->parsed())
        return RunFilter(eliminate, true);
    if (showCommand->parsed())
        return RunShow(show);
    if (reduceCommand->parsed())
        return RunReduce(reduce);
    if (infoCommand->parsed())
        return RunInfo(info);
    if (const std::optional<int> exitCode = evaluation.RunCalled())
        return *exitCode;
    UsageError("Bitte einen Unterbefehl angeben: " + std::string(kCommandList) +
               ". Hilfe: " + std::string(kProgram) + " --help");
}

}  // namespace
}  // namespace velmora::cli

int main(int argc, char** argv) {
    velmora::RemoveTemporaryFilesOnStopSignals();
    using velmora::cli::CliError;
    using velmora::cli::kExitFailure;
    try {
        return velmora::cli::Main(argc, argv);
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
