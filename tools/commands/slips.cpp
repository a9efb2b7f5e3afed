#include "commands/slips.h"

#include <cstdint>
#include <optional>
#include <string>

#include "app/slipprint.h"
#include "cli_json.h"
#include "cli_support.h"

namespace velmora::cli {

SlipsCommand::SlipsCommand()
    : Command("slips",
              "Scheindruck: wohin jede Ziffer der Reihen auf den Druckseiten kommt, neun Scheine "
              "je Seite, in Zehntelmillimetern, y nach oben. Ausgabe: ein JSON-Objekt (documents: "
              "je Seite eine Liste von [x, y, Text])") {}

void SlipsCommand::AddOptions(CLI::App& command, const Checks& checks) {
    AddRowFileOptions(command, games_, rows_, checks);
    command.add_option("--per-slip", perSlip_, "Reihen je Schein: 6, 8, 10 oder 12")
        ->type_name("R")
        ->transform(checks.RowsPerSlip())
        ->required();
    // Read as the program reads the calibration, and handed on in tenths of a millimetre.
    auto offset = [&checks](const std::string& which) {
        const std::string rule = "Der " + which +
                                 " Versatz muss eine Zahl von -20 bis 20 mm mit höchstens "
                                 "einer Nachkommastelle sein.";
        return checks.Of(
            [rule](std::string& text) {
                const std::optional<int> tenths = ParseSlipOffset(text);
                if (!tenths)
                    return rule + " Angegeben wurde '" + text + "'.";
                text = std::to_string(*tenths);
                return std::string();
            },
            "-20,0 bis 20,0");
    };
    command
        .add_option(
            "--offset-x", offsetRight_,
            "Scheinjustierung: jede Ziffer so viele Millimeter nach rechts (negativ: links)")
        ->type_name("MM")
        ->transform(offset("waagerechte"));
    command
        .add_option("--offset-y", offsetDown_,
                    "Scheinjustierung: jede Ziffer so viele Millimeter nach unten (negativ: oben)")
        ->type_name("MM")
        ->transform(offset("senkrechte"));
}

void SlipsCommand::Run(std::ostream& out, std::ostream& /*err*/) {
    const TRowList rows = ReadRows(rows_, games_);

    // One page at a time, in one buffer reserved before anything is printed.
    SlipDocument calls;
    calls.reserve(MaxSlipPageCalls(games_, perSlip_));
    JsonWriter json(out);
    json.BeginObject();
    json.Key("documents");
    json.BeginArray();
    const std::int32_t pages = SlipPageCount(rows, perSlip_);
    for (std::int32_t page = 0; page < pages; ++page) {
        LayoutSlipPage(rows, perSlip_, page, calls, {offsetRight_, offsetDown_});
        json.BeginArray();
        for (const DrawCall& call : calls) {
            json.BeginArray();
            json.Number(call.x);
            json.Number(call.y);
            json.String(call.text);
            json.End();
        }
        json.End();
    }
    json.End();
    json.End();
    json.Finish();
}

}  // namespace velmora::cli
