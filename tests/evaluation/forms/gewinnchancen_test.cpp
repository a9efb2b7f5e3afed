// The window "Gewinnchancen" in the whole program on a recording desktop: opened from the menu,
// computing through the week, refusing with the week's or the field's reason, keeping its
// settings between runs, giving up its numbers when the week changes, and printing.
#include "evaluation/forms/gewinnchancen.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidget>
#include <QTextBrowser>

#include "app/forms/helpwindow.h"
#include "app/forms/programsettings.h"
#include "support/fakeweekview.h"
#include "support/guifixture.h"
#include "support/testplans.h"

namespace velmora {
namespace {

constexpr int kN = 11;

class GewinnchancenTest : public testing::ProgramTest {
  protected:
    void SetUp() override {
        // Each test starts from the default settings, which the window reads when it is made.
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "velmora", "velmora").clear();
        ProgramTest::SetUp();
    }

    // Eleven games: game 1 open on "1" and "0", the others fixed to "1". Percentage filter 1
    // gives game 1 "1" 50 %, "0" 30 %, "2" 20 % and every other game "1" for certain;
    // filter 2 has the players tip "1" everywhere. One row, the main tip row.
    void UseSmallWeek() {
        Workspace& s = State();
        s.games = kN;
        std::vector<std::string> games(kN, "900");
        games[0] = "530";
        s.plan = testing::PlanFromTendencies(games);
        s.filters = TFilterSet::PassingAll(kN);
        for (int g = 0; g < kN; ++g) {
            s.filters.percent[0].values[static_cast<std::size_t>(g)] = {0, 100, 0};
            s.filters.percent[1].values[static_cast<std::size_t>(g)] = {0, 1, 0};
        }
        s.filters.percent[0].values[0] = {30, 50, 20};
        s.rows = testing::RowsFromStrings({"11111111111"});
        s.pricePerRowCents = 50;
        testing::Arranged(*form_);
    }

    TGewinnchancen& Window() { return *windows_->chances; }
    void Open() { Find<QAction>(Main(), "Gewinnchancen1")->trigger(); }
    void Click(const char* name) { Find<QPushButton>(Window(), name)->click(); }
    QComboBox* Combo(const char* name) { return Find<QComboBox>(Window(), name); }
    QLineEdit* Edit(const QString& name) { return Find<QLineEdit>(Window(), name); }
    QString Line(const char* name) { return Find<QLabel>(Window(), name)->text(); }
    QTableWidget* Table() { return Find<QTableWidget>(Window(), "ChancenTabelle"); }

