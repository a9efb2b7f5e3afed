// velmora-cli: a sub-command. It puts its typed, checked options on its CLI11 sub-command; once
// the command line has been read, Run does the work.
#pragma once

#include <ostream>
#include <string>

#include <CLI/CLI.hpp>

#include "options.h"

namespace velmora::cli {

class Command {
  public:
    Command(std::string name, std::string description)
        : name_(std::move(name)), description_(std::move(description)) {}
    virtual ~Command() = default;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Description() const { return description_; }

    // Adds the options; their values land in the command's members.
    virtual void AddOptions(CLI::App& command, const Checks& checks) = 0;

    // The answer goes to out, notes and warnings to err. A refusal ends the command by a
    // CliError.
    virtual void Run(std::ostream& out, std::ostream& err) = 0;

  private:
    std::string name_;
    std::string description_;
};

}  // namespace velmora::cli
