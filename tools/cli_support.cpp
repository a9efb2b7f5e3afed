#include "cli_support.h"

#include <clocale>
#include <filesystem>
#include <system_error>

#include "app/fileset.h"
#include "app/filesetnames.h"
#include "app/rowfile.h"
#include "app/tipplanfile.h"
#include "app/utf8path.h"
#include "model/sign.h"

namespace velmora::cli {

void UsageError(std::string message) {
    throw CliError{std::move(message), kExitUsage};
}

void Failure(std::string message) {
    throw CliError{std::move(message), kExitFailure};
}

std::int64_t WholeInRange(const std::string& text, std::int64_t low, std::int64_t high,
                          const std::string& rule) {
    const std::optional<std::int64_t> value = ParseWhole<std::int64_t>(text);
    if (!value || *value < low || *value > high) {
        UsageError(rule + " Angegeben wurde '" + text + "'.");
    }
    return *value;
}

std::string RowsText(std::int64_t count) {
    return std::to_string(count) + (count == 1 ? " Reihe" : " Reihen");
}

char LocaleDecimalSeparator() {
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    const std::string previous = current != nullptr ? current : "C";
    char separator = '.';
    if (std::setlocale(LC_NUMERIC, "") != nullptr) {
        const char* point = std::localeconv()->decimal_point;
        if (point != nullptr && point[0] != '\0')
            separator = point[0];
    }
    std::setlocale(LC_NUMERIC, previous.c_str());
    return separator;
}

void WriteRows(const std::string& path, const TRowList& rows) {
    const std::string error = WriteRowFile(path, rows);
    if (!error.empty())
        Failure(error);
}

TRowList ReadRows(const std::string& path, int games) {
    RowFileContent content = ReadRowFile(path, games);
    if (content.ok())
        return std::move(content.rows);
    if (content.error == kGameCountMismatch) {
        Failure("Die Datei '" + path + "' passt nicht zu " + std::to_string(games) + " Spielen: " +
                kGameCountMismatch + " (die Dateigröße ist kein Vielfaches der Spielzahl).");
    }
    Failure(content.error);
}

bool SameExistingFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(velmora::PathOf(a), velmora::PathOf(b), error) && !error;
}

void WriteResult(std::ostream& out, std::ostream& err, const std::string& path,
                 const TRowList& rows, const std::optional<GuaranteeCheck>& check,
                 const std::string& warning) {
    std::string report = "Systemgröße: " + RowsText(rows.Count()) + '\n';
    if (check)
        report += GuaranteeCheckText(*check) + '\n';
    WriteRows(path, rows);
    out << report;
    if (check && check->uncovered != 0)
        Failure("Die optimierte Reduktion hat die Gewinngarantie nicht eingehalten.");
    err << warning;
}

void ConsoleGenerationView::ShowMessage(MessageKind kind, const std::string& text) {
    switch (kind) {
        case MessageKind::Information:
            err_ << "Hinweis: ";
            break;
        case MessageKind::Warning:
            err_ << "Warnung: ";
            break;
        case MessageKind::Error:
            err_ << "Fehler: ";
            failed_ = true;
            break;
    }
    err_ << text << '\n';
}

Week LoadWeek(const WeekArgs& args) {
    const WeekFiles files = ReadWeekFiles(args.plan);
    if (!files.ok())
        Failure(files.error);
    Week week;
    week.games = LoadTipPlan(files.records, week.plan);
    week.filters = FiltersOf(files, week.games);
    if (args.requiredOption != nullptr && args.requiredOption->count() > 0) {
        const int chains = week.filters.chainCount();
        week.filters.requiredChains = static_cast<int>(
            WholeInRange(args.required, 0, chains,
                         "Die Zahl der zu erfüllenden Prozentfilterketten muss zwischen 0 und " +
                             std::to_string(chains) + " liegen (so viele Ketten hat die Woche)."));
    }
    return week;
}

// The file a name denotes; a name that fits several files differing only in case ends the
// command.
static std::string Resolved(const std::string& name) {
    ResolvedFileName resolved = ResolveFileName(name);
    if (!resolved.ok())
        Failure(resolved.error);
    return std::move(resolved.path);
}

void ProtectWeekFiles(const std::string& plan, const std::string& givenOut) {
    const std::string out = Resolved(givenOut);
    if (SameExistingFile(Resolved(plan), out)) {
        UsageError("Die Reihendatei '" + givenOut +
                   "' ist die Tippplandatei selbst; sie würde überschrieben.");
    }
    for (const std::string& sibling :
         {BlockFilterName(plan), SequenceName(plan), FilterValueName(plan), SignChangeName(plan)}) {
        if (SameExistingFile(Resolved(sibling), out)) {
            UsageError("Die Reihendatei '" + givenOut +
                       "' ist eine Filterdatei der Woche; sie würde überschrieben.");
        }
    }
}

std::string UntippedGamesText(const TTipPlan& plan, int games) {
    std::string list;
    int untipped = 0;
    for (int g = 1; g <= games; ++g) {
        if (plan.AllowedCount(g) == 0) {
            list.append(untipped++ == 0 ? "" : ", ");
            list.append(std::to_string(g));
        }
    }
    std::string text = untipped == 1 ? "Spiel " : "Spiele ";
    text.append(list);
    return text;
}

void AddWeekOptions(CLI::App& command, WeekArgs& args, bool withRequired) {
    command
        .add_option("--plan", args.plan,
                    "Tippplandatei der Woche (84 Bytes je Spiel, 11 bis 14 Spiele); die "
                    "Filterdateien gleichen Namens (.tfd, .seq, .bld, .tzw, Groß- und "
                    "Kleinschreibung beliebig) gelten mit, eine fehlende schränkt nichts ein")
        ->type_name("DATEI")
        ->required();
    if (withRequired) {
        args.requiredOption =
            command
                .add_option("--required", args.required,
                            "Wie viele Prozentfilterketten eine Reihe erfüllen muss, 0 bis zur "
                            "Zahl der Ketten; ohne Angabe alle")
                ->type_name("K");
    }
}

}  // namespace velmora::cli
