// The week's commands that take rows in and out as text: export, import, the clipboard, and
// the stake and the guarantee levels' row counts shown beside the system.
#include <filesystem>
#include <system_error>

#include "app/filesetnames.h"
#include "app/utf8path.h"
#include "app/workingweek.h"

namespace velmora {
namespace {

FileDialogRequest ExportRequest(const Workspace& state, RowTextFormat format) {
    const bool csv = format == RowTextFormat::Csv;
    std::filesystem::path name = PathOf(state.rowFileName).replace_extension(csv ? ".csv" : ".txt");
    return {csv ? "CSV-Dateien|*.csv" : "Textdateien|*.txt", csv ? "csv" : "txt", NameOf(name)};
}

bool Exists(const std::string& name) {
    std::error_code error;
    return std::filesystem::exists(PathOf(name), error);
}

std::string Quoted(const std::string& name) {
    return "'" + name + "'";
}

// Rows outside the filters are open to the optimised reduction only; without it the choice
// does not change what a level keeps.
bool UsesOutsideRows(const GenerationSettings& settings) {
    return settings.optimised && settings.outside;
}

std::string RowsText(std::int64_t count) {
    return std::to_string(count) + (count == 1 ? " Reihe" : " Reihen");
}

std::string ListOfNames(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + Quoted(name);
    return list;
}

// What a split export says it wrote, and a part of an earlier export that is not part of it.
std::string SplitReport(const ExportOutcome& outcome, std::int32_t rows, std::int32_t perFile,
                        const std::string& target) {
    std::string report = "Das System (" + RowsText(rows) + ") steht in " +
                         std::to_string(outcome.written.size()) + " Dateien:";
    for (std::size_t k = 0; k < outcome.written.size(); ++k) {
        report += '\n';
        report += Quoted(outcome.written[k]) + " (" + RowsText(outcome.rowsIn[k]) + ")";
    }
    const std::vector<std::string> longer =
        ExportFileNames(target, perFile * std::int32_t(outcome.written.size() + 1), perFile);
    if (Exists(longer.back())) {
        report += "\n\nDie Datei ";
        report += Quoted(longer.back());
        report += " stammt von einer früheren Ausgabe und gehört nicht zu diesem System.";
    }
    return report;
}

}  // namespace

bool WorkingWeek::IsWeekFile(const std::string& name) const {
    const Workspace& s = state_;
    const std::string plan = ResolveFileName(s.tipPlanName).path;
    for (const std::string& file : {plan, s.blockFilterName, s.filterValueName, SequenceName(plan),
                                    SignChangeName(plan), s.rowFileName, s.slipSettingsName}) {
        std::error_code error;
        const std::string resolved = ResolveFileName(file).path;
        if (std::filesystem::equivalent(PathOf(resolved), PathOf(name), error) && !error)
            return true;
    }
    return false;
}

bool WorkingWeek::ExportSystem(const RowExport& request, WeekView& view) {
    if (const std::optional<std::string> empty = EmptySystemMessage(RowsCommand::Export)) {
        view.ShowMessage(MessageKind::Information, *empty);
        return false;
    }
    const std::optional<std::string> name =
        view.SaveFileName(ExportRequest(state_, request.text.format));
    if (!name)
        return false;
    if (IsWeekFile(*name)) {
        view.ShowMessage(MessageKind::Error,
                         "Die Datei " + Quoted(*name) +
                             " gehört zur Woche (Tippplan, Filter, Reihen oder Schein); "
                             "die Reihen wurden nicht exportiert.");
        return false;
    }
    const std::int32_t rows = state_.rows.Count();
    const std::vector<std::string> names = ExportFileNames(*name, rows, request.rowsPerFile);
    if (names.size() > 1) {
        std::vector<std::string> existing;
        for (const std::string& part : names)
            if (Exists(part))
                existing.push_back(part);
        const bool one = existing.size() == 1;
        if (!existing.empty() &&
            !view.Ask((one ? "Die Datei " : "Die Dateien ") + ListOfNames(existing) +
                      (one ? " gibt es schon. Soll sie überschrieben werden?"
                           : " gibt es schon. Sollen sie überschrieben werden?"))) {
            return false;
        }
    }
    const ExportOutcome outcome = ExportRows(*name, state_.rows, request.text, request.rowsPerFile);
    if (!outcome.ok()) {
        std::string text = outcome.error;
        if (!outcome.written.empty())
            text += "\n\nGeschrieben wurden bis dahin: " + ListOfNames(outcome.written) + ".";
        view.ShowMessage(MessageKind::Error, text);
        return false;
    }
    if (names.size() > 1) {
        view.ShowMessage(MessageKind::Information,
                         SplitReport(outcome, rows, request.rowsPerFile, *name));
    }
    return true;
}

void WorkingWeek::ImportSystem(WeekView& view) {
    const std::optional<std::string> name =
        view.OpenFileName({"Tippreihen als Text|*.txt;*.csv", "txt", state_.programDirectory});
    if (!name)
        return;
    RowTextContent content = ReadRowTextFile(*name, state_.games);
    if (!content.ok()) {
        view.ShowMessage(MessageKind::Error, content.error);
        return;
    }
    bool replace = true;
    if (!state_.rows.Empty() && state_.rows.Games() == state_.games) {
        const std::optional<int> answer =
            view.Choose("Die Datei " + Quoted(*name) + " enthält " +
                            RowsText(content.rows.Count()) + ". Sollen sie an das System (" +
                            RowsText(state_.rows.Count()) + ") angehängt werden oder es ersetzen?",
                        {"Anhängen", "Ersetzen", "Abbrechen"});
        if (!answer || (*answer != kImportAppend && *answer != kImportReplace))
            return;
        replace = *answer == kImportReplace;
    }
    TakeTextRows(std::move(content.rows), replace, "System importieren");
}

void WorkingWeek::PasteRows(const std::string& text, WeekView& view) {
    RowTextContent content = ParseRowText(text, state_.games, "Der Text in der Zwischenablage");
    if (!content.ok()) {
        view.ShowMessage(MessageKind::Error, content.error);
        return;
    }
    TakeTextRows(std::move(content.rows), false, "Reihen einfügen");
}

void WorkingWeek::TakeTextRows(TRowList rows, bool replace, const std::string& command) {
    RememberSystem(command);
    if (replace || state_.rows.Games() != state_.games)
        state_.rows = std::move(rows);
    else
        state_.rows.AppendAll(rows);
    RowsReplaced();
    Notify(kRowsChanged | kSavedChanged | kHistoryChanged);
}

std::string WorkingWeek::CopyRows(const std::vector<std::int32_t>& selected) const {
    const TRowList& rows = state_.rows;
    if (selected.empty())
        return RowsAsText(rows, {});
    TRowList chosen(rows.Games());
    chosen.Reserve(static_cast<std::int64_t>(selected.size()));
    for (std::int32_t index : selected)
        if (index >= 0 && index < rows.Count())
            chosen.Append(rows.Row(index));
    return RowsAsText(chosen, {});
}

void WorkingWeek::SetPricePerRow(std::int64_t cents) {
    state_.pricePerRowCents = std::max<std::int64_t>(0, cents);
    Notify(kSettingsChanged);
}

void WorkingWeek::RememberLevelCount(std::uint64_t source) {
    const GenerationSettings& settings = state_.generation;
    if (settings.limit != RowLimit::Guarantee || state_.guaranteeAborted)
        return;
    const int level = settings.guaranteeLevel;
    if (level < 0 || level >= 4)
        return;
    WeekImage week = ComparableImageOf(state_);
    const bool outside = UsesOutsideRows(settings);
    if (!levelCounts_ || levelCounts_->week != week ||
        levelCounts_->optimised != settings.optimised || levelCounts_->outside != outside ||
        levelCounts_->source != source) {
        levelCounts_ = LevelCounts{std::move(week), settings.optimised, outside, source, {}};
    }
    levelCounts_->kept[level] = state_.rows.Count();
}

std::array<std::optional<std::int32_t>, 4> WorkingWeek::RowsKeptPerLevel() const {
    const GenerationSettings& settings = state_.generation;
    if (!levelCounts_ || levelCounts_->optimised != settings.optimised ||
        levelCounts_->outside != UsesOutsideRows(settings) ||
        levelCounts_->week != ComparableImageOf(state_)) {
        return {};
    }
    return levelCounts_->kept;
}

}  // namespace velmora
