// The week's dialogs and questions answered in advance, with everything said written down.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/workingweek.h"

namespace velmora::testing {

struct FakeWeekView : WeekView {
    std::deque<std::optional<std::string>> answers;  // for the file dialogs, in order
    std::vector<FileDialogRequest> requests;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool yes = false;            // the answer to every Yes/No question
    std::deque<Answer> choices;  // for the questions with "Abbrechen"; No when none is left
    std::deque<std::optional<int>> picks;  // for the questions with own answers; none: closed
    int editorShown = 0;

    std::optional<std::string> OpenFileName(const FileDialogRequest& r) override { return Next(r); }
    std::optional<std::string> SaveFileName(const FileDialogRequest& r) override { return Next(r); }
    void ShowMessage(MessageKind, const std::string& text) override { messages.push_back(text); }
    bool Ask(const std::string& question) override {
        questions.push_back(question);
        return yes;
    }
    Answer AskWithCancel(const std::string& question) override {
        questions.push_back(question);
        if (choices.empty())
            return Answer::No;
        const Answer answer = choices.front();
        choices.pop_front();
        return answer;
    }
    std::optional<int> Choose(const std::string& question,
                              const std::vector<std::string>&) override {
        questions.push_back(question);
        if (picks.empty())
            return std::nullopt;
        const std::optional<int> pick = picks.front();
        picks.pop_front();
        return pick;
    }
    void ShowTipPlanEditor() override { ++editorShown; }

  private:
    std::optional<std::string> Next(const FileDialogRequest& request) {
        requests.push_back(request);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace velmora::testing