    // The cells of one row of the table, empty strings where there is no item.
    std::vector<QString> Row(int row) {
        std::vector<QString> cells;
        for (int c = 0; c < Table()->columnCount(); ++c) {
            const QTableWidgetItem* item = Table()->item(row, c);
            cells.push_back(item == nullptr ? QString() : item->text());
        }
        return cells;
    }
    bool TableEmpty() {
        for (int r = 0; r < Table()->rowCount(); ++r)
            for (const QString& cell : Row(r))
                if (!cell.isEmpty())
                    return false;
        return true;
    }
    QStringList RowCaptions() {
        QStringList captions;
        for (int r = 0; r < Table()->rowCount(); ++r)
            captions << Table()->verticalHeaderItem(r)->text();
        return captions;
    }
    std::vector<double> Bars(int set) {
        auto* view = Find<QChartView>(Window(), "ChancenDiagramm");
        std::vector<double> values;
        const QList<QBarSet*> sets = view->chart()->findChildren<QBarSet*>();
        QBarSet* bars = nullptr;
        for (QBarSet* candidate : sets)
            if (candidate->label() == (set == 0 ? kAllOutcomesSeries : kFilteredSeries))
                bars = candidate;
        EXPECT_NE(bars, nullptr);
        for (int i = 0; bars != nullptr && i < bars->count(); ++i)
            values.push_back(bars->at(i));
        return values;
    }
    void ChoosePlayers(int filter) { Combo("PublikumCombo")->setCurrentIndex(filter); }
    void ChooseSource(int choice) { Combo("QuelleCombo")->setCurrentIndex(choice); }
};

TEST_F(GewinnchancenTest, MenuEntryOpensTheWindowWithItsControls) {
    Start();
    auto* item = Find<QAction>(Main(), "Gewinnchancen1");
    EXPECT_EQ(item->text(), "Gewinn&chancen");
    Open();
    EXPECT_TRUE(Window().isVisible());
    EXPECT_TRUE(ports_.modal.empty());
    EXPECT_EQ(Window().windowTitle(), "Gewinnchancen");

    QStringList sources;
    for (int i = 0; i < Combo("QuelleCombo")->count(); ++i)
        sources << Combo("QuelleCombo")->itemText(i);
    EXPECT_EQ(sources, (QStringList{"Quotenfilter", "Prozentfilter 1", "Prozentfilter 2",
                                    "Prozentfilter 3", "Prozentfilter 4", "Prozentfilter 5"}));
    EXPECT_EQ(Combo("PublikumCombo")->itemText(0), "keines");
    EXPECT_EQ(Combo("PublikumCombo")->count(), 6);

    // The defaults, and the pool's fields open only with a players' distribution.
    EXPECT_EQ(Edit("EinsatzEdit")->text(), "1.000.000");
    EXPECT_EQ(Edit("QuoteEdit")->text(), "50");
    const std::vector<QString> shares{"40", "20", "20", "20", "0"};
    const int n = State().games;
    for (int e = 0; e < 5; ++e) {
        QLineEdit* share = Edit("Anteil" + QString::number(e) + "Edit");
        EXPECT_EQ(share->text(), shares[static_cast<std::size_t>(e)]);
        EXPECT_FALSE(share->isEnabled());
        EXPECT_EQ(Find<QLabel>(Window(), "Anteil" + QString::number(e) + "Label")->text(),
                  QString("Anteil %1er (%):").arg(n - e));
    }
    EXPECT_FALSE(Edit("EinsatzEdit")->isEnabled());
    ChoosePlayers(3);
    EXPECT_TRUE(Edit("EinsatzEdit")->isEnabled());
    EXPECT_TRUE(Edit("QuoteEdit")->isEnabled());
    EXPECT_TRUE(Edit("Anteil4Edit")->isEnabled());

    EXPECT_EQ(RowCaptions(), (QStringList{QString("%1er").arg(n), QString("%1er").arg(n - 1),
                                          QString("%1er").arg(n - 2), QString("%1er").arg(n - 3),
                                          QString("%1er").arg(n - 4), "nichts gewonnen"}));
    EXPECT_TRUE(TableEmpty());
    Find<QChartView>(Window(), "ChancenDiagramm");
    Click("HilfeButton");
    EXPECT_EQ(ports_.helpTopics, std::vector<QString>{"Gewinnchancen"});
    Click("SchliessenButton");
    EXPECT_FALSE(Window().isVisible());
}

TEST_F(GewinnchancenTest, BerechnenOnTheBundledWeekShowsWhatTheWeekComputes) {
    Start();
    const int n = State().games;
    State().rows = testing::RandomRows(n, 40, 7);
    testing::Arranged(*form_);
    Open();
    ChooseSource(0);
    Click("BerechnenButton");
    ASSERT_TRUE(ports_.messages.empty()) << ports_.messages[0].text.toStdString();

    ChanceSettings settings;
    const ChancesOutcome outcome = form_->ComputeChances(settings);
    ASSERT_TRUE(outcome.result);
    const ChancesTable expected = MakeChancesTable(n, *outcome.result, 40);
    ASSERT_EQ(Table()->columnCount(), 4);
    for (int r = 0; r < kChanceRows; ++r) {
        std::vector<QString> cells;
        for (const std::string& cell : expected.cells[static_cast<std::size_t>(r)])
            cells.push_back(QString::fromStdString(cell));
        EXPECT_EQ(Row(r), cells) << r;
    }
    EXPECT_EQ(Table()->horizontalHeaderItem(2)->text(),
              "Wahrscheinlichkeit\nim gefilterten\nSystem");
    EXPECT_EQ(Line("VollsystemLabel"), QString::fromStdString(PlanLine(*outcome.result)));
    EXPECT_EQ(Line("GefiltertLabel"), QString::fromStdString(FilteredLine(*outcome.result)));
    EXPECT_FALSE(Find<QLabel>(Window(), "AuszahlungLabel")->isVisible());
    EXPECT_FALSE(Find<QLabel>(Window(), "VeraltetLabel")->isVisible());
    // The bars are the table's first columns, in percent.
    const std::vector<double> all = Bars(0);
    ASSERT_EQ(all.size(), 6u);
    double sum = 0;
    for (int c = 0; c < 6; ++c) {
        EXPECT_DOUBLE_EQ(all[static_cast<std::size_t>(c)],
                         outcome.result->all.best[static_cast<std::size_t>(c)] * 100);
        sum += all[static_cast<std::size_t>(c)];
    }
    EXPECT_NEAR(sum, 100, 1e-9);
}

TEST_F(GewinnchancenTest, APoolAddsThePayoutColumnAndLines) {
    Start();
    UseSmallWeek();
    Open();
    ChooseSource(1);
    ChoosePlayers(2);
    Edit("EinsatzEdit")->setText("1.000");  // 2000 rows of the players at 0,50 €
    Click("BerechnenButton");
    ASSERT_TRUE(ports_.messages.empty()) << ports_.messages[0].text.toStdString();

    // The row is right half of the time and one error away otherwise, always among the 2000
    // players' rows of the same tips: 500 € × 40 % ÷ 2001 and 500 € × 20 % ÷ 2001, halved.
    ASSERT_EQ(Table()->columnCount(), 5);
    EXPECT_EQ(Table()->horizontalHeaderItem(4)->text(), "erwartete\nAuszahlung");
    EXPECT_EQ(Row(0), (std::vector<QString>{"50,00 %", "0,500", "62,50 %", "0,625", "0,05 €"}));
    EXPECT_EQ(Row(1), (std::vector<QString>{"50,00 %", "0,500", "37,50 %", "0,375", "0,02 €"}));
    EXPECT_EQ(Row(2), (std::vector<QString>{"0 %", "0", "0 %", "0", "0,00 €"}));
    EXPECT_EQ(Row(5), (std::vector<QString>{"0 %", "0", "0 %", "0", "0,00 €"}));
    EXPECT_EQ(Line("GrundlageLabel"),
              "Wahrscheinlichkeiten aus: Prozentfilter 1  ·  Tippverhalten der Spieler: "
              "Prozentfilter 2");
    EXPECT_EQ(Line("VollsystemLabel"), "Ergebnis im Vollsystem des Tippplans: 80,00 %");
    EXPECT_EQ(Line("GefiltertLabel"), "Ergebnis im gefilterten System: 80,00 %");
    EXPECT_EQ(Line("AuszahlungLabel"), "Erwartete Auszahlung: 0,07 €");
    EXPECT_EQ(Line("EinsatzLabel"), "Einsatz (1 Reihe × 0,50 €): 0,50 €");
    EXPECT_EQ(Line("DifferenzLabel"), "Differenz: -0,43 €");
    EXPECT_TRUE(Find<QLabel>(Window(), "DifferenzLabel")->isVisible());
    const std::vector<double> filtered = Bars(1);
    const std::vector<double> expected{62.5, 37.5, 0, 0, 0, 0};
    ASSERT_EQ(filtered.size(), expected.size());
    for (std::size_t c = 0; c < expected.size(); ++c)
        EXPECT_NEAR(filtered[c], expected[c], 1e-12) << c;
    // The field shows the amount as it was read.
    EXPECT_EQ(Edit("EinsatzEdit")->text(), "1.000");
}

TEST_F(GewinnchancenTest, AnImpossibleFilteredSystemShowsDashes) {
    Start();
    UseSmallWeek();
    // Only rows with "2" in game 1 pass, which the plan does not allow.
    TBlockFilter block;
    block.SetMarked(1, 2, true);
    block.minHits = block.maxHits = 1;
    block.maxRun = 1;
    State().filters.blocks.push_back(block);
    testing::Arranged(*form_);
    Open();
    ChooseSource(1);
    Click("BerechnenButton");
    ASSERT_TRUE(ports_.messages.empty()) << ports_.messages[0].text.toStdString();
    EXPECT_EQ(Line("GefiltertLabel"), "Ergebnis im gefilterten System: 0 %");
    EXPECT_EQ(Row(0), (std::vector<QString>{"50,00 %", "0,500", "–", "–"}));
    EXPECT_EQ(Bars(1), std::vector<double>(6, 0.0));
}

TEST_F(GewinnchancenTest, ARefusalShowsTheWeeksReasonAndChangesNothing) {
    Start();
    UseSmallWeek();
    Open();
    ChooseSource(3);  // percentage filter 3 holds only zeros
    Click("BerechnenButton");
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Error);
    const QString& text = ports_.messages[0].text;
    EXPECT_TRUE(text.startsWith("Die Gewinnchancen lassen sich nicht berechnen."))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Spiel 1 in Prozentfilter 3")) << text.toStdString();
    EXPECT_TRUE(TableEmpty());
    EXPECT_FALSE(Window().Shown());
    EXPECT_EQ(Line("VollsystemLabel"), "");
    // Nothing is kept of a run that did not happen.
    EXPECT_EQ(StoredChanceSettings(), ChanceSettings{});

