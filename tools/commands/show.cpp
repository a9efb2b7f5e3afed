#include "commands/show.h"

#include <algorithm>
#include <string>

#include "cli_json.h"
#include "model/sign.h"

namespace velmora::cli {

namespace {

void ValueRecordJson(JsonWriter& json, const TFilterValueRecord& record, int games) {
    json.BeginObject();
    json.Key("values");
    PerGame(json, games, [&](int g, Sign s) { return record.Value(g, s); });
    json.Key("minValue");
    json.Number(record.minValue);
    json.Key("maxValue");
    json.Number(record.maxValue);
    json.Key("active");
    json.Bool(record.active != 0);
    json.Key("orNext");
    json.Bool(record.orNext != 0);
    json.End();
}

std::string PatternText(const TSequenceRule& rule) {
    std::string text;
    for (int i = 0; i < rule.length && i < kMaxPatternLength; ++i)
        text += rule.pattern[i] == kAnySign ? '*' : SignChar(rule.pattern[i]);
    return text;
}

void BlockJson(JsonWriter& json, const TBlockFilter& block, int games) {
    json.BeginObject();
    json.Key("marks");
    json.BeginArray();
    for (int g = 1; g <= games; ++g) {
        json.BeginArray();
        for (Sign sign : kDisplayOrder) {
            const char mark = SignChar(sign);
            if (block.Marked(g, sign))
                json.String(std::string_view(&mark, 1));
        }
        json.End();
    }
    json.End();
    json.Key("minHits");
    json.Number(block.minHits);
    json.Key("maxHits");
    json.Number(block.maxHits);
    json.Key("orNext");
    json.Bool(block.orNext != 0);
    json.Key("maxRun");
    json.Number(block.maxRun);
    json.End();
}

void WeekJson(JsonWriter& json, const Week& week) {
    const int games = week.games;
    const TFilterSet& f = week.filters;
    json.BeginObject();
    json.Key("games");
    json.Number(games);
    json.Key("tips");
    PerGame(json, games, [&](int g, Sign s) { return week.plan.Tendency(g, s); });
    json.Key("signChange");
    json.BeginObject();
    json.Key("min1");
    json.Number(f.signChange.min1);
    json.Key("max1");
    json.Number(f.signChange.max1);
    json.Key("min2");
    json.Number(f.signChange.min2);
    json.Key("max2");
    json.Number(f.signChange.max2);
    json.Key("orSecond");
    json.Bool(f.signChange.orSecond == 1);
    json.End();
    json.Key("odds");
    ValueRecordJson(json, f.odds, games);
    json.Key("percent");
    json.BeginArray();
    for (const TPercentFilter& filter : f.percent)
        ValueRecordJson(json, filter, games);
    json.End();
    json.Key("blocks");
    json.BeginArray();
    for (const TBlockFilter& block : f.blocks)
        BlockJson(json, block, games);
    json.End();
    json.Key("sequences");
    json.BeginArray();
    for (const TSequenceRule& rule : f.sequences) {
        json.BeginObject();
        json.Key("pattern");
        json.String(PatternText(rule));
        json.Key("orNext");
        json.Bool(rule.orNext != 0);
        json.Key("length");
        json.Number(rule.length);
        json.Key("minCount");
        json.Number(rule.minCount);
        json.Key("maxCount");
        json.Number(rule.maxCount);
        json.End();
    }
    json.End();
    json.Key("chainCount");
    json.Number(f.chainCount());
    json.Key("requiredChains");
    json.Number(f.requiredChains);
    json.End();
}

void PrintWeekSummary(std::ostream& out, const Week& week) {
    const TFilterSet& f = week.filters;
    out << "Spiele: " << week.games << '\n' << "Tipps:";
    for (int g = 1; g <= week.games; ++g) {
        out << ' ';
        for (Sign sign : kDisplayOrder) {
            if (week.plan.Tendency(g, sign) > 0)
                out << SignChar(sign);
        }
        if (week.plan.AllowedCount(g) == 0)
            out << '-';
    }
    out << '\n' << week.plan.StatusText(week.games) << '\n';
    out << "Tippzeichenwechsel: " << +f.signChange.min1 << " bis " << +f.signChange.max1;
    if (f.signChange.orSecond == 1)
        out << " oder " << +f.signChange.min2 << " bis " << +f.signChange.max2;
    out << '\n' << "Quotenfilter: " << (f.odds.active != 0 ? "aktiv" : "aus") << '\n';
    const auto active = std::count_if(f.percent.begin(), f.percent.end(),
                                      [](const auto& filter) { return filter.active != 0; });
    out << "Prozentfilter: " << active << " von " << f.percent.size() << " aktiv, "
        << f.requiredChains << " von " << f.chainCount() << " Ketten zu erfüllen\n";
    out << "Blockfilter: " << f.blocks.size() << '\n';
    out << "Sequenzen: " << f.sequences.size();
    for (const TSequenceRule& rule : f.sequences)
        out << (&rule == &f.sequences.front() ? " (" : ", ") << PatternText(rule);
    out << (f.sequences.empty() ? "\n" : ")\n");
}

}  // namespace

ShowCommand::ShowCommand()
    : Command("show",
              "Tippplan und Filter der Woche anzeigen: ohne --json als kurze Übersicht, mit "
              "--json vollständig (Tendenzen, alle Filterfelder, Ketten)") {}

void ShowCommand::AddOptions(CLI::App& command, const Checks& checks) {
    AddWeekOptions(command, week_, false);
    AddSwitch(command, "--json", json_, "Ausgabe als JSON-Objekt statt als Übersicht", checks);
}

void ShowCommand::Run(std::ostream& out, std::ostream& /*err*/) {
    const Week week = LoadWeek(week_);
    if (json_) {
        JsonWriter json(out);
        WeekJson(json, week);
        json.Finish();
    } else {
        PrintWeekSummary(out, week);
    }
}

}  // namespace velmora::cli
