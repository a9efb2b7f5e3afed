// The system's commands of the working week: row files as save targets, what counts as
// unsaved, undo and redo, and what each command tells the observer.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/rowfile.h"
#include "app/weektexts.h"
#include "app/workingweek.h"
#include "support/fakeweekview.h"
#include "support/tempdir.h"
#include "support/testplans.h"
#include "support/weekaccess.h"

namespace velmora {
namespace {

using testing::Arrange;
using testing::RowsFromStrings;
using testing::RowStrings;

struct QuietProgress : GenerationView {};

// Aborts a run as soon as it reports progress, as "Abbruch" does.
struct AbortingProgress : GenerationView {
    explicit AbortingProgress(AbortFlag& flag) : abort(flag) {}
    void ShowProgress(std::int32_t) override { abort.Set(); }
    AbortFlag& abort;
};

class WeekRows : public testing::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        Workspace& s = Arrange(week);
        s.games = 11;
        s.plan = testing::PlanFromTendencies(std::vector<std::string>(11, "321"));
        s.filters = TFilterSet::PassingAll(11);
        s.rows = RowsFromStrings({"11111111111", "22222222222"});
        s.rowFileName = Path("meintip.prd");
        ASSERT_EQ(WriteRowFile(Path("other.prd"), RowsFromStrings({"00000000000", "11111111111"})),
                  "");
        WriteBytes("twelve.prd", std::vector<std::uint8_t>(24, 1));
    }
    std::vector<std::string> Rows() const { return RowStrings(week.State().rows); }
    std::vector<std::string> RowsIn(const std::string& name) const {
        return RowStrings(ReadRowFile(Path(name), 11).rows);
    }

    WorkingWeek week{""};
    testing::FakeWeekView view;
};

TEST_F(WeekRows, OpenReplacesAndAppendAppendsWithoutTakingTheFileAsTarget) {
    view.answers = {Path("other.prd")};
    week.Systemffnen1Click(view);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"11111111111", "22222222222", "00000000000",
                                                "11111111111"}));
    EXPECT_EQ(SystemSizeText(week.State()), "4");
    EXPECT_EQ(view.requests.back().filter, "Tippreihen|*.prd");
    EXPECT_EQ(week.State().rowFileName, Path("meintip.prd"));
    EXPECT_TRUE(week.SystemUnsaved());

    view.answers = {Path("other.prd")};
    week.System1Click(view);  // the appended rows are unsaved: the question comes first
    EXPECT_EQ(view.questions.back(), kSaveSystemQuestion);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"00000000000", "11111111111"}));
    EXPECT_EQ(week.State().rowFileName, Path("other.prd"));
    EXPECT_FALSE(week.SystemUnsaved());
}

TEST_F(WeekRows, CancelledOrRefusedOpenChangesNothing) {
    const TRowList before = week.State().rows;
    week.System1Click(view);  // cancelled
    EXPECT_EQ(week.State().rows, before);

    view.answers = {Path("twelve.prd")};
    week.System1Click(view);
    EXPECT_EQ(view.messages, std::vector<std::string>{"Spielezahlen stimmen nicht überein"});
    EXPECT_EQ(week.State().rows, before);
    EXPECT_EQ(week.State().rowFileName, Path("meintip.prd"));

    // The open dialog passes on a typed name of nothing.
    view.answers = {Path("fehlt.prd")};
    week.Systemffnen1Click(view);
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_NE(view.messages[1].find("existiert nicht"), std::string::npos) << view.messages[1];
    EXPECT_EQ(week.State().rows, before);
    EXPECT_FALSE(week.CanUndo());
}

