#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "model/forms/tipplanform.h"
#include "support/guifixture.h"
#include "support/weekaccess.h"

namespace velmora {
namespace {

class TipPlanEditor : public testing::ProgramTest {
  protected:
    TTipplan& Editor() { return *windows_->tipPlan; }
    TipGrid& Grid() { return *Find<TipGrid>(Editor(), "tippgrid"); }

    // Types one key into the cell of game g and the sign in display position `slot`.
    void Type(int game, int slot, char key) {
        Grid().setCurrentCell(game - 1, slot);
        QTest::keyClick(&Grid(), key);
    }
    QString Cell(int game, int slot) { return Grid().item(game - 1, slot)->text(); }
    QString Tips(int game) {
        QString tips;
        for (int p = 0; p < 3; ++p) {
            const QString name = "tip" + QString::number(game) + "_" + QString::number(p);
            const QString text = Find<QLabel>(Editor(), name)->text();
            tips += text.isEmpty() ? "." : text;
        }
        return tips;
    }
    void Toggle(int game, char sign) {
        Find<QPushButton>(Editor(), "toggle" + QString::number(game) + sign)->click();
    }
    void SetTendencies(int game, const char* tendencies) {
        for (int slot = 0; slot < 3; ++slot)
            Type(game, slot, tendencies[slot]);
    }
};

TEST_F(TipPlanEditor, LinesForTheGameCountWithTheirLabels) {
    Start();
    Find<QPushButton>(Main(), "tpbuton")->click();
    ASSERT_TRUE(Editor().isVisible());
    EXPECT_EQ(Editor().windowTitle(), "Tipplan");
    EXPECT_EQ(Grid().rowCount(), 13);
    EXPECT_TRUE(Find<QRadioButton>(Editor(), "b13")->isChecked());
    EXPECT_EQ(Find<QLabel>(Editor(), "Spiel9")->text(), "Spiel  9");
    EXPECT_EQ(Find<QLabel>(Editor(), "Spiel10")->text(), "Spiel 10");
    EXPECT_EQ(Find<QLabel>(Editor(), "Titel")->text(),
              QString::fromStdString(State().plan.StatusText(13)));
    EXPECT_EQ(Find<QSpinBox>(Editor(), "EintrSpin")->value(), 3);
}

TEST_F(TipPlanEditor, TypedDigitsSetTendenciesAndOtherKeysEnterZero) {
    Start();
    Main().Neu1Click();
    ASSERT_TRUE(Editor().isVisible());
    SetTendencies(1, "333");
    EXPECT_EQ(Tips(1), "102");
    SetTendencies(2, "115");
    EXPECT_EQ(Tips(2), "201");
    SetTendencies(3, "042");
    EXPECT_EQ(Tips(3), "02.");
    Type(3, 1, 'x');
    EXPECT_EQ(Cell(3, 1), "0");
    EXPECT_EQ(State().plan.Tendency(3, 0), 0);
    EXPECT_EQ(Tips(3), "2..");

    // The print key prints and leaves the cell alone.
    Type(3, 2, 'd');
    EXPECT_EQ(Cell(3, 2), "2");
    ASSERT_EQ(ports_.printed.size(), 1u);
    EXPECT_EQ(ports_.printed[0], &Editor());

    // The main window's status follows the editor.
    EXPECT_EQ(Find<QLabel>(Main(), "StaticText1")->text(), "Es Fehlen noch Tips");
    for (int g = 4; g <= 13; ++g)
        Type(g, 0, '1');
    // Games 1 and 2 have three signs, game 3 only "2" after the "x".
    EXPECT_EQ(Find<QLabel>(Main(), "StaticText1")->text(), "VOLLSYSTEM: 9 Reihen");
    EXPECT_EQ(Find<QLabel>(Editor(), "Titel")->text(), "VOLLSYSTEM: 9 Reihen");
}

TEST_F(TipPlanEditor, ToggleButtonsEnterTheEntryValueOrClear) {
    Start();
    Main().Neu1Click();
    Find<QSpinBox>(Editor(), "EintrSpin")->setValue(5);
    Toggle(1, '0');
    EXPECT_EQ(Cell(1, 1), "5");
    EXPECT_EQ(State().plan.Tendency(1, 0), 5);
    Toggle(1, '0');
    EXPECT_EQ(Cell(1, 1), "0");
    EXPECT_EQ(State().plan.Tendency(1, 0), 0);
    Type(1, 2, '8');
    Toggle(1, '2');  // an allowed sign is always cleared
    EXPECT_EQ(State().plan.Tendency(1, 2), 0);
    EXPECT_EQ(Tips(1), "...");
    EXPECT_EQ(Find<QLabel>(Editor(), "Titel")->text(), "Es Fehlen noch Tips");
}

TEST_F(TipPlanEditor, GameCountChoiceKeepsTheTendenciesAndUpdatesTheMainWindow) {
    Start();
    Find<QPushButton>(Main(), "tpbuton")->click();
    const TTipPlan before = State().plan;
    Find<QRadioButton>(Editor(), "b14")->click();
    EXPECT_EQ(State().games, 14);
    EXPECT_EQ(Grid().rowCount(), 14);
    EXPECT_EQ(Find<QRadioButton>(Main(), "Gewinngarantie1")->text(), "14");
    EXPECT_EQ(Find<QSpinBox>(Main(), "TZminspin")->maximum(), 13);
    EXPECT_EQ(State().tipPlanStream.size(), 14u);

    Find<QRadioButton>(Editor(), "b11")->click();
    EXPECT_EQ(Grid().rowCount(), 11);
    EXPECT_EQ(Find<QRadioButton>(Main(), "Gewinngarantie4")->text(), "8");
    Find<QRadioButton>(Editor(), "b13")->click();
    for (int g = 1; g <= 13; ++g)
        for (Sign s : kDisplayOrder)
            EXPECT_EQ(State().plan.Tendency(g, s), before.Tendency(g, s)) << g;
}

// Changes made elsewhere (another week, a new game count, undo) show in the open editor.
TEST_F(TipPlanEditor, AnOpenEditorFollowsThePlan) {
    Start();
    Editor().ShowForGameCount();
    const int games = State().games;
    ASSERT_EQ(Grid().rowCount(), games);
    testing::Arrange(*form_).plan.SetTendency(2, 0, 7);
    testing::Arranged(*form_);
    EXPECT_EQ(Cell(2, 1), "7");  // display order "1", "0", "2"
    EXPECT_TRUE(Tips(2).startsWith("0"));

    form_->SetGameCount(games == 14 ? 11 : games + 1);
    EXPECT_EQ(Grid().rowCount(), State().games);
    EXPECT_NE(Find<QLabel>(Editor(), "Spiel" + QString::number(State().games)), nullptr);
}

}  // namespace
}  // namespace velmora