    // A shown result stays when a later run is refused.
    ChooseSource(1);
    Click("BerechnenButton");
    ASSERT_EQ(ports_.messages.size(), 1u);
    ChoosePlayers(4);
    Click("BerechnenButton");
    ASSERT_EQ(ports_.messages.size(), 2u);
    EXPECT_TRUE(ports_.messages[1].text.contains("Tippverhalten der Spieler"));
    EXPECT_EQ(Row(0)[0], "50,00 %");
    EXPECT_EQ(Table()->columnCount(), 4);
    // The line above the numbers still says what they were computed from.
    EXPECT_EQ(Line("GrundlageLabel"),
              "Wahrscheinlichkeiten aus: Prozentfilter 1  ·  Tippverhalten der Spieler: keines");
}

TEST_F(GewinnchancenTest, AFieldThatIsNoNumberIsNamedAndChangesNothing) {
    Start();
    UseSmallWeek();
    Open();
    ChooseSource(1);
    ChoosePlayers(2);
    Edit("EinsatzEdit")->setText("eine Million");
    Click("BerechnenButton");
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(ports_.messages[0].text.contains("„Spieleinsatz aller Spieler (€)“"));
    EXPECT_TRUE(ports_.messages[0].text.contains("„eine Million“"));
    EXPECT_TRUE(TableEmpty());
    EXPECT_EQ(Window().Settings(), ChanceSettings{});

    // The share fields are named by the classes of the week's game count.
    Edit("EinsatzEdit")->setText("1.000");
    Edit("Anteil2Edit")->setText("20.5");
    Click("BerechnenButton");
    ASSERT_EQ(ports_.messages.size(), 2u);
    EXPECT_TRUE(ports_.messages[1].text.contains("„Anteil 9er (%)“"))
        << ports_.messages[1].text.toStdString();
    Edit("Anteil2Edit")->setText("80");
    Click("BerechnenButton");
    ASSERT_EQ(ports_.messages.size(), 3u);
    EXPECT_TRUE(ports_.messages[2].text.contains("mehr als 100 %"));
    EXPECT_TRUE(TableEmpty());

    // Without a players' distribution the pool's fields are not read.
    ChoosePlayers(0);
    Click("BerechnenButton");
    EXPECT_EQ(ports_.messages.size(), 3u);
    EXPECT_EQ(Row(0)[0], "50,00 %");
}

