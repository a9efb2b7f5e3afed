// The file menu's recent weeks and systems, and the windows' places kept between runs.
#include <QAction>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <filesystem>

#include "app/filesetnames.h"
#include "app/forms/programsettings.h"
#include "app/forms/windowplaces.h"
#include "evaluation/forms/alarm.h"
#include "evaluation/forms/gewinnchancen.h"
#include "evaluation/forms/gewinntabelle.h"
#include "support/guifixture.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using Names = std::vector<std::string>;

class RecentAndPlaces : public testing::ProgramTest {
  protected:
    void SetUp() override {
        // Each test starts from no settings at all, as on a first run.
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "velmora", "velmora").clear();
        ProgramTest::SetUp();
    }

    // Ends the program's windows and makes them anew over a new week, as a new run does.
    void Restart() {
        windows_.reset();
        form_ = std::make_unique<WorkingWeek>((dir_ / "").string());
        windows_ = CreateProgramWindows(*form_, ports_);
    }

    void Trigger(const QString& item) { Find<QAction>(Main(), item)->trigger(); }
    QMenu* Menu(const char* name) { return Find<QMenu>(Main(), name); }
    QStringList Captions(const char* menu) {
        QStringList captions;
        for (const QAction* item : Menu(menu)->actions())
            captions << item->text();
        return captions;
    }
    // Rows of the week's game count, not yet saved.
    void GiveRows() {
        State().rows = testing::RowsFromStrings({std::string(State().games, '1')});
        State().rowsRevision += 1;
    }
    QRect FreeScreen() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

TEST_F(RecentAndPlaces, DateiListsTheWeeksAndSystemsLastOpenedOrSaved) {
    Start();
    EXPECT_FALSE(Menu("ZuletztWochen1")->isEnabled());
    EXPECT_TRUE(Captions("ZuletztSysteme1").isEmpty());

    GiveRows();
    ports_.saveNames = {Path("runde"), Path("runde"), Path("zwei")};
    Trigger("Speichernunter1");
    Trigger("Systemspeichernunter1");
    Trigger("Speichernunter1");
    ASSERT_TRUE(ports_.messages.empty()) << ports_.messages[0].text.toStdString();
    EXPECT_EQ(Captions("ZuletztWochen1"), (QStringList{"&1 zwei.TTD", "&2 runde.TTD"}));
    EXPECT_EQ(Captions("ZuletztSysteme1"), QStringList{"&1 runde.PRD"});
    EXPECT_TRUE(Menu("ZuletztWochen1")->isEnabled());
    const QAction* first = Find<QAction>(Main(), "ZuletztWoche1");
    EXPECT_EQ(first->toolTip().toStdString(), Path("zwei.TTD"));
    EXPECT_EQ(first->statusTip(), first->toolTip());
    EXPECT_EQ(StoredRecentWeeks(), (Names{Path("zwei.TTD"), Path("runde.TTD")}));
    EXPECT_EQ(StoredRecentSystems(), Names{Path("runde.PRD")});

    // Another run lists them as they were.
    Restart();
    Start();
    EXPECT_EQ(Captions("ZuletztWochen1"), (QStringList{"&1 zwei.TTD", "&2 runde.TTD"}));
    EXPECT_EQ(Captions("ZuletztSysteme1"), QStringList{"&1 runde.PRD"});
}

TEST_F(RecentAndPlaces, ChoosingAnEntryOpensItThroughTheCommandsQuestion) {
    Start();
    ports_.saveNames = {Path("runde"), Path("zwei")};
    Trigger("Speichernunter1");
    Trigger("Speichernunter1");
    const int games = State().games;
    form_->SetGameCount(games == kMinGames ? games + 1 : games - 1);  // unsaved now
    ASSERT_TRUE(form_->WeekUnsaved());

    ports_.choices = {Answer::Cancel};
    Trigger("ZuletztWoche2");
    EXPECT_EQ(ports_.questions, std::vector<QString>{kSaveQuestion});
    EXPECT_EQ(State().tipPlanName, Path("zwei.TTD"));
    EXPECT_NE(State().games, games);
    EXPECT_EQ(Captions("ZuletztWochen1"), (QStringList{"&1 zwei.TTD", "&2 runde.TTD"}));

    ports_.choices = {Answer::No};
    Trigger("ZuletztWoche2");
    EXPECT_EQ(State().tipPlanName, Path("runde.TTD"));
    EXPECT_EQ(State().games, games);
    EXPECT_FALSE(form_->WeekUnsaved());
    EXPECT_EQ(Captions("ZuletztWochen1"), (QStringList{"&1 runde.TTD", "&2 zwei.TTD"}));
    EXPECT_TRUE(ports_.messages.empty());

    // The system's entry, after the system's own question.
    GiveRows();
    ports_.saveNames = {Path("reihen")};
    Trigger("Systemspeichernunter1");
    const std::vector<std::string> saved = testing::RowStrings(State().rows);
    GiveRows();
    State().rows = testing::RowsFromStrings({std::string(State().games, '2')});
    ports_.choices = {Answer::No};
    Trigger("ZuletztSystem1");
    EXPECT_EQ(ports_.questions.back(), kSaveSystemQuestion);
    EXPECT_EQ(testing::RowStrings(State().rows), saved);
    EXPECT_FALSE(form_->SystemUnsaved());
}

