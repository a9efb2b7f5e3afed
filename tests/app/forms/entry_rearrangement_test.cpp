// The manual row entry and the system rearrangement windows on a main window state whose rows
// the tests set, with a recording desktop in place of message boxes.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <string>
#include <vector>

#include "app/forms/rownumberheader.h"
#include "app/forms/systemeingabe.h"
#include "app/forms/systemumstellung.h"
#include "app/weektexts.h"
#include "app/workingweek.h"
#include "support/fakeports.h"
#include "support/weekaccess.h"

namespace velmora {
namespace {

// Rows given as digit strings, one sign per game.
TRowList Rows(int games, const std::vector<std::string>& rows) {
    TRowList list(games);
    for (const std::string& text : rows) {
        std::vector<Sign> row;
        for (char c : text)
            row.push_back(static_cast<Sign>(c - '0'));
        list.Append(row);
    }
    return list;
}

std::vector<std::string> Texts(const TRowList& rows) {
    std::vector<std::string> texts;
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        std::string text;
        for (Sign s : rows.RowSpan(r))
            text += SignChar(s);
        texts.push_back(text);
    }
    return texts;
}

class WindowTest : public ::testing::Test {
  protected:
    void SetSystem(int games, const std::vector<std::string>& rows) {
        testing::Arrange(form_).games = games;
        testing::Arrange(form_).rows = Rows(games, rows);
    }
    template <class Widget>
    Widget* Find(QWidget& parent, const QString& name) {
        auto* widget = parent.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    testing::FakeUiPorts ports_;
    WorkingWeek form_{""};
};

// ---- Systemeingabe ----

class Systemeingabe : public WindowTest {
  protected:
    TSystemeingabe& Open() {
        window_ = std::make_unique<TSystemeingabe>(form_, ports_, nullptr);
        window_->show();
        return *window_;
    }
    void Click(const char* button) { Find<QPushButton>(*window_, button)->click(); }
    std::string Cell(int column, int game) { return window_->Model().Cell(column, game); }
    void Select(int column, int game) {
        window_->Grid()->setCurrentIndex(window_->Model().index(game, column));
    }
    RowNumberHeader& Numbers() { return *Find<RowNumberHeader>(*window_, "Reihennummern"); }
    QString RowNumber(int column, int role = Qt::DisplayRole) {
        return window_->Model().headerData(column, Qt::Horizontal, role).toString();
    }
    QString RowPosition() { return Find<QLabel>(*window_, "Label7")->text(); }
    void GoTo(std::optional<int> row) {
        ports_.numbers = {row};
        Find<QAction>(*window_, "GeheZuReihe")->trigger();
    }

