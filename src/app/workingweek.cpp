#include "app/workingweek.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <system_error>

#include "app/binaryfile.h"
#include "app/filesetnames.h"
#include "app/filterfiles.h"
#include "app/rowfile.h"
#include "app/slipsettings.h"
#include "app/utf8path.h"
#include "evaluation/tipdistribution.h"
#include "filters/numberedlist.h"
#include "filters/oddseditor.h"
#include "filters/rowfilter.h"

namespace velmora {
namespace {

std::uint64_t ClockSeed() {
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

FileDialogRequest RowFileRequest(const Workspace& state) {
    return {"Tippreihen|*.prd", "PRD", state.rowFileName};
}

// Whether "Abbruch" left rows without the chosen guarantee. An optimised search broken off
// keeps a complete cover, which its check confirms.
bool BrokenOff(const AbortFlag& abort, const GenerationSettings& settings,
               const std::optional<GuaranteeCheck>& check) {
    return abort.IsSet() && settings.limit == RowLimit::Guarantee && !check;
}

bool FileExists(const std::string& name) {
    const ResolvedFileName file = ResolveFileName(name);
    std::error_code error;
    return file.ok() && std::filesystem::exists(PathOf(file.path), error);
}

// Runs the open dialog and reads the chosen file; reports a refusal and returns nothing.
std::optional<TRowList> ReadRows(const Workspace& state, WeekView& view, const std::string& name) {
    RowFileContent content = ReadRowFile(name, state.games);
    if (!content.ok()) {
        view.ShowMessage(MessageKind::Error, content.error);
        return std::nullopt;
    }
    return std::move(content.rows);
}

// A row file chosen in the dialog, read for a command that only uses its rows.
std::optional<TRowList> ChooseAndReadRows(const Workspace& state, WeekView& view) {
    const std::optional<std::string> name = view.OpenFileName(RowFileRequest(state));
    return name ? ReadRows(state, view, *name) : std::nullopt;
}

bool NothingUnder(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::symlink_status(PathOf(path), ignored).type() ==
           std::filesystem::file_type::not_found;
}

}  // namespace

WorkingWeek::WorkingWeek(std::string programDirectory) : seedSource_(ClockSeed) {
    Workspace& s = state_;
    s.programDirectory = std::move(programDirectory);
    s.tipPlanName = s.programDirectory + "AKTUELLEWOCHE.TTD";
    s.blockFilterName = s.programDirectory + "aktuellewoche.tfd";
    s.filterValueName = s.programDirectory + "aktuelleWoche.bld";
    s.rowFileName = s.programDirectory + "meintip.prd";
    s.slipSettingsName = s.programDirectory + "schein.dat";
    // Until a week is read, the defaults count as saved: nothing the user made is there.
    savedWeek_ = ComparableImageOf(s);
}

// ---------------------------------------------------------------------------------------------
// Telling the observer, remembering steps

void WorkingWeek::Notify(WeekChanges what) {
    if (observer_ != nullptr && what != 0)
        observer_->WeekChanged(what);
}

void WorkingWeek::RememberSystem(const std::string& command) {
    RecordSystem(command, SystemNow());
}

void WorkingWeek::RememberWeek(const std::string& command) {
    UndoStep step;
    step.command = command;
    step.week = WeekNow();
    history_.Record(std::move(step));
}

WeekSnapshot WorkingWeek::WeekNow() const {
    return {state_.games, state_.plan, state_.tipPlanStream, state_.filters};
}

SystemSnapshot WorkingWeek::SystemNow() const {
    return {state_.rows, state_.rowsRevision, state_.guaranteeCheck, state_.guaranteeAborted};
}

void WorkingWeek::RecordSystem(const std::string& command, SystemSnapshot before) {
    UndoStep step;
    step.command = command;
    step.system = std::move(before);
    history_.Record(std::move(step));
}

UndoStep WorkingWeek::Current(const UndoStep& like) const {
    UndoStep current;
    if (like.system)
        current.system = SystemNow();
    if (like.week)
        current.week = WeekNow();
    return current;
}

void WorkingWeek::Restore(UndoStep step) {
    WeekChanges changed = kHistoryChanged | kSavedChanged;
    // The week first: a step may bring back another game count, and the rows of it.
    if (step.week) {
        state_.games = step.week->games;
        state_.plan = std::move(step.week->plan);
        state_.tipPlanStream = std::move(step.week->tipPlanStream);
        state_.filters = std::move(step.week->filters);
        changed |= kTipPlanChanged | kFiltersChanged;
        ShowFilterDisplayIfWanted();
    }
    if (step.system) {
        state_.rows = std::move(step.system->rows);
        state_.rowsRevision = step.system->revision;
        state_.guaranteeCheck = step.system->guaranteeCheck;
        state_.guaranteeAborted = step.system->guaranteeAborted;
        changed |= kRowsChanged;
    }
    if (state_.rows.Games() != state_.games)
        state_.rows.SetGames(state_.games);
    Notify(changed);
}

void WorkingWeek::Undo() {
    if (!history_.CanUndo())
        return;
    // Steps are taken back in order, so a change of the game count comes back before any
    // step of rows of the earlier count.
    Restore(history_.Undo(Current(history_.UndoTop())));
}

void WorkingWeek::Redo() {
    if (!history_.CanRedo())
        return;
    Restore(history_.Redo(Current(history_.RedoTop())));
}

void WorkingWeek::RowsReplaced() {
    state_.rowsRevision = ++lastRevision_;
    state_.guaranteeCheck.reset();
    state_.guaranteeAborted = false;
}

// ---------------------------------------------------------------------------------------------
// Saved or not

bool WorkingWeek::WeekUnsaved() const {
    if (state_.tipPlanName == kNewTipPlanName)
        return true;
    return ComparableImageOf(state_) != savedWeek_;
}

bool WorkingWeek::SystemUnsaved() const {
    return !state_.rows.Empty() && state_.rowsRevision != state_.savedRowsRevision;
}

// Yes saves and goes on only when saving worked, No goes on, Abbrechen goes back.
bool WorkingWeek::MayDiscard(bool unsaved, const char* question, WeekView& view,
                             bool (WorkingWeek::*save)(WeekView&)) {
    if (!unsaved)
        return true;
    switch (view.AskWithCancel(question)) {
        case Answer::Yes:
            return (this->*save)(view);
        case Answer::No:
            return true;
        case Answer::Cancel:
            break;
    }
    return false;
}

bool WorkingWeek::MayDiscardWeek(WeekView& view) {
    return MayDiscard(WeekUnsaved(), kSaveQuestion, view, &WorkingWeek::Speichern1Click);
}

bool WorkingWeek::MayDiscardSystem(WeekView& view) {
    return MayDiscard(SystemUnsaved(), kSaveSystemQuestion, view,
                      &WorkingWeek::Systemspeichern1Click);
}

// ---------------------------------------------------------------------------------------------
// The week's files

void WorkingWeek::ApplyWeek(const WeekFiles& set) {
    Workspace& s = state_;
    s.tipPlanStream = set.records;
    s.games = LoadTipPlan(s.tipPlanStream, s.plan);
    if (s.rows.Games() != s.games) {
        s.rows.SetGames(s.games);
        RowsReplaced();
        s.rowsShown = false;
    }
    // What the files do not hold keeps the window's settings.
    ApplyWeekFilters(set, s.games, s.filters);
    s.weekOnDisk = true;
    ++s.weekSerial;
    // The steps of another week cannot be put back into this one.
    history_.Clear();
    WeekWritten();
}

void WorkingWeek::WeekWritten() {
    savedWeek_ = ComparableImageOf(state_);
}

void WorkingWeek::FormShow(WeekView& view) {
    Workspace& s = state_;
    const ResolvedFileName slipFile = ResolveFileName(s.slipSettingsName);
    const SlipSettings slips = slipFile.ok() ? ReadSlipSettings(slipFile.path)
                                             : SlipSettings{std::nullopt, slipFile.error};
    if (!slips.error.empty()) {
        view.ShowMessage(MessageKind::Error, slips.error);
        Notify(kEverythingChanged);
        return;
    }
    if (slips.rowsPerSlip)
        s.rowsPerSlip = *slips.rowsPerSlip;

    // The default set is read whole first, so that a damaged member leaves nothing half-loaded.
    // The default set's filter files have names of their own, not derived ones.
    WeekFileNames names = DerivedNames(s.tipPlanName);
    names.blocks = s.blockFilterName;
    names.values = s.filterValueName;
    WeekFiles set = ReadWeekFiles(names);
    if (!set.ok()) {
        view.ShowMessage(MessageKind::Error, set.error);
        Notify(kEverythingChanged);
        return;
    }
    CreateMissingSiblings(set);
    const bool valuesPresent = set.valuesPresent;
    ApplyWeek(set);
    s.rows.Clear();
    ShowFilterDisplayIfWanted();
    Notify(kEverythingChanged);
    if (!valuesPresent)
        view.ShowMessage(MessageKind::Error,
                         "Die Filterwertdatei '" + s.filterValueName + "' fehlt.");
}

void WorkingWeek::Neu1Click(WeekView& view) {
    if (!MayDiscardWeek(view) || !MayDiscardSystem(view))
        return;
    Workspace& s = state_;
    s.filters.blocks.clear();
    s.filters.sequences.clear();
    s.rows.Clear();
    RowsReplaced();
    s.savedRowsRevision = s.rowsRevision;
    s.rowFileOwned = false;
    s.rowsShown = false;
    s.plan.Reset();
    s.tipPlanStream.assign(static_cast<std::size_t>(s.games), GameRecord::Blank());
    s.tipPlanName = kNewTipPlanName;
    s.weekOnDisk = false;
    ++s.weekSerial;
    s.filterDisplayShown = false;
    history_.Clear();
    Notify(kEverythingChanged);
    view.ShowTipPlanEditor();
}

void WorkingWeek::ffnen1Click(WeekView& view) {
    Workspace& s = state_;
    // The dialog proposes the week of the program directory under the name it has there
    // (the bundled one is "AKTUELLEWOCHE.TTD"), so that it can be opened as proposed.
    const ResolvedFileName proposed = ResolveFileName(s.programDirectory + "aktuellewoche.ttd");
    std::error_code ignored;
    const bool found =
        proposed.ok() && std::filesystem::is_regular_file(PathOf(proposed.path), ignored);
    const std::optional<std::string> chosen = view.OpenFileName(
        {"Tototipdatei|*.ttd", "", found ? proposed.path : std::string("aktuellewoche.ttd")});
    if (chosen)
        OpenWeek(*chosen, view);
}

bool WorkingWeek::OpenWeek(const std::string& tipPlanName, WeekView& view) {
    Workspace& s = state_;
    WeekFiles set = ReadWeekFiles(tipPlanName);
    if (!set.ok()) {
        view.ShowMessage(MessageKind::Error, set.error);
        // A week whose tip plan is gone cannot be opened from the list again; one that was
        // refused stays, so that it can be tried once it is mended.
        const ResolvedFileName file = ResolveFileName(tipPlanName);
        if (file.ok() && NothingUnder(file.path) && recentWeeks_.Remove(tipPlanName))
            Notify(kFileNamesChanged);
        return false;
    }
    // Rows of another game count do not survive the change.
    const bool dropsRows = static_cast<int>(set.records.size()) != s.rows.Games();
    if (!MayDiscardWeek(view) || (dropsRows && !MayDiscardSystem(view)))
        return false;
    CreateMissingSiblings(set);
    s.tipPlanName = TipPlanNameTtd(tipPlanName);
    s.blockFilterName = BlockFilterName(tipPlanName);
    s.filterValueName = FilterValueName(tipPlanName);
    ApplyWeek(set);
    // An opened week shows its blocks, whatever the menu said before.
    s.filterDisplayShown = !s.filters.blocks.empty();
    recentWeeks_.Push(RecentEntryName(s.tipPlanName));
    Notify(kEverythingChanged);
    return true;
}

void WorkingWeek::SetRecentFiles(const std::vector<std::string>& weeks,
                                 const std::vector<std::string>& systems) {
    recentWeeks_.Assign(weeks);
    recentSystems_.Assign(systems);
    Notify(kFileNamesChanged);
}

// Writes the five files in their order; the tip plan name takes its "TTD" form between
// the first three and the last two. A failed write stops with the files before it written.
bool WorkingWeek::WriteSet(WeekView& view) {
    Workspace& s = state_;
    auto write = [&view](const std::string& name, const Bytes& bytes) {
        const ResolvedFileName file = ResolveFileName(name, true);
        const std::string error = file.ok() ? WriteFileAtomically(file.path, bytes) : file.error;
        if (!error.empty())
            view.ShowMessage(MessageKind::Error, error);
        return error.empty();
    };
    SyncTipPlan(s.tipPlanStream, s.plan);
    const WeekImage image = ImageOf(s);
    bool written = write(s.tipPlanName, image.tipPlan) &&
                   write(SequenceName(s.tipPlanName), image.sequences) &&
                   write(SignChangeName(s.tipPlanName), image.signChange);
    if (written) {
        s.tipPlanName = TipPlanNameTtd(s.tipPlanName);
        written = write(s.blockFilterName, image.blocks) && write(s.filterValueName, image.values);
    }
    if (written) {
        s.weekOnDisk = true;
        WeekWritten();
        recentWeeks_.Push(RecentEntryName(s.tipPlanName));
    }
    Notify(kFileNamesChanged | kSavedChanged);
    return written;
}

bool WorkingWeek::Speichern1Click(WeekView& view) {
    Workspace& s = state_;
    if (s.tipPlanName == kNewTipPlanName) {
        const std::optional<std::string> chosen =
            view.SaveFileName({"Tototipdatei|*.TTD", "TTD", ""});
        if (!chosen)
            return false;
        s.tipPlanName = WithDefaultExtension(*chosen, "TTD");
        s.blockFilterName = BlockFilterName(TipPlanNameTtd(s.tipPlanName));
        s.filterValueName = FilterValueName(TipPlanNameTtd(s.tipPlanName));
        if (!WriteSet(view))
            return false;
        s.filterDisplayShown = false;
        ShowFilterDisplayIfWanted();
        Notify(kSettingsChanged);
        return true;
    }
    return WriteSet(view);
}

bool WorkingWeek::Speichernunter1Click(WeekView& view) {
    Workspace& s = state_;
    const std::optional<std::string> chosen = view.SaveFileName({"Tototipdatei|*.TTD", "TTD", ""});
    if (!chosen)
        return false;
    s.tipPlanName = WithDefaultExtension(*chosen, "TTD");
    s.blockFilterName = BlockFilterName(s.tipPlanName);
    s.filterValueName = FilterValueName(TipPlanNameTtd(s.tipPlanName));
    return WriteSet(view);
}

// ---------------------------------------------------------------------------------------------
// The row file

void WorkingWeek::System1Click(WeekView& view) {
    if (const std::optional<std::string> name = view.OpenFileName(RowFileRequest(state_)))
        OpenSystem(*name, view);
}

bool WorkingWeek::OpenSystem(const std::string& rowFileName, WeekView& view) {
    std::optional<TRowList> rows = ReadRows(state_, view, rowFileName);
    if (!rows) {
        // Kept when refused: a row file of another game count opens with its own week.
        if (NothingUnder(rowFileName) && recentSystems_.Remove(rowFileName))
            Notify(kFileNamesChanged);
        return false;
    }
    if (!MayDiscardSystem(view))
        return false;
    RememberSystem("System öffnen");
    state_.rows = std::move(*rows);
    RowsReplaced();
    state_.rowFileName = rowFileName;
    state_.rowFileOwned = true;
    state_.savedRowsRevision = state_.rowsRevision;
    recentSystems_.Push(RecentEntryName(rowFileName));
    Notify(kRowsChanged | kFileNamesChanged | kSavedChanged | kHistoryChanged);
    return true;
}

// The appended file was only read: it does not become the file the system is saved to, nor
// a recent system.
void WorkingWeek::Systemffnen1Click(WeekView& view) {
    std::optional<TRowList> rows = ChooseAndReadRows(state_, view);
    if (!rows)
        return;
    RememberSystem("System anhängen");
    if (state_.rows.Games() != state_.games)
        state_.rows = std::move(*rows);
    else
        state_.rows.AppendAll(*rows);
    RowsReplaced();
    Notify(kRowsChanged | kSavedChanged | kHistoryChanged);
}

bool WorkingWeek::WriteRows(WeekView& view) {
    Workspace& s = state_;
    if (!IsValidGameCount(s.games) || s.rows.Games() != s.games || s.rows.Empty()) {
        view.ShowMessage(MessageKind::Information, kEmptySystemNotSaved);
        return false;
    }
    if (std::string error = WriteRowFile(s.rowFileName, s.rows); !error.empty()) {
        view.ShowMessage(MessageKind::Error, error);
        return false;
    }
    s.rowFileOwned = true;
    s.savedRowsRevision = s.rowsRevision;
    recentSystems_.Push(RecentEntryName(s.rowFileName));
    Notify(kSavedChanged | kFileNamesChanged);
    return true;
}

// Without a question only into the file the system was opened from or last written to; any
// other existing file is named and overwritten only when the user says so.
bool WorkingWeek::Systemspeichern1Click(WeekView& view) {
    const Workspace& s = state_;
    if (!s.rowFileOwned && !s.rows.Empty() && FileExists(s.rowFileName) &&
        !view.Ask("Die Reihendatei '" + s.rowFileName +
                  "' gehört nicht zu diesem System. Soll sie überschrieben werden?"))
        return false;
    return WriteRows(view);
}

bool WorkingWeek::Systemspeichernunter1Click(WeekView& view) {
    const std::optional<std::string> name = view.SaveFileName(RowFileRequest(state_));
    if (!name)
        return false;
    state_.rowFileName = WithDefaultExtension(*name, "PRD");
    state_.rowFileOwned = false;
    if (WriteRows(view))
        return true;
    Notify(kFileNamesChanged | kSavedChanged);
    return false;
}

void WorkingWeek::AllesSpeichern1Click(WeekView& view) {
    if (Speichern1Click(view) && !state_.rows.Empty())
        Systemspeichern1Click(view);
}

bool WorkingWeek::FormHide(WeekView& view) {
    Workspace& s = state_;
    SyncTipPlan(s.tipPlanStream, s.plan);
    // The working copy of the plan, kept on disk as a last resort.
    std::error_code error;
    const auto copy = std::filesystem::temp_directory_path(error) / "Arbeits.dat";
    if (!error)
        WriteTipPlanFile(NameOf(copy), s.tipPlanStream);
    return MayDiscardWeek(view) && MayDiscardSystem(view);
}

// ---------------------------------------------------------------------------------------------
// Commands on the system

GenerationOutcome WorkingWeek::StartClick(AbortFlag& abort, GenerationView& progress) {
    Workspace& s = state_;
    SystemSnapshot before = SystemNow();
    const GenerationOutcome outcome = RunGeneration(s.games, s.plan, s.filters, s.generation,
                                                    s.rows, abort, progress, seedSource_());
    if (!outcome.generated)
        return outcome;
    RecordSystem("System erstellen", std::move(before));
    RowsReplaced();
    s.guaranteeCheck = outcome.guaranteeCheck;
    s.guaranteeAborted = BrokenOff(abort, s.generation, s.guaranteeCheck);
    RememberLevelCount(kFromFullSystem);
    Notify(kRowsChanged | kSavedChanged | kHistoryChanged);
    return outcome;
}

void WorkingWeek::FilterbutClick(AbortFlag& abort, GenerationView& progress) {
    Workspace& s = state_;
    const std::uint64_t source = s.rowsRevision;
    RememberSystem("Filtern");
    abort.Clear();
    progress.ShowProgressWindow();
    KeepRowsPassing(s.rows, s.filters, true);
    const std::optional<GuaranteeCheck> check = LimitRows(
        s.generation, s.rows, abort, progress, seedSource_(), s.plan.FullSystemSpace(s.games));
    RowsReplaced();
    s.guaranteeCheck = check;
    s.guaranteeAborted = BrokenOff(abort, s.generation, s.guaranteeCheck);
    RememberLevelCount(source);
    progress.HideProgressWindow();
    Notify(kRowsChanged | kSavedChanged | kHistoryChanged);
}

void WorkingWeek::KeepRows(bool passing) {
    KeepRowsPassing(state_.rows, state_.filters, passing);
    RowsReplaced();
    Notify(kRowsChanged | kSavedChanged | kHistoryChanged);
}

void WorkingWeek::ReihendieOptionenerflleneliminieren1Click() {
    RememberSystem("Reihen die Optionen erfüllen eliminieren");
    KeepRows(false);
}

// The foreign file was only read: it does not become the file the system is saved to.
void WorkingWeek::InFremdsystemvorhandeneReiheneliminieren1Click(WeekView& view) {
    const std::optional<TRowList> foreign = ChooseAndReadRows(state_, view);
    if (!foreign)
        return;
    RememberSystem("In Fremdsystem vorhandene Reihen eliminieren");
    if (state_.rows.Games() == state_.games)
        RemoveRowsPresentIn(state_.rows, *foreign);
    RowsReplaced();
    Notify(kRowsChanged | kSavedChanged | kHistoryChanged);
}

void WorkingWeek::Button2Click() {
    if (state_.rows.Empty())
        return;
    state_.rowsShown = true;
    Notify(kSettingsChanged);
}

WorkingWeek::ManualEntryOutcome WorkingWeek::TakeOverManualEntry(int columns, int games,
                                                                 const EntryColumns& fetch) {
    constexpr int kPart = 4096;
    const int n = state_.games;
    if (!IsValidGameCount(n))
        return {0, "Die Reihen können nicht übernommen werden: " + std::to_string(n) +
                       " Spiele sind nicht möglich, erlaubt sind 11 bis 14 Spiele."};
    if (games != n)
        return {0, "Die Reihen können nicht übernommen werden: Die Eingabe hat " +
                       std::to_string(games) + " Spiele, eingestellt sind aber " +
                       std::to_string(n) + " Spiele."};
    TRowList rows(n);
    rows.Reserve(columns);
    int incomplete = 0;
    for (int first = 0; first < columns; first += kPart) {
        const TakeOver part = TakeOverColumns(fetch(first, kPart), n);
        rows.AppendAll(part.rows);
        incomplete += part.incomplete;
    }
    RememberSystem("Manuelle Tippeingabe");
    state_.rows = std::move(rows);
    RowsReplaced();
    Notify(kRowsChanged | kSavedChanged | kHistoryChanged);
    return {incomplete, {}};
}

bool WorkingWeek::Rearrange(RearrangeMode mode, int fromColumn, int fromRow, int toColumn,
                            int toRow) {
    Workspace& s = state_;
    if (s.rows.Games() != s.games)  // an empty list of another game count
        return false;
    SystemSnapshot before = SystemNow();
    if (!ApplyDrag(s.rows, mode, fromColumn, fromRow, toColumn, toRow))
        return false;
    RecordSystem("Systemumstellung", std::move(before));
    RowsReplaced();  // the rows no longer cover the list they were chosen from
    Notify(kRowsChanged | kSavedChanged | kHistoryChanged);
    return true;
}

WinTableResult WorkingWeek::RunWinTable(const WinTableSettings& settings) {
    const AbortFlag never;
    RunObserver quiet;
    return RunWinTable(settings, never, quiet);
}

WinTableResult WorkingWeek::RunWinTable(const WinTableSettings& settings, const AbortFlag& abort,
                                        RunObserver& observer) {
    Workspace& s = state_;
    SystemSnapshot before = SystemNow();
    // An aborted run has taken back its rows itself, so there is nothing to record.
    WinTableResult result =
        velmora::RunWinTable(s.plan, s.games, s.filters, settings, s.rows, abort, observer);
    if (result.rowsAdded > 0) {
        RecordSystem("Mindestgarantie", std::move(before));
        RowsReplaced();
        Notify(kRowsChanged | kSavedChanged | kHistoryChanged);
    }
    return result;
}

ChancesOutcome WorkingWeek::ComputeChances(const ChanceSettings& settings) const {
    const Workspace& s = state_;
    ChancesOutcome outcome;
    outcome.games = s.games;
    outcome.rows = s.rows.Count();
    outcome.pricePerRowCents = s.pricePerRowCents;
    auto refuse = [&](const std::string& why) {
        outcome.problem = std::string(kNoChances) + "\n" + why;
        return outcome;
    };
    // Rows of another length or with other signs than 1, 0 and 2 have no place among the
    // outcomes, and an incomplete plan has no full system to speak of.
    if (const std::string reason = UnusableRowsReason(s.rows, s.games); !reason.empty())
        return refuse(reason);
    if (!s.plan.TipsComplete(s.games))
        return refuse("Im Tippplan fehlen noch Tips.");

    const OutcomeModelOrProblem model = OutcomeModelOf(s.filters, s.games, settings.source);
    if (!model.model)
        return refuse(model.problem);
    std::optional<PoolModel> pool;
    if (const int players = settings.pool.publicFilter; players != 0) {
        const OutcomeModelOrProblem distribution =
            OutcomeModelOf(s.filters, s.games, {ChanceSource::Kind::Percent, players});
        if (!distribution.model)
            return refuse(std::string("Tippverhalten der Spieler – ") + distribution.problem);
        if (s.pricePerRowCents <= 0)
            return refuse(
                "Der Preis pro Reihe ist 0 €. Für die erwartete Auszahlung stellen Sie ihn unter "
                "„Optionen → Preis pro Reihe …“ ein.");
        const double price = static_cast<double>(s.pricePerRowCents) / 100;
        const PoolSettings& p = settings.pool;
        if (const std::string problem = PoolProblem(p.stakes, price, p.rate, p.shares);
            !problem.empty())
            return refuse(problem);
        pool = PoolModel{*distribution.model, p.stakes, price, p.rate, p.shares};
    }
    outcome.result =
        velmora::ComputeChances(s.plan, s.games, s.filters, s.rows, *model.model, pool);
    return outcome;
}

// ---------------------------------------------------------------------------------------------
// The tip plan editor

void WorkingWeek::SetGameCount(int n) {
    Workspace& s = state_;
    const bool changed = n != s.games;
    // The rows of the earlier count go; the step keeps them, so that they are not lost.
    if (changed) {
        UndoStep step;
        step.command = "Spielzahl " + std::to_string(n);
        step.week = WeekNow();
        step.system = SystemNow();
        history_.Record(std::move(step));
    }
    s.games = n;
    ResizeTipPlanStream(s.tipPlanStream, n);
    // Rows of another length cannot be read as rows of n games, nor steps taken back.
    if (s.rows.Games() != n) {
        s.rows.SetGames(n);
        RowsReplaced();
    }
    ClampSignChangeToLimits();
    Notify(kTipPlanChanged | kFiltersChanged | kRowsChanged | kSavedChanged | kHistoryChanged);
}

void WorkingWeek::SetTendency(int game, Sign sign, std::int8_t value) {
    state_.plan.SetTendency(game, sign, value);
    Notify(kTipPlanChanged | kSavedChanged);
}

void WorkingWeek::ClampSignChangeToLimits() {
    ClampToGameCount(state_.filters.signChange, state_.games);
}

// ---------------------------------------------------------------------------------------------
// Filter controls and settings of the main window

void WorkingWeek::SetPercentActive(int filter, bool active) {
    state_.filters.percent[static_cast<std::size_t>(filter - 1)].active = active ? 1 : 0;
    state_.filters.RecomputeChains();
    Notify(kFiltersChanged | kSavedChanged);
}

void WorkingWeek::SetOddsActive(bool active) {
    state_.filters.odds.active = active ? 1 : 0;
    Notify(kFiltersChanged | kSavedChanged);
}

void WorkingWeek::SetRequiredChains(int required) {
    state_.filters.requiredChains = std::clamp(required, 0, state_.filters.chainCount());
    Notify(kFiltersChanged);
}

void WorkingWeek::SetSignChange(SignChangeField field, int value) {
    TSignChangeFilter& f = state_.filters.signChange;
    std::uint8_t* const fields[] = {&f.min1, &f.max1, &f.min2, &f.max2};
    *fields[static_cast<int>(field)] =
        static_cast<std::uint8_t>(std::clamp(value, 0, SignChangeLimit()));
    Notify(kFiltersChanged | kSavedChanged);
}

void WorkingWeek::SetSignChangeOr(bool on) {
    state_.filters.signChange.orSecond = on ? 1 : 0;
    Notify(kFiltersChanged | kSavedChanged);
}

void WorkingWeek::SetGenerationLimit(RowLimit limit) {
    state_.generation.limit = limit;
    Notify(kSettingsChanged);
}

void WorkingWeek::SetGuaranteeLevel(int level) {
    state_.generation.guaranteeLevel = std::clamp(level, 0, 3);
    Notify(kSettingsChanged);
}

void WorkingWeek::SetOptimised(bool on) {
    state_.generation.optimised = on;
    Notify(kSettingsChanged);
}

void WorkingWeek::SetOutside(bool on) {
    state_.generation.outside = on;
    Notify(kSettingsChanged);
}

void WorkingWeek::SetCountText(const std::string& text) {
    state_.generation.countText = text;
    Notify(kSettingsChanged);
}

void WorkingWeek::SetOptimisation(const OptimisedReductionOptions& options) {
    state_.generation.optimisation = options;
    Notify(kSettingsChanged);
}

void WorkingWeek::ChooseRowsPerSlip(int rowsPerSlip, WeekView& view) {
    Workspace& s = state_;
    s.rowsPerSlip = rowsPerSlip;
    const ResolvedFileName file = ResolveFileName(s.slipSettingsName, true);
    const std::string error = file.ok() ? StoreRowsPerSlip(file.path, rowsPerSlip) : file.error;
    Notify(kSettingsChanged);
    if (!error.empty())
        view.ShowMessage(MessageKind::Error, error);
}

void WorkingWeek::ShowFilterDisplayIfWanted() {
    state_.filterDisplayShown = state_.filterDisplayWanted && !state_.filters.blocks.empty();
}

void WorkingWeek::Filteranzeige1Click() {
    const bool wanted = !state_.filterDisplayShown;
    state_.filterDisplayWanted = wanted;
    state_.filterDisplayShown = wanted;
    Notify(kSettingsChanged);
}

void WorkingWeek::FilterDisplayClosed() {
    if (!state_.filterDisplayShown)
        return;
    state_.filterDisplayWanted = false;
    state_.filterDisplayShown = false;
    Notify(kSettingsChanged);
}

// ---------------------------------------------------------------------------------------------
// The filter editors

PercentConfirmation WorkingWeek::ConfirmPercentFilter(int filter, const ValueFormFields& fields) {
    TFilterSet trial = state_.filters;
    PercentConfirmation outcome =
        velmora::ConfirmPercentFilter(fields, state_.games, trial, filter);
    if (!outcome.closed)
        return outcome;
    RememberWeek("Proz. Filter " + std::to_string(filter));
    state_.filters = std::move(trial);
    Notify(kFiltersChanged | kSavedChanged | kHistoryChanged);
    return outcome;
}

bool WorkingWeek::LoadPercentFilter(int target, int source) {
    TFilterSet trial = state_.filters;
    if (!velmora::LoadPercentFilter(trial, target, source))
        return false;
    RememberWeek("Block " + std::to_string(source) + " laden");
    state_.filters = std::move(trial);
    Notify(kFiltersChanged | kSavedChanged | kHistoryChanged);
    return true;
}

std::vector<std::string> WorkingWeek::ConfirmOddsFilter(const ValueFormFields& fields) {
    RememberWeek("Quotenfilter");
    std::vector<std::string> kept =
        velmora::ConfirmOddsFilter(fields, state_.games, state_.filters.odds);
    Notify(kFiltersChanged | kSavedChanged | kHistoryChanged);
    return kept;
}

void WorkingWeek::StoreBlock(int number, const TBlockFilter& block) {
    RememberWeek("Filterblock " + std::to_string(number));
    StoreNumberedEntry(state_.filters.blocks, number, block);
    state_.filterDisplayShown = false;
    ShowFilterDisplayIfWanted();
    Notify(kFiltersChanged | kSavedChanged | kHistoryChanged | kSettingsChanged);
}

void WorkingWeek::DeleteBlock(int number) {
    if (static_cast<std::size_t>(number) > state_.filters.blocks.size() || number < 1)
        return;
    RememberWeek("Blockfilter löschen");
    DeleteNumberedEntry(state_.filters.blocks, number);
    // Deleting the first block takes the display away; it comes back with the next store.
    state_.filterDisplayShown = state_.filterDisplayWanted && number > 1;
    Notify(kFiltersChanged | kSavedChanged | kHistoryChanged | kSettingsChanged);
}

void WorkingWeek::StoreSequence(int number, const TSequenceRule& rule) {
    RememberWeek(std::to_string(number) + ". Sequenz");
    StoreNumberedEntry(state_.filters.sequences, number, rule);
    Notify(kFiltersChanged | kSavedChanged | kHistoryChanged);
}

void WorkingWeek::DeleteSequence(int number) {
    if (static_cast<std::size_t>(number) > state_.filters.sequences.size() || number < 1)
        return;
    RememberWeek("Sequenz löschen");
    DeleteNumberedEntry(state_.filters.sequences, number);
    Notify(kFiltersChanged | kSavedChanged | kHistoryChanged);
}

std::optional<std::string> WorkingWeek::EmptySystemMessage(RowsCommand command) const {
    if (!state_.rows.Empty())
        return std::nullopt;
    const char* why = command == RowsCommand::PrintSlips  ? kNothingToPrint
                      : command == RowsCommand::WinTables ? kNoWinTables
                      : command == RowsCommand::GoToRow   ? kNothingToGoTo
                                                          : kNothingToExport;
    return std::string(why) + "\n" + kHowToGetRows;
}

}  // namespace velmora
