#include "commands/evaluate.h"

#include <array>
#include <cstdint>
#include <vector>

#include "app/filesetnames.h"
#include "app/programdirectory.h"
#include "app/slipsettings.h"
#include "cli_json.h"
#include "evaluation/windetermination.h"

namespace velmora::cli {

namespace {

constexpr int kDefaultRowsPerSlip = 12;
constexpr const char* kResultSigns = "1, 0, 2 oder ? für unbekannt";

// The characters of a result; their number is checked against the week by ResultRow.
std::string ResultSignsProblem(const std::string& text) {
    for (const char c : text) {
        if (c != '0' && c != '1' && c != '2' && c != '?') {
            return "Das Ergebnis '" + text + "' enthält ein ungültiges Zeichen; je Spiel steht " +
                   kResultSigns + ".";
        }
    }
    return {};
}

TResultRow ResultRow(const std::string& text, int games) {
    if (text.size() != static_cast<std::size_t>(games)) {
        UsageError("Das Ergebnis muss " + std::to_string(games) +
                   " Zeichen haben, eines je Spiel der Woche (" + kResultSigns +
                   "); angegeben wurden " + std::to_string(text.size()) + ": '" + text + "'.");
    }
    TResultRow result;
    for (int g = 0; g < games; ++g) {
        if (text[g] != '?')
            result.signs[g] = static_cast<Sign>(text[g] - '0');
    }
    return result;
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

}  // namespace

EvaluateCommand::EvaluateCommand()
    : Command("evaluate",
              "Gewinnermittlung: die Reihen gegen ein Ergebnis prüfen und je Fehlerzahl zählen; "
              "bei vollständigem Ergebnis auch Gewinnquote, Mittelwerte der Prozentfilter 1 bis 3 "
              "und die nicht erfüllten Blockfilter. Ausgabe: ein JSON-Objekt (counters, "
              "complete, product, means, product_text, mean_texts, failing_blocks, mit --details "
              "auch details)") {}

void EvaluateCommand::AddOptions(CLI::App& command, const Checks& checks) {
    AddWeekOptions(command, week_, false);
    AddPlanRowsOption(command, rows_);
    command
        .add_option("--result", result_,
                    "Das Ergebnis, ein Zeichen je Spiel, Spiel 1 zuerst: 1, 0, 2 oder ? für ein "
                    "unbekanntes Spiel (in der Shell in Anführungszeichen), etwa 1021?0120212?")
        ->type_name("ERGEBNIS")
        ->check(checks.Of([](std::string& text) { return ResultSignsProblem(text); }))
        ->required();
    perSlipOption_ =
        command
            .add_option("--per-slip", perSlip_,
                        "Reihen je Schein für die Scheinangabe der Detailzeilen bei 11 Spielen: "
                        "6, 8, 10 oder 12; ohne Angabe die Wahl in schein.dat im "
                        "Programmverzeichnis, sonst 12")
            ->type_name("R")
            ->transform(checks.RowsPerSlip());
    AddSwitch(command, "--details", details_,
              "Je Fehlerzahl von 0 bis eins unter der Spielzahl die Detailzeilen der Reihen "
              "ausgeben",
              checks);
}

void EvaluateCommand::Run(std::ostream& out, std::ostream& /*err*/) {
    const Week week = LoadWeek(week_);
    const int n = week.games;
    const TResultRow result = ResultRow(result_, n);
    const TRowList rows = ReadRows(rows_, n);

    // The detail lists are not kept: each is found by a walk over the rows while it is printed.
    const Evaluation evaluation = Evaluate(rows, result, n, week.filters, false);
    const char separator = LocaleDecimalSeparator();
    const int slip = !details_                     ? kDefaultRowsPerSlip
                     : perSlipOption_->count() > 0 ? perSlip_
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

    JsonWriter json(out);
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
    if (details_) {
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
}

}  // namespace velmora::cli