TEST_F(WeekRows, SaveAndSaveUnder) {
    EXPECT_TRUE(week.Systemspeichern1Click(view));  // no file there yet: nothing to ask
    EXPECT_TRUE(view.questions.empty());
    EXPECT_EQ(RowsIn("meintip.prd"), Rows());

    view.answers = {Path("neu")};
    EXPECT_TRUE(week.Systemspeichernunter1Click(view));
    EXPECT_EQ(week.State().rowFileName, Path("neu.PRD"));
    EXPECT_EQ(view.requests.back().defaultExtension, "PRD");
    EXPECT_EQ(RowsIn("neu.PRD"), Rows());

    view.answers = {Path("missing-dir/x.prd")};
    EXPECT_FALSE(week.Systemspeichernunter1Click(view));
    EXPECT_EQ(view.messages.size(), 1u);
}

// A file that was only read is never the save target: neither a foreign system nor an
// appended one is overwritten by "System speichern" or "Alles speichern".
TEST_F(WeekRows, FilesOnlyReadAreNeverOverwrittenWithoutAQuestion) {
    const std::vector<std::string> other = RowsIn("other.prd");
    view.answers = {Path("other.prd")};
    week.InFremdsystemvorhandeneReiheneliminieren1Click(view);
    EXPECT_EQ(Rows(), std::vector<std::string>{"22222222222"});
    EXPECT_EQ(week.State().rowFileName, Path("meintip.prd"));
    week.Systemspeichern1Click(view);
    EXPECT_EQ(RowsIn("other.prd"), other);
    EXPECT_EQ(RowsIn("meintip.prd"), Rows());

    WriteBytes("empty.prd", {});
    view.answers = {Path("empty.prd")};
    week.Systemffnen1Click(view);
    week.Systemspeichern1Click(view);
    EXPECT_TRUE(ReadBytes("empty.prd").empty());

    // A row file of another system, not opened in this session, is named before it is
    // overwritten; No leaves it as it was.
    WorkingWeek fresh{""};
    Arrange(fresh) = week.State();
    Arrange(fresh).rowFileOwned = false;
    Arrange(fresh).rowFileName = Path("other.prd");
    view.questions.clear();
    EXPECT_FALSE(fresh.Systemspeichern1Click(view));
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_NE(view.questions[0].find(Path("other.prd")), std::string::npos);
    EXPECT_EQ(RowsIn("other.prd"), other);
    view.yes = true;
    EXPECT_TRUE(fresh.Systemspeichern1Click(view));
    EXPECT_EQ(RowsIn("other.prd"), Rows());
    EXPECT_TRUE(fresh.Systemspeichern1Click(view));  // ours now: no second question
    EXPECT_EQ(view.questions.size(), 2u);
}

TEST_F(WeekRows, AnEmptySystemIsNotWrittenOverARowFile) {
    ASSERT_EQ(WriteRowFile(Path("meintip.prd"), week.State().rows), "");
    Arrange(week).rowFileOwned = true;
    week.ReihendieOptionenerflleneliminieren1Click();  // no filter: every row passes, all go
    ASSERT_TRUE(week.State().rows.Empty());
    EXPECT_FALSE(week.Systemspeichern1Click(view));
    EXPECT_EQ(view.messages, std::vector<std::string>{kEmptySystemNotSaved});
    EXPECT_EQ(RowsIn("meintip.prd").size(), 2u);

    // After a change to another game count the system is empty as well.
    week.Undo();
    week.SetGameCount(12);
    EXPECT_EQ(SystemSizeText(week.State()), "0");
    EXPECT_FALSE(week.Systemspeichern1Click(view));
    EXPECT_EQ(RowsIn("meintip.prd").size(), 2u);
}

TEST_F(WeekRows, TheSystemIsUnsavedExactlyWhileItsRowsDifferFromTheRowFile) {
    EXPECT_FALSE(week.SystemUnsaved());  // arranged rows count as read
    AbortFlag abort;
    QuietProgress progress;
    week.StartClick(abort, progress);
    EXPECT_TRUE(week.SystemUnsaved());
    week.Systemspeichern1Click(view);
    EXPECT_FALSE(week.SystemUnsaved());
    week.ReihendieOptionenerflleneliminieren1Click();
    EXPECT_FALSE(week.SystemUnsaved());  // no rows: nothing to lose
    week.Undo();
    EXPECT_FALSE(week.SystemUnsaved());  // back to the saved rows
    week.Redo();
    week.Undo();
    view.answers = {Path("other.prd")};
    week.Systemffnen1Click(view);
    EXPECT_TRUE(week.SystemUnsaved());
    week.Undo();
    EXPECT_FALSE(week.SystemUnsaved());
}

