// The main window's state and commands, free of any window toolkit. The window shows the
// state and forwards its commands here; everything it must ask or show goes through
// SystemFormView.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/rowfilecommands.h"
#include "app/workspace.h"
#include "model/generation.h"

namespace velmora {

inline constexpr const char* kSaveQuestion = "Sollen Tippplan/-filter gespeichert werden?";

// Commands that work on the rows of the system and do nothing while it has none.
enum class RowsCommand {
    PrintSlips,  // "Tippreihen ausdrucken"
    WinTables,   // "Gewinn&tabellen"
};
inline constexpr const char* kNothingToPrint =
    "Es gibt nichts zu drucken: Das System enthält noch keine Tippreihen.";
inline constexpr const char* kNoWinTables =
    "Gewinntabellen gibt es erst, wenn das System Tippreihen enthält.";
inline constexpr const char* kHowToGetRows =
    "Erstellen Sie ein System mit „System erstellen“ oder öffnen Sie eines mit "
    "„Datei → System öffnen“.";

class SystemFormView : public FileCommandView {
  public:
    // A question captioned "Frage" with the answers Yes (true) and No.
    virtual bool Ask(const std::string& question) = 0;
    virtual void ShowTipPlanEditor() {}
    // Shows or hides the filter display beside the main window.
    virtual void SetFilterDisplayVisible(bool /*visible*/) {}
    virtual void ClearRowDisplay() {}
};

class SystemForm {
  public:
    // Window creation: defaults, with the default names in the given program directory.
    explicit SystemForm(std::string programDirectory);

    Workspace& State() { return state_; }
    const Workspace& State() const { return state_; }

    // The random cut's seed; the clock unless a test sets another source.
    void SetSeedSource(std::function<std::uint64_t()> source) { seedSource_ = std::move(source); }

    // Showing the window at start: slip settings, the default set, the sign-change limits.
    void FormShow(SystemFormView& view);
    // "&Neu"
    void Neu1Click(SystemFormView& view);
    // "Tippplan/Filter öffnen", "… speichern", "… speichern unter", "&Alles speichern"
    void ffnen1Click(SystemFormView& view);
    void Speichern1Click(SystemFormView& view);
    void Speichernunter1Click(SystemFormView& view);
    void AllesSpeichern1Click(SystemFormView& view);
    // Closing: the change test, and the question whether to save.
    void FormHide(SystemFormView& view);
    // Whether the tip plan equals its stored file and no filter was changed.
    bool TipPlanUnchanged();

    // "System erstellen", "Filtern", "Reihen die Optionen erfüllen eliminieren".
    GenerationOutcome StartClick(AbortFlag& abort, GenerationView& progress);
    void FilterbutClick(AbortFlag& abort, GenerationView& progress);
    void ReihendieOptionenerflleneliminieren1Click();

    // The tip plan editor's game-count choice.
    void SetGameCount(int n);
    // A tendency typed or toggled in the tip plan editor.
    void SetTendency(int game, Sign sign, std::int8_t value);

    // Main window controls that edit the filters directly.
    void SetPercentActive(int filter, bool active);  // filter 1 to 5
    void SetOddsActive(bool active);
    void SetRequiredChains(int required);
    void SetSignChangeOr(bool on);
    void RecomputeChains();

    // An editor's OK, deleting a block or a rule. Block changes keep the filters-modified
    // flag set; a change of the sequence rules ends with the buttons rebuilt, which clears it.
    void PercentFilterConfirmed(bool flagsChanged);
    void OddsFilterConfirmed();
    void StoreBlock(int number, const TBlockFilter& block, SystemFormView& view);
    void DeleteBlock(int number, SystemFormView& view);
    void StoreSequence(int number, const TSequenceRule& rule);
    void DeleteSequence(int number);

    // Why a command that needs rows does nothing: the message to show instead of running it,
    // or nothing when the system has rows.
    std::optional<std::string> EmptySystemMessage(RowsCommand command) const;

    // The guarantee choices' captions: N, N-1, N-2, N-3.
    int GuaranteeCaption(int choice) const { return state_.games - choice; }
    // The sign-change fields' upper limit on the window.
    int SignChangeLimit() const { return state_.games - 1; }

  private:
    void ApplyLoadedPlan(TipPlanStream records);
    void UpdateTipPlanStatus();
    void RebuildButtons();
    void RefreshFilterDisplay(SystemFormView& view);
    bool WriteSet(SystemFormView& view);
    void ClampSignChangeToLimits();

    Workspace state_;
    std::function<std::uint64_t()> seedSource_;
};

}  // namespace velmora
