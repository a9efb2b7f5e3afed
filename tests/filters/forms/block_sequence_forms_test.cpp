#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "app/workingweek.h"
#include "filters/filterrows.h"
#include "filters/forms/blockform.h"
#include "filters/forms/seqform.h"
#include "support/fakeports.h"
#include "support/tempdir.h"
#include "support/testplans.h"
#include "support/weekaccess.h"

namespace velmora {
namespace {

// The marks as "game:sign", games in order and signs in display order: "2:0 5:1".
template <class Marked>
QString MarksText(int games, Marked marked) {
    QStringList marks;
    for (int g = 1; g <= games; ++g)
        for (int column = 0; column < kSignCount; ++column)
            if (marked(g, column))
                marks << QString("%1:%2").arg(g).arg(SignChar(kDisplayOrder[column]));
    return marks.join(' ');
}

// A main window state of 13 games without the windows; images land in the test directory.
template <class Form>
class FormTest : public testing::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        previousDirectory_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir_.string()));
        State().games = 13;
    }
    void TearDown() override {
        QDir::setCurrent(previousDirectory_);
        TempDirTest::TearDown();
    }

    Workspace& State() { return testing::Arrange(form_); }
    template <class Widget = QWidget>
    Widget& Find(const char* name) {
        auto* widget = editor_->template findChild<Widget*>(name);
        if (widget == nullptr)
            throw std::runtime_error(std::string("missing control ") + name);
        return *widget;
    }
    QSpinBox& Spin(const char* name) { return Find<QSpinBox>(name); }
    void Click(const char* name) { Find<QPushButton>(name).click(); }

    QString previousDirectory_;
    WorkingWeek form_{""};
    testing::FakeUiPorts ports_;
    std::unique_ptr<Form> editor_;
    std::unique_ptr<QSignalSpy> confirmed_;
    std::unique_ptr<QSignalSpy> deleted_;
};

class BlockformTest : public FormTest<TBlockform> {
  protected:
    TBlockform& Open(int number) {
        editor_ = std::make_unique<TBlockform>(number, form_, ports_, nullptr);
        confirmed_ = std::make_unique<QSignalSpy>(editor_.get(), &TBlockform::BlockConfirmed);
        deleted_ = std::make_unique<QSignalSpy>(editor_.get(), &TBlockform::BlockDeleteRequested);
        editor_->show();
        return *editor_;
    }
    BlockGrid& Grid() { return Find<BlockGrid>("Blockgrid"); }
    QPoint CellCentre(int game, int column) {
        return Grid().visualRect(Grid().model()->index(game - 1, column)).center();
    }
    void ClickCell(int game, int column) {
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(game, column));
    }
    QString GridMarks() {
        return MarksText(Grid().rowCount(), [this](int g, int column) {
            return !Grid().item(g - 1, column)->text().isEmpty();
        });
    }
    TBlockFilter Confirmed() {
        EXPECT_EQ(confirmed_->count(), 1);
        if (confirmed_->isEmpty())
            return {};
        EXPECT_EQ(confirmed_->at(0).at(0).toInt(), editor_->Number());
        return confirmed_->at(0).at(1).value<TBlockFilter>();
    }
    static QString BlockMarks(const TBlockFilter& block) {
        return MarksText(kMaxGames, [&block](int g, int column) {
            return block.Marked(g, kDisplayOrder[column]);
        });
    }
};

TEST_F(BlockformTest, ClicksAndEnterMarkTheGameAndSignOfTheCell) {
    Open(1);
    ClickCell(2, 1);
    Grid().setCurrentCell(4, 0);
    QTest::keyClick(&Grid(), Qt::Key_Return);
    ClickCell(13, 2);
    // A double click is two presses: the cell ends as it was.
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(1, 2));
    QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(1, 2));
    QTest::mouseRelease(Grid().viewport(), Qt::LeftButton, {}, CellCentre(1, 2));
    QTest::keyClicks(&Grid(), "xX1 ");  // nothing can be typed
    EXPECT_EQ(GridMarks(), "2:0 5:1 13:2");

    Spin("SpinEdit4").setValue(2);
    Spin("SpinEdit3").setValue(9);
    Spin("SpinEdit2").setValue(3);
    Find<QCheckBox>("oderbox").setChecked(true);
    Click("BitBtn1");
    const TBlockFilter block = Confirmed();
    EXPECT_EQ(BlockMarks(block), "2:0 5:1 13:2");
    EXPECT_EQ(block.minHits, 2);
    EXPECT_EQ(block.maxHits, 9);
    EXPECT_EQ(block.maxRun, 3);
    EXPECT_EQ(block.orNext, 1);
    EXPECT_FALSE(editor_->isVisible());
    EXPECT_TRUE(State().filters.blocks.empty());  // the main window stores it
}

