// The win table window, its printout and the slip printing, in the whole program on a
// recording desktop whose printer and preview keep the painted texts and their places.
#include "evaluation/forms/gewinntabelle.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

#include "app/forms/slipprinting.h"
#include "evaluation/forms/druckvorschau.h"
#include "support/guifixture.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using testing::PaintedText;
using testing::RowsFromStrings;

std::vector<QString> TextsOf(const testing::RecordingDevice& page) {
    std::vector<QString> texts;
    for (const PaintedText& painted : page.Texts())
        texts.push_back(painted.text);
    return texts;
}

std::vector<QString> GridRow(const QTableWidget& grid, int row) {
    std::vector<QString> cells;
    for (int c = 0; c < grid.columnCount(); ++c)
        cells.push_back(grid.item(row, c)->text());
    return cells;
}

class GewinntabelleTest : public testing::ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override {
        QLocale::setDefault(previousLocale_);
        ProgramTest::TearDown();
    }

    // Two open games with the main tip "1", nine games fixed to "1": nine outcomes.
    void UseSmallWeek(const std::vector<std::string>& rows) {
        std::vector<std::string> games(11, "900");
        games[0] = games[1] = "321";
        State().games = 11;
        State().plan = testing::PlanFromTendencies(games);
        State().filters = TFilterSet::PassingAll(11);
        State().rows = RowsFromStrings(rows);
    }

    // 14 games, `threeSigns` of them open with all three signs: 3^12 outcomes make a short
    // run, 3^13 = 1,594,323 a long one.
    void UseWeekOf14(int threeSigns) {
        std::vector<std::string> games(14, "900");
        for (int g = 0; g < threeSigns; ++g)
            games[static_cast<std::size_t>(g)] = "531";
        State().games = 14;
        State().plan = testing::PlanFromTendencies(games);
        State().filters = TFilterSet::PassingAll(14);
        State().rows = RowsFromStrings({"11111111111111", "11111111111112"});
    }

    TGewinntabelle& Table() {
        auto* table = Main().findChild<TGewinntabelle*>("TGewinntabelle");
        EXPECT_NE(table, nullptr);
        return *table;
    }

    void OpenFromMenu() { Find<QAction>(Main(), "Gewinntabellen1")->trigger(); }
    void Click(const QString& name) { Find<QPushButton>(Table(), name)->click(); }
    QString Text(const QString& name) { return Find<QLabel>(Table(), name)->text(); }

    const QLocale previousLocale_;
};

TEST_F(GewinntabelleTest, OpensNonModallyOnlyWithRows) {
    UseSmallWeek({"11111111111"});
    State().rows.Clear();
    OpenFromMenu();
    EXPECT_FALSE(Table().isVisible());

    UseSmallWeek({"11111111111"});
    OpenFromMenu();
    EXPECT_TRUE(Table().isVisible());
    EXPECT_TRUE(ports_.modal.empty());
    EXPECT_EQ(Table().size(), QSize(696, 480));
    Click("BitBtn2");  // "Schließen"
    EXPECT_FALSE(Table().isVisible());
}

TEST_F(GewinntabelleTest, CaptionsFollowTheGameCountOnShowing) {
    UseSmallWeek({"11111111111"});
    OpenFromMenu();
    Find<QRadioButton>(Table(), "z3")->click();
    EXPECT_EQ(Table().CorrectMainTips(), 8);
    Table().hide();

    State().games = 14;
    State().rows = TRowList(14);
    State().rows.Append(TTipRow(14));
    OpenFromMenu();
    auto* grid = Find<QTableWidget>(Table(), "gewinngrid");
    std::vector<QString> headings;
    for (int c = 0; c < 6; ++c)
        headings.push_back(grid->horizontalHeaderItem(c)->text());
    EXPECT_EQ(headings,
              (std::vector<QString>{"14er", "13er", "12er", "11er", "10er", "Zahl der Fälle"}));
    EXPECT_EQ(Text("Label3"), "14er");
    EXPECT_EQ(Text("Label7"), "10er");
    EXPECT_EQ(Find<QRadioButton>(Table(), "Z0")->text(), "14");
    EXPECT_EQ(Find<QRadioButton>(Table(), "z9")->text(), "5");
    EXPECT_TRUE(Find<QRadioButton>(Table(), "Z0")->isChecked());
    EXPECT_EQ(Table().CorrectMainTips(), 14);
    EXPECT_EQ(grid->columnWidth(5), 118);
}

