// The program's windows on a copy of the bundled week in a fresh directory, with a recording
// desktop in place of dialogs and printers.
#pragma once

#include <QApplication>
#include <QDir>
#include <QTest>
#include <filesystem>

#include "app/forms/programwindows.h"
#include "app/forms/systemform.h"
#include "support/fakeports.h"
#include "support/qtprinting.h"
#include "support/tempdir.h"
#include "support/weekaccess.h"

namespace velmora::testing {

class ProgramTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        for (const auto& file : std::filesystem::directory_iterator(VELMORA_DATA_DIR))
            std::filesystem::copy(file.path(), dir_ / file.path().filename());
        // Window images are saved in the working directory.
        previousDirectory_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir_.string()));
        form_ = std::make_unique<WorkingWeek>((dir_ / "").string());
        windows_ = CreateProgramWindows(*form_, ports_);
    }
    void TearDown() override {
        windows_.reset();
        form_.reset();
        QDir::setCurrent(previousDirectory_);
        TempDirTest::TearDown();
    }

    Tsystemform& Main() { return *windows_->main; }
    Workspace& State() { return testing::Arrange(*form_); }

    // Shows the main window, which loads the default week.
    void Start() {
        Main().show();
        QApplication::processEvents();
    }

    template <class Widget>
    Widget* Find(QWidget& parent, const QString& name) {
        auto* widget = parent.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    QString previousDirectory_;
    FakeUiPorts ports_;
    std::unique_ptr<WorkingWeek> form_;
    std::unique_ptr<ProgramWindows> windows_;
};

}  // namespace velmora::testing
