// The real desktop interface, driven headless: its dialogs are found and answered by a timer.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

#include "app/forms/helpwindow.h"
#include "app/forms/translations.h"
#include "app/forms/uiports.h"

namespace velmora {
namespace {

// Calls `answer` with the first message box shown while `run` runs.
void AnswerMessageBox(const std::function<void()>& run,
                      const std::function<void(QMessageBox&)>& answer) {
    QTimer poll;
    bool answered = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(window);
            if (box != nullptr && box->isVisible() && !answered) {
                answered = true;
                answer(*box);
                return;
            }
        }
    });
    poll.start(10);
    run();
    poll.stop();
    EXPECT_TRUE(answered);
}

TEST(QtDesktop, QuestionsAreAnsweredJaOrNein) {
    QtUiPorts ports;
    QStringList buttons;
    QString caption;
    bool answer = true;
    AnswerMessageBox([&] { answer = ports.Ask(nullptr, "Sollen die Reihen gespeichert werden?"); },
                     [&](QMessageBox& box) {
                         caption = box.windowTitle();
                         QAbstractButton* no = nullptr;
                         for (QAbstractButton* button : box.buttons()) {
                             const QString text = button->text().remove('&');
                             buttons << text;
                             if (text == "Nein")
                                 no = button;
                         }
                         if (no != nullptr)
                             no->click();
                         else
                             box.reject();
                     });
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"Ja", "Nein"}));
    EXPECT_EQ(caption, "Frage");
    EXPECT_FALSE(answer);

    AnswerMessageBox([&] { answer = ports.Ask(nullptr, "Noch einmal?"); },
                     [](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(answer);
}

TEST(QtDesktop, WholeNumberIsAskedWithinItsRangeAndCancelGivesNothing) {
    QtUiPorts ports;
    const auto answerWith = [&](const std::function<void(QInputDialog&)>& answer) {
        QTimer poll;
        bool answered = false;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr && !answered) {
                answered = true;
                EXPECT_EQ(dialog->windowTitle(), "Gehe zu Reihe");
                EXPECT_EQ(dialog->labelText(), "Reihe (1 bis 4.096):");
                EXPECT_EQ(dialog->intValue(), 41);
                answer(*dialog);
            }
        });
        poll.start(10);
        const std::optional<int> number =
            ports.AskNumber(nullptr, "Gehe zu Reihe", "Reihe (1 bis 4.096):", 41, 1, 4096);
        poll.stop();
        EXPECT_TRUE(answered);
        return number;
    };
    EXPECT_EQ(answerWith([](QInputDialog& dialog) {
                  dialog.setIntValue(1000);
                  dialog.accept();
              }),
              1000);
    EXPECT_EQ(answerWith([](QInputDialog& dialog) { dialog.reject(); }), std::nullopt);
}

// A German user keeps his regional German; everyone else gets German, the program's language.
TEST(QtDesktop, ToolkitTextsAreGermanWhateverTheUsersLanguage) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Switzerland));
    EXPECT_EQ(ToolkitLocale(), QLocale(QLocale::German, QLocale::Switzerland));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(ToolkitLocale(), QLocale(QLocale::German, QLocale::Germany));
    QLocale::setDefault(before);
}

TEST(HelpPlacement, BesideTheMainWindowWherePossibleAndNeverOverItsButtons) {
    const QSize help(640, 560);
    const QRect wide(0, 0, 2560, 1400);
    // Room on both sides: left, away from the filter display on the right.
    EXPECT_EQ(HelpPlacement({900, 300, 761, 592}, wide, help), QRect(260, 300, 640, 560));
    // Room on the right only.
    EXPECT_EQ(HelpPlacement({100, 300, 761, 592}, wide, help), QRect(861, 300, 640, 560));
    // Neither side holds it whole: the wider side, narrowed to its room.
    const QRect hd(0, 0, 1920, 1040);
    EXPECT_EQ(HelpPlacement({620, 224, 761, 592}, hd, help), QRect(0, 224, 620, 560));
    EXPECT_EQ(HelpPlacement({560, 224, 761, 592}, hd, help), QRect(1321, 224, 599, 560));
    // Too little room beside it: at the screen's right edge, over the window's right part
    // only, so its command buttons on the left stay free.
    const QRect small(0, 0, 1280, 1024);
    const QRect main(259, 216, 761, 592);
    const QRect place = HelpPlacement(main, small, help);
    EXPECT_EQ(place, QRect(1280 - kHelpMinWidth, 216, kHelpMinWidth, 560));
    EXPECT_GT(place.left(), main.left() + 470);
    // A window near the bottom: the help keeps on the screen.
    EXPECT_EQ(HelpPlacement({900, 1000, 300, 200}, wide, help), QRect(260, 840, 640, 560));
}

TEST(HelpWindow, ClosesByItsButtonEscapeAndCtrlW) {
    HelpWindow help;
    auto* close = help.findChild<QPushButton*>("Schliessen");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), "Schließen");
    const std::vector<std::function<void()>> closings = {
        [&] { close->click(); },
        [&] { QTest::keyClick(help.Text(), Qt::Key_Escape); },
        [&] { QTest::keyClick(help.Text(), Qt::Key_W, Qt::ControlModifier); },
    };
    for (const auto& closing : closings) {
        help.ShowTopic("Inhalt");
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
        help.activateWindow();
        QApplication::processEvents();
        closing();
        EXPECT_FALSE(help.isVisible());
    }
}

TEST(QtDesktop, HelpOpensBesideTheAskingWindowAndStaysWhereTheUserPutsIt) {
    QWidget main;
    const QRect free = main.screen()->availableGeometry();
    main.setGeometry(free.right() - 149, free.top() + 20, 150, 100);
    main.show();
    QtUiPorts ports;
    ports.ShowHelp(&main, "Info");
    QWidget* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "Hilfe" && top->isVisible())
            window = top;
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->frameGeometry().intersects(main.frameGeometry()));
    EXPECT_TRUE(free.contains(window->frameGeometry()));

    window->move(free.topLeft());
    ports.ShowHelp(&main, "Inhalt");
    EXPECT_EQ(window->pos(), free.topLeft());
    window->close();
}

}  // namespace
}  // namespace velmora
