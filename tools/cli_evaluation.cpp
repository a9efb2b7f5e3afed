#include "cli_evaluation.h"

#include <array>
#include <clocale>
#include <cstdint>
#include <initializer_list>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/filesetnames.h"
#include "app/programdirectory.h"
#include "app/slipprint.h"
#include "app/slipsettings.h"
#include "cli_json.h"
#include "cli_support.h"
#include "evaluation/tipdistribution.h"
#include "evaluation/windetermination.h"
#include "evaluation/wintable.h"
#include "model/sign.h"

namespace velmora::cli {

namespace {

// The decimal separator of the user's locale. The numeric locale is switched only for the
// look-up, so that nothing else of the program reads or prints numbers differently.
char LocaleDecimalSeparator() {
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    const std::string previous = current != nullptr ? current : "C";
    char separator = '.';
    if (std::setlocale(LC_NUMERIC, "") != nullptr) {
        const char* point = std::localeconv()->decimal_point;
        if (point != nullptr && point[0] != '\0')
            separator = point[0];
    }
    std::setlocale(LC_NUMERIC, previous.c_str());
    return separator;
}

// Message parts joined by appending.
std::string Join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts)
        text.append(part);
    return text;
}

constexpr int kDefaultRowsPerSlip = 12;

int RowsPerSlip(const std::string& text) {
    const std::optional<int> value = ParseWhole<int>(text);
    if (!value || (*value != 6 && *value != 8 && *value != 10 && *value != 12)) {
        UsageError(Join({"Die Reihenzahl je Schein muss 6, 8, 10 oder 12 sein. Angegeben wurde '",
                         text, "'."}));
    }
    return *value;
}

// The choice stored in "schein.dat" in the program directory; the file belongs to an
// installation, so without it (or without a valid choice in it) the usual 12 hold.
int StoredRowsPerSlip() {
    const ResolvedFileName file = ResolveFileName(ProgramDirectory() + "schein.dat");
    if (!file.ok())
        Failure(file.error);
    const SlipSettings settings = ReadSlipSettings(file.path);
    return settings.rowsPerSlip.value_or(kDefaultRowsPerSlip);
}

// ---------------------------------------------------------------------------------------------
// evaluate

struct EvaluateArgs {
    WeekArgs week;
    std::string rows;
    std::string result;
    std::string perSlip;
    CLI::Option* perSlipOption = nullptr;
    bool details = false;
};

constexpr const char* kResultSigns = "1, 0, 2 oder ? für unbekannt";

// Checks the characters; their number is checked against the week by ResultRow.
void CheckResultSigns(const std::string& text) {
    for (const char c : text) {
        if (c != '0' && c != '1' && c != '2' && c != '?') {
            UsageError(
                Join({"Das Ergebnis '", text, "' enthält ein ungültiges Zeichen; je Spiel steht ",
                      kResultSigns, "."}));
        }
    }
}

TResultRow ResultRow(const std::string& text, int games) {
    CheckResultSigns(text);
    if (text.size() != static_cast<std::size_t>(games)) {
        UsageError(Join({"Das Ergebnis muss ", std::to_string(games),
                         " Zeichen haben, eines je Spiel der Woche (", kResultSigns,
                         "); angegeben wurden ", std::to_string(text.size()), ": '", text, "'."}));
    }
    TResultRow result;
    for (int g = 0; g < games; ++g) {
        if (text[g] != '?')
            result.signs[g] = static_cast<Sign>(text[g] - '0');
    }
    return result;
}