TEST_F(GewinntabelleTest, RunFillsTheTableInSortedOrderWithTheClassShares) {
    // One row, the main tip row: one outcome hits it, four miss one game, four miss two.
    UseSmallWeek({"11111111111"});
    OpenFromMenu();
    Click("BitBtn1");

    auto* grid = Find<QTableWidget>(Table(), "gewinngrid");
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(GridRow(*grid, 0), (std::vector<QString>{"1", "0", "0", "0", "0", "1"}));
    EXPECT_EQ(GridRow(*grid, 1), (std::vector<QString>{"0", "1", "0", "0", "0", "4"}));
    EXPECT_EQ(GridRow(*grid, 2), (std::vector<QString>{"0", "0", "1", "0", "0", "4"}));
    EXPECT_EQ(Text("Fallabel"), "Insgesamt 9 Fälle.");
    EXPECT_EQ(Text("pr0"), "11,11");
    EXPECT_EQ(Text("Pr1"), "44,44");
    EXPECT_EQ(Text("Pr2"), "44,44");
    EXPECT_EQ(Text("Pr3"), "0");
    EXPECT_TRUE(ports_.messages.empty());
    EXPECT_EQ(State().rows.Count(), 1);

    // "Grundtippvorgabe" with all eleven right lets only the main tip row through.
    Find<QCheckBox>(Table(), "CheckBox1")->setChecked(true);
    Click("BitBtn1");
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(Text("Fallabel"), "Insgesamt 1 Fälle.");
    EXPECT_EQ(Text("pr0"), "100");
}

TEST_F(GewinntabelleTest, MinimumGuaranteeAddsRowsOnceAndRefreshesTheSize) {
    UseSmallWeek({"11111111111"});
    OpenFromMenu();
    Find<QSpinBox>(Table(), "min10spin")->setValue(1);
    Click("BitBtn1");

    // The four outcomes two games away have no second rank win. Each added one gives its
    // neighbours one, so of "00", "02", "20", "22" in the open games only two are added.
    EXPECT_EQ(State().rows.Count(), 3);
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(ports_.messages[0].text, kRowsAddedMessage);
    EXPECT_EQ(Find<QLabel>(Main(), "Label1")->text(), "3");

    Click("BitBtn1");
    EXPECT_EQ(State().rows.Count(), 3);
    EXPECT_EQ(ports_.messages.size(), 1u);
}

TEST_F(GewinntabelleTest, RefusesAPlanWithoutTipsOrRowsOfAnotherGameCount) {
    UseSmallWeek({"11111111111"});
    OpenFromMenu();
    State().rows = RowsFromStrings({"111111111111"});
    Click("BitBtn1");
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(ports_.messages[0].text.startsWith("Die Gewinntabelle ist nicht möglich"));
    EXPECT_EQ(Find<QTableWidget>(Table(), "gewinngrid")->rowCount(), 0);
}

TEST_F(GewinntabelleTest, PrintoutHoldsTheLinesOfTheLastRunInOrder) {
    Click("Button1");  // nothing run yet: nothing to print
    EXPECT_TRUE(ports_.previews.empty());
    ASSERT_EQ(ports_.messages.size(), 1u);

    UseSmallWeek({"11111111111"});
    OpenFromMenu();
    Click("BitBtn1");
    Click("Button1");
    ASSERT_EQ(ports_.previews.size(), 1u);
    ASSERT_EQ(ports_.previews[0].size(), 1u);
    const testing::RecordingDevice& page = ports_.previews[0][0];
    const std::vector<QString> expected{"11er",
                                        "10er",
                                        "9er",
                                        "8er",
                                        "7er",
                                        "Zahl der Fälle",  // heading
                                        "1",
                                        "0",
                                        "0",
                                        "0",
                                        "0",
                                        "1 von 9",  //
                                        "0",
                                        "1",
                                        "0",
                                        "0",
                                        "0",
                                        "4 von 9",  //
                                        "0",
                                        "0",
                                        "1",
                                        "0",
                                        "0",
                                        "4 von 9",                                   //
                                        "Höchste mögliche Gewinnklasse in Prozent",  // summary
                                        "11er",
                                        "11,11%",
                                        "10er",
                                        "44,44%",
                                        "9er",
                                        "44,44%",
                                        "8er",
                                        "0%",
                                        "7er",
                                        "0%"};
    EXPECT_EQ(TextsOf(page), expected);

    // Millimetres from the margins: the heading's first field at 4.2, 4.2; the first detail
    // line one band lower; the multiplicity column at 131.2.
    EXPECT_NEAR(page.Texts()[0].topLeft.x(), 42, 1);
    EXPECT_NEAR(page.Texts()[0].topLeft.y(), 42, 1);
    EXPECT_NEAR(page.Texts()[11].topLeft.x(), 1312, 1);
    EXPECT_NEAR(page.Texts()[11].topLeft.y(), 148, 1);
    EXPECT_EQ(page.Texts()[0].font.family(), "Arial");
    EXPECT_EQ(page.Texts()[0].font.pointSize(), 10);
}

