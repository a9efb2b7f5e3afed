#include "commands/eliminate.h"

#include "filters/rowfilter.h"

namespace velmora::cli {

EliminateCommand::EliminateCommand()
    : Command("eliminate",
              "Aus einer Reihendatei jede Reihe entfernen, die alle Filter der Woche erfüllt; "
              "ohne Verkleinerung") {}

void EliminateCommand::AddOptions(CLI::App& command, const Checks& /*checks*/) {
    AddWeekOptions(command, week_, true);
    AddPlanRowsOption(command, rows_);
    command.add_option("--out", out_, "Zu schreibende Reihendatei (darf die gelesene Datei sein)")
        ->type_name("DATEI")
        ->required();
}

void EliminateCommand::Run(std::ostream& out, std::ostream& err) {
    ProtectWeekFiles(week_.plan, out_);
    const Week week = LoadWeek(week_);
    TRowList rows = ReadRows(rows_, week.games);
    KeepRowsPassing(rows, week.filters, false);
    WriteResult(out, err, out_, rows, std::nullopt);
}

}  // namespace velmora::cli
