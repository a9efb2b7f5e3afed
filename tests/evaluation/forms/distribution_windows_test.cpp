// The tip distribution and coverage warning windows, filled as the main window and the
// generation fill them before showing them.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest/QTest>
#include <random>

#include "evaluation/forms/alarm.h"
#include "evaluation/forms/tippverteilung.h"
#include "evaluation/tipdistribution.h"
#include "model/coverage.h"
#include "support/qtprinting.h"
#include "support/testplans.h"

namespace velmora {
namespace {

using testing::RandomRows;

using testing::PlanFromTendencies;
using testing::RowsFromStrings;

QString Cell(const TTippverteilung& window, int row, int column) {
    const QTableWidgetItem* item = window.Table()->item(row, column);
    return item == nullptr ? QString() : item->text();
}

// The game number and the counts of "1", "0" and "2" of one table row.
std::vector<QString> TableRow(const TTippverteilung& window, int row) {
    return {Cell(window, row, 0), Cell(window, row, 1), Cell(window, row, 2), Cell(window, row, 3)};
}

TEST(TippverteilungWindow, FixedLayout) {
    TTippverteilung window;
    EXPECT_EQ(window.objectName(), "TTippverteilung");
    EXPECT_EQ(window.windowTitle(), "Tippverteilung");
    EXPECT_EQ(window.size(), QSize(171, 425));

    QTableWidget* table = window.findChild<QTableWidget*>("StringGrid1");
    ASSERT_EQ(table, window.Table());
    EXPECT_EQ(table->columnCount(), 4);
    EXPECT_EQ(table->horizontalHeader()->defaultSectionSize(), 24);

    auto* close = window.findChild<QPushButton*>("Schliessen");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), "Schließen");
    EXPECT_LT(close->y(), table->y());