TEST_F(RecentAndPlaces, AnEntryWhoseFileIsGoneSaysSoAndLeavesTheList) {
    Start();
    GiveRows();
    ports_.saveNames = {Path("runde"), Path("zwei"), Path("reihen")};
    Trigger("Speichernunter1");
    Trigger("Speichernunter1");
    Trigger("Systemspeichernunter1");
    std::filesystem::remove(ResolveFileName(Path("runde.TTD")).path);
    std::filesystem::remove(Path("reihen.PRD"));

    Trigger("ZuletztWoche2");
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(ports_.messages[0].text.contains("runde")) << ports_.messages[0].text.toStdString();
    EXPECT_EQ(State().tipPlanName, Path("zwei.TTD"));
    EXPECT_EQ(Captions("ZuletztWochen1"), QStringList{"&1 zwei.TTD"});

    Trigger("ZuletztSystem1");
    ASSERT_EQ(ports_.messages.size(), 2u);
    EXPECT_FALSE(Menu("ZuletztSysteme1")->isEnabled());
    EXPECT_TRUE(StoredRecentSystems().empty());
    EXPECT_FALSE(State().rows.Empty());
}

TEST(WindowPlacing, AWindowOffTheScreensComesOntoOne) {
    const QRect left(0, 0, 1280, 1000);  // the primary screen, without its panel
    const QRect right(1280, 0, 1024, 768);
    const QList<QRect> both{left, right};
    // On a screen, or across the two: where it was.
    EXPECT_EQ(PlaceOnScreens(QRect(100, 100, 400, 300), both, true), QRect(100, 100, 400, 300));
    EXPECT_EQ(PlaceOnScreens(QRect(1100, 100, 400, 300), both, true), QRect(1100, 100, 400, 300));
    // On a screen that is no longer there: onto the nearest, as far in as it must.
    EXPECT_EQ(PlaceOnScreens(QRect(1500, 200, 400, 300), {left}, true), QRect(880, 200, 400, 300));
    EXPECT_EQ(PlaceOnScreens(QRect(-3000, -2000, 400, 300), {right, left}, false),
              QRect(0, 0, 400, 300));
    // Hanging over an edge, even below the second screen's bottom: pulled in.
    EXPECT_EQ(PlaceOnScreens(QRect(1500, 700, 400, 300), both, true), QRect(1500, 468, 400, 300));
    EXPECT_EQ(PlaceOnScreens(QRect(-50, 900, 400, 300), both, true), QRect(0, 700, 400, 300));
    // Larger than the screen: shrunk when it may be, else shown from its top left corner.
    EXPECT_EQ(PlaceOnScreens(QRect(1400, 50, 1500, 900), {right}, true), QRect(1280, 0, 1024, 768));
    EXPECT_EQ(PlaceOnScreens(QRect(1400, 50, 1500, 900), {right}, false),
              QRect(1280, 0, 1500, 900));
    // Nothing to place on.
    EXPECT_EQ(PlaceOnScreens(QRect(5, 5, 10, 10), {}, true), QRect(5, 5, 10, 10));
}

TEST_F(RecentAndPlaces, WindowsComeBackWhereTheyWere) {
    const QRect screen = FreeScreen();
    Start();
    QWidget* table = windows_->winTables;
    QWidget* chances = windows_->chances;
    const QSize tableSize = table->size();
    table->show();
    table->move(screen.topLeft() + QPoint(40, 50));
    table->hide();
    chances->show();
    chances->resize(chances->minimumSize());
    chances->move(screen.topLeft() + QPoint(10, 20));
    const QRect chancesPlace = chances->geometry();
    chances->hide();
    Main().resize(700, 560);
    Main().move(screen.topLeft() + QPoint(10, 15));
    const QRect mainPlace = Main().geometry();
    // A window still open at the end is kept as it is then.
    windows_->alarm->show();
    windows_->alarm->move(screen.topLeft() + QPoint(60, 70));
    const QRect alarmPlace = windows_->alarm->geometry();
    Main().close();
    // Kept as the frame's position and the inside's size, as move() and resize() take them.
    EXPECT_EQ(StoredWindowPlace("TAlarm")->rect,
              QRect(windows_->alarm->pos(), windows_->alarm->size()));

    Restart();
    Start();
    EXPECT_EQ(Main().geometry(), mainPlace);
    table = windows_->winTables;
    table->show();
    EXPECT_EQ(table->pos(), screen.topLeft() + QPoint(40, 50));
    EXPECT_EQ(table->size(), tableSize);
    windows_->chances->show();
    EXPECT_EQ(windows_->chances->geometry(), chancesPlace);
    windows_->alarm->show();
    EXPECT_EQ(windows_->alarm->geometry(), alarmPlace);
}

TEST_F(RecentAndPlaces, AFixedSizeStaysAndAWindowOffScreenComesOnScreen) {
    const QRect screen = FreeScreen();
    // Saved on a screen far to the right that is gone now, the table made larger by hand.
    StoreWindowPlace("TGewinntabelle", {QRect(screen.right() + 2000, 40, 900, 900), false});
    StoreWindowPlace("TGewinnchancen", {QRect(screen.left() - 3000, screen.top() + 10,
                                              screen.width() + 100, screen.height() / 2),
                                        false});
    Start();
    QWidget* table = windows_->winTables;
    const QSize tableSize = table->size();
    table->show();
    EXPECT_EQ(table->size(), tableSize);
    EXPECT_TRUE(screen.contains(table->frameGeometry())) << table->x() << "," << table->y();
    QWidget* chances = windows_->chances;
    chances->show();
    EXPECT_TRUE(screen.contains(chances->frameGeometry()));
    EXPECT_EQ(chances->frameGeometry().width(), screen.width());
    EXPECT_EQ(chances->y(), screen.top() + 10);
}

}  // namespace
}  // namespace velmora
