#include "cli_evaluation.h"

#include <array>
#include <clocale>
#include <cstdint>
#include <initializer_list>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/filesetnames.h"
#include "app/programdirectory.h"
#include "app/slipprint.h"
#include "app/slipsettings.h"
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

void PrintJson(const Json& json) {
    std::cout << json.dump(2) << '\n';
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

    const Evaluation evaluation = Evaluate(rows, result, n, week.filters, args.details);
    const char separator = LocaleDecimalSeparator();

    Json json;
    json["counters"] = evaluation.counters;
    json["complete"] = evaluation.complete;
    if (evaluation.complete) {
        const double product = evaluation.product.value_or(0.0);
        json["product"] = product;
        json["means"] = evaluation.means;
        json["product_text"] = ProductText(product, n, separator);
        Json texts = Json::array();
        for (const double mean : evaluation.means)
            texts.push_back(MeanText(mean, separator));
        json["mean_texts"] = std::move(texts);
        Json failing = Json::array();
        for (const FailedBlock& block : FailingBlocks(result, n, week.filters.blocks))
            failing.push_back(block.number);
        json["failing_blocks"] = std::move(failing);
    } else {
        for (const char* key : {"product", "means", "product_text", "mean_texts", "failing_blocks"})
            json[key] = nullptr;
    }
    if (args.details) {
        const int slip = givenPerSlip ? perSlip : StoredRowsPerSlip();
        Json details = Json::array();
        for (const std::vector<std::int32_t>& indices : evaluation.rowsByErrors) {
            Json lines = Json::array();
            for (const std::int32_t index : indices)
                lines.push_back(DetailLine(rows, index, slip));
            details.push_back(std::move(lines));
        }
        json["details"] = std::move(details);
    }
    PrintJson(json);
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
    if (writing)
        WriteRows(args.out, rows);
    if (result.rowsAdded > 0) {
        std::cerr << "Hinweis: Die Mindestgarantie hat " << RowsText(result.rowsAdded)
                  << " zugefügt"
                  << (writing ? "; die Tabelle gilt erst bei einem neuen Durchlauf mit der "
                                "geschriebenen Reihendatei."
                              : ", die ohne --out nicht gespeichert werden.")
                  << '\n';
    }

    const char separator = LocaleDecimalSeparator();
    Json json;
    json["total"] = result.total;
    Json patterns = Json::array();
    for (const TWinPattern& pattern : result.patterns) {
        Json entry(pattern.counts);
        entry.push_back(pattern.multiplicity);
        patterns.push_back(std::move(entry));
    }
    json["patterns"] = std::move(patterns);
    json["percentages"] = result.percentages;
    Json texts = Json::array();
    for (const double percentage : result.percentages)
        texts.push_back(PercentageText(percentage, separator));
    json["percentage_texts"] = std::move(texts);
    json["fall_text"] = result.total > 0 ? Json(CasesText(result.total)) : Json(nullptr);
    json["rows"] = rows.Count();
    json["rows_added"] = result.rowsAdded;
    PrintJson(json);
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

    Json documents = Json::array();
    for (const SlipDocument& document : LayoutSlips(rows, perSlip)) {
        Json calls = Json::array();
        for (const DrawCall& call : document)
            calls.push_back(Json::array({call.x, call.y, call.text}));
        documents.push_back(std::move(calls));
    }
    Json json;
    json["documents"] = std::move(documents);
    PrintJson(json);
    return kExitOk;
}

int RunDistribution(const RowFileArgs& args) {
    const int games = GameCount(args.games);
    const TRowList rows = ReadRows(args.rows, games);

    const TipCounts counts = TipDistribution(rows);
    Json list = Json::array();
    for (int g = 0; g < games; ++g)
        list.push_back(Json(counts[g]));
    Json json;
    json["counts"] = std::move(list);
    PrintJson(json);
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
