// The week's rows as text: export, import, the clipboard, the stake and the guarantee levels'
// row counts.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "app/rowfile.h"
#include "app/tipplanfile.h"
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

class WeekText : public testing::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        Workspace& s = Arrange(week);
        s.games = 11;
        s.plan = testing::PlanFromTendencies(std::vector<std::string>(11, "321"));
        s.filters = TFilterSet::PassingAll(11);
        s.rows = RowsFromStrings({"11111111111", "22222222220"});
        s.programDirectory = NameOf(dir_) + "/";
        s.tipPlanName = Path("AKTUELLEWOCHE.TTD");
        s.rowFileName = Path("meintip.prd");
        s.rowFileOwned = true;
    }
    std::vector<std::string> Rows() const { return RowStrings(week.State().rows); }
    void WriteText(const std::string& name, const std::string& text) const {
        WriteBytes(name, std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    std::string TextIn(const std::string& name) const {
        const std::vector<std::uint8_t> bytes = ReadBytes(name);
        return {bytes.begin(), bytes.end()};
    }

    WorkingWeek week{""};
    testing::FakeWeekView view;
};

TEST_F(WeekText, ExportWritesTheChosenFormAndLeavesTheRowFileAlone) {
    RowExport request;
    request.text.format = RowTextFormat::ELine;
    request.text.heading = "Stryktipset";
    view.answers = {Path("online.txt")};
    EXPECT_TRUE(week.ExportSystem(request, view));
    EXPECT_EQ(TextIn("online.txt"),
              "Stryktipset\nE,1,1,1,1,1,1,1,1,1,1,1\nE,2,2,2,2,2,2,2,2,2,2,X\n");
    EXPECT_EQ(view.requests.back().filter, "Textdateien|*.txt");
    EXPECT_EQ(view.requests.back().initialName, Path("meintip.txt"));
    EXPECT_EQ(week.State().rowFileName, Path("meintip.prd"));
    EXPECT_TRUE(view.messages.empty());

    request.text.format = RowTextFormat::Csv;
    view.answers = {Path("tabelle.csv")};
    EXPECT_TRUE(week.ExportSystem(request, view));
    EXPECT_EQ(view.requests.back().filter, "CSV-Dateien|*.csv");
    EXPECT_TRUE(TextIn("tabelle.csv").starts_with("Reihe;Spiel 1;"));

    // Cancelled, or nothing to export: no file.
    EXPECT_FALSE(week.ExportSystem(request, view));
    Arrange(week).rows.Clear();
    view.answers = {Path("leer.txt")};
    EXPECT_FALSE(week.ExportSystem(request, view));
    EXPECT_TRUE(view.messages.back().starts_with(kNothingToExport));
    EXPECT_FALSE(std::filesystem::exists(Path("leer.txt")));
}

TEST_F(WeekText, ExportNeverWritesOverTheWeeksOwnFiles) {
    WriteBytes("meintip.prd", std::vector<std::uint8_t>(22, 1));
    WriteBytes("AKTUELLEWOCHE.TTD", std::vector<std::uint8_t>(10, 0));
    WriteBytes("aktuellewoche.tfd", std::vector<std::uint8_t>(10, 0));
    Arrange(week).blockFilterName = Path("aktuellewoche.tfd");
    for (const std::string name : {"meintip.prd", "AKTUELLEWOCHE.TTD", "aktuellewoche.tfd"}) {
        const std::vector<std::uint8_t> before = ReadBytes(name);
        view.answers = {Path(name)};
        EXPECT_FALSE(week.ExportSystem({}, view)) << name;
        EXPECT_NE(view.messages.back().find("gehört zur Woche"), std::string::npos);
        EXPECT_EQ(ReadBytes(name), before) << name;
    }
}

TEST_F(WeekText, SplitExportAsksBeforeReplacingPartsAndNamesLeftoverOnes) {
    Arrange(week).rows = testing::RandomRows(11, 25, 4);
    RowExport request;
    request.rowsPerFile = 10;
    view.answers = {Path("s.txt")};
    ASSERT_TRUE(week.ExportSystem(request, view));
    EXPECT_TRUE(view.questions.empty());
    EXPECT_EQ(view.messages.back(), "Das System (25 Reihen) steht in 3 Dateien:\n'" +
                                        Path("s_1.txt") + "' (10 Reihen)\n'" + Path("s_2.txt") +
                                        "' (10 Reihen)\n'" + Path("s_3.txt") + "' (5 Reihen)");

    // Again, with fewer rows per file: the existing parts are named, No keeps them.
    request.rowsPerFile = 6;
    const std::string firstPart = TextIn("s_1.txt");
    view.answers = {Path("s.txt")};
    EXPECT_FALSE(week.ExportSystem(request, view));
    EXPECT_EQ(view.questions.back(), "Die Dateien '" + Path("s_1.txt") + "', '" + Path("s_2.txt") +
                                         "', '" + Path("s_3.txt") +
                                         "' gibt es schon. Sollen sie überschrieben werden?");
    EXPECT_EQ(TextIn("s_1.txt"), firstPart);

    // With fewer parts than before, the part left over is pointed out.
    request.rowsPerFile = 13;
    view.yes = true;
    view.answers = {Path("s.txt")};
    ASSERT_TRUE(week.ExportSystem(request, view));
    EXPECT_NE(view.messages.back().find("'" + Path("s_3.txt") + "' stammt von einer früheren"),
              std::string::npos)
        << view.messages.back();
}

TEST_F(WeekText, ImportAsksWhetherToAppendOrReplaceAndIsOneUndoStep) {
    WriteText("neu.txt", "Stryktipset\n0 0 0 0 0 0 0 0 0 0 0\nE,x,1,2,x,1,2,x,1,2,x,1\n");
    const std::vector<std::string> before = Rows();
    const std::vector<std::string> imported{"00000000000", "01201201201"};

    view.answers = {Path("neu.txt")};
    view.picks = {std::nullopt};  // closed without an answer
    week.ImportSystem(view);
    EXPECT_EQ(view.questions.back(),
              "Die Datei '" + Path("neu.txt") +
                  "' enthält 2 Reihen. Sollen sie an das System (2 Reihen) angehängt werden "
                  "oder es ersetzen?");
    EXPECT_EQ(Rows(), before);
    EXPECT_FALSE(week.CanUndo());

    view.answers = {Path("neu.txt")};
    view.picks = {kImportAppend};
    week.ImportSystem(view);
    std::vector<std::string> appended = before;
    appended.insert(appended.end(), imported.begin(), imported.end());
    EXPECT_EQ(Rows(), appended);
    EXPECT_EQ(week.History().UndoTop().command, "System importieren");
    EXPECT_EQ(week.State().rowFileName, Path("meintip.prd"));
    EXPECT_TRUE(week.SystemUnsaved());

    view.answers = {Path("neu.txt")};
    view.picks = {kImportReplace};
    week.ImportSystem(view);
    EXPECT_EQ(Rows(), imported);
    week.Undo();
    EXPECT_EQ(Rows(), appended);

    // An empty system takes the rows without a question.
    Arrange(week).rows.Clear();
    const std::size_t asked = view.questions.size();
    view.answers = {Path("neu.txt")};
    week.ImportSystem(view);
    EXPECT_EQ(Rows(), imported);
    EXPECT_EQ(view.questions.size(), asked);
}

TEST_F(WeekText, RefusedImportOrPasteNamesTheLineAndChangesNothing) {
    WriteText("falsch.txt", "11111111111\n\n2222222222\n");
    WriteText("dreizehn.txt", "1111111111111\n");
    const std::vector<std::string> before = Rows();
    testing::ChangeRecorder recorder(week);

    view.answers = {Path("falsch.txt")};
    week.ImportSystem(view);
    EXPECT_EQ(view.messages.back(), "Die Datei '" + Path("falsch.txt") +
                                        "' lässt sich nicht einlesen. Zeile 3: Die Reihe hat 10 "
                                        "Tippzeichen statt 11. Es wurde keine Reihe übernommen.");
    view.answers = {Path("dreizehn.txt")};
    week.ImportSystem(view);
    EXPECT_NE(view.messages.back().find("Zeile 1: Die Reihen haben 13 Spiele, die Woche aber 11."),
              std::string::npos);
    view.answers = {Path("fehlt.txt")};
    week.ImportSystem(view);
    EXPECT_NE(view.messages.back().find("fehlt.txt"), std::string::npos);

    week.PasteRows("1111111111q\n", view);
    EXPECT_TRUE(view.messages.back().starts_with(
        "Der Text in der Zwischenablage lässt sich nicht einlesen. Zeile 1, Zeichen 11: „q“"));
    week.PasteRows("", view);
    EXPECT_EQ(view.messages.back(), "Der Text in der Zwischenablage enthält keine Tippreihen.");

    EXPECT_EQ(Rows(), before);
    EXPECT_FALSE(week.CanUndo());
    EXPECT_EQ(recorder.count(), 0);
}

TEST_F(WeekText, CopyAndPasteRoundTrip) {
    EXPECT_EQ(week.CopyRows({}), "11111111111\n22222222220\n");
    EXPECT_EQ(week.CopyRows({1}), "22222222220\n");
    testing::ChangeRecorder recorder(week);
    week.PasteRows(week.CopyRows({1, 0}), view);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"11111111111", "22222222220", "22222222220",
                                                "11111111111"}));
    EXPECT_EQ(week.History().UndoTop().command, "Reihen einfügen");
    EXPECT_EQ(recorder.count(kRowsChanged), 1);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(WeekText, TheStakeIsRowsTimesThePricePerRow) {
    EXPECT_EQ(StakeText(week.State()), "Einsatz: 1,00 €");
    testing::ChangeRecorder recorder(week);
    week.SetPricePerRow(125);
    EXPECT_EQ(recorder.count(kSettingsChanged), 1);
    Arrange(week).rows = testing::RandomRows(11, 1627, 1);
    EXPECT_EQ(StakeText(week.State()), "Einsatz: 2.033,75 €");
    week.SetPricePerRow(-5);  // no negative prices
    EXPECT_EQ(StakeText(week.State()), "Einsatz: 0,00 €");
    EXPECT_EQ(EuroText(123456789), "1.234.567,89 €");
    EXPECT_EQ(EuroText(5), "0,05 €");
    EXPECT_EQ(EuroText(99999), "999,99 €");  // no point before a group of three alone
    EXPECT_EQ(EuroText(100000), "1.000,00 €");
    EXPECT_EQ(EuroText(-100), "-1,00 €");
    EXPECT_EQ(EuroText(99999), "999,99 €");
    EXPECT_EQ(EuroText(100000), "1.000,00 €");
    EXPECT_EQ(EuroText(-12345678), "-123.456,78 €");
}