int RunEvaluate(const EvaluateArgs& args) {
    CheckResultSigns(args.result);
    const bool givenPerSlip = args.perSlipOption->count() > 0;
    const int perSlip = givenPerSlip ? RowsPerSlip(args.perSlip) : 0;
    const Week week = LoadWeek(args.week);
    const int n = week.games;
    const TResultRow result = ResultRow(args.result, n);
    const TRowList rows = ReadRows(args.rows, n);

    // The detail lists are not kept: each is found by a walk over the rows while it is printed.
    const Evaluation evaluation = Evaluate(rows, result, n, week.filters, false);
    const char separator = LocaleDecimalSeparator();
    const int slip = !args.details  ? kDefaultRowsPerSlip
                     : givenPerSlip ? perSlip
                                    : StoredRowsPerSlip();
    std::string productText;
    std::array<std::string, 3> meanTexts;
    std::vector<int> failing;
    if (evaluation.complete) {
        productText = ProductText(evaluation.product.value_or(0.0), n, separator);
        for (std::size_t k = 0; k < meanTexts.size(); ++k)
            meanTexts[k] = MeanText(evaluation.means[k], separator);
        for (const FailedBlock& block : FailingBlocks(result, n, week.filters.blocks))
            failing.push_back(block.number);
    }
    DetailLineBuilder lines(rows, slip);

    JsonWriter json(std::cout);
    json.BeginObject();
    json.Key("counters");
    json.BeginArray();
    for (const std::int32_t counter : evaluation.counters)
        json.Number(counter);
    json.End();
    json.Key("complete");
    json.Bool(evaluation.complete);
    if (evaluation.complete) {
        json.Key("product");
        json.Number(evaluation.product.value_or(0.0));
        json.Key("means");
        json.BeginArray();
        for (const double mean : evaluation.means)
            json.Number(mean);
        json.End();
        json.Key("product_text");
        json.String(productText);
        json.Key("mean_texts");
        json.BeginArray();
        for (const std::string& text : meanTexts)
            json.String(text);
        json.End();
        json.Key("failing_blocks");
        json.BeginArray();
        for (const int number : failing)
            json.Number(number);
        json.End();
    } else {
        for (const char* key :
             {"product", "means", "product_text", "mean_texts", "failing_blocks"}) {
            json.Key(key);
            json.Null();
        }
    }
    if (args.details) {
        json.Key("details");
        json.BeginArray();
        for (int errors = 0; errors < n; ++errors) {
            json.BeginArray();
            if (evaluation.counters[errors] > 0) {
                ForEachRowWithErrors(rows, result, n, errors,
                                     [&](std::int32_t row) { json.String(lines.Line(row)); });
            }
            json.End();
        }
        json.End();
    }
    json.End();
    json.Finish();
    return kExitOk;
}

// ---------------------------------------------------------------------------------------------
// wintable

struct WinTableArgs {
    WeekArgs week;
    std::string rows;
    bool noOptions = false;
    std::string mainTips;
    CLI::Option* mainTipsOption = nullptr;
    std::string minimum;
    std::string out;
    CLI::Option* outOption = nullptr;
};

// "m2,m3,m4": the wins of the 2nd, 3rd and 4th rank every outcome should reach.
std::array<std::int32_t, 3> Minimum(const std::string& text) {
    std::array<std::int32_t, 3> minimum{};
    std::size_t start = 0;
    for (std::size_t k = 0; k < minimum.size(); ++k) {
        // The last number runs to the end; a comma left in it makes it no number.
        const bool last = k + 1 == minimum.size();
        const std::size_t comma = last ? std::string::npos : text.find(',', start);
        std::optional<std::int32_t> value;
        if (last || comma != std::string::npos)
            value = ParseWhole<std::int32_t>(text.substr(start, comma - start));
        if (!value || *value < 0) {
            UsageError(
                Join({"Die Mindestgarantie besteht aus drei ganzen Zahlen ab 0 für den 2., 3. "
                      "und 4. Rang, durch Kommas getrennt (etwa 1,0,0). Angegeben wurde '",
                      text, "'."}));
        }
        minimum[k] = *value;
        start = comma + 1;
    }
    return minimum;
}

int RunWinTables(const WinTableArgs& args) {
    WinTableSettings settings;
    settings.allOptions = !args.noOptions;
    settings.minimum = Minimum(args.minimum);
    const bool writing = args.outOption->count() > 0;
    if (writing)
        ProtectWeekFiles(args.week.plan, args.out);

    Week week = LoadWeek(args.week);
    const int n = week.games;
    if (args.mainTipsOption->count() > 0) {
        settings.mainTipsRequired = true;
        settings.correctMainTips = static_cast<int>(
            WholeInRange(args.mainTips, 0, n,
                         Join({"Die Zahl der richtigen Grundtipps muss zwischen 0 und ",
                               std::to_string(n), " liegen (so viele Spiele hat die Woche)."})));
    }
    if (!week.plan.TipsComplete(n)) {
        Failure(Join({week.plan.StatusText(n), " (ohne Tipp: ", UntippedGamesText(week.plan, n),
                      "). Die Gewinntabelle braucht in jedem Spiel einen Tipp."}));
    }
    TRowList rows = ReadRows(args.rows, n);

    const WinTableResult result = RunWinTable(week.plan, n, week.filters, settings, rows);

    // The answer and the hint are put together before the rows are written, so that a
    // shortage of memory cannot end the command once the file is there.
    std::string hint;
    if (result.rowsAdded > 0) {
        hint = Join({"Hinweis: Die Mindestgarantie hat ", RowsText(result.rowsAdded), " zugefügt",
                     writing ? "; die Tabelle gilt erst bei einem neuen Durchlauf mit der "
                               "geschriebenen Reihendatei."
                             : ", die ohne --out nicht gespeichert werden.",
                     "\n"});
    }
    const char separator = LocaleDecimalSeparator();
    std::ostringstream answer;
    JsonWriter json(answer);
    json.BeginObject();
    json.Key("total");
    json.Number(result.total);
    json.Key("patterns");
    json.BeginArray();
    for (const TWinPattern& pattern : result.patterns) {
        json.BeginArray();
        for (const std::int32_t count : pattern.counts)
            json.Number(count);
        json.Number(pattern.multiplicity);
        json.End();
    }
    json.End();
    json.Key("percentages");
    json.BeginArray();
    for (const double percentage : result.percentages)
        json.Number(percentage);
    json.End();
    json.Key("percentage_texts");
    json.BeginArray();
    for (const double percentage : result.percentages)
        json.String(PercentageText(percentage, separator));
    json.End();
    json.Key("fall_text");
    if (result.total > 0)
        json.String(CasesText(result.total));
    else
        json.Null();
    json.Key("rows");
    json.Number(rows.Count());
    json.Key("rows_added");
    json.Number(result.rowsAdded);
    json.End();
    json.Finish();
    const std::string text = std::move(answer).str();

    if (writing)
        WriteRows(args.out, rows);
    std::cerr << hint;
    PrintHeldAnswer(text);
    return kExitOk;
}

