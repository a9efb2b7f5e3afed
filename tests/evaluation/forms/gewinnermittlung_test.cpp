// The win determination window on a system filled directly into the main window's state,
// shown through the recording desktop.
#include "evaluation/forms/gewinnermittlung.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QtTest/QTest>
#include <filesystem>
#include <memory>
#include <random>

#include "app/forms/programsettings.h"
#include "app/forms/weeksignals.h"
#include "app/workingweek.h"
#include "filters/forms/filteranzeige.h"
#include "filters/forms/filtercheck.h"
#include "support/fakeports.h"
#include "support/qtprinting.h"
#include "support/tempdir.h"
#include "support/testplans.h"
#include "support/weekaccess.h"

namespace velmora {
namespace {

using testing::RandomRows;

using testing::RowsFromStrings;

// A result written as in the window: one digit or "?" per game.
TResultRow ResultFrom(const std::string& text) {
    TResultRow result;
    for (std::size_t g = 0; g < text.size(); ++g)
        result.signs[g] = text[g] == '?' ? kAnySign : static_cast<Sign>(text[g] - '0');
    return result;
}

class GewinnermittlungTest : public testing::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        previousDirectory_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir_.string()));
        form_ = std::make_unique<WorkingWeek>((dir_ / "").string());
        // "Detailangaben" is kept between runs; every test starts from the unchecked default.
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "velmora", "velmora").clear();
    }
    void TearDown() override {
        window_.reset();
        form_.reset();
        QDir::setCurrent(previousDirectory_);
        TempDirTest::TearDown();
    }

    Workspace& State() { return testing::Arrange(*form_); }

    void UseRows(const TRowList& rows) {
        State().games = rows.Games();
        State().rows = rows;
    }

    Tgewinnermittlung& Open(TFilteranzeige* display = nullptr, TFiltercheck* check = nullptr) {
        window_ = std::make_unique<Tgewinnermittlung>(*form_, ports_, display, check, nullptr);
        ports_.ShowModal(*window_);
        return *window_;
    }

    // Hiding and showing again, as closing and reopening from the main window.
    void Reopen() {
        window_->hide();
        window_->show();
    }

    template <class Widget>
    Widget* Find(const QString& name) {
        return window_->findChild<Widget*>(name);
    }

    QString Text(const QString& name) {
        auto* label = Find<QLabel>(name);
        EXPECT_NE(label, nullptr) << name.toStdString();
        return label == nullptr ? QString() : label->text();
    }

    void Click(const QString& name) {
        auto* button = Find<QAbstractButton>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        button->click();
    }

    // Clicks the sign buttons of every known game; "?" games are left alone.
    void Enter(const std::string& result) {
        for (std::size_t g = 0; g < result.size(); ++g) {
            if (result[g] != '?')
                Click("tipb" + QString::number(g + 1) + QChar(result[g]));
        }
    }

    // The texts of one label per line, e.g. "Fehlerzahl_1" … "Fehlerzahl_N".
    std::vector<QString> Column(const QString& prefix) {
        std::vector<QString> texts;
        for (int i = 1; i <= State().games; ++i)
            texts.push_back(Text(prefix + QString::number(i)));
        return texts;
    }
    std::vector<QString> Counts() { return Column("Fehlerzahl_"); }

    // The result labels as one text, e.g. "102?…".
    std::string Shown() {
        std::string text;
        for (const QString& sign : Column("Spiel_"))
            text += sign.toStdString();
        return text;
    }

    // Where a key typed now arrives: the control with the focus, or the window itself.
    QWidget* KeyTarget() {
        QWidget* focus = window_->focusWidget();
        return focus != nullptr ? focus : window_.get();
    }

    void PasteText(const QString& text, QWidget* target = nullptr) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(target != nullptr ? target : KeyTarget(), Qt::Key_V, Qt::ControlModifier);
    }

    // The top of the marked line, or -1 when no line is marked.
    int MarkerTop() {
        auto* marker = Find<QFrame>("Aktuelles_Spiel");
        EXPECT_NE(marker, nullptr);
        return marker != nullptr && marker->isVisible() ? marker->y() : -1;
    }

    QColor SignColor(int game) {
        return Find<QLabel>("Spiel_" + QString::number(game))
            ->palette()
            .color(QPalette::WindowText);
    }

    QString previousDirectory_;
    testing::FakeUiPorts ports_;
    std::unique_ptr<WorkingWeek> form_;
    std::unique_ptr<Tgewinnermittlung> window_;
};