TEST_F(GewinnchancenTest, SettingsAreKeptBetweenRuns) {
    Start();
    UseSmallWeek();
    Open();
    ChooseSource(1);
    ChoosePlayers(2);
    Edit("EinsatzEdit")->setText("2.500.000,5");
    Edit("QuoteEdit")->setText("45,5");
    Edit("Anteil0Edit")->setText("30");
    Edit("Anteil4Edit")->setText("10");
    Click("BerechnenButton");
    ASSERT_TRUE(ports_.messages.empty()) << ports_.messages[0].text.toStdString();

    ChanceSettings expected;
    expected.source = {ChanceSource::Kind::Percent, 1};
    expected.pool.publicFilter = 2;
    expected.pool.stakes = 2500000.5;
    expected.pool.rate = 0.455;
    expected.pool.shares = {0.3, 0.2, 0.2, 0.2, 0.1};
    const ChanceSettings stored = StoredChanceSettings();
    EXPECT_EQ(stored.source, expected.source);
    EXPECT_EQ(stored.pool.publicFilter, 2);
    EXPECT_DOUBLE_EQ(stored.pool.stakes, expected.pool.stakes);
    EXPECT_DOUBLE_EQ(stored.pool.rate, expected.pool.rate);
    for (std::size_t e = 0; e < 5; ++e)
        EXPECT_DOUBLE_EQ(stored.pool.shares[e], expected.pool.shares[e]);

    // The next run of the program shows them.
    TGewinnchancen next(*form_, ports_, *windows_->weekSignals);
    EXPECT_EQ(next.findChild<QComboBox*>("QuelleCombo")->currentText(), "Prozentfilter 1");
    EXPECT_EQ(next.findChild<QComboBox*>("PublikumCombo")->currentText(), "Prozentfilter 2");
    EXPECT_EQ(next.findChild<QLineEdit*>("EinsatzEdit")->text(), "2.500.000,5");
    EXPECT_EQ(next.findChild<QLineEdit*>("QuoteEdit")->text(), "45,5");
    EXPECT_EQ(next.findChild<QLineEdit*>("Anteil4Edit")->text(), "10");
    EXPECT_TRUE(next.findChild<QLineEdit*>("Anteil4Edit")->isEnabled());
}

