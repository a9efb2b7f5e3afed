#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>

#include "app/filesetnames.h"
#include "app/forms/helpwindow.h"
#include "app/forms/progressrun.h"
#include "app/forms/rownumberheader.h"
#include "app/forms/rowtablemodel.h"
#include "app/forms/splashform.h"
#include "evaluation/forms/alarm.h"
#include "filters/blockeditor.h"
#include "filters/forms/blockform.h"
#include "filters/forms/filteranzeige.h"
#include "filters/forms/prozform.h"
#include "filters/forms/quotblockform.h"
#include "model/forms/berechanz.h"
#include "model/forms/tipplanform.h"
#include "support/guifixture.h"
#include "support/testplans.h"
#include "support/weekaccess.h"

namespace velmora {
namespace {

class MainWindow : public testing::ProgramTest {
  protected:
    QString Text(const char* label) { return Find<QLabel>(Main(), label)->text(); }
    void Click(const char* button) { Find<QPushButton>(Main(), button)->click(); }
    void Trigger(const char* item) { Find<QAction>(Main(), item)->trigger(); }

    // Every game of the plan with the given signs allowed, as the tip plan editor enters them.
    void TipEveryGame(int n, const std::string& tendencies) {
        form_->SetGameCount(n);
        State().filters = TFilterSet::PassingAll(n);
        for (int g = 1; g <= n; ++g)
            for (int slot = 0; slot < 3; ++slot)
                form_->SetTendency(g, kDisplayOrder[slot],
                                   static_cast<std::int8_t>(tendencies[slot] - '0'));
        testing::Arranged(*form_);
    }

    RowNumberHeader& Numbers() { return *Find<RowNumberHeader>(Main(), "Reihennummern"); }
    QTableView& RowDisplay() { return *Find<QTableView>(Main(), "stringgrid1"); }
    QString RowNumber(int column, int role = Qt::DisplayRole) {
        return Main().RowModel().headerData(column, Qt::Horizontal, role).toString();
    }
    QList<int> ChosenColumns() {
        QList<int> columns;
        for (const QModelIndex& column : RowDisplay().selectionModel()->selectedColumns())
            columns << column.column();
        return columns;
    }

    QStringList ListButtonCaptions(const QString& prefix) {
        QStringList captions;
        for (QPushButton* button : Main().findChildren<QPushButton*>())
            if (button->objectName().startsWith(prefix))
                captions << button->text();
        return captions;
    }
};

TEST_F(MainWindow, StartsWithTheDefaultWeekAndEveryNamedControl) {
    Start();
    EXPECT_EQ(Main().windowTitle(), "AKTUELLEWOCHE.TTD – meintip.prd");
    EXPECT_EQ(Main().size(), QSize(761, 592));
    EXPECT_EQ(Text("StaticText2"), "TOTOTIP: " + QString::fromStdString(Path("AKTUELLEWOCHE.TTD")));
    EXPECT_EQ(Text("StaticText1"),
              "VOLLSYSTEM: " + QString::number(State().plan.FullSystemSize(13)) + " Reihen");
    EXPECT_EQ(Text("Label7"), "Reihe: 1");
    EXPECT_EQ(Find<QRadioButton>(Main(), "Gewinngarantie1")->text(), "13");
    EXPECT_EQ(Find<QRadioButton>(Main(), "Gewinngarantie4")->text(), "10");
    EXPECT_EQ(Text("Label11"), "aus " + QString::number(State().filters.chainCount()));
    EXPECT_EQ(ListButtonCaptions("but_").size(),
              static_cast<qsizetype>(State().filters.blocks.size() + 1));
    EXPECT_EQ(ListButtonCaptions("btseq_").size(),
              static_cast<qsizetype>(State().filters.sequences.size() + 1));
    EXPECT_TRUE(ports_.messages.empty());

    for (const char* name :
         {"tpbuton", "Start", "Filterbut", "Button2", "Button3", "qbbutton", "prozbut", "prozbut5"})
        Find<QPushButton>(Main(), name);
    for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox7"})
        Find<QCheckBox>(Main(), name);
    for (const char* name : {"TZminspin", "tzmaxspin", "tzminspin2", "tzmaxspin2", "SpinEdit1"})
        Find<QSpinBox>(Main(), name);
    for (const char* name : {"Neu1",
                             "ffnen1",
                             "Speichern1",
                             "Speichernunter1",
                             "System1",
                             "Systemffnen1",
                             "Systemspeichern1",
                             "Systemspeichernunter1",
                             "AllesSpeichern1",
                             "Beenden1",
                             "ansicht",
                             "Filteranzeige1",
                             "reihenz1",
                             "Reihenz4",
                             "Gewinn1",
                             "Gewinntabellen1",
                             "Gewinnchancen1",
                             "Systemumstellung1",
                             "ManuelleTippeingabe1",
                             "InFremdsystemvorhandeneReiheneliminieren1",
                             "ReihendieOptionenerflleneliminieren1",
                             "Hilfe2",
                             "Programmberblick1",
                             "Info1"})
        Find<QAction>(Main(), name);
}

TEST_F(MainWindow, SecondaryWindowsAreCreatedOnceInTheProgramsOrder) {
    QStringList order;
    for (QObject* child : Main().children())
        if (auto* widget = qobject_cast<QWidget*>(child); widget != nullptr && widget->isWindow())
            order << widget->objectName();
    EXPECT_EQ(order, (QStringList{"Tquotblockform", "TFilteranzeige", "Tgewinnermittlung",
                                  "TFiltercheck", "TAlarm", "TGewinntabelle", "TGewinnchancen",
                                  "TTippverteilung", "TTippverteilung2", "TSystemeingabe",
                                  "TTipplan", "block_1", "Tberechanz", "TProzform", "TProzform2",
                                  "TProzform3", "TProzform4", "TProzform5"}));
    for (QWidget* window :
         {static_cast<QWidget*>(windows_->alarm), static_cast<QWidget*>(windows_->tipPlan),
          static_cast<QWidget*>(windows_->progress)})
        EXPECT_FALSE(window->isVisible());
}

TEST(SplashWindow, StaysOnTopAndClosesItselfAfterThreeSeconds) {
    QPointer<TSplashform> splash = new TSplashform;
    splash->show();
    EXPECT_EQ(splash->size(), QSize(228, 172));
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_NE(splash->findChild<QLabel*>("Programmname"), nullptr);
    QTest::qWait(TSplashform::kLifetimeMs - 500);
    EXPECT_FALSE(splash.isNull());
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 2000));
}

