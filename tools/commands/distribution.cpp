#include "commands/distribution.h"

#include <cstdint>

#include "cli_json.h"
#include "cli_support.h"
#include "evaluation/tipdistribution.h"

namespace velmora::cli {

DistributionCommand::DistributionCommand()
    : Command("distribution",
              "Tippverteilung: je Spiel die Zahl der Reihen mit den Zeichen 0, 1 und 2. Ausgabe: "
              "ein JSON-Objekt (counts: je Spiel [Zeichen 0, Zeichen 1, Zeichen 2])") {}

void DistributionCommand::AddOptions(CLI::App& command, const Checks& checks) {
    AddRowFileOptions(command, games_, rows_, checks);
}

void DistributionCommand::Run(std::ostream& out, std::ostream& /*err*/) {
    const TRowList rows = ReadRows(rows_, games_);
    const TipCounts counts = TipDistribution(rows);
    JsonWriter json(out);
    json.BeginObject();
    json.Key("counts");
    json.BeginArray();
    for (int g = 0; g < games_; ++g) {
        json.BeginArray();
        for (const std::int32_t count : counts[g])
            json.Number(count);
        json.End();
    }
    json.End();
    json.End();
    json.Finish();
}

}  // namespace velmora::cli
