#include "evaluation/chances.h"

#include <cassert>
#include <cmath>
#include <vector>

#include "filters/candidatetest.h"
#include "model/codespace.h"
#include "model/enumeration.h"
#include "model/rowcode.h"

namespace velmora {
namespace {

using Polynomial = std::array<double, kWinClasses>;  // coefficients of x^0 .. x^4

// The product of two polynomials, without the terms of degree 5 and more.
Polynomial Times(const Polynomial& a, const Polynomial& b) {
    Polynomial c{};
    for (int i = 0; i < kWinClasses; ++i)
        for (int j = 0; i + j < kWinClasses; ++j)
            c[i + j] += a[i] * b[j];
    return c;
}

// The codes of n games split in a low part (games 0..low-1) and a high one, so that a value
// multiplied over the games is the product of one entry of each half's table.
struct Halves {
    int n;
    int low;
    RowCode lowSize;
    RowCode highSize;

    explicit Halves(int games)
        : n(games), low(games / 2), lowSize(kPow3[low]), highSize(kPow3[games - low]) {}

    // table[code of the half] = product over its games of factor(game, sign).
    template <class Value, class Factor>
    std::vector<Value> Table(int first, int count, Value one, Factor&& factor) const {
        std::vector<Value> table(kPow3[count]);
        table[0] = one;
        for (int g = 0; g < count; ++g) {
            const RowCode stride = kPow3[g];
            for (Sign s = kSignCount - 1; s >= 1; --s)
                for (RowCode c = 0; c < stride; ++c)
                    table[s * stride + c] = factor(table[c], first + g, s);
            for (RowCode c = 0; c < stride; ++c)
                table[c] = factor(table[c], first + g, 0);
        }
        return table;
    }
};

// The probability of each outcome, as the product of a low and a high half.
struct OutcomeProbabilities {
    Halves halves;
    std::vector<double> low, high;

    explicit OutcomeProbabilities(const OutcomeModel& model) : halves(model.games) {
        auto factor = [&](double value, int g, Sign s) { return value * model.p[g][s]; };
        low = halves.Table<double>(0, halves.low, 1.0, factor);
        high = halves.Table<double>(halves.low, model.games - halves.low, 1.0, factor);
    }

    double Of(RowCode code) const {
        return low[code % halves.lowSize] * high[code / halves.lowSize];
    }
};

// For every outcome, the distribution of the errors of a row drawn from the players' tips:
// a polynomial in x whose coefficient e is the probability of e errors.
struct ErrorPolynomials {
    Halves halves;
    std::vector<Polynomial> low, high;

