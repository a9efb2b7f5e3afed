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

void LimitRows(const GenerationSettings& settings, TRowList& rows, const AbortFlag& abort,
               GenerationView& view, std::uint64_t seed) {
    if (settings.limit == RowLimit::Guarantee) {
        if (settings.guaranteeLevel > 0)
            ReduceToGuarantee(rows, settings.guaranteeLevel, abort, view);
        return;
    }
    const std::optional<std::int32_t> target = ParseInteger(settings.countText);
    if (!target) {
        view.ShowMessage(MessageKind::Error, NotAnIntegerMessage(settings.countText));
        return;
    }
    if (ReduceToCount(rows, *target, seed) == CountReduction::TargetNotSmaller)
        view.ShowMessage(MessageKind::Warning, kTargetTooLargeWarning);
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
        LimitRows(settings, rows, abort, view, seed);
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
