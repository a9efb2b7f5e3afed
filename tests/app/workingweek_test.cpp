#include "app/workingweek.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "app/filterfiles.h"
#include "app/rowfile.h"
#include "app/weektexts.h"
#include "support/tempdir.h"
#include "support/testplans.h"
#include "support/weekaccess.h"

namespace velmora {
namespace {

using testing::Arrange;

struct FakeView : WeekView {
    std::deque<std::optional<std::string>> answers;  // for the file dialogs, in order
    std::vector<FileDialogRequest> requests;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool yes = false;
    std::deque<Answer> choices;  // for the questions with "Abbrechen"; No when none is left
    int editorShown = 0;

    std::optional<std::string> Next(const FileDialogRequest& request) {
        requests.push_back(request);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> OpenFileName(const FileDialogRequest& r) override { return Next(r); }
    std::optional<std::string> SaveFileName(const FileDialogRequest& r) override { return Next(r); }
    void ShowMessage(MessageKind, const std::string& text) override { messages.push_back(text); }
    bool Ask(const std::string& question) override {
        questions.push_back(question);
        return yes;
    }
    Answer AskWithCancel(const std::string& question) override {
        questions.push_back(question);
        if (choices.empty())
            return Answer::No;
        const Answer answer = choices.front();
        choices.pop_front();
        return answer;
    }
    void ShowTipPlanEditor() override { ++editorShown; }
};

struct FakeProgress : GenerationView {
    std::vector<std::string> messages;
    void ShowMessage(MessageKind, const std::string& text) override { messages.push_back(text); }
};

class SystemFormTest : public testing::TempDirTest {
  protected:
    std::string Dir() const { return dir_.string() + "/"; }

    // A week of n games: games 1 to 6 with three signs, the rest on "1".
    void WriteWeek(const std::string& tipPlanFile, int n) {
        TipPlanStream records(static_cast<std::size_t>(n), GameRecord::Blank());
        TTipPlan plan;
        for (int g = 1; g <= n; ++g) {
            plan.SetTendency(g, 1, 5);
            if (g <= 6) {
                plan.SetTendency(g, 0, 3);
                plan.SetTendency(g, 2, 1);
            }
        }
        SyncTipPlan(records, plan);
        ASSERT_EQ(WriteTipPlanFile(Path(tipPlanFile), records), "");
    }

    void WriteDefaultSet(int n = 11) {
        WriteWeek("AKTUELLEWOCHE.TTD", n);
        std::vector<std::uint8_t> slips(28, 0);
        slips[24] = 8;
        WriteBytes("schein.dat", slips);
        const Bytes values = EncodeFilterValues(TOddsFilter::Defaults(), TPercentFilters{});
        WriteBytes("aktuelleWoche.bld", values);
    }

    WorkingWeek Started() {
        WorkingWeek form(Dir());
        form.FormShow(view);
        return form;
    }

