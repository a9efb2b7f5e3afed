// The recent weeks and row files: the list itself, what counts as one file, and which
// commands of the working week feed it.
#include "app/recentfiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/filterfiles.h"
#include "app/rowfile.h"
#include "app/tipplanfile.h"
#include "app/workingweek.h"
#include "support/fakeweekview.h"
#include "support/tempdir.h"
#include "support/testplans.h"
#include "support/weekaccess.h"

namespace velmora {
namespace {

using Names = std::vector<std::string>;

TEST(RecentFiles, MostRecentFirstEachOnceAtMostFive) {
    RecentFiles list;
    for (const char* name : {"a", "b", "c"})
        list.Push(name);
    EXPECT_EQ(list.Names(), (Names{"c", "b", "a"}));
    list.Push("a");  // again: to the front, not twice
    EXPECT_EQ(list.Names(), (Names{"a", "c", "b"}));
    list.Push("");
    EXPECT_EQ(list.Names().size(), 3u);
    for (const char* name : {"d", "e", "f"})
        list.Push(name);
    EXPECT_EQ(list.Names(), (Names{"f", "e", "d", "a", "c"}));

    EXPECT_TRUE(list.Remove("d"));
    EXPECT_FALSE(list.Remove("d"));
    EXPECT_EQ(list.Names(), (Names{"f", "e", "a", "c"}));

    // A stored list read back: repeats and blanks gone, the first ones kept.
    list.Assign({"x", "", "y", "x", "z", "u", "v", "w"});
    EXPECT_EQ(list.Names(), (Names{"x", "y", "z", "u", "v"}));
}

TEST(RecentFiles, NamesOfOneFileAreOneEntryInTheNewestSpelling) {
    RecentFiles list([](const std::string& name) {
        std::string key = name;
        for (char& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return key;
    });
    list.Push("Woche.ttd");
    list.Push("other.ttd");
    list.Push("WOCHE.TTD");
    EXPECT_EQ(list.Names(), (Names{"WOCHE.TTD", "other.ttd"}));
    EXPECT_TRUE(list.Remove("woche.Ttd"));
    EXPECT_EQ(list.Names(), (Names{"other.ttd"}));
}

class RecentWeekFiles : public testing::TempDirTest {
  protected:
    void WriteWeek(const std::string& name, int n) {
        TipPlanStream records(static_cast<std::size_t>(n), GameRecord::Blank());
        ASSERT_EQ(WriteTipPlanFile(Path(name), records), "");
    }
    Names Weeks() const { return week.RecentWeeks().Names(); }
    Names Systems() const { return week.RecentSystems().Names(); }

    WorkingWeek week{""};
    testing::FakeWeekView view;
};

TEST_F(RecentWeekFiles, KeysFollowHowTheProgramFindsTheFiles) {
    WriteWeek("woche.ttd", 11);
    // The tip plan is found whatever the case of its name; the extension's case varies anyway.
    EXPECT_EQ(RecentWeekKey(Path("woche.ttd")), RecentWeekKey(Path("WOCHE.TTD")));
    EXPECT_EQ(RecentWeekKey(Path("sub/../woche.TTD")), RecentWeekKey(Path("woche.ttd")));
    EXPECT_NE(RecentWeekKey(Path("woche.ttd")), RecentWeekKey(Path("woche2.ttd")));
    EXPECT_EQ(RecentWeekKey(Path("fehlt.ttd")), RecentWeekKey(Path("fehlt.TTD")));
    // Row files are opened by their exact name.
    EXPECT_NE(RecentSystemKey(Path("a.prd")), RecentSystemKey(Path("A.prd")));
    EXPECT_EQ(RecentSystemKey(Path("./a.prd")), RecentSystemKey(Path("a.prd")));
    // A name relative to the working directory is listed as the whole path.
    EXPECT_TRUE(std::filesystem::path(RecentEntryName("x.prd")).is_absolute());
}

TEST_F(RecentWeekFiles, OpeningAndSavingFeedTheListsOtherFilesDoNot) {
    WriteWeek("eins.ttd", 11);
    WriteWeek("zwei.TTD", 11);
    view.answers = {Path("eins.ttd")};
    week.ffnen1Click(view);
    ASSERT_TRUE(view.messages.empty()) << view.messages[0];
    EXPECT_EQ(Weeks(), (Names{Path("eins.TTD")}));

    ASSERT_TRUE(week.OpenWeek(Path("zwei.TTD"), view));
    ASSERT_TRUE(week.OpenWeek(Path("EINS.ttd"), view));  // found by case: the same week
    EXPECT_EQ(Weeks(), (Names{Path("EINS.TTD"), Path("zwei.TTD")}));

    view.answers = {Path("drei.ttd")};
    ASSERT_TRUE(week.Speichernunter1Click(view));
    EXPECT_EQ(Weeks().front(), Path("drei.TTD"));

    Workspace& s = testing::Arrange(week);
    s.rows = testing::RowsFromStrings({"11111111111"});
    s.rowsRevision = 7;
    s.rowFileName = Path("mein.prd");
    ASSERT_EQ(WriteRowFile(Path("fremd.prd"), testing::RowsFromStrings({"22222222222"})), "");
    view.answers = {Path("fremd.prd")};
    week.Systemffnen1Click(view);  // appending takes rows only
    EXPECT_TRUE(Systems().empty());
    ASSERT_TRUE(week.Systemspeichern1Click(view));
    EXPECT_EQ(Systems(), (Names{Path("mein.prd")}));
    view.answers = {Path("fremd.prd")};
    week.System1Click(view);
    EXPECT_EQ(Systems(), (Names{Path("fremd.prd"), Path("mein.prd")}));
    view.answers = {Path("kopie.prd")};
    ASSERT_TRUE(week.Systemspeichernunter1Click(view));
    EXPECT_EQ(Systems(), (Names{Path("kopie.prd"), Path("fremd.prd"), Path("mein.prd")}));

    // A new week saved by "Alles speichern" joins in front.
    week.Neu1Click(view);
    view.answers = {Path("vier")};
    week.AllesSpeichern1Click(view);
    EXPECT_EQ(Weeks(),
              (Names{Path("vier.TTD"), Path("drei.TTD"), Path("EINS.TTD"), Path("zwei.TTD")}));
    EXPECT_TRUE(view.messages.empty()) << view.messages[0];
}

TEST_F(RecentWeekFiles, OpeningANamedFileAsksLikeTheCommandAndCancelChangesNothing) {
    WriteWeek("eins.ttd", 11);
    WriteWeek("zwei.ttd", 11);
    ASSERT_TRUE(week.OpenWeek(Path("eins.ttd"), view));
    testing::Arrange(week).plan.SetTendency(1, 1, 7);  // unsaved
    ASSERT_TRUE(week.WeekUnsaved());

    view.choices = {Answer::Cancel};
    EXPECT_FALSE(week.OpenWeek(Path("zwei.ttd"), view));
    EXPECT_EQ(view.questions, (Names{kSaveQuestion}));
    EXPECT_EQ(week.State().tipPlanName, Path("eins.TTD"));
    EXPECT_EQ(Weeks(), (Names{Path("eins.TTD")}));
    EXPECT_TRUE(week.WeekUnsaved());

    view.choices = {Answer::No};
    EXPECT_TRUE(week.OpenWeek(Path("zwei.ttd"), view));
    EXPECT_EQ(week.State().tipPlanName, Path("zwei.TTD"));
    EXPECT_EQ(Weeks(), (Names{Path("zwei.TTD"), Path("eins.TTD")}));

    // The system's question, too, and Abbrechen keeps the rows.
    Workspace& s = testing::Arrange(week);
    s.rows = testing::RowsFromStrings({"11111111111"});
    s.rowsRevision = 3;
    ASSERT_EQ(WriteRowFile(Path("r.prd"), testing::RowsFromStrings({"22222222222"})), "");
    view.choices = {Answer::Cancel};
    EXPECT_FALSE(week.OpenSystem(Path("r.prd"), view));
    EXPECT_EQ(view.questions.back(), kSaveSystemQuestion);
    EXPECT_EQ(testing::RowStrings(week.State().rows), (Names{"11111111111"}));
    EXPECT_TRUE(Systems().empty());
}

TEST_F(RecentWeekFiles, AFileGoneLeavesTheListARefusedOneStays) {
    WriteWeek("eins.ttd", 11);
    WriteWeek("zwei.ttd", 11);
    ASSERT_TRUE(week.OpenWeek(Path("eins.ttd"), view));
    ASSERT_TRUE(week.OpenWeek(Path("zwei.ttd"), view));
    ASSERT_EQ(WriteRowFile(Path("r.prd"), testing::RowsFromStrings({"22222222222"})), "");
    ASSERT_TRUE(week.OpenSystem(Path("r.prd"), view));

    std::filesystem::remove(Path("eins.ttd"));
    EXPECT_FALSE(week.OpenWeek(Path("eins.TTD"), view));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find("eins"), std::string::npos) << view.messages[0];
    EXPECT_EQ(Weeks(), (Names{Path("zwei.TTD")}));
    EXPECT_EQ(week.State().tipPlanName, Path("zwei.TTD"));

    // A damaged tip plan and a row file of another game count are refused but stay listed.
    WriteBytes("zwei.ttd", {1, 2, 3});
    EXPECT_FALSE(week.OpenWeek(Path("zwei.TTD"), view));
    EXPECT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(Weeks(), (Names{Path("zwei.TTD")}));
    WriteBytes("r.prd", std::vector<std::uint8_t>(24, 1));
    EXPECT_FALSE(week.OpenSystem(Path("r.prd"), view));
    EXPECT_EQ(view.messages.size(), 3u);
    EXPECT_EQ(Systems(), (Names{Path("r.prd")}));

    std::filesystem::remove(Path("r.prd"));
    EXPECT_FALSE(week.OpenSystem(Path("r.prd"), view));
    EXPECT_EQ(view.messages.size(), 4u);
    EXPECT_TRUE(Systems().empty());
    EXPECT_EQ(testing::RowStrings(week.State().rows), (Names{"22222222222"}));
}

TEST_F(RecentWeekFiles, ListsFromAnEarlierRunAreTakenAsTheyWere) {
    week.SetRecentFiles({Path("b.TTD"), Path("a.TTD"), Path("b.ttd")}, {Path("r.prd")});
    EXPECT_EQ(Weeks(), (Names{Path("b.TTD"), Path("a.TTD")}));
    EXPECT_EQ(Systems(), (Names{Path("r.prd")}));
}

}  // namespace
}  // namespace velmora