TEST_F(GewinnchancenTest, KeptSettingsThatCannotBeUsedGiveTheDefaults) {
    {
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, "velmora", "velmora");
        store.setValue("Gewinnchancen/Quelle", 9);
        store.setValue("Gewinnchancen/Spieler", "zwei");
        store.setValue("Gewinnchancen/Spieleinsatz", "-5");
        store.setValue("Gewinnchancen/Ausschuettungsquote", "0.75");
        store.setValue("Gewinnchancen/Anteil1", "0.9");
        store.setValue("Gewinnchancen/Anteil2", "0.9");
    }
    const ChanceSettings stored = StoredChanceSettings();
    ChanceSettings expected;
    expected.pool.rate = 0.75;  // the one usable value
    EXPECT_EQ(stored, expected);
}

TEST_F(GewinnchancenTest, AChangeOfTheWeekTakesTheNumbersAway) {
    Start();
    UseSmallWeek();
    Open();
    ChooseSource(1);
    Click("BerechnenButton");
    ASSERT_TRUE(Window().Shown());

    // A notice that changed nothing the result depends on keeps it.
    testing::Arranged(*form_);
    EXPECT_TRUE(Window().Shown());
    form_->SetPricePerRow(100);  // no pool: the price does not matter
    EXPECT_TRUE(Window().Shown());

    form_->SetPercentActive(4, true);
    EXPECT_FALSE(Window().Shown());
    EXPECT_TRUE(Window().Outdated());
    EXPECT_TRUE(TableEmpty());
    EXPECT_EQ(Line("VollsystemLabel"), "");
    EXPECT_EQ(Line("GrundlageLabel"), "");
    auto* outdated = Find<QLabel>(Window(), "VeraltetLabel");
    EXPECT_TRUE(outdated->isVisible());
    EXPECT_EQ(outdated->text(), kChancesOutdated);
    EXPECT_EQ(Bars(0), std::vector<double>(6, 0.0));
    Click("DruckenButton");
    EXPECT_TRUE(ports_.previews.empty());
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].text, kChancesOutdated);

    // With a pool the price per row counts too.
    ChoosePlayers(2);
    Click("BerechnenButton");
    ASSERT_TRUE(Window().Shown());
    EXPECT_FALSE(outdated->isVisible());
    form_->SetPricePerRow(60);
    EXPECT_FALSE(Window().Shown());

    // The game count: the captions follow it.
    Click("BerechnenButton");
    ASSERT_TRUE(Window().Shown());
    form_->SetGameCount(13);
    EXPECT_FALSE(Window().Shown());
    EXPECT_EQ(RowCaptions().front(), "13er");
    EXPECT_EQ(RowCaptions()[4], "9er");
    EXPECT_EQ(Find<QLabel>(Window(), "Anteil0Label")->text(), "Anteil 13er (%):");
    EXPECT_EQ(Find<QLabel>(Window(), "Anteil4Label")->text(), "Anteil 9er (%):");
}

