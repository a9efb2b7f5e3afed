#include "commands/info.h"

#include <array>
#include <cstdint>
#include <iomanip>
#include <vector>

#include "cli_json.h"
#include "cli_support.h"
#include "model/sign.h"

namespace velmora::cli {

InfoCommand::InfoCommand()
    : Command("info", "Reihenanzahl und je Spiel die Häufigkeit der Tipps 1, 0 und 2 anzeigen") {}

void InfoCommand::AddOptions(CLI::App& command, const Checks& checks) {
    AddRowFileOptions(command, games_, rows_, checks);
    AddSwitch(command, "--json", json_, "Ausgabe als JSON-Objekt statt als Tabelle", checks);
}

void InfoCommand::Run(std::ostream& out, std::ostream& /*err*/) {
    const int games = games_;
    const TRowList rows = ReadRows(rows_, games);

    // counts[game - 1][sign]
    std::vector<std::array<std::int64_t, kSignCount>> counts(games);
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        const Sign* row = rows.Row(r);
        for (int g = 0; g < games; ++g)
            ++counts[g][row[g]];
    }

    if (json_) {
        JsonWriter json(out);
        json.BeginObject();
        json.Key("games");
        json.Number(games);
        json.Key("rows");
        json.Number(rows.Count());
        json.Key("signs");
        PerGame(json, games, [&](int g, Sign s) { return counts[g - 1][s]; });
        json.End();
        json.Finish();
        return;
    }

    out << "Spiele: " << games << '\n' << "Reihen: " << rows.Count() << "\n\n";
    out << "Spiel";
    for (Sign sign : kDisplayOrder)
        out << std::setw(10) << SignChar(sign);
    out << '\n';
    for (int g = 0; g < games; ++g) {
        out << std::setw(5) << g + 1;
        for (Sign sign : kDisplayOrder)
            out << std::setw(10) << counts[g][sign];
        out << '\n';
    }
}

}  // namespace velmora::cli
