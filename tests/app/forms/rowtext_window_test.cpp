// The main window's rows as text: the export window, the import, Strg+C and Strg+V, the price
// per row under "Optionen", and the rows each guarantee level kept.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>

#include "app/forms/rowtablemodel.h"
#include "app/forms/systemexport.h"
#include "app/forms/translations.h"
#include "app/rowtext.h"
#include "support/guifixture.h"
#include "support/testplans.h"

namespace velmora {
namespace {

class RowTextWindows : public testing::ProgramTest {
  protected:
    void SetUp() override {
        // Each test starts from the program's default settings.
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "velmora", "velmora").clear();
        ProgramTest::SetUp();
        Start();
    }
    QString Text(const char* label) { return Find<QLabel>(Main(), label)->text(); }
    void Trigger(const char* item) { Find<QAction>(Main(), item)->trigger(); }
    void SetRows(const std::vector<std::string>& rows) {
        State().rows = testing::RowsFromStrings(rows);
        testing::Arranged(*form_);
    }
    std::vector<std::string> Rows() { return testing::RowStrings(State().rows); }
    std::string TextIn(const std::string& name) {
        const std::vector<std::uint8_t> bytes = ReadBytes(name);
        return {bytes.begin(), bytes.end()};
    }
    TSystemexport* ExportWindow() { return Main().findChild<TSystemexport*>("TSystemexport"); }
};

TEST_F(RowTextWindows, ExportWindowOffersWhatEachFormKnowsAndWritesOnOk) {
    Trigger("Systemexportieren1");  // an empty system: a message, no window
    EXPECT_EQ(ExportWindow(), nullptr);
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_TRUE(ports_.messages[0].text.startsWith(kNothingToExport));

    SetRows({"1021021021021", "2222222222220"});
    Trigger("Systemexportieren1");
    TSystemexport* window = ExportWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "System exportieren");
    EXPECT_EQ(Find<QLabel>(*window, "Beispiel")->text(), "1021021021021");

    Find<QComboBox>(*window, "Unentschieden")->setCurrentIndex(1);
    Find<QCheckBox>(*window, "Leerzeichen")->setChecked(true);
    EXPECT_EQ(Find<QLabel>(*window, "Beispiel")->text(), "1 X 2 1 X 2 1 X 2 1 X 2 1");
    EXPECT_FALSE(Find<QLineEdit>(*window, "ErsteZeile")->isEnabled());

    Find<QRadioButton>(*window, "FormEZeilen")->setChecked(true);
    EXPECT_FALSE(Find<QComboBox>(*window, "Unentschieden")->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>(*window, "Leerzeichen")->isEnabled());
    EXPECT_TRUE(Find<QLineEdit>(*window, "ErsteZeile")->isEnabled());
    Find<QLineEdit>(*window, "ErsteZeile")->setText("Stryktipset");
    EXPECT_EQ(Find<QLabel>(*window, "Beispiel")->text(),
              "Stryktipset\nE,1,X,2,1,X,2,1,X,2,1,X,2,1");

    // The file dialog cancelled: the window stays for another try.
    Find<QPushButton>(*window, "Exportieren")->click();
    EXPECT_TRUE(window->isVisible());
    ports_.saveNames = {Path("online.txt")};
    Find<QPushButton>(*window, "Exportieren")->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(TextIn("online.txt"),
              "Stryktipset\nE,1,X,2,1,X,2,1,X,2,1,X,2,1\nE,2,2,2,2,2,2,2,2,2,2,2,2,X\n");
    EXPECT_EQ(State().rowFileName, Path("meintip.prd"));

    // The choices come back in the next run of the program.
    windows_.reset();
    windows_ = CreateProgramWindows(*form_, ports_);
    Start();
    SetRows({"1021021021021"});
    Trigger("Systemexportieren1");
    ASSERT_NE(ExportWindow(), nullptr);
    const RowExport again = ExportWindow()->Request();
    EXPECT_EQ(again.text.format, RowTextFormat::ELine);
    EXPECT_EQ(again.text.heading, "Stryktipset");
    EXPECT_EQ(again.rowsPerFile, 0);
}

TEST_F(RowTextWindows, SplitExportFromTheWindow) {
    State().rows = testing::RandomRows(13, 23, 8);
    testing::Arranged(*form_);
    Trigger("Systemexportieren1");
    TSystemexport* window = ExportWindow();
    EXPECT_FALSE(Find<QSpinBox>(*window, "ReihenJeDatei")->isEnabled());
    Find<QCheckBox>(*window, "Aufteilen")->setChecked(true);
    Find<QSpinBox>(*window, "ReihenJeDatei")->setValue(10);
    ports_.saveNames = {Path("teil.txt")};
    Find<QPushButton>(*window, "Exportieren")->click();
    ASSERT_FALSE(ports_.messages.empty());
    EXPECT_TRUE(ports_.messages.back().text.contains("steht in 3 Dateien"))
        << ports_.messages.back().text.toStdString();
    TRowList joined(13);
    for (const char* part : {"teil_1.txt", "teil_2.txt", "teil_3.txt"})
        joined.AppendAll(ReadRowTextFile(Path(part), 13).rows);
    EXPECT_EQ(joined, State().rows);
}

