// A desktop that records instead of blocking: messages and questions are written down,
// questions and file dialogs are answered from prepared queues, modal windows are only shown.
#pragma once

#include <QDialog>
#include <QPageLayout>
#include <QPainter>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/forms/uiports.h"
#include "support/recordingdevice.h"

namespace velmora::testing {

class FakeUiPorts : public UiPorts {
  public:
    struct Message {
        MessageKind kind;
        QString text;
    };

    void ShowMessage(QWidget*, MessageKind kind, const QString& text) override {
        messages.push_back({kind, text});
    }
    bool Ask(QWidget*, const QString& question) override {
        questions.push_back(question);
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // Answered from `choices`, or else from `answers` (Yes or No); No when both are empty.
    Answer AskWithCancel(QWidget* parent, const QString& question) override {
        if (choices.empty())
            return Ask(parent, question) ? Answer::Yes : Answer::No;
        questions.push_back(question);
        const Answer answer = choices.front();
        choices.pop_front();
        return answer;
    }
    // Answered from `picks`; closed without an answer when none is left.
    std::optional<int> Choose(QWidget*, const QString& question, const QStringList&) override {
        questions.push_back(question);
        if (picks.empty())
            return std::nullopt;
        const std::optional<int> pick = picks.front();
        picks.pop_front();
        return pick;
    }
    std::optional<double> AskAmount(QWidget*, const QString&, const QString& label, double,
                                    double) override {
        questions.push_back(label);
        if (amounts.empty())
            return std::nullopt;
        const std::optional<double> amount = amounts.front();
        amounts.pop_front();
        return amount;
    }
    // Answered from `numbers`, as typed: the real field keeps an answer within the range, so a
    // test may also hand one outside it to see that the window does not rely on that.
    std::optional<int> AskNumber(QWidget*, const QString&, const QString& label, int value,
                                 int minimum, int maximum) override {
        questions.push_back(label);
        numberQuestions.push_back({value, minimum, maximum});
        if (numbers.empty())
            return std::nullopt;
        const std::optional<int> number = numbers.front();
        numbers.pop_front();
        return number;
    }
    std::optional<std::string> OpenFileName(QWidget*, const FileDialogRequest& request) override {
        requests.push_back(request);
        return Next(openNames);
    }
    std::optional<std::string> SaveFileName(QWidget*, const FileDialogRequest& request) override {
        requests.push_back(request);
        return Next(saveNames);
    }
    void PrintWindowImage(QWidget* window) override { printed.push_back(window); }
    // Print jobs and previews are painted on recording pages, one list of pages each.
    void Print(QWidget*, const QString&, const QPageLayout& layout, int count,
               const PagePainter& paint) override {
        for (int index = 0; index < count; ++index) {
            auto& job = jobs.emplace_back();
            QPainter painter(&job.emplace_back(layout));
            paint(painter, index);
        }
    }
    void Preview(QWidget*, const QString&, const QPageLayout& layout,
                 const DocumentPainter& paint) override {
        auto& pages = previews.emplace_back();
        QPainter painter(&pages.emplace_back(layout));
        paint(painter, [&] {
            painter.end();
            painter.begin(&pages.emplace_back(layout));
        });
    }
    void ShowHelp(QWidget* parent, const QString& topic) override {
        helpTopics.push_back(topic);
        helpParents.push_back(parent);
    }
    void ShowModal(QDialog& dialog) override {
        dialog.show();
        modal.push_back(&dialog);
    }

    std::vector<Message> messages;
    std::vector<QString> questions;
    std::deque<bool> answers;
    std::deque<Answer> choices;
    std::deque<std::optional<int>> picks;
    std::deque<std::optional<double>> amounts;
    struct NumberQuestion {
        int value;
        int minimum;
        int maximum;
    };
    std::deque<std::optional<int>> numbers;
    std::vector<NumberQuestion> numberQuestions;
    std::deque<std::optional<std::string>> openNames;
    std::deque<std::optional<std::string>> saveNames;
    std::vector<FileDialogRequest> requests;
    std::vector<QWidget*> printed;
    // A deque keeps the pages in place while the painter is on one of them.
    using Pages = std::deque<RecordingDevice>;
    std::vector<Pages> jobs;
    std::vector<Pages> previews;
    std::vector<QString> helpTopics;
    std::vector<QWidget*> helpParents;
    std::vector<QDialog*> modal;

  private:
    static std::optional<std::string> Next(std::deque<std::optional<std::string>>& queue) {
        if (queue.empty())
            return std::nullopt;
        auto next = queue.front();
        queue.pop_front();
        return next;
    }
};

}  // namespace velmora::testing
