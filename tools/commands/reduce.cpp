#include "commands/reduce.h"

#include "cli_support.h"
#include "model/reduction.h"
#include "model/runcontrol.h"

namespace velmora::cli {

ReduceCommand::ReduceCommand()
    : Command("reduce", "Eine Reihendatei auf eine Gewinngarantie verkleinern") {}

void ReduceCommand::AddOptions(CLI::App& command, const Checks& checks) {
    AddRowFileOptions(command, games_, rows_, checks);
    command
        .add_option("--guarantee", guarantee_,
                    "Gewinngarantie 1, 2 oder 3: jede Reihe weicht höchstens so viele Spiele von "
                    "einer behaltenen ab")
        ->type_name("K")
        ->transform(checks.Whole(1, 3, "Die Garantiestufe muss 1, 2 oder 3 sein."))
        ->required();
    command.add_option("--out", out_, "Zu schreibende Reihendatei (darf die gelesene Datei sein)")
        ->type_name("DATEI")
        ->required();
}

void ReduceCommand::Run(std::ostream& out, std::ostream& err) {
    TRowList rows = ReadRows(rows_, games_);
    AbortFlag abort;
    RunObserver observer;
    ReduceToGuarantee(rows, guarantee_, abort, observer);
    WriteResult(out, err, out_, rows, std::nullopt);
}

}  // namespace velmora::cli
