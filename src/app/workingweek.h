// The week the user works on: its state, every command of every window that changes it, and
// the one observer that learns what each command changed. Windows read the state, call one
// function here per user action and redraw when the observer tells them to; everything they
// must ask or show goes through WeekView. Free of any window toolkit.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs.h"
#include "app/fileset.h"
#include "app/manualentry.h"
#include "app/rearrangement.h"
#include "app/recentfiles.h"
#include "app/rowtext.h"
#include "app/undohistory.h"
#include "app/weekimage.h"
#include "app/workspace.h"
#include "evaluation/chances.h"
#include "evaluation/wintable.h"
#include "filters/percenteditor.h"
#include "filters/valueform.h"
#include "model/generation.h"
#include "model/messages.h"

namespace velmora {

inline constexpr const char* kSaveQuestion = "Sollen Tippplan/-filter gespeichert werden?";
inline constexpr const char* kSaveSystemQuestion = "Soll das System gespeichert werden?";
inline constexpr const char* kEmptySystemNotSaved =
    "Das System enthält keine Tippreihen; es wurde nichts gespeichert.";

// Commands that work on the rows of the system and do nothing while it has none.
enum class RowsCommand {
    PrintSlips,  // "Tippreihen ausdrucken"
    WinTables,   // "Gewinn&tabellen"
    Export,      // "System exportieren…"
    GoToRow,     // "Gehe zu Reihe …"
};
inline constexpr const char* kNothingToPrint =
    "Es gibt nichts zu drucken: Das System enthält noch keine Tippreihen.";
inline constexpr const char* kNoWinTables =
    "Gewinntabellen gibt es erst, wenn das System Tippreihen enthält.";
inline constexpr const char* kNothingToExport =
    "Es gibt nichts zu exportieren: Das System enthält noch keine Tippreihen.";
inline constexpr const char* kNothingToGoTo =
    "Es gibt keine Reihe, zu der gesprungen werden könnte: Das System enthält noch keine "
    "Tippreihen.";
inline constexpr const char* kHowToGetRows =
    "Erstellen Sie ein System mit „System erstellen“ oder öffnen Sie eines mit "
    "„Datei → System öffnen“.";

// What a command changed; the observer receives them or-ed together.
enum WeekChange : unsigned {
    kTipPlanChanged = 1u << 0,    // tendencies, the game count
    kFiltersChanged = 1u << 1,    // any filter, the buttons of blocks and rules
    kRowsChanged = 1u << 2,       // the system and what is said about it
    kFileNamesChanged = 1u << 3,  // the week's and the row file's names
    kSettingsChanged = 1u << 4,   // rows per slip, generation settings, display choices
    kSavedChanged = 1u << 5,      // whether the week or the system is saved
    kHistoryChanged = 1u << 6,    // what "Rückgängig" and "Wiederherstellen" would do
    kEverythingChanged = (1u << 7) - 1,
};
using WeekChanges = unsigned;

class WeekObserver {
  public:
    virtual ~WeekObserver() = default;
    virtual void WeekChanged(WeekChanges what) = 0;
};

enum class Answer { Yes, No, Cancel };

class WeekView : public FileDialogPort, public MessagePort {
  public:
    // A question captioned "Frage" with the answers Yes (true) and No.
    virtual bool Ask(const std::string& question) = 0;
    // The same with a way back: "Abbrechen".
    virtual Answer AskWithCancel(const std::string& question) = 0;
    // A question answered by one of the buttons, each captioned by an answer; nothing when
    // the user closed it without answering.
    virtual std::optional<int> Choose(const std::string& question,
                                      const std::vector<std::string>& answers) = 0;
    virtual void ShowTipPlanEditor() {}
};

// How "System exportieren…" writes the rows: the text form and the rows per file (0: one file).
struct RowExport {
    RowTextOptions text;
    std::int32_t rowsPerFile = 0;
};

// "Gewinnchancen": what one computation gave, with the week's numbers it was made with, or the
// message why there is nothing.
inline constexpr const char* kNoChances = "Die Gewinnchancen lassen sich nicht berechnen.";
struct ChancesOutcome {
    std::optional<ChancesResult> result;
    std::string problem;  // empty with a result
    int games = kMinGames;
    std::int32_t rows = 0;
    std::int64_t pricePerRowCents = 0;
};

// The answers of the question what an import does with the system it finds.
inline constexpr int kImportAppend = 0;
inline constexpr int kImportReplace = 1;

// The sign-change record's four numbers, as the main window's spin fields edit them.
enum class SignChangeField { Min1, Max1, Min2, Max2 };

class WorkingWeek {
  public:
    // Window creation: defaults, with the default names in the given program directory.
    explicit WorkingWeek(std::string programDirectory);