TEST(WinTableReportPages, EveryPageStartsWithTheHeadingAndNoLineIsLost) {
    WinTableView view;
    view.headings = {"11er", "10er", "9er", "8er", "7er", "Zahl der Fälle"};
    for (int i = 0; i < 60; ++i) {
        TWinPattern pattern;
        pattern.counts[0] = 60 - i;
        pattern.multiplicity = i + 1;
        view.patterns.push_back(pattern);
    }
    view.total = 1830;
    WinTableReport report(view);

    std::deque<testing::RecordingDevice> pages;
    QPainter painter(&pages.emplace_back(ReportPageLayout()));
    PaintReport(report, painter, [&] {
        painter.end();
        painter.begin(&pages.emplace_back(ReportPageLayout()));
    });
    painter.end();

    // 277 mm of paper take the heading and 25 lines; the summary follows on the third page.
    ASSERT_EQ(pages.size(), 3u);
    std::vector<QString> multiplicities;
    for (const testing::RecordingDevice& page : pages) {
        const std::vector<QString> texts = TextsOf(page);
        EXPECT_EQ(texts.front(), "11er");
        EXPECT_NEAR(page.Texts().front().topLeft.y(), 42, 1);
        for (const QString& text : texts) {
            if (text.endsWith(" von 1830"))
                multiplicities.push_back(text.section(' ', 0, 0));
        }
        EXPECT_LE(page.Texts().back().topLeft.y(), 2770);
    }
    ASSERT_EQ(multiplicities.size(), 60u);
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(multiplicities[static_cast<std::size_t>(i)], QString::number(i + 1));
    EXPECT_EQ(TextsOf(pages[2]).back(), "%");  // empty value labels still get their sign
}

// What the window shows of a run: the table, the cases and the class shares.
std::vector<QString> Shown(TGewinntabelle& table) {
    std::vector<QString> shown;
    const auto* grid = table.findChild<QTableWidget*>("gewinngrid");
    for (int r = 0; r < grid->rowCount(); ++r) {
        const std::vector<QString> row = GridRow(*grid, r);
        shown.insert(shown.end(), row.begin(), row.end());
    }
    for (const char* name : {"Fallabel", "pr0", "Pr1", "Pr2", "Pr3", "Pr4", "Label3"})
        shown.push_back(table.findChild<QLabel*>(name)->text());
    return shown;
}