TEST_F(MainWindow, NeuLeavesOneSpareButtonEachAndShowsTheTipPlanEditor) {
    Start();
    Trigger("Neu1");
    EXPECT_EQ(ListButtonCaptions("but_"), QStringList{"1.Filter"});
    EXPECT_EQ(ListButtonCaptions("btseq_"), QStringList{"1.Sequenz"});
    EXPECT_EQ(Text("StaticText2"), "TOTOTIP NEU");
    EXPECT_EQ(Text("StaticText1"), "Es Fehlen noch Tips");
    EXPECT_EQ(Text("Label1"), "0");
    EXPECT_EQ(State().tipPlanStream.size(), 13u);
    EXPECT_TRUE(windows_->tipPlan->isVisible());
}

TEST_F(MainWindow, GeneratesShowsAndScrollsTheRows) {
    Start();
    TipEveryGame(12, "210");  // "1" and "0" in every game: 4096 rows
    Find<QRadioButton>(Main(), "Gewinngarantie1")->click();
    Click("Start");
    EXPECT_EQ(Text("Label1"), "4096");
    EXPECT_FALSE(windows_->progress->isVisible());
    EXPECT_TRUE(ports_.modal.empty());  // every tipped sign is covered

    auto* grid = Find<QTableView>(Main(), "stringgrid1");
    Click("Button2");
    EXPECT_EQ(Main().RowModel().rowCount(), 12);
    EXPECT_EQ(Main().RowModel().columnCount(), 4096);
    // The header of row numbers adds its height; the width per slip stays.
    EXPECT_EQ(grid->height(), 12 * 17 + 20 + Numbers().NeededHeight());
    EXPECT_EQ(grid->width(), 37 + 16 * 12);
    EXPECT_EQ(Main().RowModel().index(0, 0).data().toString(), "1");  // the main-tip row
    grid->horizontalScrollBar()->setValue(40);
    EXPECT_EQ(Text("Label7"), "Reihe: 41");

    // Once asked for, the display follows the system: never rows it no longer has.
    Find<QRadioButton>(Main(), "Gewinngarantie2")->click();
    Click("Start");
    EXPECT_LT(Text("Label1").toInt(), 4096);
    EXPECT_EQ(Main().RowModel().columnCount(), Text("Label1").toInt());
}

TEST_F(MainWindow, RowNumbersStandOverTheShownRowsOnly) {
    Start();
    TipEveryGame(12, "210");  // 4096 rows
    Click("Start");
    // Before "Tippreihen anzeigen" the empty columns hold no row and carry no number.
    EXPECT_EQ(RowNumber(0), "");
    EXPECT_FALSE(Numbers().Upright());

    Click("Button2");
    EXPECT_EQ(RowNumber(0), "1");
    EXPECT_EQ(RowNumber(4095), "4096");
    EXPECT_EQ(RowNumber(4096), "");
    EXPECT_EQ(RowNumber(999, Qt::ToolTipRole), "Reihe 1.000 – Strg+G: Gehe zu Reihe …");
    EXPECT_EQ(Main().RowModel().headerData(11, Qt::Vertical).toString(), "12");  // game numbers
    // Four digits do not fit side by side over a 15-pixel column: they stand upright, and the
    // header is as high as "4096" is long.
    EXPECT_TRUE(Numbers().Upright());
    EXPECT_GE(Numbers().NeededHeight(), Numbers().fontMetrics().horizontalAdvance("4096"));
    EXPECT_EQ(Numbers().height(), Numbers().NeededHeight());
    EXPECT_TRUE(Numbers().isVisible());

    // A system of a few rows keeps its numbers side by side and its header low.
    State().rows = testing::RowsFromStrings({"111111111111", "222222222222"});
    form_->Button2Click();
    testing::Arranged(*form_);
    EXPECT_EQ(RowNumber(1), "2");
    EXPECT_FALSE(Numbers().Upright());
    EXPECT_EQ(RowDisplay().height(), 12 * 17 + 20 + Numbers().NeededHeight());

    // A click on a number chooses that row.
    QTest::mouseClick(Numbers().viewport(), Qt::LeftButton, {},
                      QPoint(Numbers().sectionViewportPosition(1) + 5, 5));
    EXPECT_EQ(ChosenColumns(), QList<int>{1});

    // Six rows per slip keep the specified width below the numbers.
    Trigger("Reihenz4");
    EXPECT_EQ(RowDisplay().width(), 37 + 16 * 6);
}

TEST_F(MainWindow, GoToRowMakesItTheFirstColumnInViewAndChoosesIt) {
    Start();
    TipEveryGame(12, "210");  // 4096 rows
    Click("Start");
    EXPECT_EQ(Find<QAction>(Main(), "GeheZuReihe1")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_G));

    // Rows not shown yet are shown on the way.
    ports_.numbers = {1000};
    Trigger("GeheZuReihe1");
    ASSERT_EQ(ports_.numberQuestions.size(), 1u);
    EXPECT_EQ(ports_.questions.back(), "Reihe (1 bis 4.096):");
    EXPECT_EQ(ports_.numberQuestions[0].minimum, 1);
    EXPECT_EQ(ports_.numberQuestions[0].maximum, 4096);
    EXPECT_EQ(ports_.numberQuestions[0].value, 1);
    EXPECT_EQ(Main().RowModel().columnCount(), 4096);
    EXPECT_EQ(Text("Label7"), "Reihe: 1000");
    EXPECT_EQ(RowDisplay().columnAt(0), 999);
    EXPECT_EQ(ChosenColumns(), QList<int>{999});

    // The next question proposes the row in view; the last row is as far as the display goes.
    ports_.numbers = {4096};
    Trigger("GeheZuReihe1");
    EXPECT_EQ(ports_.numberQuestions.back().value, 1000);
    EXPECT_EQ(ChosenColumns(), QList<int>{4095});
    EXPECT_EQ(Text("Label7"), "Reihe: " + QString::number(4096 - 12 + 1));
    EXPECT_TRUE(RowDisplay().viewport()->rect().contains(
        RowDisplay().visualRect(Main().RowModel().index(0, 4095))));

    // "Abbrechen" and a number outside the rows change nothing.
    const int position = RowDisplay().horizontalScrollBar()->value();
    const QString row = Text("Label7");
    Trigger("GeheZuReihe1");
    ports_.numbers = {5000};
    Trigger("GeheZuReihe1");
    EXPECT_EQ(RowDisplay().horizontalScrollBar()->value(), position);
    EXPECT_EQ(Text("Label7"), row);
    EXPECT_EQ(ChosenColumns(), QList<int>{4095});
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(ports_.messages[0].text.contains("5.000")) << ports_.messages[0].text.toStdString();
}