    window.show();
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST(TippverteilungWindow, OneRowOfOnesCountsOnlyInColumnOne) {
    TTippverteilung window;
    ASSERT_EQ(window.Refresh(RowsFromStrings({"11111111111111"}), 14), "");

    ASSERT_EQ(window.Table()->rowCount(), 15);
    EXPECT_EQ(TableRow(window, 0), (std::vector<QString>{"", "1", "0", "2"}));
    for (int g = 1; g <= 14; ++g)
        EXPECT_EQ(TableRow(window, g), (std::vector<QString>{QString::number(g), "1", "0", "0"}))
            << "game " << g;
}

TEST(TippverteilungWindow, RandomSystemCountsMatchAndAddUpToTheRowCount) {
    const TRowList rows = RandomRows(13, 250, 4711);
    TTippverteilung window;
    ASSERT_EQ(window.Refresh(rows, 13), "");

    for (int g = 1; g <= 13; ++g) {
        std::array<int, 3> expected{};
        for (std::int32_t r = 0; r < rows.Count(); ++r)
            ++expected[rows.Row(r)[g - 1]];
        int sum = 0;
        for (int slot = 0; slot < 3; ++slot) {
            const int shown = Cell(window, g, slot + 1).toInt();
            EXPECT_EQ(shown, expected[kDisplayOrder[slot]]) << "game " << g << " slot " << slot;
            sum += shown;
        }
        EXPECT_EQ(sum, 250) << "game " << g;
    }
}

TEST(TippverteilungWindow, EmptySystemAfterFourteenGamesShowsElevenZeroRows) {
    TTippverteilung window;
    ASSERT_EQ(window.Refresh(RandomRows(14, 20, 1), 14), "");
    ASSERT_EQ(window.Refresh(TRowList(11), 11), "");

    ASSERT_EQ(window.Table()->rowCount(), 12);
    for (int g = 1; g <= 11; ++g)
        EXPECT_EQ(TableRow(window, g), (std::vector<QString>{QString::number(g), "0", "0", "0"}));
}

// Every column wide enough for its texts and all of them seen in the window.
void ExpectColumnsShownWhole(const TTippverteilung& window) {
    const QTableWidget& table = *window.Table();
    int columns = 0;
    for (int column = 0; column < table.columnCount(); ++column) {
        for (int row = 0; row < table.rowCount(); ++row)
            EXPECT_LE(table.fontMetrics().horizontalAdvance(Cell(window, row, column)),
                      table.columnWidth(column))
                << "row " << row << " column " << column;
        columns += table.columnWidth(column);
    }
    EXPECT_LE(columns, table.viewport()->width());
    EXPECT_TRUE(window.rect().contains(table.geometry()));
}

TEST(TippverteilungWindow, SevenDigitCountsWidenTheColumnsAndTheWindowOnlyWhileNeeded) {
    // 3,000,000 rows of 11 games, each sign a million times in every game.
    std::vector<Sign> bytes(3'000'000 * 11);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<Sign>((i / 11) % 3);
    TRowList rows(11);
    rows.AssignBytes(std::move(bytes));
    TTippverteilung window;
    ASSERT_EQ(window.Refresh(rows, 11), "");
    window.show();
    EXPECT_EQ(TableRow(window, 11), (std::vector<QString>{"11", "1000000", "1000000", "1000000"}));
    ExpectColumnsShownWhole(window);
    EXPECT_GT(window.width(), 171);
    EXPECT_EQ(window.height(), 425);

    ASSERT_EQ(window.Refresh(RowsFromStrings({"11111111111"}), 11), "");
    ExpectColumnsShownWhole(window);
    EXPECT_EQ(window.size(), QSize(171, 425));
}

TEST(TippverteilungWindow, BadInputIsRejectedAndKeepsTheTable) {
    TTippverteilung window;
    ASSERT_EQ(window.Refresh(RowsFromStrings({"111111111111"}), 12), "");
    const std::vector<QString> before = TableRow(window, 12);

    const QString badCount = window.Refresh(RowsFromStrings({"111111111111"}), 10);
    EXPECT_TRUE(badCount.contains("11 bis 14")) << badCount.toStdString();

    const QString mismatch = window.Refresh(RowsFromStrings({"1111111111111"}), 12);
    EXPECT_TRUE(mismatch.contains("13 Spiele")) << mismatch.toStdString();

    const QString badSign = window.Refresh(RowsFromStrings({"000000000000", "111191111111"}), 12);
    EXPECT_TRUE(badSign.contains("Reihe 2")) << badSign.toStdString();
    EXPECT_TRUE(badSign.contains("Spiel 5")) << badSign.toStdString();

    EXPECT_EQ(window.Table()->rowCount(), 13);
    EXPECT_EQ(TableRow(window, 12), before);
}

// --- coverage warning ---

QLabel* SignLabel(const TAlarm& window, int game, int position) {
    return window.findChild<QLabel*>("weg" + QString::number(game) + QString::number(position));
}

// The digits of one line, with "!" after each one shown in red.
QString LineText(const TAlarm& window, int game) {
    QString text;
    for (int p = 0; p < 3; ++p) {
        const QLabel* label = SignLabel(window, game, p);
        if (label == nullptr || !label->isVisibleTo(&window) || label->text().isEmpty())
            continue;
        text += label->text();
        const QColor color = label->palette().color(label->foregroundRole());
        if (color == QColor(Qt::red))
            text += "!";
        else
            EXPECT_EQ(color, QColor(Qt::black)) << "game " << game << " position " << p;
    }
    return text;
}

// As the generation leaves the plan: every game in sign order.
TTipPlan InSignOrder(TTipPlan plan, int games) {
    for (int g = 1; g <= games; ++g)
        plan.ToSignOrder(g);
    return plan;
}

TEST(AlarmWindow, FixedLayout) {
    TAlarm window;
    EXPECT_EQ(window.objectName(), "TAlarm");
    EXPECT_EQ(window.windowTitle(), "Alarm");
    EXPECT_EQ(window.size(), QSize(307, 364));

    std::vector<QString> texts;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        texts.push_back(label->text());
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
        EXPECT_LE(label->geometry().right(), window.width());
    }
    EXPECT_EQ(texts, (std::vector<QString>{QString::fromUtf8(kCoverageWarningLine1),
                                           QString::fromUtf8(kCoverageWarningLine2)}));

    auto* close = window.findChild<QPushButton*>("Schliessen");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), "Schließen");
    EXPECT_GT(close->x(), window.width() / 2);
    EXPECT_GT(close->y(), window.height() / 2);
    EXPECT_LE(close->geometry().right(), window.width());
    EXPECT_LE(close->geometry().bottom(), window.height());
}

TEST(AlarmWindow, SignLinesStandBelowTheTextWithoutOverlap) {
    TAlarm window;
    ASSERT_EQ(window.Refresh(InSignOrder(testing::FullPlan(14), 14), 14, TCoverageTable{}), "");
    const int textBottom = window.findChild<QLabel*>("Label2")->geometry().bottom();
    for (int g = 1; g <= 14; ++g) {
        EXPECT_EQ(SignLabel(window, g, 0)->geometry().topLeft(), QPoint(130, 20 * g + 20));
        EXPECT_LT(SignLabel(window, g, 0)->height(), 20);
    }
    EXPECT_GT(SignLabel(window, 1, 0)->y(), textBottom);
    for (int p = 1; p < 3; ++p)
        EXPECT_GT(SignLabel(window, 1, p)->x(), SignLabel(window, 1, p - 1)->geometry().right());
}

