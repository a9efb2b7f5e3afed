#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>

#include "app/forms/weeksignals.h"
#include "filters/forms/prozform.h"
#include "filters/forms/quotblockform.h"
#include "support/guifixture.h"

namespace velmora {
namespace {

// Grid access shared by both editors; cells are addressed by game and display slot
// (0 = "1", 1 = "0", 2 = "2").
class ValueFormTest : public testing::ProgramTest {
  protected:
    ValueGrid& Grid(QWidget& form) { return *Find<ValueGrid>(form, "Blockgrid"); }
    QString Cell(QWidget& form, int game, int slot) {
        return Grid(form).item(game - 1, slot)->text();
    }
    void SetCell(QWidget& form, int game, int slot, const QString& text) {
        Grid(form).item(game - 1, slot)->setText(text);
    }
    // Starts editing a cell as a double click does and returns the editor.
    QLineEdit* Edit(QWidget& form, int game, int slot) {
        ValueGrid& grid = Grid(form);
        grid.setCurrentCell(game - 1, slot);
        grid.editItem(grid.item(game - 1, slot));
        return qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
    }
    QLineEdit& Field(QWidget& form, const char* name) { return *Find<QLineEdit>(form, name); }
    void Click(QWidget& form, const char* name) { Find<QPushButton>(form, name)->click(); }
    void Check(QWidget& form, const char* name, bool on) {
        Find<QCheckBox>(form, name)->setChecked(on);
    }
    QString LastMessage() { return ports_.messages.empty() ? "" : ports_.messages.back().text; }
};

class ProzformTest : public ValueFormTest {
  protected:
    TProzformBase& Form(int k) {
        return *qobject_cast<TProzformBase*>(windows_->percent[static_cast<std::size_t>(k - 1)]);
    }
    TPercentFilter& Filter(int k) {
        return State().filters.percent[static_cast<std::size_t>(k - 1)];
    }
};

TEST_F(ProzformTest, FiveFormsDifferInCaptionMinimumLabelAndLoadButton) {
    EXPECT_NE(qobject_cast<TProzform*>(windows_->percent[0]), nullptr);
    EXPECT_NE(qobject_cast<TProzform2*>(windows_->percent[1]), nullptr);
    EXPECT_NE(qobject_cast<TProzform5*>(windows_->percent[4]), nullptr);
    EXPECT_EQ(CreatePercentForm(6, *form_, ports_, nullptr), nullptr);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(Form(k).windowTitle(), "Prozform" + QString::number(k));
        EXPECT_EQ(Find<QLabel>(Form(k), "Label1")->text(), k == 2 ? "Mindetstens" : "Mindestens");
        auto* load = Form(k).findChild<QPushButton*>("Button3");
        auto* source = Form(k).findChild<QSpinBox*>("SpinEdit1");
        EXPECT_EQ(load ? load->text() : "", k == 1 ? "" : k == 2 ? "Block 1 laden" : "Blockladen");
        EXPECT_EQ(source ? source->maximum() : 0, k <= 2 ? 0 : k - 1);
    }
}

TEST_F(ProzformTest, ShowsTheRecordAndEmptyCellsEditAsZero) {
    Start();
    Filter(1).values[0] = {33.33, 50.0, 16.67};
    Filter(1).minValue = 12.5;
    Filter(1).active = 1;
    Form(1).show();
    EXPECT_EQ(Grid(Form(1)).rowCount(), State().games);
    EXPECT_EQ(Cell(Form(1), 1, 0), "50");
    EXPECT_EQ(Cell(Form(1), 1, 1), "33.33");
    EXPECT_EQ(Field(Form(1), "Edit1").text(), "12,5");
    EXPECT_TRUE(Find<QCheckBox>(Form(1), "aktiv")->isChecked());

    SetCell(Form(1), 2, 1, "");
    QLineEdit* editor = Edit(Form(1), 2, 1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "0");
}

TEST_F(ProzformTest, KeysEnterDecimalCommasAndEnterConfirmsNothing) {
    Start();
    Form(1).show();
    const TFilterSet before = State().filters;
    QLineEdit& edit = Field(Form(1), "Edit1");
    edit.clear();
    QTest::keyClicks(&edit, "12.5x-");
    EXPECT_EQ(edit.text(), "12,5");
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_TRUE(Form(1).isVisible());
    EXPECT_EQ(State().filters, before);

    // Swallowed keys start no edit in the grid; a point typed into a cell becomes a comma.
    ValueGrid& grid = Grid(Form(1));
    grid.setCurrentCell(0, 0);
    QTest::keyClick(&grid, 'x');
    EXPECT_EQ(grid.indexWidget(grid.currentIndex()), nullptr);
    QLineEdit* editor = Edit(Form(1), 1, 0);
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClicks(editor, "7.5");
    EXPECT_EQ(editor->text(), "7,5");
}

TEST_F(ProzformTest, NotANumberStopsOkWithTheMessageAndStoresNothing) {
    Start();
    Form(1).show();
    const TFilterSet before = State().filters;
    QSignalSpy confirmed(windows_->weekSignals.get(), &WeekSignals::Changed);
    Field(Form(1), "Edit1").setText("10");
    Check(Form(1), "aktiv", !Filter(1).active);
    Field(Form(1), "Edit2").setText("1,2,3");
    Click(Form(1), "BitBtn1");
    EXPECT_EQ(LastMessage(), "'1,2,3' ist kein gültiger Fließkommawert");
    EXPECT_EQ(ports_.messages.back().kind, MessageKind::Error);

    Field(Form(1), "Edit2").setText("90");
    SetCell(Form(1), 3, 2, ",");
    Click(Form(1), "BitBtn1");
    EXPECT_EQ(LastMessage(), "',' ist kein gültiger Fließkommawert");
    EXPECT_TRUE(Form(1).isVisible());
    EXPECT_EQ(State().filters, before);
    EXPECT_FALSE(form_->WeekUnsaved());
    EXPECT_EQ(confirmed.count(), 0);

    // Cancel leaves the record as it was.
    Click(Form(1), "BitBtn2");
    EXPECT_FALSE(Form(1).isVisible());
    EXPECT_EQ(State().filters, before);
}

TEST_F(ProzformTest, OkStoresCommaNumbersAndResetsTheRequiredCountOnlyWhenFlagsChange) {
    Start();
    for (int k = 1; k <= 5; ++k)
        Filter(k).active = Filter(k).orNext = 0;
    form_->SetPercentActive(2, true);
    form_->SetRequiredChains(0);
    Form(1).show();
    QSignalSpy confirmed(windows_->weekSignals.get(), &WeekSignals::Changed);
    Field(Form(1), "Edit1").setText("12,5");
    Field(Form(1), "Edit2").setText("87,25");
    SetCell(Form(1), 1, 0, "33.5");   // sign "1", shown with a point
    SetCell(Form(1), 1, 1, "10,25");  // sign "0"
    Check(Form(1), "aktiv", true);
    Click(Form(1), "BitBtn1");
    EXPECT_TRUE(ports_.messages.empty()) << LastMessage().toStdString();
    EXPECT_FALSE(Form(1).isVisible());
    EXPECT_EQ(confirmed.count(), 1);
    EXPECT_TRUE(form_->WeekUnsaved());
    EXPECT_DOUBLE_EQ(Filter(1).minValue, 12.5);
    EXPECT_DOUBLE_EQ(Filter(1).Value(1, 1), 33.5);
    EXPECT_DOUBLE_EQ(Filter(1).Value(1, 0), 10.25);
    EXPECT_EQ(Filter(1).active, 1);
    EXPECT_EQ(State().filters.requiredChains, 2);

    // Unchanged flags keep a lowered required count.
    form_->SetRequiredChains(1);
    Form(1).show();
    Click(Form(1), "BitBtn1");
    EXPECT_EQ(State().filters.requiredChains, 1);
    EXPECT_EQ(confirmed.count(), 3);  // OK, the lowered count, OK again
}

TEST_F(ProzformTest, TipPlanAndPercentConversionFillTheGrid) {
    Start();
    Form(1).show();
    const TPercentFilter before = Filter(1);
    Click(Form(1), "Button2");
    for (int g = 1; g <= State().games; ++g) {
        for (int slot = 0; slot < 3; ++slot)
            EXPECT_EQ(Cell(Form(1), g, slot).toInt(),
                      State().plan.Tendency(g, kDisplayOrder[slot]));
    }

    const char* games[][3] = {
        {"1", "1", "1"}, {"12,5", "12,5", "25"}, {"0", "", "0"}, {"30", "20", "50"}};
    for (int g = 1; g <= 4; ++g) {
        for (int slot = 0; slot < 3; ++slot)
            SetCell(Form(1), g, slot, games[g - 1][slot]);
    }
    Click(Form(1), "Button1");
    EXPECT_EQ(Cell(Form(1), 1, 0), "33,33");
    EXPECT_EQ(Cell(Form(1), 2, 0), "24,49");
    EXPECT_EQ(Cell(Form(1), 2, 2), "51,02");
    EXPECT_EQ(LastMessage(), "Fehler bei Fließkommaoperation");
    EXPECT_EQ(Cell(Form(1), 4, 0), "30");  // after the failing game nothing is converted
    EXPECT_EQ(Filter(1), before);
}

TEST_F(ProzformTest, LoadingAnotherFilterCopiesItsWholeRecordAtOnce) {
    Start();
    Filter(2).values[0][1] = 42.0;
    Filter(2).minValue = 5.0;
    Filter(2).active = 1;
    Filter(2).orNext = 1;
    Filter(4) = {};
    Form(4).show();
    QSignalSpy confirmed(windows_->weekSignals.get(), &WeekSignals::Changed);
    Find<QSpinBox>(Form(4), "SpinEdit1")->setValue(2);
    Click(Form(4), "Button3");
    EXPECT_EQ(Filter(4), Filter(2));
    EXPECT_EQ(Cell(Form(4), 1, 0), "42");
    EXPECT_TRUE(Find<QCheckBox>(Form(4), "CheckBox1")->isChecked());
    EXPECT_EQ(confirmed.count(), 1);
    EXPECT_EQ(State().filters.requiredChains, State().filters.chainCount());
}

TEST_F(ProzformTest, KeepsItsWidthWhateverItShowsSoItsButtonsStayPut) {
    Start();
    for (auto& game : Filter(1).values)
        game = {100.0 / 3, 50.0 / 3, 0.5};
    Filter(2) = {};
    Form(2).show();
    const QSize size = Form(2).size();
    QPushButton* convert = Find<QPushButton>(Form(2), "Button1");
    const QPoint place = convert->mapTo(&Form(2), QPoint());
    const auto expectUnmoved = [&](const char* after) {
        EXPECT_EQ(Form(2).width(), size.width()) << after;
        EXPECT_EQ(convert->mapTo(&Form(2), QPoint()), place) << after;
    };

    Click(Form(2), "Button2");  // "Tipplan einladen": one-digit tendencies
    expectUnmoved("Tipplan einladen");
    Click(Form(2), "Button3");  // "Block 1 laden": fifteen significant digits
    expectUnmoved("Block 1 laden");
    ValueGrid& grid = Grid(Form(2));
    EXPECT_EQ(Cell(Form(2), 1, 1), "33.3333333333333");
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_LE(grid.fontMetrics().horizontalAdvance(Cell(Form(2), 1, slot)),
                  grid.columnWidth(slot));
    EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());  // all seen at once