TEST_F(MainWindow, GoToRowInAnEmptySystemSaysWhyAndAsksNothing) {
    Start();
    Trigger("Neu1");
    ASSERT_TRUE(State().rows.Empty());
    ports_.numbers = {1};
    // Strg+G from the row display.
    windows_->tipPlan->hide();  // "Neu" showed it
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    RowDisplay().setFocus();
    QTest::keyClick(&RowDisplay(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_TRUE(ports_.numberQuestions.empty());
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(ports_.messages[0].text.toStdString(),
              *form_->EmptySystemMessage(RowsCommand::GoToRow));
    EXPECT_EQ(Text("Label7"), "Reihe: 1");
    EXPECT_FALSE(State().rowsShown);
}

// The header never asks for the numbers of columns out of view: a large system costs no
// text per row, neither when shown nor when gone through.
class CountingColumns : public QAbstractTableModel {
  public:
    int rowCount(const QModelIndex& = {}) const override { return 12; }
    int columnCount(const QModelIndex& = {}) const override { return 1'000'000; }
    QVariant data(const QModelIndex&, int) const override { return {}; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            ++asked;
            return QString::number(section + 1);
        }
        return {};
    }
    mutable int asked = 0;
};

TEST_F(MainWindow, GoToRowOfALargeSystemAsksOnlyForTheNumbersInView) {
    Start();
    State().rows = testing::RandomRows(13, 100'000, 7);
    testing::Arranged(*form_);
    ports_.numbers = {54321};
    Trigger("GeheZuReihe1");
    EXPECT_EQ(ports_.numberQuestions.back().maximum, 100'000);
    EXPECT_EQ(Text("Label7"), "Reihe: 54321");
    EXPECT_EQ(RowNumber(54320), "54321");
    EXPECT_EQ(ChosenColumns(), QList<int>{54320});
    EXPECT_GE(Numbers().NeededHeight(), Numbers().fontMetrics().horizontalAdvance("100000"));

    CountingColumns model;
    QTableView view;
    auto* numbers = new RowNumberHeader(16, &view);
    view.setHorizontalHeader(numbers);
    view.setModel(&model);
    view.resize(229, 300);
    view.show();
    QApplication::processEvents();
    view.horizontalScrollBar()->setValue(500'000);
    view.repaint();
    QApplication::processEvents();
    EXPECT_TRUE(numbers->Upright());  // "1000000"
    EXPECT_GT(model.asked, 0);
    EXPECT_LT(model.asked, 2000);
}

TEST_F(MainWindow, NewWeekTippedInTheEditorGeneratesItsFullSystem) {
    Start();
    Trigger("Neu1");
    TTipplan& editor = *windows_->tipPlan;
    for (int g = 1; g <= 13; ++g)
        Find<QPushButton>(editor, "toggle" + QString::number(g) + "1")->click();
    Find<QPushButton>(editor, "toggle11")->click();  // once more: game 1 untipped
    EXPECT_EQ(Text("StaticText1"), "Es Fehlen noch Tips");
    Click("Start");
    EXPECT_EQ(Text("Label1"), "0");  // nothing generated from an incomplete plan

    Find<QPushButton>(editor, "toggle11")->click();
    Find<QPushButton>(editor, "toggle10")->click();
    Find<QPushButton>(editor, "toggle22")->click();
    EXPECT_EQ(Text("StaticText1"), "VOLLSYSTEM: 4 Reihen");
    State().filters = TFilterSet::PassingAll(13);
    Click("Start");
    EXPECT_EQ(Text("Label1"), "4");
    Click("Button2");
    EXPECT_EQ(Main().RowModel().columnCount(), 4);
    EXPECT_EQ(Main().RowModel().index(1, 3).data().toString(), "2");
}

TEST_F(MainWindow, AbbruchWithTheFullGuaranteeKeepsTheRowsSoFar) {
    Start();
    TipEveryGame(12, "321");
    QTimer::singleShot(0, windows_->progress,
                       [this] { Find<QPushButton>(*windows_->progress, "Abbruch")->click(); });
    Click("Start");
    EXPECT_EQ(Text("Label1"), "1");  // the main-tip row, accepted before the first step
    EXPECT_EQ(Text("Label12"), "Abgebrochen: keine Gewinngarantie");
}

TEST_F(MainWindow, AbbruchDuringTheRunLeavesAnEmptyReducedSystem) {
    Start();
    TipEveryGame(12, "321");
    Find<QRadioButton>(Main(), "Gewinngarantie2")->click();
    // Pressed as soon as the run lets the window handle events.
    QTimer::singleShot(0, windows_->progress,
                       [this] { Find<QPushButton>(*windows_->progress, "Abbruch")->click(); });
    Click("Start");
    EXPECT_EQ(Text("Label1"), "0");
    EXPECT_EQ(Text("Label12"), "Abgebrochen: keine Gewinngarantie");
    EXPECT_FALSE(windows_->progress->isVisible());
}

TEST_F(MainWindow, CoverageWarningAfterFiltersDropASign) {
    Start();
    TipEveryGame(11, "110");
    State().filters = TFilterSet::PassingAll(11);
    TBlockFilter noDrawInGame1;  // game 1 must not be "0"
    noDrawInGame1.SetMarked(1, 0, true);
    noDrawInGame1.maxHits = 0;
    noDrawInGame1.maxRun = 11;
    State().filters.blocks = {noDrawInGame1};
    Click("Start");
    ASSERT_EQ(ports_.modal.size(), 1u);
    EXPECT_EQ(ports_.modal[0], windows_->alarm);
    EXPECT_EQ(Text("Label1"), "1024");
}

TEST_F(MainWindow, RowCountFieldTakesDigitsAndAnEmptyFieldIsReported) {
    Start();
    TipEveryGame(11, "110");
    auto* group = Find<QWidget>(Main(), "Tippreihenbegrenzung");
    auto* guarantee = Find<QRadioButton>(Main(), "GGbutton");
    auto* count = Find<QRadioButton>(Main(), "vzButton");
    // Both choices are shown whole, side by side within the group's frame.
    for (const QRadioButton* choice : {guarantee, count}) {
        EXPECT_GE(choice->width(), choice->sizeHint().width());
        EXPECT_TRUE(group->contentsRect().contains(choice->geometry()));
    }
    EXPECT_FALSE(guarantee->geometry().intersects(count->geometry()));
    // The filter buttons beside the group still fit without scrolling sideways.
    auto* buttons = Find<QScrollArea>(Main(), "Filterknoepfe");
    EXPECT_LT(buttons->geometry().right(), group->geometry().left());
    EXPECT_FALSE(buttons->horizontalScrollBar()->isVisible());

    count->click();
    auto* field = Find<QLineEdit>(Main(), "Edit1");
    auto* panel = Find<QWidget>(Main(), "Reihenanzahl");
    EXPECT_TRUE(panel->isVisible());
    // The panel covers the guarantee levels: they are hidden and it paints its background.
    EXPECT_FALSE(Find<QWidget>(Main(), "Garantiestufen")->isVisible());
    EXPECT_FALSE(Find<QRadioButton>(Main(), "Gewinngarantie1")->isVisible());
    EXPECT_TRUE(panel->autoFillBackground());
    field->clear();
    QTest::keyClicks(field, "1a0-0");
    EXPECT_EQ(field->text(), "100");
    Click("Start");
    EXPECT_EQ(Text("Label1"), "100");

    field->clear();
    Click("Start");
    ASSERT_FALSE(ports_.messages.empty());
    EXPECT_EQ(ports_.messages.back().text, "'' ist kein gültiger Integerwert");
    EXPECT_FALSE(windows_->progress->isVisible());
    guarantee->click();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(Find<QRadioButton>(Main(), "Gewinngarantie1")->isVisible());
}

TEST_F(MainWindow, ChainCountFollowsThePercentageBoxes) {
    Start();
    for (TPercentFilter& filter : State().filters.percent)
        filter.active = filter.orNext = 0;
    State().filters.percent[1].orNext = 1;
    testing::Arranged(*form_);
    for (const char* box : {"CheckBox3", "CheckBox4", "CheckBox6"})
        Find<QCheckBox>(Main(), box)->click();
    EXPECT_EQ(Text("Label11"), "aus 2");
    auto* required = Find<QSpinBox>(Main(), "SpinEdit1");
    EXPECT_EQ(required->value(), 2);
    required->setValue(1);
    EXPECT_EQ(State().filters.requiredChains, 1);
    Find<QCheckBox>(Main(), "CheckBox7")->click();
    EXPECT_EQ(Text("Label11"), "aus 3");
    EXPECT_EQ(required->value(), 3);
    EXPECT_EQ(required->maximum(), 3);
}

TEST_F(MainWindow, SignChangeFieldsWriteTheirValuesAndOderShowsTheSecondRange) {
    Start();
    auto* minimum = Find<QSpinBox>(Main(), "TZminspin");
    EXPECT_EQ(minimum->maximum(), 12);
    minimum->setValue(3);
    EXPECT_EQ(State().filters.signChange.min1, 3);
    auto* orBox = Find<QCheckBox>(Main(), "CheckBox2");
    const bool wasOn = orBox->isChecked();
    orBox->click();
    EXPECT_EQ(Find<QSpinBox>(Main(), "tzminspin2")->isVisible(), !wasOn);
    EXPECT_EQ(State().filters.signChange.orSecond, wasOn ? 0 : 1);
}

TEST_F(MainWindow, RowsPerSlipComesFromAndGoesToTheSettingsFile) {
    std::vector<std::uint8_t> settings = ReadBytes("schein.dat");
    ASSERT_GE(settings.size(), 28u);
    settings[24] = 8;
    settings[25] = settings[26] = settings[27] = 0;
    WriteBytes("schein.dat", settings);
    Start();
    EXPECT_TRUE(Find<QAction>(Main(), "Reihenz3")->isChecked());
    EXPECT_EQ(Find<QTableView>(Main(), "stringgrid1")->width(), 37 + 16 * 8);

    Find<QAction>(Main(), "Reihenz2")->trigger();
    EXPECT_EQ(State().rowsPerSlip, 10);
    EXPECT_EQ(ReadBytes("schein.dat")[24], 10);
    EXPECT_FALSE(Find<QAction>(Main(), "Reihenz3")->isChecked());
}

TEST_F(MainWindow, ClosingAsksToSaveAChangedPlanAndEnds) {
    Start();
    const std::vector<std::uint8_t> stored = ReadBytes("AKTUELLEWOCHE.TTD");
    form_->SetTendency(1, 1, 7);
    bool closed = false;
    QObject::connect(&Main(), &Tsystemform::Closed, [&closed] { closed = true; });
    ports_.answers = {false};
    Main().close();
    ASSERT_EQ(ports_.questions.size(), 1u);
    EXPECT_EQ(ports_.questions[0], "Sollen Tippplan/-filter gespeichert werden?");
    EXPECT_EQ(ReadBytes("AKTUELLEWOCHE.TTD"), stored);
    EXPECT_TRUE(closed);
}

TEST_F(MainWindow, UnchangedWeekClosesWithoutAQuestion) {
    Start();
    Main().close();
    EXPECT_TRUE(ports_.questions.empty());
}

TEST_F(MainWindow, WeekAndSystemSurviveASaveAndOpenRoundTrip) {
    Start();
    TipEveryGame(13, "210");
    Click("Start");
    const TTipPlan plan = State().plan;
    const TRowList rows = State().rows;

    ports_.saveNames = {Path("runde"), Path("runde")};
    Trigger("Speichernunter1");
    Trigger("Systemspeichernunter1");
    // Names are matched without regard to case, as the program does.
    const std::string planFile = ResolveFileName(Path("runde.TTD")).path;
    const std::string rowFile = ResolveFileName(Path("runde.PRD")).path;
    EXPECT_TRUE(std::filesystem::exists(planFile));
    EXPECT_TRUE(std::filesystem::exists(rowFile));
    EXPECT_EQ(ports_.requests[0].filter, "Tototipdatei|*.TTD");
    EXPECT_EQ(ports_.requests[1].defaultExtension, "PRD");

    Trigger("Neu1");
    EXPECT_EQ(Text("StaticText2"), "TOTOTIP NEU");
    ports_.openNames = {planFile, rowFile};
    Trigger("ffnen1");
    Trigger("System1");
    EXPECT_TRUE(
        Text("StaticText2").startsWith("TOTOTIP: " + QString::fromStdString(Path("runde"))));
    for (int g = 1; g <= 13; ++g)
        for (Sign s : kDisplayOrder)
            EXPECT_EQ(State().plan.Tendency(g, s), plan.Tendency(g, s));
    EXPECT_EQ(testing::RowStrings(State().rows), testing::RowStrings(rows));
    EXPECT_EQ(Text("Label1"), QString::number(rows.Count()));
    EXPECT_TRUE(ports_.messages.empty());
}

TEST_F(MainWindow, MissingDefaultFilesAreReportedAndTheWindowStillShows) {
    std::filesystem::remove(Path("aktuelleWoche.bld"));
    std::filesystem::remove(Path("AKTUELLEWOCHE.TTD"));
    Start();
    EXPECT_TRUE(Main().isVisible());
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Error);
}

TEST_F(MainWindow, HelpOpensItsTopicsAndTheDistributionIsModal) {
    Start();
    Trigger("Hilfe2");
    Trigger("Programmberblick1");
    Trigger("Info1");
    EXPECT_EQ(ports_.helpTopics, (std::vector<QString>{"Inhalt", "Überblick", "Info"}));
    EXPECT_EQ(ports_.helpParents, (std::vector<QWidget*>(3, &Main())));
    Trigger("ansicht");
    ASSERT_EQ(ports_.modal.size(), 1u);
    EXPECT_EQ(ports_.modal[0]->windowTitle(), "Tippverteilung");
}

// The guide and the icon live in the windows' library; a program linked against it must
// still find them.
TEST(HelpWindow, ShowsTheGuideAtEachTopic) {
    HelpWindow help;
    EXPECT_TRUE(help.Text()->toPlainText().contains("Eine Woche Schritt für Schritt"));
    EXPECT_TRUE(QFile::exists(":/help/velmora.svg"));
    for (const QString topic : {"Überblick", "Info", "Inhalt"}) {
        help.ShowTopic(topic);
        EXPECT_TRUE(help.isVisible());
    }
    help.ShowTopic("Info");
    EXPECT_GT(help.Text()->verticalScrollBar()->value(), 0);
}

TEST_F(MainWindow, FilterEditorsOpenFromTheirButtonsAndTheirChangesReachTheWindow) {
    Start();
    const std::size_t blocks = State().filters.blocks.size();
    Click("qbbutton");
    EXPECT_TRUE(windows_->odds->isVisible());
    Click("prozbut3");
    EXPECT_TRUE(windows_->percent[2]->isVisible());

    // A new block from the spare button: stored, and one more button.
    const std::string spare = "but_" + std::to_string(blocks + 1);
    auto* spareButton = Main().findChild<QPushButton*>(QString::fromStdString(spare));
    ASSERT_NE(spareButton, nullptr);
    spareButton->click();
    TBlockform& editor = Main().BlockForm(static_cast<int>(blocks) + 1);
    EXPECT_TRUE(editor.isVisible());
    TBlockFilter block = NewBlock(13);
    block.SetMarked(1, 1, true);
    emit editor.BlockConfirmed(static_cast<int>(blocks) + 1, block);
    QApplication::processEvents();
    EXPECT_EQ(State().filters.blocks.size(), blocks + 1);
    EXPECT_EQ(ListButtonCaptions("but_").size(), static_cast<qsizetype>(blocks + 2));
    EXPECT_TRUE(form_->WeekUnsaved());
    EXPECT_TRUE(windows_->filterDisplay->isVisible());

    emit editor.BlockDeleteRequested(static_cast<int>(blocks) + 1);
    QApplication::processEvents();
    EXPECT_EQ(State().filters.blocks.size(), blocks);
    EXPECT_EQ(ListButtonCaptions("but_").size(), static_cast<qsizetype>(blocks + 1));
}

TEST_F(MainWindow, DeletingABlockKeepsItsEditorOpenOnWhatBecameThatBlock) {
    // The week's two blocks and a third like the first, with another upper bound.
    std::vector<std::uint8_t> blocks = ReadBytes("aktuellewoche.tfd");
    ASSERT_EQ(blocks.size(), 2 * sizeof(TBlockFilter));
    blocks.insert(blocks.end(), blocks.begin(), blocks.begin() + sizeof(TBlockFilter));
    blocks[2 * sizeof(TBlockFilter) + 43] = 12;
    WriteBytes("aktuellewoche.tfd", blocks);
    Start();
    const std::vector<TBlockFilter> before = State().filters.blocks;
    ASSERT_EQ(before.size(), 3u);
    ASSERT_EQ(before[2].maxHits, 12);
    for (const char* button : {"but_1", "but_2", "but_3", "but_4"})
        Click(button);
    const QPointer<TBlockform> first = &Main().BlockForm(1);
    const QPointer<TBlockform> second = &Main().BlockForm(2);
    const QPointer<TBlockform> third = &Main().BlockForm(3);
    const QPointer<TBlockform> spare = &Main().BlockForm(4);
    auto* firstMinimum = Find<QSpinBox>(*first, "SpinEdit4");
    firstMinimum->setValue(firstMinimum->value() + 1);  // changed, not yet stored

    Find<QPushButton>(*second, "Button6")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(State().filters.blocks, (std::vector<TBlockFilter>{before[0], before[2]}));
    EXPECT_EQ(ListButtonCaptions("but_").size(), 3);
    ASSERT_FALSE(second.isNull());
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(Find<QSpinBox>(*second, "SpinEdit3")->value(), before[2].maxHits);
    // The editors of the moved places are gone; the one before keeps the user's change.
    EXPECT_TRUE(third.isNull());
    EXPECT_TRUE(spare.isNull());
    ASSERT_FALSE(first.isNull());
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(firstMinimum->value(), before[0].minHits + 1);

    // OK writes what the editor shows into place 2: the former block 3 stays as it was.
    Find<QPushButton>(*second, "BitBtn1")->click();
    EXPECT_EQ(State().filters.blocks, (std::vector<TBlockFilter>{before[0], before[2]}));

    // Deleting the last block leaves its editor on a new block.
    Click("but_2");
    Find<QPushButton>(*second, "Button6")->click();
    EXPECT_EQ(State().filters.blocks, std::vector<TBlockFilter>{before[0]});
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(Find<QSpinBox>(*second, "SpinEdit4")->value(), 0);
    EXPECT_EQ(Find<QSpinBox>(*second, "SpinEdit3")->value(), State().games);
}

TEST_F(MainWindow, FilterDisplayMenuItemTogglesTheDisplay) {
    Start();
    ASSERT_FALSE(State().filters.blocks.empty());
    EXPECT_TRUE(windows_->filterDisplay->isVisible());
    Trigger("Filteranzeige1");
    EXPECT_FALSE(windows_->filterDisplay->isVisible());
    EXPECT_FALSE(Find<QAction>(Main(), "Filteranzeige1")->isChecked());
    Trigger("Filteranzeige1");
    EXPECT_TRUE(windows_->filterDisplay->isVisible());
    Find<QPushButton>(*windows_->filterDisplay, "Schliessen")->click();
    EXPECT_FALSE(windows_->filterDisplay->isVisible());
    EXPECT_FALSE(Find<QAction>(Main(), "Filteranzeige1")->isChecked());
    Trigger("Filteranzeige1");
    EXPECT_TRUE(windows_->filterDisplay->isVisible());
    EXPECT_TRUE(Find<QAction>(Main(), "Filteranzeige1")->isChecked());
}

TEST_F(MainWindow, EvaluationAndEditingWindowsOpenFromTheMenu) {
    Start();
    Trigger("Gewinn1");
    Trigger("Systemumstellung1");
    ASSERT_EQ(ports_.modal.size(), 2u);
    EXPECT_EQ(ports_.modal[0]->windowTitle(), "Gewinnermittlung");
    EXPECT_EQ(ports_.modal[1]->windowTitle(), "Systemumstellung");
    Trigger("ManuelleTippeingabe1");
    EXPECT_TRUE(Find<QWidget>(Main(), "TSystemeingabe")->isVisible());

    // Rows entered by hand reach the size display.
    auto* entry = Find<QDialog>(Main(), "TSystemeingabe");
    Find<QPushButton>(*entry, "BitBtn2")->click();  // OK on the (empty) system
    EXPECT_EQ(Text("Label1"), "0");
}

TEST_F(MainWindow, WinTablesAndPrintingSayWhyAnEmptySystemGivesNothing) {
    Start();
    Trigger("Gewinntabellen1");
    Click("Button3");
    ASSERT_EQ(ports_.messages.size(), 2u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(ports_.messages[0].text.toStdString(),
              *form_->EmptySystemMessage(RowsCommand::WinTables));
    EXPECT_EQ(ports_.messages[1].text.toStdString(),
              *form_->EmptySystemMessage(RowsCommand::PrintSlips));
    EXPECT_FALSE(Find<QWidget>(Main(), "TGewinntabelle")->isVisible());
    EXPECT_TRUE(ports_.jobs.empty());

    // With rows both work without a word.
    State().rows = testing::RowsFromStrings({"1111111111111"});
    Trigger("Gewinntabellen1");
    Click("Button3");
    EXPECT_EQ(ports_.messages.size(), 2u);
    EXPECT_TRUE(Find<QWidget>(Main(), "TGewinntabelle")->isVisible());
    EXPECT_EQ(ports_.jobs.size(), 1u);
}

TEST_F(MainWindow, RowsPerSlipItemsAreInTheViewMenu) {
    QStringList menus;
    for (const QAction* menu : Main().menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, (QStringList{"&Datei", "&Ansicht", "A&uswertung", "&Bearbeiten", "&Optionen",
                                  "&Hilfe"}));
    QStringList items;
    for (const QAction* item : Find<QMenu>(Main(), "Ansicht1")->actions())
        items << (item->isSeparator() ? "-" : item->text());
    EXPECT_EQ(items, (QStringList{"&Übersicht", "Filteranzeige", "-", "1&2 Reihen/Schein",
                                  "1&0 Reihen/Schein", " &8 Reihen/Schein", " &6 Reihen/Schein",
                                  "-", "Gehe zu &Reihe …"}));
}

TEST_F(MainWindow, OptimisedGuaranteeIsChosenByTheUserAndReportsItsCheck) {
    Start();
    TipEveryGame(12, "210");  // 4096 rows
    Find<QRadioButton>(Main(), "Gewinngarantie2")->click();
    auto* optimised = Find<QCheckBox>(Main(), "CheckBoxOptimiert");
    EXPECT_FALSE(optimised->isChecked());
    Click("Start");
    const int fixedRows = Text("Label1").toInt();
    EXPECT_EQ(Text("Label12"), "");

    State().generation.optimisation.maxIterations = 5000;  // keep the search short
    optimised->click();
    Click("Start");
    EXPECT_LT(Text("Label1").toInt(), fixedRows);
    EXPECT_EQ(Text("Label12"), "Garantie geprüft: alle 4096 Reihen abgedeckt");

    // "Abbruch" once the search shows its first cover keeps the best complete cover found so
    // far, and the check says so.
    State().generation.optimisation.maxIterations = 0;
    State().generation.optimisation.seconds = 60;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, windows_->progress, [this] {
        if (Find<QLabel>(*windows_->progress, "Label1")->text().startsWith("Optimierung"))
            Find<QPushButton>(*windows_->progress, "Abbruch")->click();
    });
    poll.start(1);
    Click("Start");
    poll.stop();
    EXPECT_GT(Text("Label1").toInt(), 0);
    EXPECT_EQ(Text("Label12"), "Garantie geprüft: alle 4096 Reihen abgedeckt");
    EXPECT_FALSE(windows_->progress->isVisible());

    Find<QRadioButton>(Main(), "vzButton")->click();
    EXPECT_FALSE(optimised->isVisible());
    Trigger("Neu1");
    EXPECT_EQ(Text("Label12"), "");
}

// "auch Reihen außerhalb der Filter" belongs to "optimiert": seen with it, open only while it
// is ticked, and showing the week's setting whatever changed it.
TEST_F(MainWindow, RowsOutsideTheFiltersAreAChoiceUnderOptimised) {
    Start();
    auto* group = Find<QGroupBox>(Main(), "Tippreihenbegrenzung");
    auto* optimised = Find<QCheckBox>(Main(), "CheckBoxOptimiert");
    auto* outside = Find<QCheckBox>(Main(), "CheckBoxAusserhalb");
    EXPECT_EQ(outside->text(), "auch Reihen außerhalb der Filter");
    EXPECT_TRUE(outside->toolTip().contains("Gewinngarantie gilt weiterhin"))
        << outside->toolTip().toStdString();
    EXPECT_TRUE(outside->isVisible());
    EXPECT_FALSE(outside->isChecked());
    EXPECT_FALSE(outside->isEnabled());

    // Under "optimiert", whole, inside the group, and the group clear of the one beneath.
    EXPECT_GE(outside->y(), optimised->geometry().bottom());
    EXPECT_GE(outside->width(), outside->sizeHint().width());
    EXPECT_TRUE(group->rect().adjusted(0, 0, 0, -4).contains(outside->geometry()));
    EXPECT_FALSE(
        group->geometry().intersects(Find<QGroupBox>(Main(), "Tippzeichenwechsel")->geometry()));

    optimised->click();
    EXPECT_TRUE(outside->isEnabled());
    outside->click();
    EXPECT_TRUE(State().generation.outside);
    outside->click();
    EXPECT_FALSE(State().generation.outside);
    outside->click();

    // Without "optimiert" the choice is kept for later, but closed.
    optimised->click();
    EXPECT_FALSE(State().generation.optimised);
    EXPECT_FALSE(outside->isEnabled());
    EXPECT_TRUE(outside->isChecked());
    EXPECT_TRUE(State().generation.outside);

    // The boxes follow the week, not only their own clicks.
    form_->SetOptimised(true);
    EXPECT_TRUE(optimised->isChecked());
    EXPECT_TRUE(outside->isEnabled());
    form_->SetOutside(false);
    EXPECT_FALSE(outside->isChecked());

    Find<QRadioButton>(Main(), "vzButton")->click();
    EXPECT_FALSE(outside->isVisible());
    Find<QRadioButton>(Main(), "GGbutton")->click();
    EXPECT_TRUE(outside->isVisible());
}

// The check of the largest system, with rows outside the filters, is read in full.
TEST_F(MainWindow, TheLongestGuaranteeCheckFitsBesideTheRowDisplay) {
    Start();
    State().guaranteeCheck = GuaranteeCheck{4782969, 2391484, 0, 1, 2391484};
    Main().WeekChanged(kRowsChanged);
    auto* check = Find<QLabel>(Main(), "Label12");
    EXPECT_EQ(check->text(),
              "Garantie geprüft: alle 4782969 Reihen abgedeckt, davon 2391484 "
              "Reihen außerhalb der Filter");
    const QRect needed =
        check->fontMetrics().boundingRect(QRect(0, 0, check->width(), 10 * check->height()),
                                          check->wordWrap() ? Qt::TextWordWrap : 0, check->text());
    EXPECT_LE(needed.width(), check->width());
    EXPECT_LE(needed.height(), check->height());
    EXPECT_LE(check->geometry().right(), Main().centralWidget()->width());
    EXPECT_FALSE(check->geometry().intersects(Find<QLabel>(Main(), "Label7")->geometry()));
}

// An optimised reduction tells the seconds its budget still allows; the window shows them
// rounded up, and no earlier run's time when the next one starts.
TEST_F(MainWindow, TheProgressWindowCountsDownTheOptimisedSearch) {
    Start();
    AbortFlag abort;
    ProgressRun run(Main(), windows_->progress, windows_->alarm, ports_, abort);
    auto* timeLeft = Find<QLabel>(*windows_->progress, kTimeLeftLabel);
    auto* count = Find<QLabel>(*windows_->progress, "Label1");
    run.ShowProgressWindow();
    EXPECT_TRUE(windows_->progress->isVisible());
    EXPECT_FALSE(timeLeft->isVisible());

    run.ShowBestCover(193);
    run.ShowTimeLeft(6.2);
    EXPECT_TRUE(timeLeft->isVisible());
    EXPECT_EQ(timeLeft->text(), "noch 7 s");
    run.ShowTimeLeft(6.0);
    EXPECT_EQ(timeLeft->text(), "noch 6 s");
    run.ShowTimeLeft(-0.2);
    EXPECT_EQ(timeLeft->text(), "noch 0 s");
    EXPECT_EQ(count->text(), Tberechanz::BestCoverText(193));
    EXPECT_GE(timeLeft->y(), count->geometry().bottom());

    run.HideProgressWindow();
    EXPECT_FALSE(windows_->progress->isVisible());
    run.ShowProgressWindow();
    EXPECT_FALSE(timeLeft->isVisible());
    run.ShowTimeLeft(0.0);  // the same seconds as last shown, in a new run
    EXPECT_TRUE(timeLeft->isVisible());
    run.HideProgressWindow();

    // A fixed scan never shows a time.
    ProgressRun fixed(Main(), windows_->progress, windows_->alarm, ports_, abort);
    fixed.ShowProgressWindow();
    fixed.ShowProgress(1000);
    EXPECT_FALSE(timeLeft->isVisible());
    EXPECT_EQ(windows_->progress->findChildren<QLabel*>(kTimeLeftLabel).size(), 1);
}

// A system used as a foreign system, or appended, stays as it is on disk whatever is saved.
TEST_F(MainWindow, FilesOnlyReadStayUntouchedBySaving) {
    Start();
    TipEveryGame(11, "110");
    Click("Start");
    const std::string saved = Path("gespeichert.prd");
    ports_.saveNames = {saved};
    Trigger("Systemspeichernunter1");
    const std::vector<std::uint8_t> savedBytes = ReadBytes("gespeichert.prd");
    ASSERT_EQ(savedBytes.size(), 2048u * 11);

    Find<QRadioButton>(Main(), "Gewinngarantie2")->click();
    Click("Start");
    ports_.openNames = {saved};
    Trigger("InFremdsystemvorhandeneReiheneliminieren1");
    EXPECT_EQ(Text("Label1"), "0");
    Trigger("Systemspeichern1");
    Trigger("AllesSpeichern1");
    EXPECT_EQ(ReadBytes("gespeichert.prd"), savedBytes);

    WriteBytes("leer.prd", {});
    Click("Start");
    ports_.openNames = {Path("leer.prd")};
    Trigger("Systemffnen1");
    Trigger("Systemspeichern1");
    EXPECT_TRUE(ReadBytes("leer.prd").empty());
}

TEST_F(MainWindow, ClosingAsksAboutUnsavedRowsAndAbbrechenKeepsItOpen) {
    Start();
    TipEveryGame(11, "110");
    Click("Start");
    EXPECT_TRUE(Main().windowTitle().endsWith(" *"));
    ports_.choices = {Answer::No, Answer::Cancel};
    EXPECT_FALSE(Main().close());
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(ports_.questions.back(), kSaveSystemQuestion);
    EXPECT_EQ(State().rows.Count(), 2048);

    // "Neu" asks as well; answered with "Abbrechen" it leaves everything as it was.
    ports_.questions.clear();
    ports_.choices = {Answer::No, Answer::Cancel};
    Trigger("Neu1");
    EXPECT_EQ(ports_.questions.size(), 2u);
    EXPECT_EQ(Text("Label1"), "2048");
    EXPECT_NE(Text("StaticText2"), "TOTOTIP NEU");
}

TEST_F(MainWindow, EveryViewFollowsTheSystem) {
    Start();
    TipEveryGame(11, "110");
    Click("Start");
    Click("Button2");
    EXPECT_EQ(Main().RowModel().columnCount(), 2048);

    TBlockFilter firstIsOne;
    firstIsOne.SetMarked(1, 1, true);
    firstIsOne.minHits = 1;
    firstIsOne.maxHits = 11;
    firstIsOne.maxRun = 11;
    form_->StoreBlock(1, firstIsOne);
    Click("Filterbut");
    EXPECT_EQ(Text("Label1"), "1024");
    EXPECT_EQ(Main().RowModel().columnCount(), 1024);
    EXPECT_EQ(Text("Label7"), "Reihe: 1");
    Trigger("ReihendieOptionenerflleneliminieren1");
    EXPECT_EQ(Text("Label1"), "0");
    EXPECT_EQ(Main().RowModel().ShownRows(), 0);

    // Undo from the menu and with Strg+Z brings the rows back, Strg+Y takes them again.
    auto* undo = Find<QAction>(Main(), "Rueckgaengig1");
    EXPECT_EQ(undo->text(), "&Rückgängig: Reihen die Optionen erfüllen eliminieren");
    EXPECT_EQ(undo->shortcut(), QKeySequence(QKeySequence::Undo));
    undo->trigger();
    EXPECT_EQ(Text("Label1"), "1024");
    EXPECT_EQ(Main().RowModel().columnCount(), 1024);
    auto* redo = Find<QAction>(Main(), "Wiederherstellen1");
    EXPECT_EQ(redo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    redo->trigger();
    EXPECT_EQ(Text("Label1"), "0");
    undo->trigger();

    // Another game count: the system is empty and says so; the display has the new lines.
    // Undo brings back the count and its rows.
    form_->SetGameCount(13);
    EXPECT_EQ(Text("Label1"), "0");
    EXPECT_EQ(Main().RowModel().rowCount(), 13);
    EXPECT_EQ(Main().RowModel().ShownRows(), 0);
    EXPECT_EQ(undo->text(), "&Rückgängig: Spielzahl 13");
    undo->trigger();
    EXPECT_EQ(Text("Label1"), "1024");
    EXPECT_EQ(Main().RowModel().rowCount(), 11);
    EXPECT_EQ(Main().RowModel().columnCount(), 1024);
}

TEST_F(MainWindow, SavingANewWeekShowsItsNameInBothPlaces) {
    Start();
    ports_.choices = {Answer::No};
    Trigger("Neu1");
    EXPECT_EQ(Text("StaticText2"), "TOTOTIP NEU");
    EXPECT_TRUE(Main().windowTitle().startsWith("NEU – "));
    ports_.saveNames = {Path("woche7")};
    Trigger("Speichern1");
    EXPECT_EQ(Text("StaticText2"), "TOTOTIP: " + QString::fromStdString(Path("woche7.TTD")));
    EXPECT_EQ(Main().windowTitle(), "woche7.TTD – meintip.prd");
}

}  // namespace
}  // namespace velmora
