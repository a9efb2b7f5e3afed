// The filter display and the filter check on a hand-made block list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>
#include <filesystem>

#include "app/forms/weeksignals.h"
#include "app/workingweek.h"
#include "filters/filterrows.h"
#include "filters/forms/filteranzeige.h"
#include "filters/forms/filtercheck.h"
#include "support/fakeports.h"
#include "support/qtprinting.h"
#include "support/tempdir.h"
#include "support/weekaccess.h"

namespace velmora {
namespace {

// Marks `sign` in every game.
TBlockFilter BlockOn(Sign sign, int minHits, int maxHits, bool orNext = false) {
    return testing::BlockOn(sign, kMaxGames, minHits, maxHits, kMaxGames, orNext);
}

TResultRow ResultOf(const std::string& text) {
    TResultRow result;
    for (std::size_t g = 0; g < text.size(); ++g)
        result.signs[g] = static_cast<Sign>(text[g] - '0');
    return result;
}

class FilterWindowTest : public testing::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        previousDirectory_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir_.string()));
        testing::Arrange(form_).games = 13;
    }
    void TearDown() override {
        QDir::setCurrent(previousDirectory_);
        TempDirTest::TearDown();
    }

    std::vector<TBlockFilter>& Blocks() { return testing::Arrange(form_).filters.blocks; }

    QString previousDirectory_;
    WorkingWeek form_{"/nonexistent/"};
    WeekSignals weekSignals_{form_};
    testing::FakeUiPorts ports_;
};

class FilteranzeigeWindow : public FilterWindowTest {};
class FiltercheckWindow : public FilterWindowTest {};

QStringList FilterHeaders(const TFiltercheck& check) {
    QStringList headers;
    for (const QLabel* label : check.findChildren<QLabel*>(QRegularExpression("^Filter_\\d+$")))
        headers << label->objectName() + "=" + label->text();
    headers.sort();
    return headers;
}

TEST_F(FilteranzeigeWindow, SizeFollowsBlocksAndGamesEachTimeItIsShown) {
    Blocks() = {BlockOn(1, 0, 5, true), BlockOn(2, 1, 4)};
    QWidget main;
    main.setGeometry(40, 40, 300, 200);
    main.show();
    TFilteranzeige display(form_, ports_, weekSignals_, &main);
    EXPECT_TRUE(display.isWindow());

    display.show();
    EXPECT_EQ(display.size(), QSize(2 * 45 + 50, 13 * 25 + 80));
    EXPECT_GT(display.frameGeometry().left(), main.frameGeometry().right());
    auto* close = display.findChild<QPushButton*>("Schliessen");
    ASSERT_NE(close, nullptr);
    EXPECT_GE(close->y(), 13 * 25);

    // It follows the week while it is open.
    Blocks().push_back(BlockOn(0, 0, 3));
    testing::Arrange(form_).games = 11;
    testing::Arranged(form_);
    EXPECT_EQ(display.size(), QSize(3 * 45 + 50, 11 * 25 + 80));

    // Its own button closes it, and the week knows.
    testing::Arrange(form_).filterDisplayShown = true;
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(display.isVisible());
    EXPECT_FALSE(form_.State().filterDisplayShown);
    EXPECT_FALSE(form_.State().filterDisplayWanted);
}

TEST_F(FilteranzeigeWindow, KeyDPrintsAndDoubleClickSavesTheImage) {
    Blocks() = {BlockOn(1, 0, 5)};
    TFilteranzeige display(form_, ports_, weekSignals_, nullptr);
    display.show();

    QTest::keyClick(&display, Qt::Key_X);
    EXPECT_TRUE(ports_.printed.empty());
    QTest::keyClick(&display, Qt::Key_D);
    QTest::keyClick(&display, Qt::Key_D, Qt::ShiftModifier);
    EXPECT_EQ(ports_.printed, (std::vector<QWidget*>{&display, &display}));

    QWidget* area = display.findChild<QWidget*>("anzfeld");
    ASSERT_NE(area, nullptr);
    QTest::mouseDClick(area, Qt::LeftButton);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "Filteranzeige.BMP"));
    EXPECT_TRUE(ports_.messages.empty());
}