    // A number longer than any percentage needs stays readable by scrolling.
    Filter(2).values[0][1] = -1.23456789012345e-05;
    Form(2).hide();
    Form(2).show();
    expectUnmoved("a long number");
    EXPECT_TRUE(grid.horizontalScrollBar()->isVisible());
    EXPECT_LE(grid.fontMetrics().horizontalAdvance(Cell(Form(2), 1, 0)), grid.columnWidth(0));
}

class QuotblockTest : public ValueFormTest {
  protected:
    Tquotblockform& Form() { return *windows_->odds; }
    TOddsFilter& Odds() { return State().filters.odds; }
};

TEST_F(QuotblockTest, CreationSavesItsPictureInTheWorkingDirectory) {
    EXPECT_FALSE(QImage(QString::fromStdString(Path("Quote.BMP"))).isNull());
    EXPECT_EQ(Form().windowTitle(), "Quotenblock");
}

TEST_F(QuotblockTest, ShowsPointOddsAndWarnsWhenEditingUnreadableText) {
    Start();
    Odds().values[0] = {3.2, 1.85, 4.0};
    Odds().minValue = 2.5;
    Odds().maxValue = 1e6;
    Form().show();
    EXPECT_EQ(Cell(Form(), 1, 0), "1.85");
    EXPECT_EQ(Field(Form(), "Edit1").text(), "2,5");
    EXPECT_EQ(Field(Form(), "Edit2").text(), "1000000");

    SetCell(Form(), 2, 0, "");
    QLineEdit* editor = Edit(Form(), 2, 0);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "1");
    editor->clear();
    QTest::keyClicks(editor, "2,5");
    EXPECT_EQ(editor->text(), "2.5");
    QApplication::processEvents();
    EXPECT_TRUE(ports_.messages.empty());

    SetCell(Form(), 3, 0, "1.2.3");
    Edit(Form(), 3, 0);
    QApplication::processEvents();
    EXPECT_EQ(LastMessage(), "Error at position: 4");

    QLineEdit& band = Field(Form(), "Edit1");
    band.clear();
    QTest::keyClicks(&band, "12,5x.");
    EXPECT_EQ(band.text(), "125");
}

