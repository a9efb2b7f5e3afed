#include "options.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "cli_support.h"
#include "model/rowlist.h"

namespace velmora::cli {

namespace {

std::string Given(const std::string& rule, const std::string& text) {
    return rule + " Angegeben wurde '" + text + "'.";
}

}  // namespace

Checks::Checks() : complaint_(std::make_shared<std::string>()) {}

CLI::Validator Checks::Of(Rule rule, std::string description) const {
    return CLI::Validator(
        [rule = std::move(rule), complaint = complaint_](std::string& text) {
            std::string problem = rule(text);
            if (!problem.empty())
                *complaint = problem;
            return problem;
        },
        std::move(description));
}

CLI::Validator Checks::German(CLI::Validator validator, std::string rule) const {
    const std::string description = validator.get_description();
    return Of(
        [validator = std::move(validator), rule = std::move(rule)](std::string& text) {
            const std::string given = text;
            bool refused = false;
            try {
                refused = !validator(text).empty();
            } catch (const CLI::ValidationError&) {
                refused = true;
            }
            return refused ? Given(rule, given) : std::string();
        },
        description);
}

CLI::Validator Checks::Whole(std::int64_t low, std::int64_t high, std::string rule) const {
    return Of([low, high, rule = std::move(rule)](std::string& text) {
        const std::optional<std::int64_t> value = ParseWhole<std::int64_t>(text);
        if (!value || *value < low || *value > high)
            return Given(rule, text);
        text = std::to_string(*value);
        return std::string();
    });
}

CLI::Validator Checks::Unsigned(std::string rule) const {
    return Of([rule = std::move(rule)](std::string& text) {
        const std::optional<std::uint64_t> value = ParseWhole<std::uint64_t>(text);
        if (!value)
            return Given(rule, text);
        text = std::to_string(*value);
        return std::string();
    });
}

namespace {

// A whole decimal number of all the text, rewritten as the shortest text that reads back as the
// same number; nothing for anything else, "inf" and "nan" included.
std::optional<double> PlainNumber(std::string& text) {
    double value = 0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (text.empty() || error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    char plain[32];
    const auto written = std::to_chars(plain, plain + sizeof plain, value);
    text.assign(plain, written.ptr);
    return value;
}

}  // namespace

CLI::Validator Checks::Decimal(double low, double high, std::string rule) const {
    return Of([low, high, rule = std::move(rule)](std::string& text) {
        const std::string given = text;
        const std::optional<double> value = PlainNumber(text);
        if (!value || !(*value > low && *value <= high))
            return Given(rule, given);
        return std::string();
    });
}

CLI::Validator Checks::Number(std::string rule) const {
    return Of([rule = std::move(rule)](std::string& text) {
        const std::string given = text;
        return PlainNumber(text) ? std::string() : Given(rule, given);
    });
}

CLI::Validator Checks::GameCount() const {
    return Whole(kMinGames, kMaxGames, "Die Spielzahl muss zwischen 11 und 14 liegen.");
}

CLI::Validator Checks::RowsPerSlip() const {
    const std::string rule = "Die Reihenzahl je Schein muss 6, 8, 10 oder 12 sein.";
    const CLI::Validator member = CLI::IsMember({6, 8, 10, 12});
    return Of(
        [member, rule](std::string& text) {
            const std::optional<int> value = ParseWhole<int>(text);
            std::string plain = value ? std::to_string(*value) : std::string();
            if (!value || !member(plain).empty())
                return Given(rule, text);
            text = std::move(plain);
            return std::string();
        },
        "6, 8, 10 oder 12");
}

CLI::Validator Checks::Word(std::vector<std::string> words, std::string rule) const {
    std::string description;
    for (std::size_t k = 0; k < words.size(); ++k)
        description += (k == 0 ? "" : k + 1 == words.size() ? " oder " : ", ") + words[k];
    return German(CLI::IsMember(std::move(words), CLI::ignore_case).description(description),
                  std::move(rule));
}

CLI::Validator Checks::ChoiceOf(std::vector<std::pair<std::string, long long>> choices,
                                std::string rule) const {
    std::vector<std::string> words;
    for (const auto& choice : choices)
        words.push_back(choice.first);
    const CLI::Validator word = Word(std::move(words), std::move(rule));
    return CLI::Validator(
        [word, choices = std::move(choices)](std::string& text) {
            std::string problem = word(text);
            if (!problem.empty())
                return problem;
            for (const auto& [name, value] : choices) {
                if (name == text)
                    text = std::to_string(value);
            }
            return std::string();
        },
        word.get_description());
}

CLI::Validator Checks::Switch(std::string name) const {
    return Of([name = std::move(name)](std::string& text) {
        try {
            CLI::detail::to_flag_value(text);
            return std::string();
        } catch (const std::exception&) {
            return "Ungültiger Optionswert: " + name + " = " + text + ". Schalter wie " + name +
                   " nehmen keinen Wert an. Hilfe: " + kProgram + " --help";
        }
    });
}

CLI::Option* AddSwitch(CLI::App& command, const std::string& name, bool& value,
                       const std::string& description, const Checks& checks) {
    return command.add_flag(name, value, description)->check(checks.Switch(name));
}

void AddGamesOption(CLI::App& command, int& games, const Checks& checks) {
    command.add_option("--games", games, "Spielzahl der Reihen, 11 bis 14")
        ->type_name("N")
        ->transform(checks.GameCount())
        ->required();
}

void AddRowFileOptions(CLI::App& command, int& games, std::string& rows, const Checks& checks) {
    AddGamesOption(command, games, checks);
    command.add_option("--rows", rows, "Zu lesende Reihendatei")->type_name("DATEI")->required();
}

void AddPlanRowsOption(CLI::App& command, std::string& rows) {
    command.add_option("--rows", rows, "Zu lesende Reihendatei (Spielzahl des Plans)")
        ->type_name("DATEI")
        ->required();
}

}  // namespace velmora::cli