TEST_F(GewinnermittlungTest, LinesAreBuiltOnShowingAndDiscardedOnHiding) {
    UseRows(RowsFromStrings({"11111111111"}));
    Tgewinnermittlung window(*form_, ports_, nullptr, nullptr);
    EXPECT_EQ(window.objectName(), "Tgewinnermittlung");
    EXPECT_EQ(window.windowTitle(), "Gewinnermittlung");
    EXPECT_EQ(window.size(), QSize(711, 365));

    Open();
    ASSERT_EQ(ports_.modal.size(), 1u);
    EXPECT_FALSE(Find<QCheckBox>("Detailangaben")->isChecked());
    EXPECT_FALSE(Find<QPushButton>("Filtercheck")->isEnabled());
    // The sign buttons in the order 1, 0, 2 and the line's top at 20 * i + 20.
    EXPECT_EQ(Find<QPushButton>("tipb31")->geometry(), QRect(10, 80, 20, 20));
    EXPECT_EQ(Find<QPushButton>("tipb32")->geometry(), QRect(50, 80, 20, 20));
    EXPECT_EQ(Text("Fehler_1"), "0 Fehler");
    EXPECT_EQ(Text("Fehler_11"), "10 Fehler");
    EXPECT_EQ(Column("Spiel_"), std::vector<QString>(11, "?"));
    EXPECT_EQ(Counts(), std::vector<QString>(11, ""));
    EXPECT_EQ(Find<QLabel>("Spiel_12"), nullptr);
    EXPECT_EQ(Find<QComboBox>("gew_1"), nullptr);

    window_->close();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(Find<QLabel>("Spiel_1"), nullptr);
    EXPECT_EQ(Find<QPushButton>("tipb11"), nullptr);
}

TEST_F(GewinnermittlungTest, UnknownGamesNeverCountAsErrors) {
    UseRows(RandomRows(11, 37, 2));
    Open();
    Click("Start");
    std::vector<QString> expected(11, "0");
    expected[0] = "37";
    EXPECT_EQ(Counts(), expected);
    EXPECT_FALSE(Find<QPushButton>("Filtercheck")->isEnabled());
    EXPECT_EQ(Text("Gewinnquote"), "Gewinnquote");
    EXPECT_EQ(Text("Proz1"), "Proz. 1");
    EXPECT_EQ(window_->Results().For(11), TResultRow());

    // One game unknown: a row equal elsewhere counts under 0 errors whatever its sign there.
    UseRows(RowsFromStrings({"11111111111", "11111111112", "11111111110", "21111111110"}));
    Reopen();
    Enter("1111111111?");
    Click("Start");
    expected.assign(11, "0");
    expected[0] = "3";
    expected[1] = "1";
    EXPECT_EQ(Counts(), expected);
    EXPECT_EQ(window_->Results().For(11), ResultFrom("1111111111?"));
}