TEST_F(GewinnchancenTest, TheSystemChangingUnderTheResultOutdatesIt) {
    Start();
    UseSmallWeek();
    Open();
    ChooseSource(1);
    Click("BerechnenButton");
    ASSERT_TRUE(Window().Shown());
    form_->SetTendency(2, 0, 3);  // game 2 also on "0"
    EXPECT_TRUE(Window().Outdated());

    Click("BerechnenButton");
    ASSERT_TRUE(Window().Shown());
    testing::FakeWeekView view;
    form_->PasteRows("11111111112\n", view);
    ASSERT_EQ(State().rows.Count(), 2);
    EXPECT_TRUE(Window().Outdated());
    EXPECT_FALSE(Window().Shown());

    // A new week, its changes not saved.
    Click("BerechnenButton");
    ASSERT_TRUE(Window().Shown());
    Find<QAction>(Main(), "Neu1")->trigger();
    EXPECT_FALSE(Window().Shown());
}

TEST_F(GewinnchancenTest, PrintingGoesThroughThePreview) {
    Start();
    UseSmallWeek();
    Open();
    Click("DruckenButton");
    EXPECT_TRUE(ports_.previews.empty());
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].text, kNothingToPrintChances);

    ChooseSource(1);
    ChoosePlayers(2);
    Click("BerechnenButton");
    Click("DruckenButton");
    ASSERT_EQ(ports_.previews.size(), 1u);
    ASSERT_EQ(ports_.previews[0].size(), 1u);
    std::vector<QString> texts;
    for (const testing::PaintedText& painted : ports_.previews[0][0].Texts())
        texts.push_back(painted.text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), "Gewinnchancen");
    for (const QString& line :
         {QString("Wahrscheinlichkeiten aus: Prozentfilter 1"),
          QString("Tippverhalten der Spieler: Prozentfilter 2"), Line("VollsystemLabel"),
          Line("GefiltertLabel"), QString("nichts gewonnen"), QString("62,50 %"),
          Line("AuszahlungLabel"), Line("EinsatzLabel"), Line("DifferenzLabel")})
        EXPECT_NE(std::find(texts.begin(), texts.end(), line), texts.end()) << line.toStdString();

    // Texts side by side on a line leave room between them in the font they are painted in.
    const std::vector<testing::PaintedText>& painted = ports_.previews[0][0].Texts();
    for (std::size_t i = 0; i < painted.size(); ++i) {
        for (std::size_t j = 0; j < painted.size(); ++j) {
            const testing::PaintedText& left = painted[i];
            const testing::PaintedText& right = painted[j];
            if (i == j || std::abs(left.topLeft.y() - right.topLeft.y()) > 1 ||
                right.topLeft.x() <= left.topLeft.x())
                continue;
            const QFontMetricsF metrics(left.font, &ports_.previews[0][0]);
            EXPECT_LT(left.topLeft.x() + metrics.horizontalAdvance(left.text) + 10,
                      right.topLeft.x())
                << left.text.toStdString() << " | " << right.text.toStdString();
        }
    }
}

TEST(GewinnchancenHelp, TheHelpHasASectionOfItsOwn) {
    HelpWindow help;
    const QString text = help.Text()->toPlainText();
    EXPECT_TRUE(text.contains("Gewinnchancen: Wahrscheinlichkeiten und erwartete Auszahlung"));
    EXPECT_TRUE(text.contains("Ausschüttungsquote 50 %"));
    help.ShowTopic("Gewinnchancen");
    const int atChances = help.Text()->verticalScrollBar()->value();
    EXPECT_GT(atChances, 0);
    help.ShowTopic("Inhalt");
    EXPECT_LT(help.Text()->verticalScrollBar()->value(), atChances);
}

}  // namespace
}  // namespace velmora