    std::unique_ptr<TSystemeingabe> window_;
};

TEST_F(Systemeingabe, ShowsEveryRowAsAColumnOfSignDigits) {
    SetSystem(11, {"10210210210", "22222222222", "00000000001"});
    TSystemeingabe& window = Open();
    EXPECT_EQ(window.objectName(), "TSystemeingabe");
    EXPECT_EQ(window.windowTitle(), "Systemeingabe");
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(window.Model().rowCount(), 11);
    EXPECT_EQ(window.Model().columnCount(), 3);
    EXPECT_EQ(Cell(0, 0), "1");
    EXPECT_EQ(Cell(0, 1), "0");
    EXPECT_EQ(Cell(0, 2), "2");
    EXPECT_EQ(Cell(2, 10), "1");
    EXPECT_EQ(window.Grid()->height(), 11 * 17 + 20 + Numbers().NeededHeight());
    EXPECT_EQ(Find<QLabel>(window, "Label7")->text(), "Reihe: 1");
}

TEST_F(Systemeingabe, EmptySystemGivesOneEmptyColumnAndOkEmptiesTheSystemWithOneMessage) {
    SetSystem(11, {});
    TSystemeingabe& window = Open();
    ASSERT_EQ(window.Model().columnCount(), 1);
    for (int g = 0; g < 11; ++g)
        EXPECT_EQ(Cell(0, g), "");

    testing::ChangeRecorder changed(form_);
    Click("BitBtn2");
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ports_.messages[0].text,
              "Eine Reihe war unvollständig und wird nicht mit übernommen");
    EXPECT_TRUE(testing::Arrange(form_).rows.Empty());
    EXPECT_EQ(SystemSizeText(form_.State()), "0");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(Systemeingabe, OnlyZeroOneAndTwoReachACell) {
    SetSystem(11, {"11111111111"});
    TSystemeingabe& window = Open();
    EntryGridView* grid = window.Grid();
    Select(0, 0);
    for (char key : std::string("3a9 +-"))
        QTest::keyClick(grid, key);
    EXPECT_EQ(Cell(0, 0), "1");

    QTest::keyClick(grid, '2');  // replaces the cell and moves to the next game
    EXPECT_EQ(Cell(0, 0), "2");
    EXPECT_EQ(grid->currentIndex().row(), 1);
    QTest::keyClick(grid, '0');
    EXPECT_EQ(Cell(0, 1), "0");
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(Cell(0, 2), "");

    // Any other way into the model is held to the same rule.
    EntryTableModel& model = window.Model();
    EXPECT_FALSE(model.setData(model.index(3, 0), "3"));
    EXPECT_FALSE(model.setData(model.index(3, 0), "12"));
    EXPECT_FALSE(model.setData(model.index(3, 0), "x"));
    EXPECT_FALSE(model.setData(model.index(11, 0), "1"));
    EXPECT_EQ(Cell(0, 3), "1");
}

TEST_F(Systemeingabe, ClearedColumnIsReportedOnceAndTheOthersKeepTheirOrder) {
    SetSystem(11, {"11111111111", "00000000000", "22222222222", "10101010101", "21212121212"});
    TSystemeingabe& window = Open();
    Select(2, 5);
    Click("Reihelschen");
    for (int g = 0; g < 11; ++g)
        EXPECT_EQ(Cell(2, g), "");
    EXPECT_EQ(window.Model().columnCount(), 5);  // the column stays until OK

    Click("BitBtn2");
    EXPECT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(
        Texts(testing::Arrange(form_).rows),
        (std::vector<std::string>{"11111111111", "00000000000", "10101010101", "21212121212"}));
    EXPECT_EQ(SystemSizeText(form_.State()), "4");
}

TEST_F(Systemeingabe, NewRowIsAppendedEmptyAndTypedInBecomesTheLastRow) {
    SetSystem(11, {"11111111111"});
    TSystemeingabe& window = Open();
    Click("Neuereihe");
    ASSERT_EQ(window.Model().columnCount(), 2);
    EXPECT_EQ(window.Grid()->currentIndex(), window.Model().index(0, 1));
    EXPECT_EQ(Cell(1, 0), "");
    QTest::keyClicks(window.Grid(), "10210210210");
    Click("BitBtn2");
    EXPECT_TRUE(ports_.messages.empty());
    EXPECT_EQ(Texts(testing::Arrange(form_).rows),
              (std::vector<std::string>{"11111111111", "10210210210"}));
}

TEST_F(Systemeingabe, CancelChangesNothingAndShowingAgainStartsFromTheSystem) {
    SetSystem(11, {"11111111111", "22222222222"});
    const TRowList before = testing::Arrange(form_).rows;
    TSystemeingabe& window = Open();
    testing::ChangeRecorder changed(form_);
    Select(0, 0);
    QTest::keyClick(window.Grid(), '0');
    Click("Neuereihe");
    Select(1, 0);
    Click("Reihelschen");
    Click("BitBtn1");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(testing::Arrange(form_).rows, before);
    EXPECT_EQ(SystemSizeText(form_.State()), "2");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(ports_.messages.empty());

    window.show();
    EXPECT_EQ(window.Model().columnCount(), 2);
    EXPECT_EQ(Cell(0, 0), "1");
    EXPECT_EQ(Cell(1, 0), "2");
}

TEST_F(Systemeingabe, RowPositionFollowsTheFirstVisibleColumn) {
    SetSystem(11, std::vector<std::string>(300, "11111111111"));
    TSystemeingabe& window = Open();
    EXPECT_EQ(Find<QLabel>(window, "Label7")->text(), "Reihe: 1");
    window.Grid()->horizontalScrollBar()->setValue(40);
    EXPECT_EQ(Find<QLabel>(window, "Label7")->text(),
              QString("Reihe: %1").arg(window.Grid()->columnAt(0) + 1));
    EXPECT_NE(Find<QLabel>(window, "Label7")->text(), "Reihe: 1");
}

TEST_F(Systemeingabe, EveryColumnCarriesItsRowNumberNewOnesToo) {
    SetSystem(11, std::vector<std::string>(98, "11111111111"));
    TSystemeingabe& window = Open();
    EXPECT_EQ(RowNumber(0), "1");
    EXPECT_EQ(RowNumber(97), "98");
    EXPECT_EQ(window.Model().headerData(10, Qt::Vertical).toString(), "11");  // game numbers
    EXPECT_FALSE(Numbers().Upright());

    // The hundredth row brings a third digit: the numbers stand upright, the grid grows by
    // the header's height and the buttons stay beneath it.
    Click("Neuereihe");
    EXPECT_EQ(RowNumber(98), "99");
    EXPECT_FALSE(Numbers().Upright());
    Click("Neuereihe");
    EXPECT_EQ(RowNumber(99), "100");
    EXPECT_TRUE(Numbers().Upright());
    EXPECT_EQ(window.Grid()->height(), 11 * 17 + 20 + Numbers().NeededHeight());
    auto* ok = Find<QPushButton>(window, "BitBtn2");
    EXPECT_GT(ok->mapTo(&window, QPoint(0, 0)).y(), window.Grid()->geometry().bottom());
    EXPECT_LE(ok->mapTo(&window, QPoint(0, ok->height())).y(), window.height());
}

TEST_F(Systemeingabe, GoToRowMovesTheCursorThereInItsGame) {
    SetSystem(11, std::vector<std::string>(300, "11111111111"));
    TSystemeingabe& window = Open();
    Select(0, 4);
    // Strg+G while typing in the grid.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.Grid()->setFocus();
    QTest::keyClick(window.Grid(), Qt::Key_G, Qt::ControlModifier);
    ASSERT_EQ(ports_.numberQuestions.size(), 1u);  // answered with "Abbrechen"
    EXPECT_EQ(RowPosition(), "Reihe: 1");

    GoTo(150);
    ASSERT_EQ(ports_.numberQuestions.size(), 2u);
    EXPECT_EQ(ports_.numberQuestions[1].maximum, 300);
    EXPECT_EQ(ports_.questions.back(), "Reihe (1 bis 300):");
    EXPECT_EQ(RowPosition(), "Reihe: 150");
    EXPECT_EQ(window.Grid()->columnAt(0), 149);
    EXPECT_EQ(window.Grid()->currentIndex(), window.Model().index(4, 149));

    // "Abbrechen" and a row the grid does not have change nothing.
    GoTo(std::nullopt);
    GoTo(301);
    EXPECT_EQ(RowPosition(), "Reihe: 150");
    EXPECT_EQ(window.Grid()->currentIndex(), window.Model().index(4, 149));
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ports_.numberQuestions.back().value, 150);  // the row in view was proposed

