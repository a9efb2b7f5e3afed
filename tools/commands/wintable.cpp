#include "commands/wintable.h"

#include <sstream>

#include "cli_json.h"
#include "evaluation/wintable.h"

namespace velmora::cli {

std::optional<WinMinimum> ParseWinMinimum(const std::string& text) {
    WinMinimum minimum;
    std::size_t start = 0;
    for (std::size_t k = 0; k < minimum.wins.size(); ++k) {
        // The last number runs to the end; a comma left in it makes it no number.
        const bool last = k + 1 == minimum.wins.size();
        const std::size_t comma = last ? std::string::npos : text.find(',', start);
        std::optional<std::int32_t> value;
        if (last || comma != std::string::npos)
            value = ParseWhole<std::int32_t>(text.substr(start, comma - start));
        if (!value || *value < 0)
            return std::nullopt;
        minimum.wins[k] = *value;
        start = comma + 1;
    }
    return minimum;
}

std::istream& operator>>(std::istream& in, WinMinimum& minimum) {
    std::string text;
    in >> text;
    const std::optional<WinMinimum> read = ParseWinMinimum(text);
    if (read)
        minimum = *read;
    else
        in.setstate(std::ios::failbit);
    return in;
}

WinTableCommand::WinTableCommand()
    : Command("wintable",
              "Gewinntabelle: die Reihen gegen jeden Ausgang prüfen, den Tippplan und Filter der "
              "Woche zulassen, und zählen, wie oft welche Gewinnzahlen der fünf obersten Ränge "
              "vorkommen; eine Mindestgarantie fügt zu schwach abgedeckte Ausgänge als Reihen "
              "hinzu. Ausgabe: ein JSON-Objekt (total, patterns, percentages, percentage_texts, "
              "fall_text, rows, rows_added)") {}

void WinTableCommand::AddOptions(CLI::App& command, const Checks& checks) {
    AddWeekOptions(command, week_, true);
    AddPlanRowsOption(command, rows_);
    AddSwitch(command, "--no-options", noOptions_,
              "Nur die Prozentfilter schränken die Ausgänge ein, nicht Block-, Sequenz-, Quoten- "
              "und Tippzeichenwechselfilter",
              checks);
    mainTipsOption_ = command
                          .add_option("--main-tips", mainTips_,
                                      "Grundtippvorgabe: nur Ausgänge mit genau K richtigen "
                                      "Grundtipps, 0 bis zur Spielzahl")
                          ->type_name("K");
    command
        .add_option("--minimum", minimum_,
                    "Mindestgarantie: Gewinne im 2., 3. und 4. Rang, die jeder Ausgang ohne "
                    "Volltreffer erreichen soll, durch Kommas getrennt; ohne Angabe 0,0,0 (fügt "
                    "nichts hinzu)")
        ->type_name("M2,M3,M4")
        ->check(checks.Of([](std::string& text) {
            if (ParseWinMinimum(text))
                return std::string();
            return "Die Mindestgarantie besteht aus drei ganzen Zahlen ab 0 für den 2., 3. und "
                   "4. Rang, durch Kommas getrennt (etwa 1,0,0). Angegeben wurde '" +
                   text + "'.";
        }));
    outOption_ = command
                     .add_option("--out", out_,
                                 "Die Reihen nach dem Durchlauf, zugefügte eingeschlossen, in "
                                 "diese Datei schreiben (darf die gelesene Datei sein)")
                     ->type_name("DATEI");
}

void WinTableCommand::Run(std::ostream& out, std::ostream& err) {
    WinTableSettings settings;
    settings.allOptions = !noOptions_;
    settings.minimum = minimum_.wins;
    const bool writing = outOption_->count() > 0;
    if (writing)
        ProtectWeekFiles(week_.plan, out_);

    Week week = LoadWeek(week_);
    const int n = week.games;
    if (mainTipsOption_->count() > 0) {
        settings.mainTipsRequired = true;
        settings.correctMainTips = static_cast<int>(
            WholeInRange(mainTips_, 0, n,
                         "Die Zahl der richtigen Grundtipps muss zwischen 0 und " +
                             std::to_string(n) + " liegen (so viele Spiele hat die Woche)."));
    }
    if (!week.plan.TipsComplete(n)) {
        Failure(week.plan.StatusText(n) + " (ohne Tipp: " + UntippedGamesText(week.plan, n) +
                "). Die Gewinntabelle braucht in jedem Spiel einen Tipp.");
    }
    TRowList rows = ReadRows(rows_, n);

    const WinTableResult result = RunWinTable(week.plan, n, week.filters, settings, rows);

    // The answer and the hint are put together before the rows are written, so that a
    // shortage of memory cannot end the command once the file is there.
    std::string hint;
    if (result.rowsAdded > 0) {
        hint = "Hinweis: Die Mindestgarantie hat " + RowsText(result.rowsAdded) + " zugefügt" +
               (writing ? "; die Tabelle gilt erst bei einem neuen Durchlauf mit der "
                          "geschriebenen Reihendatei."
                        : ", die ohne --out nicht gespeichert werden.") +
               "\n";
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
        WriteRows(out_, rows);
    err << hint;
    PrintHeldAnswer(out, text);
}

}  // namespace velmora::cli
