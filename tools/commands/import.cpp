#include "commands/import.h"

#include "app/rowtext.h"
#include "cli_support.h"

namespace velmora::cli {

ImportCommand::ImportCommand()
    : Command("import",
              "Reihen aus einer Textdatei lesen (eine Reihe je Zeile mit 1, 0, X und 2, CSV oder "
              "E-Zeilen) und als Reihendatei speichern; eine unlesbare Zeile weist die ganze "
              "Datei ab") {}

void ImportCommand::AddOptions(CLI::App& command, const Checks& checks) {
    AddGamesOption(command, games_, checks);
    command.add_option("--text", text_, "Zu lesende Textdatei")->type_name("DATEI")->required();
    command.add_option("--out", out_, "Zu schreibende Reihendatei")->type_name("DATEI")->required();
}

void ImportCommand::Run(std::ostream& out, std::ostream& err) {
    if (SameExistingFile(text_, out_)) {
        UsageError("Die Reihendatei '" + out_ +
                   "' ist die gelesene Textdatei; sie würde überschrieben.");
    }
    const RowTextContent content = ReadRowTextFile(text_, games_);
    if (!content.ok())
        Failure(content.error);
    WriteResult(out, err, out_, content.rows, std::nullopt);
}

}  // namespace velmora::cli