TEST(AlarmWindow, UncoveredSignsAreRedAndInTendencyOrder) {
    // Game 1 favours "0" before "2" before "1"; game 2 allows only "1"; game 3 "1" and "2".
    // Game 4 has equal tendencies, so its signs keep the sign order.
    TTipPlan plan = PlanFromTendencies(
        {"132", "100", "101", "111", "111", "111", "111", "111", "111", "111", "111"});
    const TRowList rows = RowsFromStrings({"01111111111", "11211111111"});
    TAlarm window;
    ASSERT_EQ(window.Refresh(InSignOrder(plan, 11), 11, UpdateCoverage(rows)), "");

    EXPECT_EQ(LineText(window, 1), "02!1");
    EXPECT_EQ(LineText(window, 2), "1");
    EXPECT_EQ(LineText(window, 3), "12");
    EXPECT_EQ(LineText(window, 4), "0!12!");
}

TEST(AlarmWindow, ElevenGamesAfterFourteenHideTheLastLines) {
    TAlarm window;
    const TRowList rows14 = RowsFromStrings({"11111111111111"});
    ASSERT_EQ(window.Refresh(InSignOrder(testing::FullPlan(14), 14), 14, UpdateCoverage(rows14)),
              "");
    EXPECT_EQ(LineText(window, 14), "10!2!");

    const TRowList rows11 = RowsFromStrings({"22222222222"});
    ASSERT_EQ(window.Refresh(InSignOrder(testing::FullPlan(11), 11), 11, UpdateCoverage(rows11)),
              "");
    for (int g = 1; g <= 11; ++g)
        EXPECT_EQ(LineText(window, g), "1!0!2") << "game " << g;
    for (int g = 12; g <= 14; ++g) {
        for (int p = 0; p < 3; ++p) {
            const QLabel* label = SignLabel(window, g, p);
            ASSERT_NE(label, nullptr);
            EXPECT_FALSE(label->isVisibleTo(&window)) << "game " << g;
            EXPECT_TRUE(label->text().isEmpty()) << "game " << g;
        }
    }
}

TEST(AlarmWindow, EachLineIsLabelledWithItsGame) {
    TAlarm window;
    for (int n : {14, 11}) {
        SCOPED_TRACE(n);
        ASSERT_EQ(window.Refresh(InSignOrder(testing::FullPlan(n), n), n, TCoverageTable{}), "");
        for (int g = 1; g <= 14; ++g) {
            const auto* number = window.findChild<QLabel*>("Spielnummer_" + QString::number(g));
            ASSERT_NE(number, nullptr) << g;
            EXPECT_EQ(number->isVisibleTo(&window), g <= n) << g;
            if (g > n)
                continue;
            EXPECT_EQ(number->text(), "Sp. " + QString::number(g));
            // On the line's height, whole, and clear of its signs and of the text above.
            const QLabel* first = SignLabel(window, g, 0);
            EXPECT_EQ(number->y(), first->y());
            EXPECT_LT(number->geometry().right(), first->x());
            EXPECT_GE(number->width(), number->fontMetrics().horizontalAdvance(number->text()));
            EXPECT_GT(number->y(), window.findChild<QLabel*>("Label2")->geometry().bottom());
        }
    }
}

TEST(AlarmWindow, BadInputIsRejectedAndKeepsTheLines) {
    TAlarm window;
    const TRowList rows = RowsFromStrings({"111111111111"});
    ASSERT_EQ(window.Refresh(InSignOrder(testing::FullPlan(12), 12), 12, UpdateCoverage(rows)), "");

    const QString badCount = window.Refresh(testing::FullPlan(12), 15, TCoverageTable{});
    EXPECT_TRUE(badCount.contains("11 bis 14")) << badCount.toStdString();

    TTipPlan broken = InSignOrder(testing::FullPlan(12), 12);
    broken.Game(3).pairs[1].sign = 7;
    const QString badPlan = window.Refresh(broken, 12, TCoverageTable{});
    EXPECT_TRUE(badPlan.contains("Spiel 3")) << badPlan.toStdString();

    for (int g = 1; g <= 12; ++g)
        EXPECT_EQ(LineText(window, g), "10!2!") << "game " << g;
}

}  // namespace
}  // namespace velmora