    FakeView view;
};

TEST_F(SystemFormTest, CreationDefaults) {
    const WorkingWeek form(Dir());
    const Workspace& s = form.State();
    EXPECT_EQ(s.games, 11);
    EXPECT_EQ(s.tipPlanName, Dir() + "AKTUELLEWOCHE.TTD");
    EXPECT_EQ(s.filterValueName, Dir() + "aktuelleWoche.bld");
    EXPECT_EQ(s.rowFileName, Dir() + "meintip.prd");
    EXPECT_EQ(s.rowsPerSlip, 12);
    EXPECT_EQ(s.filters.odds, TOddsFilter::Defaults());
    EXPECT_EQ(s.filters.signChange, (TSignChangeFilter{0, 10, 0, 10, 0}));
    EXPECT_EQ(LowerStatusText(s), "Es Fehlen noch Tips");
}

TEST_F(SystemFormTest, CommandsOnAnEmptySystemSayWhyTheyDoNothing) {
    WorkingWeek form(Dir());
    const auto print = form.EmptySystemMessage(RowsCommand::PrintSlips);
    const auto tables = form.EmptySystemMessage(RowsCommand::WinTables);
    ASSERT_TRUE(print && tables);
    EXPECT_EQ(*print, std::string(kNothingToPrint) + "\n" + kHowToGetRows);
    EXPECT_EQ(*tables, std::string(kNoWinTables) + "\n" + kHowToGetRows);

    Arrange(form).rows = testing::RowsFromStrings({"11111111111"});
    EXPECT_FALSE(form.EmptySystemMessage(RowsCommand::PrintSlips));
    EXPECT_FALSE(form.EmptySystemMessage(RowsCommand::WinTables));
    // A change of the game count drops the rows: the commands say so again.
    form.SetGameCount(12);
    EXPECT_TRUE(form.EmptySystemMessage(RowsCommand::PrintSlips));
}

TEST_F(SystemFormTest, ShowingLoadsTheDefaultSet) {
    WriteDefaultSet(13);
    WorkingWeek form = Started();
    const Workspace& s = form.State();
    EXPECT_TRUE(view.messages.empty()) << view.messages.front();
    EXPECT_EQ(s.games, 13);
    EXPECT_EQ(s.rowsPerSlip, 8);
    EXPECT_EQ(LowerStatusText(s), "VOLLSYSTEM: 729 Reihen");
    EXPECT_EQ(UpperStatusText(s), "TOTOTIP: " + Dir() + "AKTUELLEWOCHE.TTD");
    EXPECT_EQ(form.GuaranteeCaption(3), 10);
    EXPECT_FALSE(form.WeekUnsaved());
    // Missing block filter and sequence files are created empty.
    EXPECT_TRUE(std::filesystem::exists(Path("aktuellewoche.tfd")));
    EXPECT_TRUE(std::filesystem::exists(Path("AKTUELLEWOCHE.seq")));
}

TEST_F(SystemFormTest, MissingDefaultFilesStopTheStartWithAMessage) {
    WriteDefaultSet();
    std::filesystem::remove(Path("schein.dat"));
    WorkingWeek withoutSlips = Started();
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(LowerStatusText(withoutSlips.State()), "Es Fehlen noch Tips");

    WriteDefaultSet();
    std::filesystem::remove(Path("aktuelleWoche.bld"));
    view.messages.clear();
    WorkingWeek withoutValues = Started();
    EXPECT_EQ(view.messages, std::vector<std::string>{"Die Filterwertdatei '" +
                                                      Path("aktuelleWoche.bld") + "' fehlt."});
    EXPECT_EQ(LowerStatusText(withoutValues.State()), "VOLLSYSTEM: 729 Reihen");
    EXPECT_FALSE(std::filesystem::exists(Path("aktuelleWoche.bld")));
}

// An empty filter value file lacks even the odds filter: like any damaged member it refuses
// the whole week, at the start and when the week is opened.
TEST_F(SystemFormTest, EmptyFilterValueFileRefusesTheWeek) {
    WriteDefaultSet(13);
    WriteBytes("aktuelleWoche.bld", {});
    WorkingWeek form = Started();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find(Path("aktuelleWoche.bld")), std::string::npos);
    EXPECT_NE(view.messages[0].find("leer"), std::string::npos);
    EXPECT_EQ(LowerStatusText(form.State()), "Es Fehlen noch Tips");

    WriteWeek("week2.ttd", 14);
    WriteBytes("week2.bld", {});
    view.messages.clear();
    view.answers = {Path("week2.ttd")};
    form.ffnen1Click(view);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find(Path("week2.bld")), std::string::npos);
    EXPECT_EQ(form.State().games, 11);
    EXPECT_EQ(form.State().tipPlanName, Dir() + "AKTUELLEWOCHE.TTD");
    EXPECT_FALSE(std::filesystem::exists(Path("week2.tfd")));  // nothing was created

    // Without the file the week opens; the missing files are created, except that one.
    std::filesystem::remove(Path("week2.bld"));
    view.messages.clear();
    view.answers = {Path("week2.ttd")};
    form.ffnen1Click(view);
    EXPECT_TRUE(view.messages.empty()) << view.messages.front();
    EXPECT_EQ(form.State().games, 14);
    EXPECT_TRUE(std::filesystem::exists(Path("week2.tfd")));
    EXPECT_TRUE(std::filesystem::exists(Path("week2.seq")));
    EXPECT_TRUE(std::filesystem::exists(Path("week2.tzw")));
    EXPECT_FALSE(std::filesystem::exists(Path("week2.bld")));
}

TEST_F(SystemFormTest, OpenProposesTheWeekUnderItsNameOnDisk) {
    WorkingWeek bare(Dir());
    bare.ffnen1Click(view);  // cancelled
    EXPECT_EQ(view.requests.back().initialName, "aktuellewoche.ttd");

    WriteDefaultSet(13);
    WorkingWeek form = Started();
    form.ffnen1Click(view);
    EXPECT_EQ(view.requests.back().initialName, Path("AKTUELLEWOCHE.TTD"));
    EXPECT_EQ(view.requests.back().filter, "Tototipdatei|*.ttd");

    // A name typed in another case is found as well; a name of nothing says so.
    form.SetGameCount(12);
    view.answers = {Path("aktuellewoche.ttd"), Path("nichts.ttd")};
    form.ffnen1Click(view);
    EXPECT_TRUE(view.messages.empty()) << view.messages.front();
    EXPECT_EQ(form.State().games, 13);
    form.ffnen1Click(view);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find("existiert nicht"), std::string::npos) << view.messages[0];
    EXPECT_EQ(form.State().games, 13);
}