TEST_F(FiltercheckWindow, ShowsOneColumnPerFailedBlockWithRedMarkedSigns) {
    // Block 1 (at most two "1") is linked with block 2, which the result meets: it is listed
    // all the same. Block 3 wants at least one "2".
    Blocks() = {BlockOn(1, 0, 2, true), BlockOn(0, 0, 13), BlockOn(2, 1, 13)};
    TFiltercheck check(form_, nullptr);
    EXPECT_EQ(check.windowTitle(), "Filtercheck");

    check.ShowFor(ResultOf("1110000000000"));
    EXPECT_TRUE(check.isVisible());
    EXPECT_FALSE(check.isModal());
    EXPECT_EQ(check.findChild<QLabel*>("StaticText1")->text(),
              "Folgende Filter sind nicht erfüllt!");
    EXPECT_EQ(FilterHeaders(check), (QStringList{"Filter_1=Filter: 1", "Filter_3=Filter: 3"}));

    QString shown;
    for (const QString column : {"Filter_1_", "Filter_3_"}) {
        for (int g = 1; g <= 13; ++g) {
            const auto* sign = check.findChild<QLabel*>(column + QString::number(g));
            ASSERT_NE(sign, nullptr) << g;
            const bool red = sign->palette().color(QPalette::WindowText) == QColor(Qt::red);
            shown += red ? "(" + sign->text() + ")" : sign->text();
        }
        shown += " ";
    }
    EXPECT_EQ(shown, "(1)(1)(1)0000000000 1110000000000 ");
    EXPECT_EQ(check.findChild<QLabel*>("Max_1")->text(), "2");
    // Every text whole, within the window.
    for (const QLabel* label : check.findChildren<QLabel*>()) {
        EXPECT_TRUE(check.rect().contains(label->geometry())) << label->objectName().toStdString();
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
            << label->objectName().toStdString();
    }
}

TEST_F(FiltercheckWindow, LinesCarryTheirGameNumbers) {
    Blocks() = {BlockOn(1, 0, 2)};
    TFiltercheck check(form_, nullptr);
    for (int n : {14, 11}) {
        SCOPED_TRACE(n);
        testing::Arrange(form_).games = n;
        check.ShowFor(ResultOf(std::string(static_cast<std::size_t>(n), '1')));
        for (int g = 1; g <= 14; ++g) {
            const auto* number = check.findChild<QLabel*>("Spielnummer_" + QString::number(g));
            ASSERT_EQ(number != nullptr, g <= n) << g;
            if (number == nullptr)
                continue;
            EXPECT_EQ(number->text(), (g <= 9 ? "Sp. " : "Sp.") + QString::number(g));
            const auto* sign = check.findChild<QLabel*>("Filter_1_" + QString::number(g));
            ASSERT_NE(sign, nullptr);
            EXPECT_EQ(number->y(), sign->y());
            EXPECT_LT(number->geometry().right(), sign->x());
            EXPECT_LT(number->geometry().right(), check.findChild<QLabel*>("Filter_1")->x());
        }
        check.hide();
    }
    // A result that meets every block has no lines, and so no numbers.
    check.ShowFor(ResultOf("00000000000"));
    EXPECT_EQ(check.findChild<QLabel*>("Spielnummer_1"), nullptr);
    check.hide();
}

TEST_F(FiltercheckWindow, ShowingForAnotherResultLeavesNoOldLabels) {
    Blocks() = {BlockOn(1, 0, 2), BlockOn(2, 0, 0)};
    TFilteranzeige display(form_, ports_, weekSignals_, nullptr);
    TFiltercheck check(form_, nullptr);

    OpenFilterCheck(display, check, ResultOf("1112000000000"));
    EXPECT_TRUE(display.isVisible());
    EXPECT_EQ(FilterHeaders(check), (QStringList{"Filter_1=Filter: 1", "Filter_2=Filter: 2"}));

    check.hide();
    EXPECT_TRUE(FilterHeaders(check).isEmpty());
    EXPECT_EQ(check.findChildren<QLabel*>().size(), 1);  // the top text only

    OpenFilterCheck(display, check, ResultOf("1000000000000"));
    EXPECT_EQ(check.findChild<QLabel*>("StaticText1")->text(), "Alle Filter sind OK");
    EXPECT_EQ(check.findChildren<QLabel*>().size(), 1);

    // Open already: the new result replaces the old columns.
    check.ShowFor(ResultOf("0000000000002"));
    EXPECT_EQ(FilterHeaders(check), (QStringList{"Filter_2=Filter: 2"}));
    EXPECT_EQ(check.findChildren<QLabel*>(QRegularExpression("^Filter_2_\\d+$")).size(), 13);
}

TEST_F(FiltercheckWindow, ClosesByItsButtonAndByEscape) {
    Blocks() = {BlockOn(1, 0, 2), BlockOn(2, 0, 0)};
    TFiltercheck check(form_, nullptr);
    check.ShowFor(ResultOf("1112000000000"));
    auto* close = check.findChild<QPushButton*>("Schliessen");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), "Schließen");
    EXPECT_TRUE(check.rect().contains(close->geometry()));
    for (const QLabel* label : check.findChildren<QLabel*>())
        EXPECT_LE(label->geometry().bottom(), close->y()) << label->objectName().toStdString();

    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(check.isVisible());
    check.ShowFor(ResultOf("1000000000000"));
    ASSERT_TRUE(check.isVisible());
    QTest::keyClick(&check, Qt::Key_Escape);
    EXPECT_FALSE(check.isVisible());
}

}  // namespace
}  // namespace velmora
