#include "model/generation.h"

#include <charconv>

#include "filters/candidatetest.h"
#include "model/enumeration.h"
#include "model/reduction.h"

namespace velmora {

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::string NotAnIntegerMessage(std::string_view text) {
    std::string message = "'";
    message.append(text).append("' ist kein gültiger Integerwert");
    return message;
}

std::string GuaranteeCheckText(const GuaranteeCheck& check) {
    std::string text;
    if (check.uncovered == 0) {
        text.append("Garantie geprüft: alle ")
            .append(std::to_string(check.listRows))
            .append(" Reihen abgedeckt");
        if (check.outsideRows > 0) {
            text.append(", davon ")
                .append(std::to_string(check.outsideRows))
                .append(check.outsideRows == 1 ? " Reihe" : " Reihen")
                .append(" außerhalb der Filter");
        }
    } else {
        text.append("Garantie verletzt: ")
            .append(std::to_string(check.uncovered))
            .append(" von ")
            .append(std::to_string(check.listRows))
            .append(" Reihen nicht abgedeckt");
    }
    return text;
}

std::optional<GuaranteeCheck> LimitRows(const GenerationSettings& settings, TRowList& rows,
                                        const AbortFlag& abort, GenerationView& view,
                                        std::uint64_t seed, const RowSpace& planSpace) {
    if (settings.limit == RowLimit::Guarantee) {
        const int level = settings.guaranteeLevel;
        if (level <= 0)
            return std::nullopt;
        if (!settings.optimised) {
            ReduceToGuarantee(rows, level, abort, view);
            return std::nullopt;
        }
        const TRowList list = rows;
        OptimisedReductionOptions options = settings.optimisation;
        if (settings.outside)
            options.outside = &planSpace;
        const OptimisedReductionResult result = ReduceOptimised(rows, level, abort, view, options);
        return GuaranteeCheck{list.Count(), rows.Count(), VerifyGuarantee(list, rows, level),
                              level, result.outsideRows};
    }
    const std::optional<std::int32_t> target = ParseInteger(settings.countText);
    if (!target) {
        view.ShowMessage(MessageKind::Error, NotAnIntegerMessage(settings.countText));
        return std::nullopt;
    }
    if (ReduceToCount(rows, *target, seed) == CountReduction::TargetNotSmaller)
        view.ShowMessage(MessageKind::Warning, kTargetTooLargeWarning);
    return std::nullopt;
}

GenerationOutcome RunGeneration(int n, TTipPlan& plan, const TFilterSet& filters,
                                const GenerationSettings& settings, TRowList& rows,
                                AbortFlag& abort, GenerationView& view, std::uint64_t seed) {
    GenerationOutcome outcome;
    abort.Clear();
    view.ShowProgressWindow();

    if (plan.TipsComplete(n)) {
        const CandidateTest test(filters, n);
        plan.AllToTendencyOrder(n);
        outcome.candidates = EnumerateFullSystem(plan, n, test, rows, abort, view).candidates;
        outcome.generated = true;
        outcome.guaranteeCheck =
            LimitRows(settings, rows, abort, view, seed, plan.FullSystemSpace(n));
        view.ShowSystemSize(rows.Count());
    }

    const TCoverageTable coverage = UpdateCoverage(rows);
    if (!MissingSigns(plan, n, coverage).empty()) {
        outcome.coverageFailed = true;
        view.ShowCoverageWarning(coverage);
    }

    plan.AllToTendencyOrder(n);
    view.HideProgressWindow();
    return outcome;
}

}  // namespace velmora