TEST_F(WeekText, EachGuaranteeLevelShowsTheRowsItKeptFromTheSameSystem) {
    Workspace& s = Arrange(week);
    s.games = 11;
    s.plan = testing::PlanFromTendencies(
        {"321", "321", "321", "321", "300", "300", "300", "300", "300", "300", "300"});
    AbortFlag abort;
    QuietProgress progress;
    auto runAt = [&](int level) {
        week.SetGuaranteeLevel(level);
        week.StartClick(abort, progress);
        return week.State().rows.Count();
    };
    const std::int32_t full = runAt(0);
    const std::int32_t one = runAt(1);
    EXPECT_EQ(full, 81);
    EXPECT_LT(one, full);
    std::array<std::optional<std::int32_t>, 4> expected{full, one, std::nullopt, std::nullopt};
    EXPECT_EQ(week.RowsKeptPerLevel(), expected);

    // Another filter is another system: nothing is known of it until it is run.
    week.SetSignChange(SignChangeField::Min1, 1);
    EXPECT_EQ(week.RowsKeptPerLevel(), (std::array<std::optional<std::int32_t>, 4>{}));
    week.SetSignChange(SignChangeField::Min1, 0);
    EXPECT_EQ(week.RowsKeptPerLevel(), expected);
    const std::int32_t two = runAt(2);
    expected[2] = two;
    EXPECT_EQ(week.RowsKeptPerLevel(), expected);

    // "Filtern" reduces the system at hand, a new basis; a count run does not count.
    week.SetGuaranteeLevel(1);
    week.FilterbutClick(abort, progress);
    EXPECT_EQ(week.RowsKeptPerLevel(),
              (std::array<std::optional<std::int32_t>, 4>{std::nullopt, week.State().rows.Count(),
                                                          std::nullopt, std::nullopt}));
    week.SetGenerationLimit(RowLimit::Count);
    week.SetCountText("5");
    const auto before = week.RowsKeptPerLevel();
    week.StartClick(abort, progress);
    EXPECT_EQ(week.RowsKeptPerLevel(), before);
}