    explicit ErrorPolynomials(const OutcomeModel& players) : halves(players.games) {
        auto factor = [&](const Polynomial& value, int g, Sign s) {
            const double right = players.p[g][s];
            return Times(value, Polynomial{right, 1.0 - right});
        };
        low = halves.Table<Polynomial>(0, halves.low, Polynomial{1.0}, factor);
        high = halves.Table<Polynomial>(halves.low, players.games - halves.low, Polynomial{1.0},
                                        factor);
    }
};

// Every outcome of the tip plan's full system, and which of them pass the filters.
struct PlanOutcomes {
    std::vector<std::uint8_t> inPlan, inFiltered;
};

PlanOutcomes PlanOutcomesOf(const TTipPlan& tipPlan, int n, const TFilterSet& filters) {
    TTipPlan plan = tipPlan;
    plan.AllToTendencyOrder(n);
    const CandidateTest test(WinTableFilters(filters, plan, n, WinTableSettings{}), n);
    PlanOutcomes outcomes;
    outcomes.inPlan.assign(CodeSpaceSize(n), 0);
    outcomes.inFiltered.assign(CodeSpaceSize(n), 0);
    AbortFlag never;
    RunObserver quiet;
    ForEachCandidate(
        plan, n,
        [&](const Sign* outcome) {
            const RowCode code = EncodeRow(outcome, n);
            outcomes.inPlan[code] = 1;
            outcomes.inFiltered[code] = test.Accepts(outcome) ? 1 : 0;
        },
        never, quiet);
    return outcomes;
}

std::vector<RowCode> CodesOf(const TRowList& rows) {
    std::vector<RowCode> codes(static_cast<std::size_t>(rows.Count()));
    for (std::int32_t r = 0; r < rows.Count(); ++r)
        codes[static_cast<std::size_t>(r)] = EncodeRow(rows.Row(r), rows.Games());
    return codes;
}

std::string GameProblem(int game, const ChanceSource& source, const std::string& what) {
    const std::string where = source.kind == ChanceSource::Kind::Odds
                                  ? "im Quotenfilter"
                                  : "in Prozentfilter " + std::to_string(source.percentFilter);
    return "Spiel " + std::to_string(game) + " " + where + ": " + what +
           "; daraus ergibt sich keine Wahrscheinlichkeit.";
}

std::string SignQuoted(Sign s) {
    return std::string("„") + SignChar(s) + "“";
}

}  // namespace

std::string ChanceSourceName(const ChanceSource& source) {
    return source.kind == ChanceSource::Kind::Odds
               ? "Quotenfilter"
               : "Prozentfilter " + std::to_string(source.percentFilter);
}

OutcomeModelOrProblem OutcomeModelOf(const TFilterSet& filters, int n, const ChanceSource& source) {
    const bool odds = source.kind == ChanceSource::Kind::Odds;
    if (!odds && (source.percentFilter < 1 || source.percentFilter > kPercentFilterCount))
        return {std::nullopt, "Es gibt nur die Prozentfilter 1 bis 5."};
    const auto& values =
        odds ? filters.odds.values : filters.percent[source.percentFilter - 1].values;
    OutcomeModel model;
    model.games = n;
    for (int g = 0; g < n; ++g) {
        std::array<double, kSignCount> weight{};
        for (Sign s = 0; s < kSignCount; ++s) {
            const double value = values[g][s];
            if (!std::isfinite(value))
                return {std::nullopt,
                        GameProblem(g + 1, source,
                                    "Der Wert für " + SignQuoted(s) + " ist keine Zahl")};
            if (odds && value <= 0)
                return {std::nullopt,
                        GameProblem(g + 1, source,
                                    "Die Quote für " + SignQuoted(s) + " ist 0 oder kleiner")};
            if (!odds && value < 0)
                return {
                    std::nullopt,
                    GameProblem(g + 1, source, "Der Wert für " + SignQuoted(s) + " ist negativ")};
            weight[s] = odds ? 1.0 / value : value;
        }
        const double sum = weight[0] + weight[1] + weight[2];
        if (!(sum > 0) || !std::isfinite(sum))
            return {std::nullopt, GameProblem(g + 1, source, "Die drei Werte ergeben zusammen 0")};
        for (Sign s = 0; s < kSignCount; ++s)
            model.p[g][s] = weight[s] / sum;
    }
    return {model, {}};
}

std::string PoolProblem(double stakes, double pricePerRow, double rate,
                        const std::array<double, kWinClasses>& shares) {
    if (!std::isfinite(stakes) || stakes < 0)
        return "Der Spieleinsatz aller Spieler darf nicht kleiner als 0 sein.";
    if (!std::isfinite(pricePerRow) || pricePerRow <= 0)
        return "Der Preis pro Reihe muss größer als 0 sein.";
    if (!std::isfinite(stakes / pricePerRow))
        return "Spieleinsatz und Preis pro Reihe ergeben keine endliche Zahl von Reihen.";
    if (!std::isfinite(rate) || rate < 0 || rate > 1)
        return "Die Ausschüttungsquote muss zwischen 0 und 100 % liegen.";
    double sum = 0;
    for (std::size_t e = 0; e < shares.size(); ++e) {
        if (!std::isfinite(shares[e]) || shares[e] < 0 || shares[e] > 1)
            return "Der Anteil des " + std::to_string(e + 1) +
                   ". Rangs muss zwischen 0 und 100 % liegen.";
        sum += shares[e];
    }
    if (sum > 1 + 1e-9)
        return "Die Anteile der Ränge ergeben zusammen mehr als 100 %.";
    return {};
}

ChancesResult ComputeChances(const TTipPlan& plan, int n, const TFilterSet& filters,
                             const TRowList& rows, const OutcomeModel& model,
                             const std::optional<PoolModel>& pool) {
    assert(plan.TipsComplete(n) && model.games == n && rows.Games() == n);
    assert(!pool ||
           (pool->players.games == n &&
            PoolProblem(pool->stakes, pool->pricePerRow, pool->rate, pool->shares).empty()));
    const OutcomeProbabilities probability(model);
    const PlanOutcomes outcomes = PlanOutcomesOf(plan, n, filters);
    const SpaceCounts counts(n, CodesOf(rows));
    std::optional<ErrorPolynomials> players;
    if (pool)
        players.emplace(pool->players);
    const double otherRows = pool ? pool->stakes / pool->pricePerRow : 0.0;
    const double payoutPool = pool ? pool->stakes * pool->rate : 0.0;

    ChancesResult result;
    ClassChances filtered;
    Payout payout;
    const Halves halves(n);
    for (RowCode high = 0; high < halves.highSize; ++high) {
        const double pHigh = probability.high[high];
        for (RowCode low = 0; low < halves.lowSize; ++low) {
            const RowCode code = high * halves.lowSize + low;
            const double p = pHigh * probability.low[low];
            const bool inFiltered = outcomes.inFiltered[code] != 0;
            if (outcomes.inPlan[code])
                result.pPlan += p;
            if (inFiltered)
                result.pFiltered += p;

            const SpaceCounts::Counts c = counts.At(code);
            int best = kNothingWon;
            for (int e = kWinClasses - 1; e >= 0; --e)
                if (c[e] > 0)
                    best = e;
            result.all.best[best] += p;
            if (inFiltered)
                filtered.best[best] += p;
            if (best == kNothingWon)
                continue;
            for (int e = best; e < kWinClasses; ++e) {
                result.all.expectedRows[e] += p * c[e];
                if (inFiltered)
                    filtered.expectedRows[e] += p * c[e];
            }
            if (!players)
                continue;
            const Polynomial others = Times(players->low[low], players->high[high]);
            for (int e = best; e < kWinClasses; ++e) {
                if (c[e] == 0)
                    continue;
                const double winners = otherRows * others[e] + c[e];
                payout.byClass[e] += p * c[e] * payoutPool * pool->shares[e] / winners;
            }
        }
    }

    if (result.pFiltered > 0) {
        for (double& b : filtered.best)
            b /= result.pFiltered;
        for (double& r : filtered.expectedRows)
            r /= result.pFiltered;
        result.filtered = filtered;
    }
    if (pool) {
        for (double v : payout.byClass)
            payout.expected += v;
        payout.stake = rows.Count() * pool->pricePerRow;
        result.payout = payout;
    }
    return result;
}

}  // namespace velmora