TEST_F(GewinnermittlungTest, StartCountsRowsByErrors) {
    UseRows(RowsFromStrings({"11111111111", "11111111112", "01111111111", "22222222222",
                             "00111111111", "10101010101"}));
    Open();
    Enter("11111111111");
    // Clicked signs are not stored before "Start".
    EXPECT_EQ(window_->Results().For(11), TResultRow());
    Click("Start");

    // 0 errors: 1 row, 1 error: 2, 2 errors: 1, 5 errors: 1; the row wrong in all 11 games
    // is counted nowhere on screen.
    std::vector<QString> expected(11, "0");
    expected[0] = "1";
    expected[1] = "2";
    expected[2] = "1";
    expected[5] = "1";
    EXPECT_EQ(Counts(), expected);
    EXPECT_EQ(window_->Results().For(11), ResultFrom("11111111111"));
    EXPECT_TRUE(Find<QPushButton>("Filtercheck")->isEnabled());

    // A later sign for the same game replaces the earlier one.
    Click("tipb12");
    Click("tipb10");
    Click("Start");
    EXPECT_EQ(window_->Results().For(11), ResultFrom("01111111111"));
    EXPECT_EQ(Text("Fehlerzahl_1"), "1");
    EXPECT_EQ(Text("Fehlerzahl_2"), "2");
    EXPECT_EQ(Text("Fehlerzahl_3"), "1");
    EXPECT_EQ(Text("Fehlerzahl_7"), "1");
}

TEST_F(GewinnermittlungTest, SignColourFollowsCoverage) {
    UseRows(RowsFromStrings({"11111111111", "01111111111"}));
    Open();
    const QColor standard = SignColor(1);
    Click("tipb12");
    EXPECT_EQ(Text("Spiel_1"), "2");
    EXPECT_EQ(SignColor(1), QColor(Qt::red));
    Click("tipb11");
    EXPECT_EQ(Text("Spiel_1"), "1");
    EXPECT_EQ(SignColor(1), QColor(Qt::black));
    EXPECT_EQ(SignColor(2), standard);

    // The coverage is taken anew on every showing.
    UseRows(RowsFromStrings({"21111111111"}));
    Reopen();
    Click("tipb12");
    EXPECT_EQ(SignColor(1), QColor(Qt::black));
    Click("tipb11");
    EXPECT_EQ(SignColor(1), QColor(Qt::red));
}

TEST_F(GewinnermittlungTest, ResultIsKeptPerGameCount) {
    const TRowList eleven = RowsFromStrings({"11111111111"});
    UseRows(eleven);
    Open();
    Enter("10210210210");
    Click("Start");

    UseRows(RowsFromStrings({"1111111111111"}));
    Reopen();
    EXPECT_EQ(Column("Spiel_"), std::vector<QString>(13, "?"));

    UseRows(eleven);
    Reopen();
    std::vector<QString> labels;
    for (char c : std::string("10210210210"))
        labels.push_back(QString(QChar(c)));
    EXPECT_EQ(Column("Spiel_"), labels);
    EXPECT_EQ(Counts(), std::vector<QString>(11, ""));  // counts are gone with the lines
    EXPECT_TRUE(Find<QPushButton>("Filtercheck")->isEnabled());

    // Signs clicked without "Start" are lost on rebuilding.
    Click("tipb12");
    Reopen();
    EXPECT_EQ(Text("Spiel_1"), "1");

    // "Neu" forgets the results of every game count.
    Click("Neu");
    EXPECT_EQ(Column("Spiel_"), std::vector<QString>(11, "?"));
    EXPECT_EQ(window_->Results().For(11), TResultRow());
    EXPECT_EQ(window_->Results().For(13), TResultRow());
    EXPECT_FALSE(Find<QPushButton>("Filtercheck")->isEnabled());
}

