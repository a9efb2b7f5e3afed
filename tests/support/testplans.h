// Tip plans and row lists for the tests, built from short descriptions.
#pragma once

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "filters/candidatetest.h"
#include "model/enumeration.h"
#include "model/rowlist.h"
#include "model/tipplan.h"

namespace velmora::testing {

// One string per game: the tendencies of the signs "1", "0" and "2", e.g. "530".
inline TTipPlan PlanFromTendencies(const std::vector<std::string>& games) {
    TTipPlan plan;
    for (std::size_t g = 0; g < games.size(); ++g) {
        for (int slot = 0; slot < 3; ++slot) {
            plan.SetTendency(static_cast<int>(g) + 1, kDisplayOrder[slot],
                             static_cast<std::int8_t>(games[g][slot] - '0'));
        }
    }
    return plan;
}

// n games, all three signs allowed, with the tendencies 3, 2, 1.
inline TTipPlan FullPlan(int n) {
    return PlanFromTendencies(std::vector<std::string>(n, "321"));
}

// The rows of a plan's full system that pass the filters, in enumeration order.
inline TRowList SystemOf(TTipPlan plan, int n, const TFilterSet& filters) {
    plan.AllToTendencyOrder(n);
    TRowList rows(n);
    AbortFlag abort;
    RunObserver observer;
    EnumerateFullSystem(plan, n, CandidateTest(filters, n), rows, abort, observer);
    return rows;
}

// The unfiltered full system of a plan, in enumeration order.
inline TRowList FullSystemOf(TTipPlan plan, int n) {
    return SystemOf(std::move(plan), n, TFilterSet::PassingAll(n));
}

// `count` rows of uniformly random signs.
inline TRowList RandomRows(int games, int count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> sign(0, 2);
    TRowList rows(games);
    for (int r = 0; r < count; ++r) {
        TTipRow row(games);
        for (int g = 0; g < games; ++g)
            row[g] = static_cast<Sign>(sign(random));
        rows.Append(row);
    }
    return rows;
}

// Rows written as digit strings, e.g. {"11111111111", "11111111112"}.
inline TRowList RowsFromStrings(const std::vector<std::string>& rows) {
    TRowList list(static_cast<int>(rows.front().size()));
    for (const std::string& text : rows) {
        TTipRow row(static_cast<int>(text.size()));
        for (std::size_t g = 0; g < text.size(); ++g)
            row[static_cast<int>(g)] = static_cast<Sign>(text[g] - '0');
        list.Append(row);
    }
    return list;
}

inline std::string RowString(std::span<const Sign> row) {
    std::string text;
    for (Sign s : row)
        text += SignChar(s);
    return text;
}

inline std::vector<std::string> RowStrings(const TRowList& list) {
    std::vector<std::string> rows;
    for (std::int32_t r = 0; r < list.Count(); ++r)
        rows.push_back(RowString(list.RowSpan(r)));
    return rows;
}

}  // namespace velmora::testing