TEST_F(RowTextWindows, ImportAppendsOrReplacesAndTheDisplayFollows) {
    WriteBytes("reihen.txt",
               {'1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1', 'x', '\n'});
    SetRows({"2222222222222"});
    ports_.openNames = {Path("reihen.txt")};
    ports_.picks = {kImportAppend};
    Trigger("Systemimportieren1");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"2222222222222", "1111111111110"}));
    EXPECT_EQ(Text("Label1"), "2");
    EXPECT_EQ(Text("Einsatz"), "Einsatz: 1,00 €");
    EXPECT_EQ(Find<QAction>(Main(), "Rueckgaengig1")->text(), "&Rückgängig: System importieren");

    ports_.openNames = {Path("reihen.txt")};
    ports_.picks = {kImportReplace};
    Trigger("Systemimportieren1");
    EXPECT_EQ(Rows(), std::vector<std::string>{"1111111111110"});
    EXPECT_EQ(Text("Label1"), "1");
}

TEST_F(RowTextWindows, CopiesTheChosenRowsAndPastesTextRows) {
    SetRows({"1111111111111", "2222222222222", "0000000000000"});
    Find<QPushButton>(Main(), "Button2")->click();  // "Tippreihen anzeigen"
    auto* display = Find<QTableView>(Main(), "stringgrid1");
    Trigger("Reihenkopieren1");  // nothing chosen: all rows
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "1111111111111\n2222222222222\n0000000000000\n");

    QItemSelectionModel* selection = display->selectionModel();
    selection->select(display->model()->index(0, 2),
                      QItemSelectionModel::Select | QItemSelectionModel::Columns);
    selection->select(display->model()->index(0, 0),
                      QItemSelectionModel::Select | QItemSelectionModel::Columns);
    Trigger("Reihenkopieren1");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1111111111111\n0000000000000\n");

    Trigger("Reiheneinfuegen1");
    EXPECT_EQ(Rows().size(), 5u);
    EXPECT_EQ(Rows().back(), "0000000000000");
    EXPECT_EQ(display->model()->columnCount(), 5);
    EXPECT_EQ(Text("Label1"), "5");

    QGuiApplication::clipboard()->setText("Stryktipset\nE,1,1,1,1,1,1,1,1,1,1,1,1,1\nE,1,1\n");
    Trigger("Reiheneinfuegen1");
    EXPECT_EQ(Rows().size(), 5u);
    ASSERT_FALSE(ports_.messages.empty());
    EXPECT_EQ(ports_.messages.back().kind, MessageKind::Error);
    EXPECT_TRUE(
        ports_.messages.back().text.contains("Zeile 3: Die Reihe hat 2 Tippzeichen statt 13."));
}

TEST_F(RowTextWindows, PricePerRowUnderOptionsIsKeptBetweenRuns) {
    SetRows({"1111111111111", "2222222222222", "0000000000000"});
    EXPECT_EQ(Text("Einsatz"), "Einsatz: 1,50 €");
    ports_.amounts = {1.25};
    Trigger("PreisproReihe1");
    EXPECT_EQ(Text("Einsatz"), "Einsatz: 3,75 €");
    ports_.amounts = {std::nullopt};  // cancelled
    Trigger("PreisproReihe1");
    EXPECT_EQ(Text("Einsatz"), "Einsatz: 3,75 €");

    windows_.reset();
    form_ = std::make_unique<WorkingWeek>((dir_ / "").string());
    windows_ = CreateProgramWindows(*form_, ports_);
    EXPECT_EQ(form_->State().pricePerRowCents, 125);
}

TEST_F(RowTextWindows, GuaranteeLevelsShowTheRowsTheyKept) {
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(Text(("Garantiereihen" + std::to_string(i)).c_str()), "");
    Find<QPushButton>(Main(), "Start")->click();
    const QString full = ToolkitLocale().toString(State().rows.Count()) + " Reihen";
    EXPECT_EQ(Text("Garantiereihen1"), full);
    Find<QRadioButton>(Main(), "Gewinngarantie2")->setChecked(true);
    Find<QPushButton>(Main(), "Start")->click();
    EXPECT_EQ(Text("Garantiereihen1"), full);
    EXPECT_EQ(Text("Garantiereihen2"), QString::number(State().rows.Count()) + " Reihen");

    // Another filter, another system: the counts go until it is run.
    Find<QCheckBox>(Main(), "CheckBox1")->click();
    EXPECT_EQ(Text("Garantiereihen1"), "");
    EXPECT_EQ(Text("Garantiereihen2"), "");
}

}  // namespace
}  // namespace velmora