TEST_F(GewinnermittlungTest, DetailListsHoldTheRowsOfEachErrorCount) {
    const TRowList rows = RandomRows(12, 1000, 3);
    UseRows(rows);
    Open();
    Click("Detailangaben");
    EXPECT_TRUE(window_->isVisible());  // rebuilding keeps the window open
    auto* first = Find<QComboBox>("gew_1");
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->isEnabled());
    EXPECT_EQ(first->count(), 0);
    EXPECT_EQ(first->font().family(), "courier");
    EXPECT_EQ(first->geometry(), QRect(275, 40, 18 * 12 + 150, 20));
    ASSERT_NE(Find<QComboBox>("gew_12"), nullptr);

    const std::string result = "102102102102";
    Enter(result);
    Click("Start");

    std::vector<int> perErrors(13, 0);
    std::vector<int> firstRow(13, -1);
    int errorsOfRow7 = 0;
    for (std::int32_t r = 0; r < rows.Count(); ++r) {
        int errors = 0;
        for (int g = 0; g < 12; ++g)
            errors += rows.Row(r)[g] != result[g] - '0';
        ++perErrors[errors];
        if (firstRow[errors] < 0)
            firstRow[errors] = r;
        if (r == 6)
            errorsOfRow7 = errors;
    }
    for (int i = 1; i <= 12; ++i) {
        auto* list = Find<QComboBox>("gew_" + QString::number(i));
        EXPECT_EQ(list->count(), perErrors[i - 1]) << i;
        EXPECT_EQ(Text("Fehlerzahl_" + QString::number(i)), QString::number(perErrors[i - 1]));
        EXPECT_FALSE(list->isEditable());
        EXPECT_EQ(list->currentIndex(), list->count() > 0 ? 0 : -1);
    }

    QString row7 = "   7: ";
    for (int g = 0; g < 12; ++g)
        row7 += QString::number(rows.Row(6)[g]) + " ";
    auto* list = Find<QComboBox>("gew_" + QString::number(errorsOfRow7 + 1));
    EXPECT_NE(list->findText(row7), -1);
    // In row order: the shown item is the first row with that error count.
    const int first7 = firstRow[errorsOfRow7];
    EXPECT_TRUE(
        list->currentText().startsWith(QString::number(first7 + 1).rightJustified(4) + ": "))
        << list->currentText().toStdString();

    // Unchecking drops the lists, the counts go with the lines.
    Click("Detailangaben");
    EXPECT_EQ(Find<QComboBox>("gew_1"), nullptr);
    EXPECT_EQ(Text("Fehlerzahl_1"), "");
}

TEST_F(GewinnermittlungTest, MillionRowDetailListIsComplete) {
    TRowList rows(13);
    rows.AssignBytes(std::vector<Sign>(13 * 1000000, 1));
    UseRows(rows);
    Open();
    Click("Detailangaben");
    Enter("1111111111112");
    Click("Start");
    auto* list = Find<QComboBox>("gew_2");
    ASSERT_EQ(list->count(), 1000000);
    EXPECT_EQ(Text("Fehlerzahl_2"), "1000000");
    EXPECT_EQ(list->itemText(0), "      1: 1 1 1 1 1 1 1 1 1 1 1 1 1 ");
    EXPECT_EQ(list->itemText(999999), "1000000: 1 1 1 1 1 1 1 1 1 1 1 1 1 ");
    EXPECT_EQ(Find<QComboBox>("gew_1")->count(), 0);
    // The large count stays clear of the detail list.
    EXPECT_LE(Find<QLabel>("Fehlerzahl_2")->geometry().right(), list->x());
}

// Odds 1.1, 3 and 2 and percentages 50, 30 and 20 for the signs "1", "0" and "2".
TEST_F(GewinnermittlungTest, MeasureLabelsForACompleteResult) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    UseRows(RandomRows(14, 20, 5));
    TFilterSet& filters = State().filters;
    for (int g = 0; g < kMaxGames; ++g) {
        filters.odds.values[g] = {3.0, 1.1, 2.0};
        filters.percent[0].values[g] = {30.0, 50.0, 20.0};
        filters.percent[1].values[g] = {10.0, 10.0, 10.0};
    }
    Open();
    Enter("10210210210210");
    Click("Start");
    // 1.1^5 * 3^5 * 2^4 with 7 digits for 14 games; (5*50 + 5*30 + 4*20) / 14 with 5 digits.
    EXPECT_EQ(Text("Gewinnquote"), "6261,663");
    EXPECT_EQ(Text("Proz1"), "34,286");
    EXPECT_EQ(Text("Proz2"), "10");
    EXPECT_EQ(Text("Proz3"), "0");
    EXPECT_TRUE(Find<QPushButton>("Filtercheck")->isEnabled());

    // An incomplete result leaves the numbers and takes back "Filtercheck".
    Click("Neu");
    EXPECT_EQ(Text("Gewinnquote"), "6261,663");  // the measure labels survive rebuilding
    Click("tipb11");
    Click("Start");
    EXPECT_EQ(Text("Gewinnquote"), "6261,663");
    EXPECT_EQ(Text("Proz1"), "34,286");
    EXPECT_FALSE(Find<QPushButton>("Filtercheck")->isEnabled());

    // An empty system still has the measures of a complete result; 6 digits for 12 games.
    UseRows(TRowList(12));
    Reopen();
    Enter("111111111111");
    Click("Start");
    QLocale::setDefault(previous);
    EXPECT_EQ(Counts(), std::vector<QString>(12, "0"));
    EXPECT_EQ(Text("Gewinnquote"), "3,13843");
    EXPECT_TRUE(Find<QPushButton>("Filtercheck")->isEnabled());
}

