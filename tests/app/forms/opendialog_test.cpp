// The real open dialog, driven headless: a name typed in another case than the file's is
// accepted and found by the week reader, and a name of nothing is handed on for the command to
// refuse in German.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/fileset.h"
#include "app/forms/uiports.h"
#include "support/tempdir.h"

namespace velmora {
namespace {

class OpenDialog : public testing::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        for (const auto& file : std::filesystem::directory_iterator(VELMORA_DATA_DIR))
            std::filesystem::copy(file.path(), dir_ / file.path().filename());
    }

    // Opens the dialog, types `typed` into its name field and presses Enter as soon as the
    // open button takes the name; records whether it did.
    std::optional<std::string> TypeIntoDialog(const FileDialogRequest& request,
                                              const QString& typed) {
        QTimer typer;
        typer.setInterval(20);
        int ticks = 0;
        QObject::connect(&typer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
            auto* list = dialog->findChild<QListView*>("listView");
            QPushButton* open =
                dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
            if (edit == nullptr || list == nullptr || open == nullptr || ++ticks > 250) {
                typer.stop();
                dialog->reject();  // never left hanging
                return;
            }
            // The folder is read in the background, and its listing may still put the name of
            // a file into the field: the name is typed again until it stands.
            if (ticks < 10)
                return;
            if (edit->text() != typed) {
                list->clearSelection();
                edit->clear();
                QTest::keyClicks(edit, typed);
                return;
            }
            if (!open->isEnabled())
                return;
            typer.stop();
            openEnabled = true;
            QTest::keyClick(edit, Qt::Key_Return);
            if (dialog->isVisible())
                dialog->reject();
        });
        typer.start();
        QtUiPorts ports;
        return ports.OpenFileName(nullptr, request);
    }

    bool openEnabled = false;
};

TEST_F(OpenDialog, AcceptsANameTypedInAnotherCase) {
    const FileDialogRequest request{"Tototipdatei|*.ttd", "", Path("AKTUELLEWOCHE.TTD")};
    const std::optional<std::string> chosen = TypeIntoDialog(request, "aktuellewoche.ttd");
    EXPECT_TRUE(openEnabled);
    ASSERT_TRUE(chosen.has_value());
    // The dialog may hand on the name as typed or as the file has it; the reader finds both.
    const std::filesystem::path path(*chosen);
    EXPECT_EQ(path.parent_path(), dir_);
    EXPECT_EQ(QString::fromStdString(path.filename().string()).toLower(), "aktuellewoche.ttd");
    const WeekFiles week = ReadWeekFiles(*chosen);
    EXPECT_TRUE(week.ok()) << week.error;
    EXPECT_EQ(week.records.size(), 13u);
}

TEST_F(OpenDialog, PassesOnANameOfNothingForTheCommandToRefuse) {
    const FileDialogRequest request{"Tippreihen|*.prd", "PRD", Path("meintip.prd")};
    const std::optional<std::string> chosen = TypeIntoDialog(request, "fehlt.prd");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(std::filesystem::path(*chosen), dir_ / "fehlt.prd");
}

}  // namespace
}  // namespace velmora
