// The real desktop interface, driven headless: its dialogs are found and answered by a timer.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

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

// A German user keeps his regional German; everyone else gets German, the program's language.
TEST(QtDesktop, ToolkitTextsAreGermanWhateverTheUsersLanguage) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Switzerland));
    EXPECT_EQ(ToolkitLocale(), QLocale(QLocale::German, QLocale::Switzerland));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(ToolkitLocale(), QLocale(QLocale::German, QLocale::Germany));
    QLocale::setDefault(before);
}

}  // namespace
}  // namespace velmora