// The progress window's count-down of an optimised reduction.
TEST(TimeLeftText, RoundsUpToWholeSecondsAndNeverGoesBelowZero) {
    EXPECT_EQ(TimeLeftText(6.2), "noch 7 s");
    EXPECT_EQ(TimeLeftText(7.0), "noch 7 s");
    EXPECT_EQ(TimeLeftText(0.001), "noch 1 s");
    EXPECT_EQ(TimeLeftText(0.0), "noch 0 s");
    EXPECT_EQ(TimeLeftText(-3.5), "noch 0 s");
    EXPECT_EQ(TimeLeftText(std::nan("")), "noch 0 s");
    EXPECT_EQ(WholeSecondsLeft(86400.0), 86400);
    EXPECT_EQ(WholeSecondsLeft(std::numeric_limits<double>::infinity()), kMaxSecondsLeft);
    EXPECT_EQ(WholeSecondsLeft(1e300), kMaxSecondsLeft);
}

// Rows outside the filters give the optimised reduction another system to choose from: the
// counts of one choice are never shown under the other. Without "optimiert" the choice
// changes nothing a level keeps.
TEST_F(WeekText, RowsOutsideTheFiltersAreABasisOfTheirOwnForTheOptimisedCounts) {
    Workspace& s = Arrange(week);
    s.plan = testing::PlanFromTendencies(
        {"321", "321", "321", "321", "300", "300", "300", "300", "300", "300", "300"});
    OptimisedReductionOptions quick;
    quick.maxIterations = 500;
    quick.seconds = 60;
    week.SetOptimisation(quick);
    AbortFlag abort;
    QuietProgress progress;
    auto runAt = [&](int level) {
        week.SetGuaranteeLevel(level);
        week.StartClick(abort, progress);
        return week.State().rows.Count();
    };
    using Counts = std::array<std::optional<std::int32_t>, 4>;

    week.SetOptimised(true);
    const Counts within{std::nullopt, runAt(1), std::nullopt, std::nullopt};
    EXPECT_EQ(week.RowsKeptPerLevel(), within);

    testing::ChangeRecorder recorder(week);
    week.SetOutside(true);
    EXPECT_TRUE(week.State().generation.outside);
    ASSERT_EQ(recorder.changes, std::vector<WeekChanges>{kSettingsChanged});
    EXPECT_EQ(week.RowsKeptPerLevel(), Counts{});
    const Counts outside{std::nullopt, std::nullopt, runAt(2), std::nullopt};
    EXPECT_EQ(week.RowsKeptPerLevel(), outside);
    week.SetOutside(false);
    EXPECT_EQ(week.RowsKeptPerLevel(), Counts{}) << "the counts within the filters were replaced";
    week.SetOutside(true);
    EXPECT_EQ(week.RowsKeptPerLevel(), outside);

    week.SetOptimised(false);
    const Counts fixed{std::nullopt, runAt(1), std::nullopt, std::nullopt};
    week.SetOutside(false);
    EXPECT_EQ(week.RowsKeptPerLevel(), fixed);
    week.SetOutside(true);
    EXPECT_EQ(week.RowsKeptPerLevel(), fixed);
}

}  // namespace
}  // namespace velmora