TEST_F(BlockformTest, ShowingLoadsTheBlockOrANewOne) {
    TBlockFilter second = testing::BlockOn(2, 3, 1, 7, 2, true);
    second.SetMarked(9, 0, true);
    State().filters.blocks = {testing::BlockOn(1, 13, 0, 13, 13), second};

    TBlockform& editor = Open(2);
    EXPECT_EQ(editor.objectName(), "block_2");
    EXPECT_EQ(editor.windowTitle(), "Filterblock 2");
    EXPECT_EQ(Find<QCheckBox>("oderbox").text(), "oder Filter 3");
    EXPECT_EQ(Find<QLabel>("Label3").text(), "höchstens\nzusammen");
    EXPECT_EQ(GridMarks(), "1:2 2:2 3:2 9:0");
    EXPECT_EQ(Spin("SpinEdit4").value(), 1);
    EXPECT_EQ(Spin("SpinEdit3").maximum(), 13);
    Click("BitBtn1");
    EXPECT_EQ(Confirmed(), second);

    // Shown again after the list and the game count changed: loaded afresh.
    State().games = 11;
    State().filters.blocks[1] = testing::BlockOn(0, 2, 0, 11, 11);
    editor.show();
    EXPECT_EQ(Grid().rowCount(), 11);
    EXPECT_EQ(GridMarks(), "1:0 2:0");
    EXPECT_EQ(Spin("SpinEdit2").maximum(), 11);

    Open(3);
    EXPECT_EQ(GridMarks(), "");
    EXPECT_EQ(Spin("SpinEdit4").value(), 0);
    EXPECT_EQ(Spin("SpinEdit3").value(), 11);
    EXPECT_EQ(Spin("SpinEdit2").value(), 11);
    EXPECT_FALSE(Find<QCheckBox>("oderbox").isChecked());
}

TEST_F(BlockformTest, SelectionHelpMarksWhatThePlanAllows) {
    // Tendencies of "1", "0", "2": main tips "1", "2", "0", then "1" only.
    std::vector<std::string> games(13, "100");
    games[0] = "530";
    games[1] = "025";
    games[2] = "040";
    State().plan = testing::PlanFromTendencies(games);
    State().plan.AllToTendencyOrder(13);
    const TTipPlan plan = State().plan;

    Open(1);
    ClickCell(13, 2);  // the user's own mark stays
    Click("Nullen");
    EXPECT_EQ(GridMarks(), "1:0 2:0 3:0 13:2");
    Click("Zweien");
    Click("Einsen");
    EXPECT_EQ(GridMarks(), "1:1 1:0 2:0 2:2 3:0 4:1 5:1 6:1 7:1 8:1 9:1 10:1 11:1 12:1 13:1 13:2");

    Open(1);
    Click("Grundtip");
    EXPECT_EQ(GridMarks(), "1:1 2:2 3:0 4:1 5:1 6:1 7:1 8:1 9:1 10:1 11:1 12:1 13:1");
    Open(1);
    EXPECT_EQ(Spin("SpinEdit1").value(), 1);
    Spin("SpinEdit1").setValue(3);
    Click("Tendenz");
    Spin("SpinEdit1").setValue(5);
    Click("Tendenz");
    Click("BitBtn1");
    EXPECT_EQ(BlockMarks(Confirmed()), "1:1 1:0 2:2");
    EXPECT_EQ(State().plan, plan);
}

TEST_F(BlockformTest, CancelClearsTheMarksAndHandsNothingBack) {
    State().filters.blocks = {testing::BlockOn(1, 4, 0, 13, 13)};
    TBlockform& editor = Open(1);
    ClickCell(8, 2);
    Click("BitBtn2");
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(GridMarks(), "");
    EXPECT_EQ(confirmed_->count(), 0);
    editor.show();  // the stored block again, without the cancelled mark
    EXPECT_EQ(GridMarks(), "1:1 2:1 3:1 4:1");
}

TEST_F(BlockformTest, BoundsThatNoRowMeetsAndGapsAreRefused) {
    TBlockform& editor = Open(1);
    Spin("SpinEdit4").setValue(6);
    Spin("SpinEdit3").setValue(5);
    Click("BitBtn1");
    EXPECT_TRUE(editor.isVisible());
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(ports_.messages[0].text.startsWith("\"mindestens\" (6) ist größer"));
    Open(3);  // left over from a longer list
    Click("BitBtn1");
    EXPECT_EQ(confirmed_->count(), 0);
    EXPECT_EQ(ports_.messages.size(), 2u);
}

TEST_F(BlockformTest, DeletingAsksForExistingBlocksAndShowsTheFollowingOne) {
    State().filters.blocks = {testing::BlockOn(1, 2, 0, 13, 13), testing::BlockOn(2, 2, 0, 13, 13),
                              testing::BlockOn(0, 2, 0, 13, 13)};
    TBlockform& editor = Open(2);
    QObject::connect(&editor, &TBlockform::BlockDeleteRequested,
                     [this](int number) { DeleteNumberedEntry(State().filters.blocks, number); });
    Click("Button6");
    ASSERT_EQ(deleted_->count(), 1);
    EXPECT_EQ(deleted_->at(0).at(0).toInt(), 2);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(GridMarks(), "1:0 2:0");  // the former block 3

    Open(3);  // a new block: nothing to delete
    Click("Button6");
    EXPECT_EQ(deleted_->count(), 0);
}

