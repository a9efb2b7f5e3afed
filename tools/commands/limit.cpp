#include "commands/limit.h"

#include <chrono>
#include <limits>
#include <string>

#include "cli_support.h"

namespace velmora::cli {

namespace {

std::uint64_t ClockSeed() {
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

void LimitOptions::Add(CLI::App& command, const Checks& checks) {
    guaranteeOption_ =
        command
            .add_option("--guarantee", guarantee_,
                        "Gewinngarantie: 0 behält alle Reihen, 1 bis 3 verkleinern das System so, "
                        "dass jede Reihe höchstens so viele Spiele von einer behaltenen abweicht "
                        "(nicht zusammen mit --count)")
            ->type_name("K")
            ->transform(checks.Whole(0, 3, "Die Garantiestufe muss 0, 1, 2 oder 3 sein."));
    countOption_ = command
                       .add_option("--count", count_,
                                   "Zufällig auf diese Reihenanzahl verkleinern, ganze Zahl ab 0 "
                                   "(nicht zusammen mit --guarantee)")
                       ->type_name("ANZAHL")
                       ->transform(checks.Whole(0, std::numeric_limits<std::int32_t>::max(),
                                                "Die Reihenanzahl muss eine ganze Zahl zwischen 0 "
                                                "und 2147483647 sein."))
                       ->excludes(guaranteeOption_);
    CLI::Option* optimisedOption =
        AddSwitch(command, "--optimised", optimised_,
                  "Mit --guarantee: dieselbe Garantie mit möglichst wenigen Reihen (Suche statt "
                  "festem Durchlauf); das Ergebnis wird geprüft",
                  checks)
            ->needs(guaranteeOption_);
    AddSwitch(command, "--outside", outside_,
              "Mit --optimised: das System darf auch Reihen des Vollsystems des Tippplans "
              "enthalten, die die Filter verwerfen; die Garantie gilt weiter für die gefilterten "
              "Reihen, das System wird dadurch oft deutlich kleiner",
              checks)
        ->needs(optimisedOption);
    secondsOption_ =
        command
            .add_option("--seconds", seconds_,
                        "Rechenzeit der Suche für --optimised in Sekunden (Vorgabe 10)")
            ->type_name("S")
            ->transform(checks.Decimal(0, 86400,
                                       "Die Rechenzeit muss eine Zahl von Sekunden über 0 und "
                                       "höchstens 86400 sein (etwa 30 oder 2.5)."))
            ->needs(optimisedOption);
    stepsOption_ =
        command
            .add_option("--steps", steps_,
                        "Höchstzahl der Suchschritte für --optimised; mit demselben "
                        "--seed ergibt sie unabhängig von der Rechnerlast dieselben "
                        "Reihen, solange --seconds nicht vorher abläuft")
            ->type_name("ANZAHL")
            ->transform(checks.Whole(1, std::numeric_limits<std::int64_t>::max(),
                                     "Die Zahl der Suchschritte muss eine ganze Zahl ab 1 sein."))
            ->needs(optimisedOption);
    seedOption_ = command
                      .add_option("--seed", seed_,
                                  "Startwert des Zufalls für --count (ohne Angabe gilt die "
                                  "Uhrzeit) oder für --optimised (Vorgabe 1)")
                      ->type_name("ZAHL")
                      ->transform(checks.Unsigned("Der Startwert muss eine ganze Zahl zwischen 0 "
                                                  "und 18446744073709551615 sein."));
}

Limit LimitOptions::Settings(std::ostream& err) const {
    const bool byGuarantee = guaranteeOption_->count() > 0;
    const bool byCount = countOption_->count() > 0;
    // Both together CLI11 refuses already (--count excludes --guarantee).
    if (!byGuarantee && !byCount)
        UsageError("Bitte genau eine der Optionen --guarantee und --count angeben.");
    if (seedOption_->count() > 0 && !byCount && !optimised_)
        UsageError("Die Option --seed gilt nur zusammen mit --count oder --optimised.");

    Limit limit;
    if (byGuarantee) {
        limit.settings.limit = RowLimit::Guarantee;
        limit.settings.guaranteeLevel = guarantee_;
        limit.settings.optimised = optimised_;
        limit.settings.outside = outside_;
        if (secondsOption_->count() > 0)
            limit.settings.optimisation.seconds = seconds_;
        if (stepsOption_->count() > 0)
            limit.settings.optimisation.maxIterations = steps_;
        if (seedOption_->count() > 0)
            limit.settings.optimisation.seed = seed_;
        return limit;
    }
    limit.settings.limit = RowLimit::Count;
    limit.settings.countText = std::to_string(count_);
    if (seedOption_->count() > 0) {
        limit.seed = seed_;
    } else {
        limit.seed = ClockSeed();
        err << "Hinweis: Zufallsstartwert " << limit.seed << " (mit --seed " << limit.seed
            << " wiederholbar)\n";
    }
    return limit;
}

}  // namespace velmora::cli