TEST_F(GewinnermittlungTest, FiltercheckOpensDisplayAndCheck) {
    UseRows(RowsFromStrings({"11111111111"}));
    WeekSignals weekSignals(*form_);
    TFilteranzeige display(*form_, ports_, weekSignals);
    TFiltercheck check(*form_);
    Open(&display, &check);
    Enter("11111111111");
    Click("Start");
    Click("Filtercheck");
    EXPECT_TRUE(display.isVisible());
    EXPECT_TRUE(check.isVisible());
    EXPECT_TRUE(ports_.messages.empty());
    check.hide();
    display.hide();
}

TEST_F(GewinnermittlungTest, UnusableStateIsReportedAndChangesNothing) {
    // Rows of 12 games while 11 are set.
    State().games = 11;
    State().rows = RowsFromStrings({"111111111111"});
    Open();
    Enter("11111111111");
    Click("Start");
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ports_.messages[0].text,
              "Die Gewinnermittlung ist nicht möglich: Die Reihen haben 12 Spiele, "
              "eingestellt sind aber 11 Spiele.");
    EXPECT_EQ(window_->Results().For(11), TResultRow());
    EXPECT_EQ(Counts(), std::vector<QString>(11, ""));

    // An impossible game count: no lines, a message, no crash.
    State().games = 15;
    State().rows = TRowList(11);
    Reopen();
    EXPECT_EQ(Find<QLabel>("Spiel_1"), nullptr);
    Click("Start");
    Click("Neu");
    ASSERT_EQ(ports_.messages.size(), 2u);
    EXPECT_EQ(ports_.messages[1].text,
              "Die Gewinnermittlung ist nicht möglich: 15 Spiele sind nicht möglich, erlaubt "
              "sind 11 bis 14 Spiele.");
}

TEST_F(GewinnermittlungTest, DoubleClickSavesTheWindowImage) {
    UseRows(RowsFromStrings({"11111111111"}));
    Open();
    QTest::mouseDClick(window_.get(), Qt::LeftButton, {}, QPoint(690, 340));
    EXPECT_TRUE(std::filesystem::exists(dir_ / "gewinnermit.BMP"));
}

// --- entry from the keyboard ---