TEST_F(BlockformTest, DoubleClickOnTheBackgroundSavesTheImage) {
    QTest::mouseDClick(&Open(1), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(QFile::exists("block.BMP"));
}

class SeqformTest : public FormTest<Tseqform> {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        editor_ = std::make_unique<Tseqform>(form_, ports_, nullptr);
        confirmed_ = std::make_unique<QSignalSpy>(editor_.get(), &Tseqform::SequenceConfirmed);
        deleted_ = std::make_unique<QSignalSpy>(editor_.get(), &Tseqform::SequenceDeleteRequested);
    }
    QLineEdit& Pattern() { return Find<QLineEdit>("Edit1"); }
    QCheckBox& OrBox() { return Find<QCheckBox>("CheckBox1"); }
};

TEST_F(SeqformTest, ThePatternTakesSignsAndWildcardsOnly) {
    editor_->Edit(1);
    QTest::keyClicks(&Pattern(), "1a2 3*x0");
    EXPECT_EQ(Pattern().text(), "12**0");
    QTest::keyClicks(&Pattern(), "1111");
    EXPECT_EQ(Pattern().text(), "12**0111");
    QTest::keyClick(&Pattern(), Qt::Key_Backspace);
    EXPECT_EQ(Pattern().text(), "12**011");
    // Pasted text passes the same keys.
    Pattern().insert("1 2");
    Pattern().insert("x");
    EXPECT_EQ(Pattern().text(), "12**011");
    Pattern().clear();
    Pattern().insert("1 2");
    EXPECT_EQ(Pattern().text(), "1*2");
}

TEST_F(SeqformTest, OkHandsTheRuleBackUnderItsNumber) {
    State().filters.sequences = {testing::Rule("22", 0, 1)};
    editor_->Edit(2);
    ASSERT_EQ(ports_.modal.size(), 1u);
    EXPECT_EQ(editor_->windowTitle(), "2. Sequenz");
    EXPECT_EQ(OrBox().text(), "oder Sequenz 3");
    EXPECT_EQ(Pattern().text(), "");
    EXPECT_EQ(Spin("SpinEdit2").value(), 8);  // 13 games less one, cut back to 8
    EXPECT_EQ(Spin("SpinEdit1").maximum(), 6);

    QTest::keyClicks(&Pattern(), "1 0");
    Spin("SpinEdit1").setValue(1);
    Spin("SpinEdit2").setValue(3);
    OrBox().setChecked(true);
    Click("BitBtn1");
    ASSERT_EQ(confirmed_->count(), 1);
    EXPECT_EQ(confirmed_->at(0).at(0).toInt(), 2);
    EXPECT_EQ(confirmed_->at(0).at(1).value<TSequenceRule>(), testing::Rule("1*0", 1, 3, true));
    EXPECT_FALSE(editor_->isVisible());
    EXPECT_EQ(State().filters.sequences.size(), 1u);  // the main window stores it
}

TEST_F(SeqformTest, NothingIsStoredForAnEmptyPatternAbortOrBadBounds) {
    editor_->Edit(1);
    Click("BitBtn1");
    EXPECT_FALSE(editor_->isVisible());
    editor_->Edit(1);
    QTest::keyClicks(&Pattern(), "11");
    Click("BitBtn2");
    EXPECT_FALSE(editor_->isVisible());
    EXPECT_TRUE(ports_.messages.empty());

    State().filters.sequences = {testing::Rule("2*2", 1, 3, true)};
    editor_->Edit(1);
    EXPECT_EQ(Pattern().text(), "2*2");
    EXPECT_TRUE(OrBox().isChecked());
    Spin("SpinEdit1").setValue(4);
    Click("BitBtn1");
    EXPECT_TRUE(editor_->isVisible());
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_TRUE(ports_.messages[0].text.startsWith("\"mindestens\" (4) ist größer"));
    editor_->Edit(3);  // would leave a gap
    QTest::keyClicks(&Pattern(), "1");
    Click("BitBtn1");
    EXPECT_EQ(ports_.messages.size(), 2u);
    EXPECT_EQ(confirmed_->count(), 0);
}

TEST_F(SeqformTest, DeletingAsksForExistingRulesAndCloses) {
    State().filters.sequences = {testing::Rule("11", 0, 1), testing::Rule("22", 0, 1)};
    editor_->Edit(2);
    Click("Button6");
    ASSERT_EQ(deleted_->count(), 1);
    EXPECT_EQ(deleted_->at(0).at(0).toInt(), 2);
    EXPECT_FALSE(editor_->isVisible());
    editor_->Edit(3);
    Click("Button6");
    EXPECT_EQ(deleted_->count(), 1);
    EXPECT_FALSE(editor_->isVisible());
}

}  // namespace
}  // namespace velmora