    // A new empty column is a row to go to; typing there fills it.
    Click("Neuereihe");
    GoTo(1);
    GoTo(301);
    EXPECT_EQ(window.Grid()->currentIndex(), window.Model().index(0, 300));
    QTest::keyClicks(window.Grid(), "2");
    EXPECT_EQ(Cell(300, 0), "2");
}

TEST_F(Systemeingabe, GoToRowInAnEmptySystemFindsItsOneEmptyRow) {
    SetSystem(11, {});
    TSystemeingabe& window = Open();
    GoTo(1);
    EXPECT_TRUE(ports_.messages.empty());
    EXPECT_EQ(ports_.numberQuestions.back().maximum, 1);
    EXPECT_EQ(RowPosition(), "Reihe: 1");
    EXPECT_EQ(window.Grid()->currentIndex().column(), 0);
}

TEST_F(Systemeingabe, GoToTheLastOfALargeSystem) {
    SetSystem(11, std::vector<std::string>(100'000, "10210210210"));
    TSystemeingabe& window = Open();
    GoTo(100'000);
    EXPECT_EQ(window.Grid()->currentIndex().column(), 99'999);
    EXPECT_TRUE(window.Grid()->viewport()->rect().contains(
        window.Grid()->visualRect(window.Model().index(0, 99'999))));
    // "Reihe: n" names the first column whose number can be read.
    const int first = Numbers().FirstColumnInView();
    EXPECT_GE(2 * window.Grid()->columnViewportPosition(first) + window.Grid()->columnWidth(first),
              0);
    EXPECT_EQ(RowPosition(), QString("Reihe: %1").arg(first + 1));
    EXPECT_EQ(RowNumber(99'999), "100000");
    auto* position = Find<QLabel>(window, "Label7");
    EXPECT_LE(position->fontMetrics().horizontalAdvance("Reihe: 4782969"), position->width());
}

TEST_F(Systemeingabe, LargeSystemIsTakenOverWholeAndInOrder) {
    // More columns than the window hands to the core at once.
    std::vector<std::string> rows;
    for (int r = 0; r < 9000; ++r) {
        std::string row(11, '1');
        for (int g = 0; g < 11; ++g)
            row[static_cast<std::size_t>(g)] = SignChar(static_cast<Sign>((r >> g) % 3));
        rows.push_back(row);
    }
    SetSystem(11, rows);
    Open();
    Click("BitBtn2");
    EXPECT_TRUE(ports_.messages.empty());
    EXPECT_EQ(Texts(testing::Arrange(form_).rows), rows);
    EXPECT_EQ(SystemSizeText(form_.State()), "9000");
}

TEST_F(Systemeingabe, GameCountChangedWhileOpenKeepsTheSystemWithAMessage) {
    SetSystem(11, {"11111111111"});
    TSystemeingabe& window = Open();
    SetSystem(12, {"111111111111", "222222222222"});
    const TRowList before = testing::Arrange(form_).rows;
    Click("BitBtn2");
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_TRUE(ports_.messages[0].text.contains("12 Spiele"));
    EXPECT_EQ(testing::Arrange(form_).rows, before);
    EXPECT_TRUE(window.isVisible());
}

// ---- Systemumstellung ----

class Systemumstellung : public WindowTest {
  protected:
    TTippverteilung2& Open() {
        window_ = std::make_unique<TTippverteilung2>(form_, ports_, nullptr);
        window_->show();
        return *window_;
    }
    QPoint CellCentre(int row, int column) {
        QTableWidget* grid = window_->Grid();
        return grid->visualRect(grid->model()->index(row, column)).center();
    }
    void Drag(int fromRow, int fromColumn, int toRow, int toColumn) {
        QWidget* viewport = window_->Grid()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, CellCentre(fromRow, fromColumn));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, CellCentre(toRow, toColumn));
    }
    QStringList Counts(int game) {
        QStringList counts;
        for (int column = 1; column <= 3; ++column)
            counts << window_->Grid()->item(game, column)->text();
        return counts;
    }
    void ChooseGames() { Find<QRadioButton>(*window_, "RadioButton2")->click(); }

    // Nine rows whose game 3 has the signs 1, 1, 1, 1, 0, 0, 2, 2, 2.
    void NineRows() {
        SetSystem(11, {"10100000000", "01101000000", "00120000000", "21100000000", "00000000002",
                       "11000000000", "00200000000", "00211111111", "22222222222"});
    }

    std::unique_ptr<TTippverteilung2> window_;
};

TEST_F(Systemumstellung, ShowsTheDistributionWithHandCursorInSignMode) {
    NineRows();
    TTippverteilung2& window = Open();
    EXPECT_EQ(window.objectName(), "TTippverteilung2");
    EXPECT_EQ(window.windowTitle(), "Systemumstellung");
    EXPECT_TRUE(window.isModal());
    QTableWidget* grid = window.Grid();
    EXPECT_EQ(grid->objectName(), "StringGrid1");
    ASSERT_EQ(grid->rowCount(), 12);
    EXPECT_EQ(grid->item(0, 1)->text(), "1");
    EXPECT_EQ(grid->item(0, 2)->text(), "0");
    EXPECT_EQ(grid->item(0, 3)->text(), "2");
    EXPECT_EQ(grid->item(3, 0)->text(), "3");
    EXPECT_EQ(Counts(3), (QStringList{"4", "2", "3"}));
    EXPECT_EQ(grid->height(), 12 * 26 + 5);
    EXPECT_EQ(grid->viewport()->cursor().shape(), Qt::PointingHandCursor);

    auto* signs = Find<QRadioButton>(window, "RadioButton1");
    EXPECT_EQ(signs->text(), "Tipp umstellen");
    EXPECT_TRUE(signs->isChecked());
    EXPECT_EQ(Find<QRadioButton>(window, "RadioButton2")->text(), "Spiel umstellen");
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectItems);
    EXPECT_TRUE(grid->showGrid());
    ChooseGames();
    EXPECT_EQ(window.Mode(), RearrangeMode::Games);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(grid->showGrid());
}

TEST_F(Systemumstellung, SignDragWithinAGameExchangesTheSignsAndCounts) {
    NineRows();
    TTippverteilung2& window = Open();
    testing::ChangeRecorder changed(form_);
    Drag(3, 1, 3, 3);
    std::string game3;
    for (const std::string& row : Texts(testing::Arrange(form_).rows))
        game3 += row[2];
    EXPECT_EQ(game3, "222200111");
    EXPECT_EQ(Counts(3), (QStringList{"3", "2", "4"}));
    EXPECT_EQ(Counts(1), (QStringList{"2", "5", "2"}));  // other games untouched
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(window.Grid()->viewport()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(Systemumstellung, GameDragExchangesTwoGamesAndTwiceRestores) {
    SetSystem(11, {"12000000000", "10001000000", "02220000000"});
    const TRowList before = testing::Arrange(form_).rows;
    Open();
    ChooseGames();
    testing::ChangeRecorder changed(form_);
    const QStringList game2 = Counts(2);
    const QStringList game5 = Counts(5);
    Drag(2, 1, 5, 3);
    EXPECT_EQ(Texts(testing::Arrange(form_).rows),
              (std::vector<std::string>{"10002000000", "11000000000", "00222000000"}));
    EXPECT_EQ(Counts(2), game5);
    EXPECT_EQ(Counts(5), game2);
    Drag(5, 0, 2, 0);
    EXPECT_EQ(testing::Arrange(form_).rows, before);
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(Systemumstellung, DragsThatMustNotChangeTheSystem) {
    NineRows();
    const TRowList before = testing::Arrange(form_).rows;
    TTippverteilung2& window = Open();
    testing::ChangeRecorder changed(form_);
    Drag(2, 1, 4, 3);  // across games in sign mode
    Drag(3, 0, 3, 2);  // from the game number column
    Drag(0, 1, 3, 3);  // from the heading row
    Drag(3, 2, 3, 2);  // onto the start cell
    ChooseGames();
    Drag(0, 1, 5, 1);  // a game drag from the heading row
    QTest::mousePress(window.Grid()->viewport(), Qt::LeftButton, {}, CellCentre(3, 1));
    QTest::mouseRelease(window.Grid()->viewport(), Qt::LeftButton, {},
                        QPoint(window.Grid()->viewport()->width() - 1,
                               window.Grid()->viewport()->height() - 1));  // no cell at all
    EXPECT_EQ(testing::Arrange(form_).rows, before);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(Counts(3), (QStringList{"4", "2", "3"}));
}

TEST_F(Systemumstellung, RowsOfAnotherGameCountAreReportedAndLeftAlone) {
    testing::Arrange(form_).games = 11;
    testing::Arrange(form_).rows = Rows(12, {"121212121212", "000000000000"});
    const TRowList before = testing::Arrange(form_).rows;
    TTippverteilung2& window = Open();
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_TRUE(ports_.messages[0].text.startsWith("Die Systemumstellung ist nicht möglich"));
    EXPECT_EQ(window.Grid()->rowCount(), 1);
    ChooseGames();
    Drag(0, 1, 0, 2);
    EXPECT_EQ(testing::Arrange(form_).rows, before);
}

}  // namespace
}  // namespace velmora