TEST_F(GewinnermittlungTest, TypedSignsFillTheLinesOneAfterAnother) {
    // Game 2 has no "0" in any row, game 3 has a "2".
    UseRows(RowsFromStrings({"1111111111111", "0222222222222"}));
    Open();
    // Enter after typing evaluates, rather than "Neu" forgetting every result.
    EXPECT_EQ(window_->focusWidget(), Find<QPushButton>("Start"));
    const QColor standard = SignColor(4);
    EXPECT_EQ(window_->CurrentGame(), 1);
    EXPECT_EQ(MarkerTop(), 40);
    // The marker stands behind the line's controls and does not reach "Fehler".
    EXPECT_LT(Find<QFrame>("Aktuelles_Spiel")->geometry().right(), Find<QLabel>("Fehler_1")->x());

    QTest::keyClicks(KeyTarget(), "1x2?");
    EXPECT_EQ(Shown(), "102??????????");
    EXPECT_EQ(SignColor(1), QColor(Qt::black));
    EXPECT_EQ(SignColor(2), QColor(Qt::red));  // typed signs are coloured as clicked ones
    EXPECT_EQ(SignColor(3), QColor(Qt::black));
    EXPECT_EQ(SignColor(4), standard);
    EXPECT_EQ(window_->CurrentGame(), 5);
    EXPECT_EQ(MarkerTop(), 120);

    // Backspace takes back "?" and then "2"; the line of game 3 is current again.
    QTest::keyClick(KeyTarget(), Qt::Key_Backspace);
    QTest::keyClick(KeyTarget(), Qt::Key_Backspace);
    EXPECT_EQ(Shown(), "10???????????");
    EXPECT_EQ(SignColor(3), standard);
    EXPECT_EQ(MarkerTop(), 80);

    // Keys reach the entry whichever control has the focus.
    Find<QPushButton>("Start")->setFocus();
    QTest::keyClicks(Find<QPushButton>("Start"), "0");
    QTest::keyClicks(Find<QCheckBox>("Detailangaben"), "1");
    QTest::keyClicks(Find<QPushButton>("tipb12"), "X");
    QTest::keyClicks(window_.get(), "11111111");
    EXPECT_EQ(Shown(), "1001011111111");
    EXPECT_EQ(window_->Results().For(13), TResultRow());  // stored only by "Start"
    EXPECT_FALSE(Find<QCheckBox>("Detailangaben")->isChecked());

    // After the last game no line is marked and further signs change nothing.
    EXPECT_EQ(window_->CurrentGame(), 14);
    EXPECT_EQ(MarkerTop(), -1);
    QTest::keyClicks(KeyTarget(), "22");
    EXPECT_EQ(Shown(), "1001011111111");
    // Enter evaluates: "Start" has the focus (and would have it on opening as well).
    QTest::keyClick(Find<QPushButton>("Start"), Qt::Key_Return);
    EXPECT_EQ(window_->Results().For(13), ResultFrom("1001011111111"));
    QTest::keyClick(KeyTarget(), Qt::Key_Backspace);
    EXPECT_EQ(Shown(), "100101111111?");
    EXPECT_EQ(MarkerTop(), 20 * 13 + 20);

    // The arrow keys move the marker alone.
    QTest::keyClick(KeyTarget(), Qt::Key_Up);
    QTest::keyClick(KeyTarget(), Qt::Key_Up);
    EXPECT_EQ(window_->CurrentGame(), 11);
    QTest::keyClick(KeyTarget(), Qt::Key_Down);
    EXPECT_EQ(window_->CurrentGame(), 12);
    EXPECT_EQ(Shown(), "100101111111?");
}

TEST_F(GewinnermittlungTest, ClickedSignMakesTheNextGameCurrentAndQuestionMarkResetsAGame) {
    UseRows(RowsFromStrings({"11111111111", "22222222222"}));
    Open();
    Click("tipb52");
    EXPECT_EQ(window_->CurrentGame(), 6);
    EXPECT_EQ(MarkerTop(), 140);
    QTest::keyClicks(KeyTarget(), "0");
    EXPECT_EQ(Shown(), "????20?????");
    EXPECT_EQ(SignColor(6), QColor(Qt::red));

    // "?" by its button and by its key: the game is unknown again, in the standard colour.
    const QColor standard = SignColor(1);
    auto* unknown = Find<QPushButton>("tipb5?");
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(unknown->geometry(), QRect(70, 120, 20, 20));
    EXPECT_LT(unknown->geometry().right(), Find<QLabel>("Spiel_5")->x());
    unknown->click();
    EXPECT_EQ(Shown(), "?????0?????");
    EXPECT_EQ(SignColor(5), standard);
    EXPECT_EQ(window_->CurrentGame(), 6);
    QTest::keyClick(KeyTarget(), '?');
    EXPECT_EQ(Shown(), "???????????");
    EXPECT_EQ(SignColor(6), standard);

    // A stored partial result: the window opens at its first unknown game.
    Enter("102");
    Click("Start");
    Reopen();
    EXPECT_EQ(window_->CurrentGame(), 4);
    EXPECT_EQ(MarkerTop(), 100);
}