    const Workspace& State() const { return state_; }
    // The one observer; it may be replaced, and nothing is told while there is none.
    void SetObserver(WeekObserver* observer) { observer_ = observer; }

    // The random cut's seed; the clock unless a test sets another source.
    void SetSeedSource(std::function<std::uint64_t()> source) { seedSource_ = std::move(source); }

    // --- The file menu
    // Showing the window at start: slip settings, the default set, the sign-change limits.
    void FormShow(WeekView& view);
    void Neu1Click(WeekView& view);        // "&Neu"
    void ffnen1Click(WeekView& view);      // "Tippplan/Filter ö&ffnen"
    bool Speichern1Click(WeekView& view);  // "Tippplan/Filter &speichern"
    bool Speichernunter1Click(WeekView& view);
    void System1Click(WeekView& view);  // "System &öffnen"
    // Opening a named week or row file, as the two commands above do after their dialog:
    // the same checks, the same question about unsaved work. A file that is not there any
    // more leaves the recent list. Returns whether it was opened.
    bool OpenWeek(const std::string& tipPlanName, WeekView& view);
    bool OpenSystem(const std::string& rowFileName, WeekView& view);
    void Systemffnen1Click(WeekView& view);  // "System anhängen"
    bool Systemspeichern1Click(WeekView& view);
    bool Systemspeichernunter1Click(WeekView& view);
    void AllesSpeichern1Click(WeekView& view);
    // Closing: the working copy, and the questions whether to save. False: the user went
    // back, the program stays open.
    bool FormHide(WeekView& view);

    // The weeks and row files last opened or saved, most recent first, as the file menu lists
    // them; a change is told as kFileNamesChanged. The lists kept from an earlier run are
    // given before the window shows.
    const RecentFiles& RecentWeeks() const { return recentWeeks_; }
    const RecentFiles& RecentSystems() const { return recentSystems_; }
    void SetRecentFiles(const std::vector<std::string>& weeks,
                        const std::vector<std::string>& systems);

    // Whether the week differs from its five files, and whether the system has rows that
    // differ from the row file it was last opened from or saved to.
    bool WeekUnsaved() const;
    bool SystemUnsaved() const;

    // --- Commands on the system
    GenerationOutcome StartClick(AbortFlag& abort, GenerationView& progress);
    void FilterbutClick(AbortFlag& abort, GenerationView& progress);
    void ReihendieOptionenerflleneliminieren1Click();
    void InFremdsystemvorhandeneReiheneliminieren1Click(WeekView& view);
    // "Tippreihen anzeigen": the row display shows the system from now on.
    void Button2Click();
    // Manual entry OK: the grid's columns become the system. They are fetched a part at a
    // time, so that a large system is never held as strings whole. Returns the columns
    // dropped as incomplete, or an error text when the grid does not fit the week.
    struct ManualEntryOutcome {
        int incomplete = 0;
        std::string error;
    };
    using EntryColumns = std::function<std::vector<EntryColumn>(int first, int count)>;
    ManualEntryOutcome TakeOverManualEntry(int columns, int games, const EntryColumns& fetch);
    // A drag in the rearrangement window.
    bool Rearrange(RearrangeMode mode, int fromColumn, int fromRow, int toColumn, int toRow);
    // A win table run; rows the minimum guarantee adds join the system.
    WinTableResult RunWinTable(const WinTableSettings& settings);
    // The same, stoppable and telling its progress; an aborted run leaves the week unchanged.
    WinTableResult RunWinTable(const WinTableSettings& settings, const AbortFlag& abort,
                               RunObserver& observer);

    // "Gewinnchancen": the system's chances under the settings, the pool's worth when they
    // name a percentage filter for the players. An empty system is one that wins nothing.
    // The week stays as it is.
    ChancesOutcome ComputeChances(const ChanceSettings& settings) const;

    // --- Rows as text
    // "System exportieren…": asks for the file name and writes the system there, split into
    // numbered files when it has more rows than a file may hold. The row file stays the
    // system's file. Returns whether everything was written.
    bool ExportSystem(const RowExport& request, WeekView& view);
    // "System importieren…": rows from a text file, appended to the system or replacing it,
    // as the user answers.
    void ImportSystem(WeekView& view);
    // Strg+V: rows from the clipboard's text, appended.
    void PasteRows(const std::string& text, WeekView& view);
    // Strg+C: the rows at the given positions as text, or all rows when none is given.
    std::string CopyRows(const std::vector<std::int32_t>& selected) const;