// A run over more than a million outcomes tells its progress in the window and stops at Esc:
// the table of the run before stays, and the rows the minimum guarantee would add are not
// there. The Esc is typed once the run has shown its first progress.
TEST_F(GewinntabelleTest, ALongRunShowsItsProgressAndEscCancelsIt) {
    UseWeekOf14(12);
    OpenFromMenu();
    Click("BitBtn1");
    EXPECT_EQ(Text("Fallabel"), "Insgesamt 531441 Fälle.");
    EXPECT_EQ(Text("Statuslabel"), "");  // a short run as ever
    const std::vector<QString> before = Shown(Table());

    UseWeekOf14(13);
    const TRowList rowsBefore = State().rows;
    const TTipPlan planBefore = State().plan;
    Find<QSpinBox>(Table(), "min10spin")->setValue(5);  // every outcome would add rows
    QString statusWhileRunning;
    bool runningSeen = false;
    std::vector<bool> enabledWhileRunning;
    QTimer::singleShot(0, &Table(), [&] {
        statusWhileRunning = Text("Statuslabel");
        runningSeen = Table().Running();
        for (const char* name : {"BitBtn1", "Button1", "BitBtn2"})
            enabledWhileRunning.push_back(Find<QPushButton>(Table(), name)->isEnabled());
        for (const char* name : {"GroupBox1", "RadioGroup1", "GroupBox2"})
            enabledWhileRunning.push_back(Find<QGroupBox>(Table(), name)->isEnabled());
        Click("BitBtn1");  // a second run does not start inside the first
        // The table is the one control left to take the focus; Esc reaches the window from it.
        QCoreApplication::postEvent(
            Find<QTableWidget>(Table(), "gewinngrid"),
            new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    });
    Click("BitBtn1");

    EXPECT_TRUE(runningSeen);
    EXPECT_EQ(statusWhileRunning, "Berechnung läuft: 0 % … (Esc bricht ab)");
    EXPECT_EQ(enabledWhileRunning, std::vector<bool>(6, false));
    EXPECT_FALSE(Table().Running());
    EXPECT_TRUE(Table().isVisible());  // Esc stopped the run, not the window
    EXPECT_TRUE(Text("Statuslabel").startsWith("Abgebrochen"));
    EXPECT_EQ(Shown(Table()), before);
    EXPECT_EQ(State().rows, rowsBefore);
    EXPECT_EQ(State().plan, planBefore);
    EXPECT_FALSE(form_->SystemUnsaved());
    EXPECT_TRUE(ports_.messages.empty());  // no "Reihen zugefügt"
    EXPECT_TRUE(Find<QPushButton>(Table(), "BitBtn1")->isEnabled());
    EXPECT_TRUE(Find<QGroupBox>(Table(), "GroupBox2")->isEnabled());

    // Esc without a run closes the window as ever.
    QTest::keyClick(&Table(), Qt::Key_Escape);
    EXPECT_FALSE(Table().isVisible());
}

// Closing the window during a long run cancels it, and the window goes once it has stopped.
TEST_F(GewinntabelleTest, ClosingTheWindowCancelsALongRun) {
    UseWeekOf14(13);
    const TRowList rowsBefore = State().rows;
    OpenFromMenu();
    Find<QSpinBox>(Table(), "min10spin")->setValue(5);
    QTimer::singleShot(0, &Table(), [&] { Table().close(); });
    Click("BitBtn1");
    EXPECT_FALSE(Table().isVisible());
    EXPECT_EQ(State().rows, rowsBefore);
    EXPECT_EQ(Find<QTableWidget>(Table(), "gewinngrid")->rowCount(), 0);
    EXPECT_TRUE(ports_.messages.empty());
}

TEST_F(GewinntabelleTest, SlipsArePrintedWhereTheLayoutPutsThem) {
    State().games = 11;
    State().rows = TRowList(11);
    Find<QPushButton>(Main(), "Button3")->click();
    EXPECT_TRUE(ports_.jobs.empty());  // an empty system starts no document

    std::vector<std::string> rows;
    for (int i = 0; i < 120; ++i)
        rows.push_back(std::string(10, '1') + std::to_string(i % 3));
    State().rows = RowsFromStrings(rows);
    State().rowsPerSlip = 12;
    Find<QPushButton>(Main(), "Button3")->click();

    const std::vector<SlipDocument> layout = LayoutSlips(State().rows, 12);
    ASSERT_EQ(ports_.jobs.size(), 2u);  // nine slips on the first page, one on the second
    for (std::size_t job = 0; job < layout.size(); ++job) {
        ASSERT_EQ(ports_.jobs[job].size(), 1u);
        const std::vector<PaintedText>& texts = ports_.jobs[job][0].Texts();
        ASSERT_EQ(texts.size(), layout[job].size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const DrawCall& call = layout[job][i];
            EXPECT_EQ(texts[i].text.toStdString(), call.text);
            EXPECT_NEAR(texts[i].topLeft.x(), call.x, 0.5);
            EXPECT_NEAR(texts[i].topLeft.y(), -call.y, 0.5);
        }
    }
    // Row 12 opens the second slip of the first band.
    EXPECT_NEAR(ports_.jobs[0][0].Texts()[12 * 11].topLeft.x(), 810, 0.5);
    EXPECT_NEAR(ports_.jobs[0][0].Texts()[0].topLeft.y(), 250, 0.5);
    EXPECT_EQ(ports_.jobs[0][0].Texts()[0].font.pixelSize(), 50);
}

}  // namespace
}  // namespace velmora