TEST_F(GewinnermittlungTest, PastedResultFillsTheLines) {
    UseRows(RowsFromStrings({"11111111111111", "00000000000000"}));
    Open();
    Click("tipb92");
    PasteText("1021X0?2\n10 2,1;00\n");
    EXPECT_TRUE(ports_.messages.empty());
    EXPECT_EQ(Shown(), "102100?2102100");  // a whole result from game 1 on
    EXPECT_EQ(SignColor(3), QColor(Qt::red));
    EXPECT_EQ(SignColor(4), QColor(Qt::black));
    EXPECT_EQ(MarkerTop(), -1);

    // A shorter text continues at the marked game, also with a button in focus.
    QTest::keyClick(KeyTarget(), Qt::Key_Backspace);
    QTest::keyClick(KeyTarget(), Qt::Key_Backspace);
    PasteText("x1", Find<QPushButton>("tipb11"));
    EXPECT_EQ(Shown(), "102100?2102101");
    Click("Start");
    EXPECT_EQ(window_->Results().For(14), ResultFrom("102100?2102101"));
}

TEST_F(GewinnermittlungTest, RefusedPasteSaysWhereAndChangesNothing) {
    UseRows(RowsFromStrings({"1111111111111"}));
    Open();
    QTest::keyClicks(KeyTarget(), "10");
    PasteText("1021\n0a1");
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ports_.messages[0].text,
              "Das Ergebnis wird nicht eingefügt. Das Zeichen „a“ an Stelle 7 ist kein "
              "Tippzeichen. Erlaubt sind 1, 0, 2, X und ?; Leerzeichen, Tabulatoren, Kommas, "
              "Semikolons und Zeilenwechsel dazwischen werden übergangen.");
    EXPECT_EQ(Shown(), "10???????????");
    EXPECT_EQ(window_->CurrentGame(), 3);

    PasteText("10210210210210");
    ASSERT_EQ(ports_.messages.size(), 2u);
    EXPECT_EQ(ports_.messages[1].text,
              "Das Ergebnis wird nicht eingefügt. Der Text enthält 14 "
              "Tippzeichen, es gibt aber nur 13 Spiele.");
    PasteText("");
    EXPECT_EQ(ports_.messages.size(), 3u);
    EXPECT_EQ(Shown(), "10???????????");
    EXPECT_EQ(MarkerTop(), 80);
}

TEST_F(GewinnermittlungTest, KeysWithoutLinesChangeNothing) {
    State().games = 15;
    State().rows = TRowList(11);
    Open();
    QTest::keyClicks(KeyTarget(), "102?");
    QTest::keyClick(KeyTarget(), Qt::Key_Backspace);
    PasteText("10210210210");
    EXPECT_TRUE(ports_.messages.empty());
    EXPECT_EQ(MarkerTop(), -1);
}

TEST_F(GewinnermittlungTest, DetailangabenIsKeptBetweenRuns) {
    UseRows(RowsFromStrings({"11111111111"}));
    Open();
    Click("Detailangaben");
    EXPECT_TRUE(StoredWinDetails());

    // The next run's window starts with the details and their lists.
    Open();
    EXPECT_TRUE(Find<QCheckBox>("Detailangaben")->isChecked());
    EXPECT_NE(Find<QComboBox>("gew_1"), nullptr);
    // Typing in an enabled detail list still enters the result.
    Enter("11111111111");
    Click("Start");
    auto* list = Find<QComboBox>("gew_1");
    ASSERT_TRUE(list->isEnabled());
    QTest::keyClick(KeyTarget(), Qt::Key_Backspace);
    QTest::keyClicks(list, "2");
    EXPECT_EQ(Text("Spiel_11"), "2");
    Click("Detailangaben");
    EXPECT_FALSE(StoredWinDetails());
    Open();
    EXPECT_FALSE(Find<QCheckBox>("Detailangaben")->isChecked());
}

}  // namespace
}  // namespace velmora