TEST_F(WeekRows, EveryCommandThatChangesTheSystemCanBeTakenBackAndRedone) {
    AbortFlag abort;
    QuietProgress progress;
    auto check = [&](const std::string& caption, auto command) {
        const std::vector<std::string> before = Rows();
        command();
        const std::vector<std::string> after = Rows();
        ASSERT_TRUE(week.CanUndo()) << caption;
        EXPECT_EQ(week.History().UndoTop().command, caption);
        week.Undo();
        EXPECT_EQ(Rows(), before) << caption;
        ASSERT_TRUE(week.CanRedo()) << caption;
        week.Redo();
        EXPECT_EQ(Rows(), after) << caption;
    };
    check("System erstellen", [&] { week.StartClick(abort, progress); });
    EXPECT_EQ(week.State().rows.Count(), 177147);
    TBlockFilter firstIsOne;
    firstIsOne.SetMarked(1, 1, true);
    firstIsOne.minHits = 1;
    firstIsOne.maxHits = 11;
    firstIsOne.maxRun = 11;
    week.StoreBlock(1, firstIsOne);
    check("Filtern", [&] { week.FilterbutClick(abort, progress); });
    EXPECT_EQ(week.State().rows.Count(), 59049);
    week.DeleteBlock(1);
    Arrange(week).rows = RowsFromStrings({"11111111111", "22222222222", "00000000000"});
    week.StoreBlock(1, firstIsOne);
    check("Reihen die Optionen erfüllen eliminieren",
          [&] { week.ReihendieOptionenerflleneliminieren1Click(); });
    view.answers = {Path("other.prd"), Path("other.prd"), Path("other.prd")};
    check("In Fremdsystem vorhandene Reihen eliminieren",
          [&] { week.InFremdsystemvorhandeneReiheneliminieren1Click(view); });
    check("System öffnen", [&] { week.System1Click(view); });
    check("System anhängen", [&] { week.Systemffnen1Click(view); });
    check("Manuelle Tippeingabe", [&] {
        const std::vector<EntryColumn> columns{EntryColumn(11, "2"), EntryColumn(11, "0")};
        week.TakeOverManualEntry(2, 11, [&](int first, int count) {
            return std::vector<EntryColumn>(columns.begin() + std::min(first, 2),
                                            columns.begin() + std::min(first + count, 2));
        });
    });
    EXPECT_EQ(Rows(), (std::vector<std::string>{"22222222222", "00000000000"}));
    check("Systemumstellung", [&] { week.Rearrange(RearrangeMode::Games, 0, 1, 0, 2); });
    check("Spielzahl 12", [&] { week.SetGameCount(12); });
    week.Undo();
    EXPECT_EQ(week.State().games, 11);
    EXPECT_EQ(week.State().rows.Games(), 11);
    week.Redo();
    EXPECT_EQ(week.State().rows.Games(), 12);
    week.Undo();

    // The minimum guarantee of a win table adds rows: two open games, nine fixed to "1".
    std::vector<std::string> games(11, "900");
    games[0] = games[1] = "321";
    week.DeleteBlock(1);
    Arrange(week).plan = testing::PlanFromTendencies(games);
    Arrange(week).rows = RowsFromStrings({"11111111111"});
    WinTableSettings settings;
    settings.minimum[0] = 1;
    check("Mindestgarantie", [&] { EXPECT_GT(week.RunWinTable(settings).rowsAdded, 0); });
}