    // --- The stake
    void SetPricePerRow(std::int64_t cents);
    // How many rows each guarantee level kept when the system the filters give was last
    // reduced with it; nothing for a level not run since the week or its filters changed.
    std::array<std::optional<std::int32_t>, 4> RowsKeptPerLevel() const;

    // --- Undo
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    const UndoHistory& History() const { return history_; }
    void Undo();
    void Redo();

    // --- The tip plan editor
    void SetGameCount(int n);
    void SetTendency(int game, Sign sign, std::int8_t value);

    // --- Main window controls that edit the filters and settings directly
    void SetPercentActive(int filter, bool active);  // filter 1 to 5
    void SetOddsActive(bool active);
    void SetRequiredChains(int required);
    void SetSignChange(SignChangeField field, int value);
    void SetSignChangeOr(bool on);
    void SetGenerationLimit(RowLimit limit);
    void SetGuaranteeLevel(int level);
    void SetOptimised(bool on);
    // "auch Reihen außerhalb der Filter"; it takes effect only with "optimiert".
    void SetOutside(bool on);
    void SetCountText(const std::string& text);
    void SetOptimisation(const OptimisedReductionOptions& options);
    void ChooseRowsPerSlip(int rowsPerSlip, WeekView& view);
    // "Filteranzeige" in the menu, and the display closed by its own button.
    void Filteranzeige1Click();
    void FilterDisplayClosed();

    // --- The filter editors: OK, loading, deleting
    PercentConfirmation ConfirmPercentFilter(int filter, const ValueFormFields& fields);
    // "Block N laden": returns whether anything was loaded.
    bool LoadPercentFilter(int target, int source);
    // Returns the values that could not be read and were kept.
    std::vector<std::string> ConfirmOddsFilter(const ValueFormFields& fields);
    void StoreBlock(int number, const TBlockFilter& block);
    void DeleteBlock(int number);
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
    friend struct WorkingWeekTestAccess;

    void Notify(WeekChanges what);
    // Before a command changes the system or the week's filters: what undo puts back.
    void RememberSystem(const std::string& command);
    void RememberWeek(const std::string& command);
    SystemSnapshot SystemNow() const;
    WeekSnapshot WeekNow() const;
    void RecordSystem(const std::string& command, SystemSnapshot before);
    // The state now, in the parts `like` holds: what the other side of the history keeps.
    UndoStep Current(const UndoStep& like) const;
    void Restore(UndoStep step);
    // After the rows changed: a new revision, and a check that no longer applies.
    void RowsReplaced();
    void KeepRows(bool passing);
    // Rows read from text join the system, or replace it, as one step of `command`.
    void TakeTextRows(TRowList rows, bool replace, const std::string& command);
    bool IsWeekFile(const std::string& name) const;
    void RememberLevelCount(std::uint64_t source);

    bool MayDiscard(bool unsaved, const char* question, WeekView& view,
                    bool (WorkingWeek::*save)(WeekView&));
    bool MayDiscardWeek(WeekView& view);
    bool MayDiscardSystem(WeekView& view);
    void ApplyWeek(const WeekFiles& set);
    void SetFilterDisplayWanted(bool wanted);
    void ShowFilterDisplayIfWanted();
    bool WriteSet(WeekView& view);
    bool WriteRows(WeekView& view);
    void WeekWritten();
    void ClampSignChangeToLimits();

    Workspace state_;
    WeekImage savedWeek_;
    // The rows each guarantee level kept, and what they were taken from: the week, the
    // optimised choice (and whether it could use rows outside the filters), and the system's
    // revision for "Filtern", kFromFullSystem for "System erstellen".
    static constexpr std::uint64_t kFromFullSystem = UINT64_MAX;
    struct LevelCounts {
        WeekImage week;
        bool optimised = false;
        bool outside = false;
        std::uint64_t source = 0;
        std::array<std::optional<std::int32_t>, 4> kept;
    };
    std::optional<LevelCounts> levelCounts_;
    UndoHistory history_;
    std::uint64_t lastRevision_ = 0;
    WeekObserver* observer_ = nullptr;
    std::function<std::uint64_t()> seedSource_;
    RecentFiles recentWeeks_{RecentWeekKey};
    RecentFiles recentSystems_{RecentSystemKey};
};

}  // namespace velmora
