#include "commands/generate.h"

#include <algorithm>
#include <vector>

#include "model/coverage.h"
#include "model/runcontrol.h"
#include "model/sign.h"

namespace velmora::cli {

namespace {

std::string MissingTipsMessage(const TTipPlan& plan, int games) {
    return plan.StatusText(games) + " (ohne Tipp: " + UntippedGamesText(plan, games) +
           "). Es wurde keine Reihendatei geschrieben.";
}

// The warning that tipped signs occur in no row, one line per sign.
std::string MissingSignsWarning(const TTipPlan& plan, int games, const TRowList& rows) {
    const std::vector<GameSign> missing = MissingSigns(plan, games, UpdateCoverage(rows));
    std::string warning = "Warnung: Nicht jedes getippte Zeichen kommt in den Reihen vor:\n";
    for (int g = 1; g <= games; ++g) {
        for (Sign sign : kDisplayOrder) {
            const GameSign entry{g, sign};
            if (std::find(missing.begin(), missing.end(), entry) == missing.end())
                continue;
            warning += "  Spiel " + std::to_string(g) + ": Tipp " + SignChar(sign) + " fehlt\n";
        }
    }
    return warning;
}

}  // namespace

GenerateCommand::GenerateCommand()
    : Command("generate",
              "Das Vollsystem eines Tippplans unter den Filtern der Woche erzeugen, wahlweise auf "
              "eine Gewinngarantie oder eine Reihenanzahl begrenzen, und als Reihendatei "
              "speichern") {}

void GenerateCommand::AddOptions(CLI::App& command, const Checks& checks) {
    AddWeekOptions(command, week_, true);
    limit_.Add(command, checks);
    command.add_option("--out", out_, "Zu schreibende Reihendatei")->type_name("DATEI")->required();
}

void GenerateCommand::Run(std::ostream& out, std::ostream& err) {
    const Limit limit = limit_.Settings(err);
    ProtectWeekFiles(week_.plan, out_);
    Week week = LoadWeek(week_);
    if (!week.plan.TipsComplete(week.games))
        Failure(MissingTipsMessage(week.plan, week.games));

    TRowList rows(week.games);
    AbortFlag abort;
    ConsoleGenerationView view(err);
    const GenerationOutcome outcome = RunGeneration(week.games, week.plan, week.filters,
                                                    limit.settings, rows, abort, view, limit.seed);
    if (!outcome.generated)
        Failure(MissingTipsMessage(week.plan, week.games));
    if (view.Failed())
        Failure("Es wurde keine Reihendatei geschrieben.");

    WriteResult(out, err, out_, rows, outcome.guaranteeCheck,
                outcome.coverageFailed ? MissingSignsWarning(week.plan, week.games, rows) : "");
}

}  // namespace velmora::cli