// ---------------------------------------------------------------------------------------------
// slips and distribution

struct RowFileArgs {
    std::string games;
    std::string rows;
    std::string perSlip;
};

int RunSlips(const RowFileArgs& args) {
    const int games = GameCount(args.games);
    const int perSlip = RowsPerSlip(args.perSlip);
    const TRowList rows = ReadRows(args.rows, games);

    // One page at a time, in one buffer reserved before anything is printed.
    SlipDocument calls;
    calls.reserve(MaxSlipPageCalls(games, perSlip));
    JsonWriter json(std::cout);
    json.BeginObject();
    json.Key("documents");
    json.BeginArray();
    const std::int32_t pages = SlipPageCount(rows, perSlip);
    for (std::int32_t page = 0; page < pages; ++page) {
        LayoutSlipPage(rows, perSlip, page, calls);
        json.BeginArray();
        for (const DrawCall& call : calls) {
            json.BeginArray();
            json.Number(call.x);
            json.Number(call.y);
            json.String(call.text);
            json.End();
        }
        json.End();
    }
    json.End();
    json.End();
    json.Finish();
    return kExitOk;
}

int RunDistribution(const RowFileArgs& args) {
    const int games = GameCount(args.games);
    const TRowList rows = ReadRows(args.rows, games);

    const TipCounts counts = TipDistribution(rows);
    JsonWriter json(std::cout);
    json.BeginObject();
    json.Key("counts");
    json.BeginArray();
    for (int g = 0; g < games; ++g) {
        json.BeginArray();
        for (const std::int32_t count : counts[g])
            json.Number(count);
        json.End();
    }
    json.End();
    json.End();
    json.Finish();
    return kExitOk;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The command line

struct EvaluationCommands::Commands {
    EvaluateArgs evaluate;
    WinTableArgs winTable;
    RowFileArgs slips;
    RowFileArgs distribution;
    CLI::App* evaluateCommand = nullptr;
    CLI::App* winTableCommand = nullptr;
    CLI::App* slipsCommand = nullptr;
    CLI::App* distributionCommand = nullptr;
};

EvaluationCommands::EvaluationCommands(CLI::App& app) : commands_(std::make_unique<Commands>()) {
    Commands& c = *commands_;
    c.evaluateCommand = AddCommand(
        app, "evaluate",
        "Gewinnermittlung: die Reihen gegen ein Ergebnis prüfen und je Fehlerzahl zählen; bei "
        "vollständigem Ergebnis auch Gewinnquote, Mittelwerte der Prozentfilter 1 bis 3 und die "
        "nicht erfüllten Blockfilter. Ausgabe: ein JSON-Objekt (counters, complete, product, "
        "means, product_text, mean_texts, "
        "failing_blocks, mit --details auch details)");
    AddWeekOptions(c.evaluateCommand, c.evaluate.week, false);
    AddOption(c.evaluateCommand, "--rows", c.evaluate.rows,
              "Zu lesende Reihendatei (Spielzahl des Plans)")
        ->required();
    AddOption(c.evaluateCommand, "--result", c.evaluate.result,
              "Das Ergebnis, ein Zeichen je Spiel, Spiel 1 zuerst: 1, 0, 2 oder ? für ein "
              "unbekanntes Spiel (in der Shell in Anführungszeichen), etwa 1021?0120212?",
              "ERGEBNIS")
        ->required();
    c.evaluate.perSlipOption =
        AddOption(c.evaluateCommand, "--per-slip", c.evaluate.perSlip,
                  "Reihen je Schein für die Scheinangabe der Detailzeilen bei 11 Spielen: 6, 8, "
                  "10 oder 12; ohne Angabe die Wahl in schein.dat im Programmverzeichnis, "
                  "sonst 12",
                  "R");
    c.evaluateCommand->add_flag(
        "--details", c.evaluate.details,
        "Je Fehlerzahl von 0 bis eins unter der Spielzahl die Detailzeilen der "
        "Reihen ausgeben");

    c.winTableCommand = AddCommand(
        app, "wintable",
        "Gewinntabelle: die Reihen gegen jeden Ausgang prüfen, den Tippplan und Filter der Woche "
        "zulassen, und zählen, wie oft welche Gewinnzahlen der fünf obersten Ränge vorkommen; "
        "eine Mindestgarantie fügt zu schwach abgedeckte Ausgänge als Reihen hinzu. Ausgabe: ein "
        "JSON-Objekt (total, patterns, percentages, percentage_texts, fall_text, rows, "
        "rows_added)");
    AddWeekOptions(c.winTableCommand, c.winTable.week, true);
    AddOption(c.winTableCommand, "--rows", c.winTable.rows,
              "Zu lesende Reihendatei (Spielzahl des Plans)")
        ->required();
    c.winTableCommand->add_flag("--no-options", c.winTable.noOptions,
                                "Nur die Prozentfilter schränken die Ausgänge ein, nicht Block-, "
                                "Sequenz-, Quoten- und Tippzeichenwechselfilter");
    c.winTable.mainTipsOption =
        AddOption(c.winTableCommand, "--main-tips", c.winTable.mainTips,
                  "Grundtippvorgabe: nur Ausgänge mit genau K richtigen Grundtipps, 0 bis zur "
                  "Spielzahl",
                  "K");
    c.winTable.minimum = "0,0,0";
    AddOption(c.winTableCommand, "--minimum", c.winTable.minimum,
              "Mindestgarantie: Gewinne im 2., 3. und 4. Rang, die jeder Ausgang ohne Volltreffer "
              "erreichen soll, durch Kommas getrennt; ohne Angabe 0,0,0 (fügt nichts hinzu)",
              "M2,M3,M4");
    c.winTable.outOption =
        AddOption(c.winTableCommand, "--out", c.winTable.out,
                  "Die Reihen nach dem Durchlauf, zugefügte eingeschlossen, in diese Datei "
                  "schreiben (darf die gelesene Datei sein)");

    c.slipsCommand = AddCommand(
        app, "slips",
        "Scheindruck: wohin jede Ziffer der Reihen auf den Druckseiten kommt, neun Scheine je "
        "Seite, in Zehntelmillimetern, y nach oben. Ausgabe: ein JSON-Objekt (documents: je Seite "
        "eine Liste von [x, y, Text])");
    AddOption(c.slipsCommand, "--games", c.slips.games, "Spielzahl der Reihen, 11 bis 14", "N")
        ->required();
    AddOption(c.slipsCommand, "--rows", c.slips.rows, "Zu lesende Reihendatei")->required();
    AddOption(c.slipsCommand, "--per-slip", c.slips.perSlip, "Reihen je Schein: 6, 8, 10 oder 12",
              "R")
        ->required();

    c.distributionCommand =
        AddCommand(app, "distribution",
                   "Tippverteilung: je Spiel die Zahl der Reihen mit den Zeichen 0, 1 und 2. "
                   "Ausgabe: ein JSON-Objekt (counts: je Spiel [Zeichen 0, Zeichen 1, Zeichen 2])");
    AddOption(c.distributionCommand, "--games", c.distribution.games,
              "Spielzahl der Reihen, 11 bis 14", "N")
        ->required();
    AddOption(c.distributionCommand, "--rows", c.distribution.rows, "Zu lesende Reihendatei")
        ->required();
}

EvaluationCommands::~EvaluationCommands() = default;

std::optional<int> EvaluationCommands::RunCalled() const {
    const Commands& c = *commands_;
    if (c.evaluateCommand->parsed())
        return RunEvaluate(c.evaluate);
    if (c.winTableCommand->parsed())
        return RunWinTables(c.winTable);
    if (c.slipsCommand->parsed())
        return RunSlips(c.slips);
    if (c.distributionCommand->parsed())
        return RunDistribution(c.distribution);
    return std::nullopt;
}

}  // namespace velmora::cli
