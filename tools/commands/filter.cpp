#include "commands/filter.h"

#include "filters/rowfilter.h"
#include "model/runcontrol.h"

namespace velmora::cli {

FilterCommand::FilterCommand()
    : Command("filter",
              "Die Reihen einer Reihendatei behalten, die alle Filter der Woche erfüllen, und wie "
              "bei generate begrenzen") {}

void FilterCommand::AddOptions(CLI::App& command, const Checks& checks) {
    AddWeekOptions(command, week_, true);
    AddPlanRowsOption(command, rows_);
    limit_.Add(command, checks);
    command.add_option("--out", out_, "Zu schreibende Reihendatei (darf die gelesene Datei sein)")
        ->type_name("DATEI")
        ->required();
}

void FilterCommand::Run(std::ostream& out, std::ostream& err) {
    const Limit limit = limit_.Settings(err);
    ProtectWeekFiles(week_.plan, out_);
    const Week week = LoadWeek(week_);
    TRowList rows = ReadRows(rows_, week.games);

    KeepRowsPassing(rows, week.filters, true);
    AbortFlag abort;
    ConsoleGenerationView view(err);
    const std::optional<GuaranteeCheck> check = LimitRows(
        limit.settings, rows, abort, view, limit.seed, week.plan.FullSystemSpace(week.games));
    if (view.Failed())
        Failure("Es wurde keine Reihendatei geschrieben.");
    WriteResult(out, err, out_, rows, check);
}

}  // namespace velmora::cli