TEST_F(SystemFormTest, NeuStartsAnEmptyWeek) {
    WriteDefaultSet(13);
    WorkingWeek form = Started();
    Arrange(form).rows = testing::RowsFromStrings({"1111111111111"});
    form.Neu1Click(view);
    const Workspace& s = form.State();
    EXPECT_EQ(s.tipPlanStream.size(), 13u);
    EXPECT_EQ(s.tipPlanStream[12], GameRecord::Blank());
    EXPECT_EQ(UpperStatusText(s), "TOTOTIP NEU");
    EXPECT_EQ(LowerStatusText(s), "Es Fehlen noch Tips");
    EXPECT_EQ(s.tipPlanName, "NEU");
    EXPECT_TRUE(s.rows.Empty());
    EXPECT_TRUE(s.filters.blocks.empty());
    EXPECT_EQ(view.editorShown, 1);
    EXPECT_TRUE(form.WeekUnsaved());
}

TEST_F(SystemFormTest, SavedTwelveGameSetReopensTheSame) {
    WriteDefaultSet();
    WorkingWeek form = Started();
    form.SetGameCount(12);
    form.SetTendency(12, 2, 4);
    form.StoreSequence(1, {{1, 1}, 0, 2, 0, 1});
    view.answers = {Path("week1.ttd")};
    form.Speichernunter1Click(view);
    ASSERT_TRUE(view.messages.empty()) << view.messages.front();
    EXPECT_EQ(form.State().tipPlanName, Path("week1.TTD"));
    EXPECT_EQ(ReadBytes("week1.ttd").size(), 1008u);
    EXPECT_EQ(ReadBytes("week1.bld").size(), 2136u);
    EXPECT_EQ(ReadBytes("week1.tzw").size(), 5u);
    EXPECT_EQ(ReadBytes("week1.seq").size(), 14u);
    EXPECT_TRUE(std::filesystem::exists(Path("week1.tfd")));

    WorkingWeek other(Dir());
    view.answers = {Path("week1.ttd")};
    other.ffnen1Click(view);
    ASSERT_TRUE(view.messages.empty()) << view.messages.front();
    EXPECT_EQ(other.State().games, 12);
    EXPECT_EQ(other.State().plan.Tendency(12, 2), 4);
    EXPECT_EQ(other.State().filters.sequences.size(), 1u);
    EXPECT_EQ(other.State().tipPlanName, Path("week1.TTD"));
    EXPECT_EQ(other.State().blockFilterName, Path("week1.tfd"));
    EXPECT_FALSE(other.WeekUnsaved());
}

TEST_F(SystemFormTest, DamagedMemberFileChangesNothing) {
    WriteDefaultSet();
    WorkingWeek form = Started();
    WriteWeek("week2.ttd", 14);
    WriteBytes("week2.seq", {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 1});  // length 12
    const Workspace before = form.State();
    view.answers = {Path("week2.ttd")};
    form.ffnen1Click(view);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find("Sequenz 1"), std::string::npos);
    EXPECT_EQ(form.State().games, before.games);
    EXPECT_EQ(form.State().tipPlanName, before.tipPlanName);
    EXPECT_EQ(form.State().plan, before.plan);
}

TEST_F(SystemFormTest, SavingANewWeekAsksForItsName) {
    WriteDefaultSet();
    WorkingWeek form = Started();
    form.Neu1Click(view);
    form.Speichern1Click(view);  // dialog cancelled
    EXPECT_EQ(form.State().tipPlanName, "NEU");
    EXPECT_TRUE(form.WeekUnsaved());

    view.answers = {Path("neu")};
    form.Speichern1Click(view);
    EXPECT_EQ(view.requests.back().defaultExtension, "TTD");
    EXPECT_EQ(form.State().tipPlanName, Path("neu.TTD"));
    EXPECT_EQ(ReadBytes("neu.ttd").size(), 11u * 84u);
    EXPECT_FALSE(form.WeekUnsaved());
    EXPECT_EQ(UpperStatusText(form.State()), "TOTOTIP: " + Path("neu.TTD"));
}

