#include "commands/chances.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "cli_json.h"

namespace velmora::cli {

namespace {

constexpr const char* kPercentPrefix = "percent:";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Given(const std::string& text) {
    return " Angegeben wurde '" + text + "'.";
}

// The complaint about the text of --source (or of --public, which names a percentage filter
// only), or "".
std::string SourceProblem(const std::string& text, bool percentOnly) {
    const std::optional<ChanceSource> source = ParseChanceSource(text);
    if (!source || (percentOnly && source->kind != ChanceSource::Kind::Percent)) {
        return (percentOnly ? std::string("Die Tippverteilung der Spieler steht in einem "
                                          "Prozentfilter: percent:K mit K von 1 bis 5.")
                            : std::string("Die Wahrscheinlichkeiten kommen aus dem Quotenfilter "
                                          "(odds) oder aus Prozentfilter K (percent:K, K von 1 "
                                          "bis 5).")) +
               Given(text);
    }
    if (source->kind == ChanceSource::Kind::Percent &&
        (source->percentFilter < 1 || source->percentFilter > kPercentFilterCount))
        return "Es gibt nur die Prozentfilter 1 bis 5." + Given(text);
    return {};
}

// The model of the signs' probabilities from the week's filter values; a source that gives none
// refuses the week with the message naming the game.
OutcomeModel ModelOf(const TFilterSet& filters, int n, const ChanceSource& source,
                     const std::string& hint) {
    OutcomeModelOrProblem model = OutcomeModelOf(filters, n, source);
    if (!model.model)
        Failure(model.problem + " " + hint);
    return *model.model;
}

template <class Values>
void Numbers(JsonWriter& json, const Values& values) {
    json.BeginArray();
    for (const double value : values)
        json.Number(value);
    json.End();
}

}  // namespace

std::optional<ChanceSource> ParseChanceSource(const std::string& text) {
    const std::string lower = Lower(text);
    if (lower == "odds")
        return ChanceSource{};
    const std::string prefix = kPercentPrefix;
    if (lower.rfind(prefix, 0) != 0)
        return std::nullopt;
    const std::optional<int> filter = ParseWhole<int>(lower.substr(prefix.size()));
    if (!filter)
        return std::nullopt;
    return ChanceSource{ChanceSource::Kind::Percent, *filter};
}

std::istream& operator>>(std::istream& in, ChanceSourceArg& arg) {
    std::string text;
    in >> text;
    const std::optional<ChanceSource> source = ParseChanceSource(text);
    if (source)
        arg.source = *source;
    else
        in.setstate(std::ios::failbit);
    return in;
}

ChancesCommand::ChancesCommand()
    : Command("chances",
              "Gewinnchancen: wie wahrscheinlich das Ergebnis im Vollsystem des Tippplans liegt "
              "und alle Filter erfüllt, wie wahrscheinlich jeder Gewinnrang für die Reihen ist "
              "und wie viele Reihen je Rang zu erwarten sind, für alle Ergebnisse und für die "
              "gefilterten; mit --public auch die erwartete Auszahlung gegen den Einsatz. "
              "Ausgabe: ein JSON-Objekt (p_plan, p_filtered, p_best, expected_rows, "
              "p_best_filtered, expected_rows_filtered, mit --public auch expected_payout, stake, "
              "payout_by_class)") {}

void ChancesCommand::AddOptions(CLI::App& command, const Checks& checks) {
    AddWeekOptions(command, week_, true);
    AddPlanRowsOption(command, rows_);
    command
        .add_option("--source", source_,
                    "Woher die Wahrscheinlichkeiten der Tippzeichen kommen: odds (die Quoten des "
                    "Quotenfilters, ohne den Buchmacheranteil) oder percent:K (die Zahlen von "
                    "Prozentfilter K, 1 bis 5); ohne Angabe odds")
        ->type_name("odds|percent:K")
        ->check(checks.Of([](std::string& text) { return SourceProblem(text, false); }));
    publicOption_ =
        command
            .add_option("--public", public_,
                        "Die Tippverteilung der anderen Spieler steht in Prozentfilter K; "
                        "berechnet dazu die erwartete Auszahlung")
            ->type_name("percent:K")
            ->check(checks.Of([](std::string& text) { return SourceProblem(text, true); }));
    const std::string number = " muss eine Zahl sein, etwa 0.5 (mit Punkt).";
    stakesOption_ = command
                        .add_option("--stakes", stakes_,
                                    "Der Spieleinsatz aller Spieler der Woche in Euro; ohne "
                                    "Angabe 1000000")
                        ->type_name("S")
                        ->check(checks.Number("Der Spieleinsatz" + number))
                        ->needs(publicOption_);
    CLI::Option* priceOption =
        command.add_option("--price", price_, "Der Preis einer Reihe in Euro, etwa 0.5")
            ->type_name("P")
            ->check(checks.Number("Der Preis pro Reihe" + number))
            ->needs(publicOption_);
    publicOption_->needs(priceOption);
    rateOption_ = command
                      .add_option("--rate", rate_,
                                  "Der Anteil des Spieleinsatzes, der ausgeschüttet wird, von 0 "
                                  "bis 1 (0.5 für 50 %); ohne Angabe 0.5")
                      ->type_name("R")
                      ->check(checks.Number("Die Ausschüttungsquote" + number))
                      ->needs(publicOption_);
    sharesOption_ = command
                        .add_option("--shares", shares_,
                                    "Die Anteile des 1. bis 5. Rangs an der Ausschüttung, je von "
                                    "0 bis 1, durch Kommas getrennt; ohne Angabe 0.4,0.2,0.2,0.2,0")
                        ->type_name("ANTEIL")
                        ->delimiter(',')
                        ->expected(kWinClasses)
                        ->check(checks.Number("Jeder Anteil eines Rangs" + number))
                        ->needs(publicOption_);
}

PoolSettings ChancesCommand::PoolOfOptions() const {
    PoolSettings pool;
    pool.publicFilter = public_.source.percentFilter;
    if (stakesOption_->count() > 0)
        pool.stakes = stakes_;
    if (rateOption_->count() > 0)
        pool.rate = rate_;
    if (sharesOption_->count() > 0)
        std::copy_n(shares_.begin(), std::min(shares_.size(), pool.shares.size()),
                    pool.shares.begin());
    const std::string problem = PoolProblem(pool.stakes, price_, pool.rate, pool.shares);
    if (!problem.empty()) {
        UsageError(problem +
                   " --rate und --shares sind Anteile (0.5 steht für 50 %), --stakes und --price "
                   "Beträge in Euro.");
    }
    // The other players' rows are the stakes over the price; were their count infinite, the
    // payout of a class nobody else can win would be no number.
    if (!std::isfinite(pool.stakes / price_)) {
        UsageError(
            "Spieleinsatz und Preis pro Reihe ergeben keine endliche Zahl von Reihen der "
            "anderen Spieler.");
    }
    return pool;
}

void ChancesCommand::Run(std::ostream& out, std::ostream& /*err*/) {
    const bool withPool = publicOption_->count() > 0;
    PoolSettings settings;
    if (withPool)
        settings = PoolOfOptions();

    const Week week = LoadWeek(week_);
    const int n = week.games;
    if (!week.plan.TipsComplete(n)) {
        Failure(week.plan.StatusText(n) + " (ohne Tipp: " + UntippedGamesText(week.plan, n) +
                "). Die Gewinnchancen brauchen in jedem Spiel einen Tipp.");
    }
    const TRowList rows = ReadRows(rows_, n);
    const OutcomeModel model =
        ModelOf(week.filters, n, source_.source, "Eine andere Quelle wählt --source.");
    std::optional<PoolModel> pool;
    if (withPool) {
        const ChanceSource players{ChanceSource::Kind::Percent, settings.publicFilter};
        const std::string hint = ChanceSourceName(players) +
                                 " soll die Tippverteilung der Spieler enthalten (--public).";
        pool = PoolModel{ModelOf(week.filters, n, players, hint), settings.stakes, price_,
                         settings.rate, settings.shares};
    }

    const ChancesResult result = ComputeChances(week.plan, n, week.filters, rows, model, pool);

    JsonWriter json(out);
    json.BeginObject();
    json.Key("p_plan");
    json.Number(result.pPlan);
    json.Key("p_filtered");
    json.Number(result.pFiltered);
    json.Key("p_best");
    Numbers(json, result.all.best);
    json.Key("expected_rows");
    Numbers(json, result.all.expectedRows);
    json.Key("p_best_filtered");
    if (result.filtered)
        Numbers(json, result.filtered->best);
    else
        json.Null();
    json.Key("expected_rows_filtered");
    if (result.filtered)
        Numbers(json, result.filtered->expectedRows);
    else
        json.Null();
    if (result.payout) {
        json.Key("expected_payout");
        json.Number(result.payout->expected);
        json.Key("stake");
        json.Number(result.payout->stake);
        json.Key("payout_by_class");
        Numbers(json, result.payout->byClass);
    }
    json.End();
    json.Finish();
}

}  // namespace velmora::cli