TEST_F(QuotblockTest, OkStoresTheFilterKeepsUnreadableCellsAndCancelStoresNothing) {
    Start();
    Form().show();
    const TOddsFilter before = Odds();
    Field(Form(), "Edit1").setText("7");
    Check(Form(), "aktiv", !before.active);
    Click(Form(), "BitBtn2");
    EXPECT_EQ(Odds(), before);
    EXPECT_FALSE(form_->WeekUnsaved());

    Form().show();
    QSignalSpy confirmed(windows_->weekSignals.get(), &WeekSignals::Changed);
    SetCell(Form(), 1, 0, "2.5");
    SetCell(Form(), 2, 2, "1.2.3");
    Field(Form(), "Edit1").setText("50000");
    Field(Form(), "Edit2").setText("82944");
    Check(Form(), "aktiv", true);
    Click(Form(), "BitBtn1");
    EXPECT_FALSE(Form().isVisible());
    EXPECT_EQ(confirmed.count(), 1);
    EXPECT_TRUE(form_->WeekUnsaved());
    EXPECT_DOUBLE_EQ(Odds().Value(1, 1), 2.5);
    EXPECT_DOUBLE_EQ(Odds().Value(2, 2), before.Value(2, 2));
    EXPECT_TRUE(LastMessage().contains("Spiel 2, Tip 2")) << LastMessage().toStdString();
    EXPECT_DOUBLE_EQ(Odds().minValue, 50000.0);
    EXPECT_DOUBLE_EQ(Odds().maxValue, 82944.0);
    EXPECT_EQ(Odds().active, 1);
    // The main window's box beside "Quotenfilter" follows.
    auto* mainBox = Main().centralWidget()->findChild<QCheckBox*>("CheckBox1");
    ASSERT_NE(mainBox, nullptr);
    EXPECT_TRUE(mainBox->isChecked());
}

}  // namespace
}  // namespace velmora