TEST_F(SystemFormTest, YesOnCloseSavesThePlan) {
    WriteDefaultSet();
    WorkingWeek form = Started();
    form.SetTendency(11, 0, 2);
    view.choices = {Answer::Yes};
    form.FormHide(view);
    WorkingWeek reopened = Started();
    EXPECT_EQ(reopened.State().plan.Tendency(11, 0), 2);
}

TEST_F(SystemFormTest, ChainCountFollowsThePercentageCheckBoxes) {
    WorkingWeek form(Dir());
    const TFilterSet& f = form.State().filters;
    form.SetPercentActive(1, true);
    Arrange(form).filters.percent[1].orNext = 1;
    form.SetPercentActive(2, true);
    form.SetPercentActive(4, true);
    EXPECT_EQ(f.chainCount(), 2);
    EXPECT_EQ(f.requiredChains, 2);
    form.SetRequiredChains(1);
    EXPECT_EQ(f.requiredChains, 1);
    form.SetRequiredChains(7);
    EXPECT_EQ(f.requiredChains, 2);
    form.SetRequiredChains(1);
    form.SetPercentActive(5, true);
    EXPECT_EQ(f.requiredChains, 3);
}

TEST_F(SystemFormTest, GameCountChangeKeepsThePlanAndClampsTheSignChangeFields) {
    WorkingWeek form(Dir());
    Arrange(form).tipPlanStream.assign(14, GameRecord::Blank());
    form.SetGameCount(14);
    form.SetTendency(13, 1, 5);
    Arrange(form).filters.signChange = {12, 13, 0, 13, 0};
    Arrange(form).rows = TRowList(14);
    form.SetGameCount(11);
    EXPECT_EQ(form.State().tipPlanStream.size(), 11u);
    EXPECT_EQ(form.State().filters.signChange, (TSignChangeFilter{10, 10, 0, 10, 0}));
    EXPECT_EQ(form.State().rows.Games(), 11);
    form.SetGameCount(14);
    EXPECT_EQ(form.State().plan.Tendency(13, 1), 5);
    EXPECT_EQ(form.State().tipPlanStream[12], GameRecord::Blank());
}

TEST_F(SystemFormTest, FilteringAndEliminatingWithoutActiveFilters) {
    WorkingWeek form(Dir());
    const Workspace& s = form.State();
    Arrange(form).rows = testing::RowsFromStrings({"11111111111", "10201020102", "22222222222"});
    AbortFlag abort;
    FakeProgress progress;
    form.FilterbutClick(abort, progress);
    EXPECT_EQ(s.rows.Count(), 3);
    EXPECT_EQ(SystemSizeText(s), "3");

    form.SetGenerationLimit(RowLimit::Count);
    form.SetCountText("");
    form.FilterbutClick(abort, progress);
    EXPECT_EQ(progress.messages, std::vector<std::string>{"'' ist kein gültiger Integerwert"});
    EXPECT_EQ(s.rows.Count(), 3);

    form.SetCountText("3");
    form.FilterbutClick(abort, progress);
    EXPECT_EQ(progress.messages.back(),
              "Vorgegebene Zahl ist größer als Vollsystem nach Filterdurchlauf");
    EXPECT_EQ(s.rows.Count(), 3);

    form.ReihendieOptionenerflleneliminieren1Click();
    EXPECT_TRUE(s.rows.Empty());
    EXPECT_EQ(SystemSizeText(s), "0");
}

TEST_F(SystemFormTest, GeneratingWithTheWeeksFilters) {
    WriteDefaultSet();
    WorkingWeek form = Started();
    AbortFlag abort;
    FakeProgress progress;
    form.StartClick(abort, progress);
    EXPECT_EQ(SystemSizeText(form.State()), "729");

    // Only rows whose first game is "1": the others fail the block.
    TBlockFilter block;
    block.SetMarked(1, 1, true);
    block.minHits = 1;
    block.maxHits = 11;
    block.maxRun = 11;
    form.StoreBlock(1, block);
    form.StartClick(abort, progress);
    EXPECT_EQ(SystemSizeText(form.State()), "243");
    // Filtering the same full system gives the same rows.
    form.DeleteBlock(1);
    form.StartClick(abort, progress);
    form.StoreBlock(1, block);
    form.FilterbutClick(abort, progress);
    EXPECT_EQ(SystemSizeText(form.State()), "243");
}

}  // namespace
}  // namespace velmora
