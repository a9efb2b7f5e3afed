// velmora-cli: the evaluation sub-commands — evaluate (win determination against a result),
// wintable (the system against every allowed outcome), slips (where the digits of a slip print
// go) and distribution (the tips of each game). Each prints one JSON object.
#pragma once

#include <memory>
#include <optional>

#include <CLI/CLI.hpp>

namespace velmora::cli {

class EvaluationCommands {
  public:
    // Adds the four sub-commands and their options to the app.
    explicit EvaluationCommands(CLI::App& app);
    ~EvaluationCommands();
    EvaluationCommands(const EvaluationCommands&) = delete;
    EvaluationCommands& operator=(const EvaluationCommands&) = delete;

    // After parsing: runs the one of them that was called and returns its exit code; nothing
    // when none of them was called.
    std::optional<int> RunCalled() const;

  private:
    struct Commands;
    std::unique_ptr<Commands> commands_;
};

}  // namespace velmora::cli
