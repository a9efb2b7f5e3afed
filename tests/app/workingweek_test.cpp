#include "app/workingweek.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/filterfiles.h"
#include "app/rowfile.h"
#include "app/weektexts.h"
#include "filters/oddseditor.h"
#include "support/fakeweekview.h"
#include "support/tempdir.h"
#include "support/testplans.h"
#include "support/weekaccess.h"

namespace velmora {
namespace {

using testing::Arrange;

using FakeView = testing::FakeWeekView;

struct FakeProgress : GenerationView {
    std::vector<std::string> messages;
    void ShowMessage(MessageKind, const std::string& text) override { messages.push_back(text); }
};

class WorkingWeekTest : public testing::TempDirTest {
  protected:
    std::string Dir() const { return NameOf(dir_) + "/"; }

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

TEST_F(WorkingWeekTest, CreationDefaults) {
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

TEST_F(WorkingWeekTest, CommandsOnAnEmptySystemSayWhyTheyDoNothing) {
    WorkingWeek form(Dir());
    const auto print = form.EmptySystemMessage(RowsCommand::PrintSlips);
    const auto tables = form.EmptySystemMessage(RowsCommand::WinTables);
    ASSERT_TRUE(print && tables);
    EXPECT_EQ(*print, std::string(kNothingToPrint) + "\n" + kHowToGetRows);
    EXPECT_EQ(*tables, std::string(kNoWinTables) + "\n" + kHowToGetRows);
    EXPECT_EQ(*form.EmptySystemMessage(RowsCommand::GoToRow),
              std::string(kNothingToGoTo) + "\n" + kHowToGetRows);

    Arrange(form).rows = testing::RowsFromStrings({"11111111111"});
    EXPECT_FALSE(form.EmptySystemMessage(RowsCommand::PrintSlips));
    EXPECT_FALSE(form.EmptySystemMessage(RowsCommand::WinTables));
    EXPECT_FALSE(form.EmptySystemMessage(RowsCommand::GoToRow));
    // A change of the game count drops the rows: the commands say so again.
    form.SetGameCount(12);
    EXPECT_TRUE(form.EmptySystemMessage(RowsCommand::PrintSlips));
}

TEST_F(WorkingWeekTest, ShowingLoadsTheDefaultSet) {
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

TEST_F(WorkingWeekTest, MissingDefaultFilesStopTheStartWithAMessage) {
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
TEST_F(WorkingWeekTest, EmptyFilterValueFileRefusesTheWeek) {
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

TEST_F(WorkingWeekTest, OpenProposesTheWeekUnderItsNameOnDisk) {
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

TEST_F(WorkingWeekTest, NeuStartsAnEmptyWeek) {
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

TEST_F(WorkingWeekTest, SavedTwelveGameSetReopensTheSame) {
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

TEST_F(WorkingWeekTest, DamagedMemberFileChangesNothing) {
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

TEST_F(WorkingWeekTest, SavingANewWeekAsksForItsName) {
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

// Every field of every file of the week counts: each change makes the week unsaved, taking
// it back makes it saved again.
TEST_F(WorkingWeekTest, TheWeekIsUnsavedExactlyWhileItDiffersFromItsFiles) {
    WriteDefaultSet();
    WorkingWeek form = Started();
    TBlockFilter block;
    block.SetMarked(1, 1, true);
    block.minHits = 1;
    block.maxHits = 5;
    block.maxRun = 5;
    form.StoreBlock(1, block);
    form.StoreSequence(1, {{1, 2}, 0, 2, 0, 1});
    view.answers = {std::nullopt};
    ASSERT_TRUE(form.Speichern1Click(view));
    ASSERT_FALSE(form.WeekUnsaved());

    using Change = std::function<void(Workspace&)>;
    std::vector<std::pair<std::string, Change>> changes;
    for (int g = 1; g <= 11; ++g) {
        for (Sign sign : kDisplayOrder) {
            changes.push_back({"Tipp " + std::to_string(g), [g, sign](Workspace& s) {
                                   s.plan.SetTendency(g, sign, s.plan.Tendency(g, sign) + 1);
                               }});
        }
    }
    changes.push_back({"Block Zeichen", [](Workspace& s) { s.filters.blocks[0].marks[40] ^= 1; }});
    changes.push_back({"Block min", [](Workspace& s) { ++s.filters.blocks[0].minHits; }});
    changes.push_back({"Block max", [](Workspace& s) { ++s.filters.blocks[0].maxHits; }});
    changes.push_back({"Block oder", [](Workspace& s) { s.filters.blocks[0].orNext ^= 1; }});
    changes.push_back({"Block Folge", [](Workspace& s) { ++s.filters.blocks[0].maxRun; }});
    changes.push_back({"neuer Block", [](Workspace& s) { s.filters.blocks.emplace_back(); }});
    changes.push_back(
        {"Sequenz Muster", [](Workspace& s) { ++s.filters.sequences[0].pattern[1]; }});
    changes.push_back({"Sequenz oder", [](Workspace& s) { s.filters.sequences[0].orNext ^= 1; }});
    changes.push_back({"Sequenz Länge", [](Workspace& s) { ++s.filters.sequences[0].length; }});
    changes.push_back({"Sequenz min", [](Workspace& s) { ++s.filters.sequences[0].minCount; }});
    changes.push_back({"Sequenz max", [](Workspace& s) { ++s.filters.sequences[0].maxCount; }});
    changes.push_back({"keine Sequenz", [](Workspace& s) { s.filters.sequences.clear(); }});
    auto addValueRecord = [&changes](const std::string& name, auto record) {
        changes.push_back(
            {name + " Wert", [record](Workspace& s) { record(s).values[10][2] += 1; }});
        changes.push_back({name + " min", [record](Workspace& s) { record(s).minValue += 1; }});
        changes.push_back({name + " max", [record](Workspace& s) { record(s).maxValue += 1; }});
        changes.push_back({name + " aktiv", [record](Workspace& s) { record(s).active ^= 1; }});
    };
    addValueRecord("Quoten", [](Workspace& s) -> TFilterValueRecord& { return s.filters.odds; });
    for (std::size_t k = 0; k < 5; ++k) {
        addValueRecord("Proz " + std::to_string(k + 1),
                       [k](Workspace& s) -> TFilterValueRecord& { return s.filters.percent[k]; });
        changes.push_back({"Proz oder", [k](Workspace& s) { s.filters.percent[k].orNext ^= 1; }});
    }
    changes.push_back({"TZW min1", [](Workspace& s) { ++s.filters.signChange.min1; }});
    changes.push_back({"TZW max1", [](Workspace& s) { --s.filters.signChange.max1; }});
    changes.push_back({"TZW min2", [](Workspace& s) { ++s.filters.signChange.min2; }});
    changes.push_back({"TZW max2", [](Workspace& s) { --s.filters.signChange.max2; }});
    changes.push_back({"TZW oder", [](Workspace& s) { s.filters.signChange.orSecond ^= 1; }});

    for (const auto& [name, change] : changes) {
        const Workspace saved = form.State();
        change(Arrange(form));
        EXPECT_TRUE(form.WeekUnsaved()) << name;
        Arrange(form) = saved;
        EXPECT_FALSE(form.WeekUnsaved()) << name;
    }

    // The order in which a game holds its pairs is not part of the file.
    Arrange(form).plan.AllToTendencyOrder(11);
    EXPECT_FALSE(form.WeekUnsaved());
    // The rows and the generation settings are not part of the week.
    Arrange(form).rows = testing::RowsFromStrings({"11111111111"});
    form.SetGuaranteeLevel(2);
    EXPECT_FALSE(form.WeekUnsaved());
}

TEST_F(WorkingWeekTest, EveryEditorActionCountsAndUndoMakesItSavedAgain) {
    WriteDefaultSet();
    std::vector<std::pair<std::string, std::function<void(WorkingWeek&)>>> actions{
        {"Tendenz", [](WorkingWeek& f) { f.SetTendency(3, 2, 0); }},
        {"Tippzeichenwechsel", [](WorkingWeek& f) { f.SetSignChange(SignChangeField::Max1, 7); }},
        {"oder", [](WorkingWeek& f) { f.SetSignChangeOr(true); }},
        {"Quotenfilter aktiv", [](WorkingWeek& f) { f.SetOddsActive(true); }},
        {"Proz. Filter 3 aktiv", [](WorkingWeek& f) { f.SetPercentActive(3, true); }},
        {"Sequenz",
         [](WorkingWeek& f) {
             f.StoreSequence(1, {{1}, 0, 1, 0, 3});
         }},
        {"Block", [](WorkingWeek& f) { f.StoreBlock(1, TBlockFilter{}); }},
        {"Quoten OK",
         [](WorkingWeek& f) {
             ValueFormFields fields = ShowOddsFilter(f.State().filters.odds, 11);
             fields.minText = "3";
             f.ConfirmOddsFilter(fields);
         }},
        {"Prozent OK",
         [](WorkingWeek& f) {
             ValueFormFields fields = ShowPercentFilter(f.State().filters.percent[1], 11);
             fields.maxText = "55";
             EXPECT_TRUE(f.ConfirmPercentFilter(2, fields).closed);
         }},
    };
    for (const auto& [name, action] : actions) {
        WorkingWeek form = Started();
        view.questions.clear();
        action(form);
        EXPECT_TRUE(form.WeekUnsaved()) << name;
        EXPECT_TRUE(form.FormHide(view)) << name;
        EXPECT_EQ(view.questions, std::vector<std::string>{kSaveQuestion}) << name;
    }

    // Undo of an editor's OK and of a deletion.
    WorkingWeek form = Started();
    form.StoreSequence(1, {{1}, 0, 1, 0, 3});
    form.StoreBlock(1, TBlockFilter{});
    view.answers = {std::nullopt};
    ASSERT_TRUE(form.Speichern1Click(view));
    form.DeleteSequence(1);
    form.DeleteBlock(1);
    EXPECT_TRUE(form.WeekUnsaved());
    EXPECT_EQ(form.History().UndoTop().command, "Blockfilter löschen");
    form.Undo();
    form.Undo();
    EXPECT_FALSE(form.WeekUnsaved());
    EXPECT_EQ(form.State().filters.sequences.size(), 1u);
    form.Redo();
    EXPECT_TRUE(form.State().filters.sequences.empty());
    EXPECT_TRUE(form.WeekUnsaved());
}

TEST_F(WorkingWeekTest, CloseAsksAboutTheWeekAndTheSystemAndCancelGoesBack) {
    WriteDefaultSet();
    WorkingWeek form = Started();
    EXPECT_TRUE(form.FormHide(view));
    EXPECT_TRUE(view.questions.empty());

    AbortFlag abort;
    FakeProgress progress;
    form.StartClick(abort, progress);
    form.SetTendency(2, 0, 0);
    view.choices = {Answer::Cancel};
    EXPECT_FALSE(form.FormHide(view));
    EXPECT_EQ(view.questions, std::vector<std::string>{kSaveQuestion});
    view.questions.clear();
    view.choices = {Answer::No, Answer::Cancel};
    EXPECT_FALSE(form.FormHide(view));
    EXPECT_EQ(view.questions, (std::vector<std::string>{kSaveQuestion, kSaveSystemQuestion}));
    EXPECT_EQ(form.State().rows.Count(), 729);

    // Yes to the system writes it; a row file of last week is named first.
    ASSERT_EQ(WriteRowFile(Path("meintip.prd"), testing::RowsFromStrings({"11111111111"})), "");
    view.questions.clear();
    view.choices = {Answer::No, Answer::Yes};
    view.yes = true;
    EXPECT_TRUE(form.FormHide(view));
    ASSERT_EQ(view.questions.size(), 3u);
    EXPECT_NE(view.questions[2].find(Path("meintip.prd")), std::string::npos);
    EXPECT_EQ(ReadRowFile(Path("meintip.prd"), 11).rows.Count(), 729);
}

TEST_F(WorkingWeekTest, NewOpenAndOpenSystemAskBeforeTheyDiscard) {
    WriteDefaultSet();
    WriteWeek("week2.ttd", 12);
    ASSERT_EQ(WriteRowFile(Path("other.prd"), testing::RowsFromStrings({"22222222222"})), "");
    WorkingWeek form = Started();
    AbortFlag abort;
    FakeProgress progress;
    form.StartClick(abort, progress);

    view.choices = {Answer::Cancel};
    form.Neu1Click(view);
    EXPECT_EQ(form.State().tipPlanName, Path("AKTUELLEWOCHE.TTD"));
    EXPECT_EQ(form.State().rows.Count(), 729);
    EXPECT_EQ(view.questions, std::vector<std::string>{kSaveSystemQuestion});

    view.questions.clear();
    view.answers = {Path("week2.ttd")};
    view.choices = {Answer::Cancel};
    form.ffnen1Click(view);  // twelve games: the rows would go
    EXPECT_EQ(form.State().games, 11);
    EXPECT_EQ(view.questions, std::vector<std::string>{kSaveSystemQuestion});

    view.questions.clear();
    view.answers = {Path("other.prd")};
    view.choices = {Answer::Cancel};
    form.System1Click(view);
    EXPECT_EQ(form.State().rows.Count(), 729);

    view.questions.clear();
    view.choices = {Answer::No};
    form.Neu1Click(view);
    EXPECT_EQ(form.State().tipPlanName, "NEU");
    EXPECT_TRUE(form.State().rows.Empty());
    // A new week exists nowhere yet: the next "Neu" asks about it.
    view.questions.clear();
    form.Neu1Click(view);
    EXPECT_EQ(view.questions, std::vector<std::string>{kSaveQuestion});
}

TEST_F(WorkingWeekTest, YesOnCloseSavesThePlan) {
    WriteDefaultSet();
    WorkingWeek form = Started();
    form.SetTendency(11, 0, 2);
    view.choices = {Answer::Yes};
    form.FormHide(view);
    WorkingWeek reopened = Started();
    EXPECT_EQ(reopened.State().plan.Tendency(11, 0), 2);
}

TEST_F(WorkingWeekTest, ChainCountFollowsThePercentageCheckBoxes) {
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

TEST_F(WorkingWeekTest, GameCountChangeKeepsThePlanAndClampsTheSignChangeFields) {
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

TEST_F(WorkingWeekTest, FilteringAndEliminatingWithoutActiveFilters) {
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

TEST_F(WorkingWeekTest, GeneratingWithTheWeeksFilters) {
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