TEST_F(WeekRows, AGuaranteeRunBrokenOffSaysSo) {
    AbortFlag abort;
    AbortingProgress aborting(abort);
    week.SetGuaranteeLevel(2);
    week.StartClick(abort, aborting);
    EXPECT_TRUE(week.State().guaranteeAborted);
    EXPECT_EQ(GuaranteeText(week.State()), kAbortedGuaranteeText);
    EXPECT_EQ(SystemSizeText(week.State()), std::to_string(week.State().rows.Count()));

    // Any later change of the rows ends what was said about the run.
    week.ReihendieOptionenerflleneliminieren1Click();
    EXPECT_EQ(GuaranteeText(week.State()), "");
    week.Undo();
    EXPECT_EQ(GuaranteeText(week.State()), kAbortedGuaranteeText);

    QuietProgress quiet;
    abort.Clear();
    week.StartClick(abort, quiet);
    EXPECT_FALSE(week.State().guaranteeAborted);
}

TEST_F(WeekRows, EachCommandTellsTheObserverWhatItChanged) {
    testing::ChangeRecorder recorder(week);
    AbortFlag abort;
    QuietProgress progress;
    auto told = [&](auto command) {
        recorder.changes.clear();
        command();
        EXPECT_EQ(recorder.changes.size(), 1u);
        return recorder.changes.empty() ? 0u : recorder.changes.back();
    };
    EXPECT_TRUE(told([&] { week.StartClick(abort, progress); }) & kRowsChanged);
    EXPECT_TRUE(told([&] { week.Undo(); }) & kHistoryChanged);
    EXPECT_TRUE(told([&] { week.SetTendency(1, 1, 0); }) & kTipPlanChanged);
    EXPECT_TRUE(told([&] { week.SetSignChange(SignChangeField::Max1, 5); }) & kFiltersChanged);
    EXPECT_TRUE(told([&] { week.SetOddsActive(true); }) & kFiltersChanged);
    EXPECT_TRUE(told([&] { week.StoreSequence(1, {{1}, 0, 1, 0, 3}); }) & kFiltersChanged);
    EXPECT_TRUE(told([&] { week.Filteranzeige1Click(); }) & kSettingsChanged);
    EXPECT_TRUE(told([&] { week.Button2Click(); }) & kSettingsChanged);
    view.answers = {Path("neu.prd")};
    EXPECT_TRUE(told([&] { week.Systemspeichernunter1Click(view); }) & kFileNamesChanged);
    const WeekChanges grown = told([&] { week.SetGameCount(12); });
    EXPECT_TRUE((grown & kTipPlanChanged) && (grown & kRowsChanged));

    // A cancelled dialog changes nothing and tells nothing.
    recorder.changes.clear();
    week.System1Click(view);
    EXPECT_TRUE(recorder.changes.empty());
}

TEST(UndoHistory, KeepsAFixedNumberOfStepsWithinAMemoryCapDroppingTheOldest) {
    UndoHistory history;
    for (int i = 0; i < 30; ++i)
        history.Record({std::to_string(i), SystemSnapshot{TRowList(11), 0, {}, false}, {}});
    EXPECT_EQ(history.Steps(), UndoHistory::kMaxSteps);
    EXPECT_EQ(history.UndoTop().command, "29");

    // Full 14-game systems: only as many as fit the cap, the newest kept.
    UndoHistory big;
    TRowList full(14);
    full.AssignBytes(std::vector<Sign>(std::size_t{4782969} * 14, Sign{1}));
    for (int i = 0; i < 6; ++i)
        big.Record({std::to_string(i), SystemSnapshot{full, 0, {}, false}, {}});
    EXPECT_LE(big.Bytes(), UndoHistory::kMaxBytes);
    EXPECT_GE(big.Steps(), 3u);
    EXPECT_EQ(big.UndoTop().command, "5");

    // A new step ends what could be redone.
    UndoStep back = big.Undo({});
    EXPECT_TRUE(big.CanRedo());
    big.Record({"neu", SystemSnapshot{TRowList(14), 0, {}, false}, {}});
    EXPECT_FALSE(big.CanRedo());
}

}  // namespace
}  // namespace velmora
