#include "app/systemform.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <system_error>

#include "app/binaryfile.h"
#include "app/fileset.h"
#include "app/filesetnames.h"
#include "app/filterfiles.h"
#include "app/slipsettings.h"
#include "filters/numberedlist.h"
#include "filters/rowfilter.h"

namespace velmora {
namespace {

std::uint64_t ClockSeed() {
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

}  // namespace

SystemForm::SystemForm(std::string programDirectory) : seedSource_(ClockSeed) {
    Workspace& s = state_;
    s.programDirectory = std::move(programDirectory);
    s.tipPlanName = s.programDirectory + "AKTUELLEWOCHE.TTD";
    s.blockFilterName = s.programDirectory + "aktuellewoche.tfd";
    s.filterValueName = s.programDirectory + "aktuelleWoche.bld";
    s.rowFileName = s.programDirectory + "meintip.prd";
    s.slipSettingsName = s.programDirectory + "schein.dat";
    UpdateTipPlanStatus();
}

void SystemForm::UpdateTipPlanStatus() {
    state_.lowerStatus = state_.plan.StatusText(state_.games);
}

void SystemForm::ApplyLoadedPlan(TipPlanStream records) {
    state_.tipPlanStream = std::move(records);
    state_.games = LoadTipPlan(state_.tipPlanStream, state_.plan);
    state_.rows.SetGames(state_.games);
    state_.upperStatus = "TOTOTIP: " + state_.tipPlanName;
    UpdateTipPlanStatus();
}

void SystemForm::RebuildButtons() {
    state_.filtersModified = false;
}

void SystemForm::FormShow(SystemFormView& view) {
    Workspace& s = state_;
    const ResolvedFileName slipFile = ResolveFileName(s.slipSettingsName);
    const SlipSettings slips = slipFile.ok() ? ReadSlipSettings(slipFile.path)
                                             : SlipSettings{std::nullopt, slipFile.error};
    if (!slips.error.empty()) {
        view.ShowMessage(MessageKind::Error, slips.error);
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
        return;
    }
    CreateMissingSiblings(set);
    ApplyLoadedPlan(std::move(set.records));
    s.filters.sequences = std::move(set.sequences);
    s.filters.blocks = std::move(set.blocks);
    RebuildButtons();
    if (!set.valuesPresent) {
        view.ShowMessage(MessageKind::Error,
                         "Die Filterwertdatei '" + s.filterValueName + "' fehlt.");
        return;
    }
    ApplyFilterValues(set.values, s.filters.odds, s.filters.percent);
    // The stored sign-change settings count as well; without them every start would
    // quietly fall back to the window's defaults and the next save would overwrite them.
    ApplySignChange(set.signChange, s.filters.signChange);
    RecomputeChains();

    s.rows.Clear();
    if (s.filterDisplayWanted && !s.filters.blocks.empty())
        view.SetFilterDisplayVisible(true);
    ClampSignChangeToLimits();
}

void SystemForm::Neu1Click(SystemFormView& view) {
    Workspace& s = state_;
    s.filters.blocks.clear();
    s.filters.sequences.clear();
    RebuildButtons();
    s.rows.Clear();
    s.systemSizeText.clear();
    s.guaranteeText.clear();
    s.plan.Reset();
    s.tipPlanStream.assign(static_cast<std::size_t>(s.games), GameRecord::Blank());
    s.lowerStatus = "Es Fehlen noch Tips";
    s.tipPlanName = kNewTipPlanName;
    s.upperStatus = std::string("TOTOTIP ") + kNewTipPlanName;
    view.ClearRowDisplay();
    view.ShowTipPlanEditor();
    view.SetFilterDisplayVisible(false);
    s.filtersModified = true;
}

void SystemForm::ffnen1Click(SystemFormView& view) {
    Workspace& s = state_;
    // The dialog proposes the week of the program directory under the name it has there
    // (the bundled one is "AKTUELLEWOCHE.TTD"), so that it can be opened as proposed.
    const ResolvedFileName proposed = ResolveFileName(s.programDirectory + "aktuellewoche.ttd");
    std::error_code ignored;
    const bool found = proposed.ok() && std::filesystem::is_regular_file(proposed.path, ignored);
    const std::optional<std::string> chosen = view.OpenFileName(
        {"Tototipdatei|*.ttd", "", found ? proposed.path : std::string("aktuellewoche.ttd")});
    if (chosen) {
        WeekFiles set = ReadWeekFiles(*chosen);
        if (!set.ok()) {
            view.ShowMessage(MessageKind::Error, set.error);
            return;
        }
        CreateMissingSiblings(set);
        s.tipPlanName = *chosen;
        s.blockFilterName = BlockFilterName(*chosen);
        s.filterValueName = FilterValueName(*chosen);
        ApplyLoadedPlan(std::move(set.records));
        s.filters.blocks = std::move(set.blocks);
        s.filters.sequences = std::move(set.sequences);
        RebuildButtons();
        ApplyFilterValues(set.values, s.filters.odds, s.filters.percent);
        view.ClearRowDisplay();
        view.SetFilterDisplayVisible(false);
        if (!s.filters.blocks.empty())
            view.SetFilterDisplayVisible(true);
        ApplySignChange(set.signChange, s.filters.signChange);
        s.tipPlanName = TipPlanNameTtd(s.tipPlanName);
        ClampSignChangeToLimits();
    }
    RecomputeChains();
}

// Writes the five files in their order; the tip plan name takes its "TTD" form between
// the first three and the last two. A failed write stops with the files before it written.
bool SystemForm::WriteSet(SystemFormView& view) {
    Workspace& s = state_;
    auto write = [&view](const std::string& name, const Bytes& bytes) {
        const ResolvedFileName file = ResolveFileName(name, true);
        const std::string error = file.ok() ? WriteFileAtomically(file.path, bytes) : file.error;
        if (!error.empty())
            view.ShowMessage(MessageKind::Error, error);
        return error.empty();
    };
    Bytes plan;
    for (const GameRecord& record : s.tipPlanStream)
        plan.insert(plan.end(), record.bytes.begin(), record.bytes.end());
    if (!write(s.tipPlanName, plan) ||
        !write(SequenceName(s.tipPlanName), EncodeSequences(s.filters.sequences)) ||
        !write(SignChangeName(s.tipPlanName), EncodeSignChange(s.filters.signChange)))
        return false;
    s.tipPlanName = TipPlanNameTtd(s.tipPlanName);
    return write(s.blockFilterName, EncodeBlocks(s.filters.blocks)) &&
           write(s.filterValueName, EncodeFilterValues(s.filters.odds, s.filters.percent));
}

void SystemForm::Speichern1Click(SystemFormView& view) {
    Workspace& s = state_;
    SyncTipPlan(s.tipPlanStream, s.plan);
    bool named = false;
    if (s.tipPlanName == kNewTipPlanName) {
        const std::optional<std::string> chosen =
            view.SaveFileName({"Tototipdatei|*.TTD", "TTD", ""});
        if (!chosen)
            return;
        s.tipPlanName = WithDefaultExtension(*chosen, "TTD");
        s.blockFilterName = BlockFilterName(TipPlanNameTtd(s.tipPlanName));
        s.filterValueName = FilterValueName(TipPlanNameTtd(s.tipPlanName));
        named = true;
    }
    if (!WriteSet(view))
        return;
    if (named)
        RefreshFilterDisplay(view);
    s.filtersModified = false;
}

void SystemForm::Speichernunter1Click(SystemFormView& view) {
    Workspace& s = state_;
    const std::optional<std::string> chosen = view.SaveFileName({"Tototipdatei|*.TTD", "TTD", ""});
    if (!chosen)
        return;
    SyncTipPlan(s.tipPlanStream, s.plan);
    s.tipPlanName = WithDefaultExtension(*chosen, "TTD");
    s.blockFilterName = BlockFilterName(s.tipPlanName);
    s.filterValueName = FilterValueName(TipPlanNameTtd(s.tipPlanName));
    if (!WriteSet(view))
        return;
    s.filtersModified = false;
}

void SystemForm::AllesSpeichern1Click(SystemFormView& view) {
    Speichern1Click(view);
    Systemspeichern1Click(state_, view);
}

bool SystemForm::TipPlanUnchanged() {
    Workspace& s = state_;
    SyncTipPlan(s.tipPlanStream, s.plan);
    // The working copy of the plan, kept on disk as a last resort.
    std::error_code error;
    const auto copy = std::filesystem::temp_directory_path(error) / "Arbeits.dat";
    if (!error)
        WriteTipPlanFile(copy.string(), s.tipPlanStream);

    if (s.tipPlanName == kNewTipPlanName || s.filtersModified)
        return false;
    const ResolvedFileName storedFile = ResolveFileName(s.tipPlanName);
    if (!storedFile.ok())
        return false;
    const TipPlanFileContent stored = ReadTipPlanFile(storedFile.path);
    if (!stored.ok() || stored.records.size() != s.tipPlanStream.size())
        return false;
    for (std::size_t g = 0; g < stored.records.size(); ++g) {
        TTipPlan a, b;
        LoadTipPlan({stored.records[g]}, a);
        LoadTipPlan({s.tipPlanStream[g]}, b);
        if (a.Game(1) != b.Game(1))
            return false;
    }
    return true;
}

void SystemForm::FormHide(SystemFormView& view) {
    SyncTipPlan(state_.tipPlanStream, state_.plan);
    if (!TipPlanUnchanged() && view.Ask(kSaveQuestion))
        Speichern1Click(view);
}

GenerationOutcome SystemForm::StartClick(AbortFlag& abort, GenerationView& progress) {
    Workspace& s = state_;
    const GenerationOutcome outcome = RunGeneration(s.games, s.plan, s.filters, s.generation,
                                                    s.rows, abort, progress, seedSource_());
    if (outcome.generated) {
        ShowChangedSystem(s);
        if (outcome.guaranteeCheck)
            s.guaranteeText = GuaranteeCheckText(*outcome.guaranteeCheck);
    }
    return outcome;
}

void SystemForm::FilterbutClick(AbortFlag& abort, GenerationView& progress) {
    Workspace& s = state_;
    abort.Clear();
    progress.ShowProgressWindow();
    std::vector<bool> keep(static_cast<std::size_t>(s.rows.Count()));
    for (std::int32_t r = 0; r < s.rows.Count(); ++r)
        keep[r] = rowPassesFilters(s.rows.Row(r), s.filters, s.games);
    s.rows.KeepWhere(keep);
    const std::optional<GuaranteeCheck> check =
        LimitRows(s.generation, s.rows, abort, progress, seedSource_());
    ShowChangedSystem(s);
    if (check)
        s.guaranteeText = GuaranteeCheckText(*check);
    progress.HideProgressWindow();
}

void SystemForm::ReihendieOptionenerflleneliminieren1Click() {
    Workspace& s = state_;
    std::vector<bool> keep(static_cast<std::size_t>(s.rows.Count()));
    for (std::int32_t r = 0; r < s.rows.Count(); ++r)
        keep[r] = !rowPassesFilters(s.rows.Row(r), s.filters, s.games);
    s.rows.KeepWhere(keep);
    ShowChangedSystem(s);
}

std::optional<std::string> SystemForm::EmptySystemMessage(RowsCommand command) const {
    if (!state_.rows.Empty())
        return std::nullopt;
    const char* why = command == RowsCommand::PrintSlips ? kNothingToPrint : kNoWinTables;
    return std::string(why) + "\n" + kHowToGetRows;
}

void SystemForm::SetGameCount(int n) {
    Workspace& s = state_;
    s.games = n;
    ResizeTipPlanStream(s.tipPlanStream, n);
    // Rows of another length cannot be read as rows of n games.
    if (s.rows.Games() != n) {
        s.rows.SetGames(n);
        s.systemSizeText.clear();
        s.guaranteeText.clear();
    }
    ClampSignChangeToLimits();
    UpdateTipPlanStatus();
}

void SystemForm::SetTendency(int game, Sign sign, std::int8_t value) {
    state_.plan.SetTendency(game, sign, value);
    UpdateTipPlanStatus();
}

void SystemForm::ClampSignChangeToLimits() {
    ClampToGameCount(state_.filters.signChange, state_.games);
}

void SystemForm::SetPercentActive(int filter, bool active) {
    state_.filters.percent[static_cast<std::size_t>(filter - 1)].active = active ? 1 : 0;
    RecomputeChains();
}

void SystemForm::SetOddsActive(bool active) {
    state_.filters.odds.active = active ? 1 : 0;
}

void SystemForm::SetRequiredChains(int required) {
    state_.filters.requiredChains = std::clamp(required, 0, state_.filters.chainCount());
}

void SystemForm::SetSignChangeOr(bool on) {
    state_.filters.signChange.orSecond = on ? 1 : 0;
}

void SystemForm::RecomputeChains() {
    state_.filters.RecomputeChains();
}

void SystemForm::PercentFilterConfirmed(bool flagsChanged) {
    state_.filtersModified = true;
    if (flagsChanged)
        RecomputeChains();
}

void SystemForm::OddsFilterConfirmed() {
    state_.filtersModified = true;
}

void SystemForm::RefreshFilterDisplay(SystemFormView& view) {
    view.SetFilterDisplayVisible(false);
    if (state_.filterDisplayWanted && !state_.filters.blocks.empty())
        view.SetFilterDisplayVisible(true);
}

void SystemForm::StoreBlock(int number, const TBlockFilter& block, SystemFormView& view) {
    StoreNumberedEntry(state_.filters.blocks, number, block);
    RebuildButtons();
    state_.filtersModified = true;
    RefreshFilterDisplay(view);
}

void SystemForm::DeleteBlock(int number, SystemFormView& view) {
    if (!DeleteNumberedEntry(state_.filters.blocks, number))
        return;
    RebuildButtons();
    state_.filtersModified = true;
    view.SetFilterDisplayVisible(false);
    if (state_.filterDisplayWanted && number > 1)
        view.SetFilterDisplayVisible(true);
}

void SystemForm::StoreSequence(int number, const TSequenceRule& rule) {
    StoreNumberedEntry(state_.filters.sequences, number, rule);
    state_.filtersModified = true;
    RebuildButtons();
}

void SystemForm::DeleteSequence(int number) {
    if (DeleteNumberedEntry(state_.filters.sequences, number))
        RebuildButtons();
}

}  // namespace velmora
