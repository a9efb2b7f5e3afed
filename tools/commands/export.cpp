#include "commands/export.h"

#include <algorithm>
#include <limits>
#include <new>
#include <vector>

#include "cli_support.h"

namespace velmora::cli {

ExportCommand::ExportCommand()
    : Command("export",
              "Die Reihen einer Reihendatei als Text schreiben: eine Reihe je Zeile (text), als "
              "CSV mit Kopfzeile (csv) oder als E-Zeilen (eline); mit --split auf nummerierte "
              "Dateien verteilt") {}

void ExportCommand::AddOptions(CLI::App& command, const Checks& checks) {
    AddRowFileOptions(command, games_, rows_, checks);
    command
        .add_option("--format", format_,
                    "text: eine Reihe je Zeile, etwa 1012X…; csv: Kopfzeile, dann je Zeile die "
                    "Reihennummer und die Tipps durch Semikolons getrennt; eline: „E,1,X,2,…“")
        ->type_name("FORMAT")
        ->transform(checks.Choice<RowTextFormat>({{"text", RowTextFormat::Plain},
                                                  {"csv", RowTextFormat::Csv},
                                                  {"eline", RowTextFormat::ELine}},
                                                 "Das Format muss text, csv oder eline sein."))
        ->required();
    drawOption_ = command
                      .add_option("--draw", draw_,
                                  "Das Zeichen des Unentschiedens bei text und csv: 0 (Vorgabe) "
                                  "oder X; E-Zeilen schreiben immer X")
                      ->type_name("ZEICHEN")
                      ->transform(checks.Word(
                          {"0", "X"}, "Das Zeichen des Unentschiedens muss 0 oder X sein."));
    separatorOption_ =
        command
            .add_option("--separator", blankBetween_,
                        "Nur bei text: none schreibt die Tipps einer Reihe ohne Trenner "
                        "(Vorgabe), blank mit einem Leerzeichen dazwischen")
            ->type_name("TRENNER")
            ->transform(checks.Choice<bool>({{"none", false}, {"blank", true}},
                                            "Der Trenner muss none oder blank sein."));
    headingOption_ = command
                         .add_option("--heading", heading_,
                                     "Nur bei eline: eine erste Zeile mit dem Namen des Spiels")
                         ->type_name("TEXT");
    command
        .add_option("--split", split_,
                    "Höchstens so viele Reihen je Datei; mehr Reihen verteilen sich auf "
                    "NAME_1.txt, NAME_2.txt, …")
        ->type_name("R")
        ->transform(checks.Whole(1, std::numeric_limits<std::int32_t>::max(),
                                 "Die Reihenzahl je Datei muss eine ganze Zahl zwischen 1 und "
                                 "2147483647 sein."));
    command.add_option("--out", out_, "Zu schreibende Textdatei (bei --split der Name der Teile)")
        ->type_name("DATEI")
        ->required();
}

void ExportCommand::Run(std::ostream& out, std::ostream& /*err*/) {
    if (separatorOption_->count() > 0 && format_ != RowTextFormat::Plain)
        UsageError("Die Option --separator gilt nur zusammen mit --format text.");
    if (headingOption_->count() > 0 && format_ != RowTextFormat::ELine)
        UsageError("Die Option --heading gilt nur zusammen mit --format eline.");
    if (drawOption_->count() > 0 && format_ == RowTextFormat::ELine) {
        UsageError(
            "Die Option --draw gilt nur zusammen mit --format text oder csv; E-Zeilen schreiben "
            "das Unentschieden immer als X.");
    }
    const TRowList rows = ReadRows(rows_, games_);
    const std::vector<std::string> names = ExportFileNames(out_, rows.Count(), split_);
    for (const std::string& name : names) {
        if (SameExistingFile(rows_, name)) {
            UsageError("Die Textdatei '" + name +
                       "' ist die gelesene Reihendatei; sie würde überschrieben.");
        }
    }

    RowTextOptions options;
    options.format = format_;
    options.draw = draw_.front();
    options.blankBetween = blankBetween_;
    options.heading = heading_;
    // Each part is written whole or not at all; the ones before a failure stay and are named.
    const ExportOutcome outcome = ExportRows(out_, rows, options, split_);
    for (std::size_t k = 0; k < outcome.written.size(); ++k)
        out << "Geschrieben: " << outcome.written[k] << " (" << RowsText(outcome.rowsIn[k])
            << ")\n";
    if (!outcome.ok())
        Failure(outcome.error);
}

}  // namespace velmora::cli
